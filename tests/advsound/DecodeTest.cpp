// Decoding a whole file into 16-bit PCM in memory.
#include <gtest/gtest.h>

#include <cstring>

#include "Fixtures.h"
#include "advsound/DecodedSound.h"

namespace {

using advtest::SoundShape;
using vek::DecodedSound;

struct FormatCase {
    const char* name;
    const char* file;
    SoundShape shape;
    uint32_t dataSize;
    int32_t bytesPerSecond;
};

const FormatCase kFormats[] = {
    {"Wave16StereoOneSecond", "a.wav", {SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100, 44100}, 176400, 176400},
    {"Wave8BitMono", "b.wav", {SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 1, 22050, 2205}, 4410, 44100},
    {"Wave24BitStereo", "c.wav", {SF_FORMAT_WAV | SF_FORMAT_PCM_24, 2, 48000, 480}, 1920, 192000},
    {"WaveFloatStereo", "d.wav", {SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2, 44100, 1000}, 4000, 176400},
    {"Aiff16Mono", "e.aiff", {SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 1, 11025, 999}, 1998, 22050},
    {"Aiff24Stereo", "f.aiff", {SF_FORMAT_AIFF | SF_FORMAT_PCM_24, 2, 44100, 300}, 1200, 176400},
};

class DecodeFormats : public ::testing::TestWithParam<FormatCase> {};

// Whatever the container and encoding, the sound is libsndfile's 16-bit
// conversion of the whole file.
TEST_P(DecodeFormats, ComesOutAsLibsndfiles16BitSamples) {
    const FormatCase& c = GetParam();
    advtest::TempDir dir;
    const std::string path = dir.Path(c.file);
    ASSERT_TRUE(advtest::WriteSound(path, c.shape));
    const std::vector<uint8_t> expected = advtest::BytesOf(advtest::DecodeWithLibsndfile(path));

    DecodedSound sound;
    sound.Decode(path.c_str());
    ASSERT_TRUE(sound.loaded);
    EXPECT_EQ(sound.bitsPerSample, 16);
    EXPECT_EQ(sound.sampleRate, c.shape.sampleRate);
    EXPECT_EQ(sound.channels, c.shape.channels);
    EXPECT_EQ(sound.bytesPerSecond, c.bytesPerSecond);
    EXPECT_EQ(sound.lastDeck, -1);
    ASSERT_EQ(sound.dataSize, c.dataSize);
    ASSERT_EQ(expected.size(), c.dataSize);
    EXPECT_EQ(std::memcmp(sound.data, expected.data(), expected.size()), 0);
    EXPECT_NE(std::count(expected.begin(), expected.end(), 0), std::ptrdiff_t(expected.size())) << "not silence";
    sound.Release();
    EXPECT_EQ(sound.data, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Formats, DecodeFormats, ::testing::ValuesIn(kFormats),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Decode, FileWithoutFramesIsAnEmptyLoadedSound) {
    advtest::TempDir dir;
    const std::string path = dir.Path("empty.wav");
    ASSERT_TRUE(advtest::WriteSound(path, {SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100, 0}));
    DecodedSound sound;
    sound.Decode(path.c_str());
    EXPECT_TRUE(sound.loaded);
    EXPECT_EQ(sound.dataSize, 0u);
    EXPECT_EQ(sound.bytesPerSecond, 176400);
    sound.Release();
}

// A file that announces more frames than it holds keeps the announced size;
// what never came stays silent.
TEST(Decode, ShortFileLeavesASilentTail) {
    advtest::TempDir dir;
    const std::string path = dir.Path("short.flac");
    if (!advtest::WriteFlacAnnouncing(path, 2, 1000, 2000)) GTEST_SKIP() << "this libsndfile writes no FLAC";
    const std::vector<uint8_t> held = advtest::BytesOf(advtest::DecodeWithLibsndfile(path));
    ASSERT_EQ(held.size(), 4000u);

    DecodedSound sound;
    sound.Decode(path.c_str());
    ASSERT_TRUE(sound.loaded);
    ASSERT_EQ(sound.dataSize, 8000u);
    EXPECT_EQ(std::memcmp(sound.data, held.data(), held.size()), 0);
    const std::vector<uint8_t> silence(4000, 0);
    EXPECT_EQ(std::memcmp(sound.data + 4000, silence.data(), silence.size()), 0);
    sound.Release();
}

TEST(Decode, FilesLibsndfileRefusesLeaveNothingLoadedOrAllocated) {
    advtest::TempDir dir;
    advtest::WriteText(dir.Path("notes.wav"), "these are words, not sound\n");
    const std::string cases[] = {dir.Path("notes.wav"), dir.Path("missing.wav"), dir.Path("")};
    for (const std::string& path : cases) {
        DecodedSound sound;
        sound.Decode(path.c_str());
        EXPECT_FALSE(sound.loaded) << path;
        EXPECT_EQ(sound.data, nullptr) << path;
    }
    DecodedSound sound;
    sound.Decode(nullptr);
    EXPECT_FALSE(sound.loaded);
}

// frames x channels x 2 must fit the 32-bit dataSize. A header announcing
// more is refused instead of being decoded into a buffer of the wrapped size;
// one just below the limit fails at the allocation, cleanly.
TEST(Decode, SoundsThatCannotBeHeldAreRefused) {
    struct Case {
        uint64_t announcedFrames;
        const char* why;
    };
    const Case cases[] = {
        {uint64_t(1) << 31, "2^33 bytes"},
        {uint64_t(1) << 30, "exactly 2^32 bytes"},
        {(uint64_t(1) << 30) - 1, "2^32 - 4 bytes: no such allocation"},
    };
    advtest::TempDir dir;
    for (const Case& c : cases) {
        const std::string path = dir.Path("huge.flac");
        if (!advtest::WriteFlacAnnouncing(path, 2, 100, c.announcedFrames))
            GTEST_SKIP() << "this libsndfile writes no FLAC";
        DecodedSound sound;
        sound.Decode(path.c_str());
        EXPECT_FALSE(sound.loaded) << c.why;
        EXPECT_EQ(sound.data, nullptr) << c.why;
    }
}

TEST(TextField, CopiesOnlyWhatFitsWithItsTerminator) {
    char field[vek::kTextFieldSize];
    std::memset(field, 'x', sizeof field);
    EXPECT_TRUE(vek::CopyIntoTextField(field, std::string(259, 'a').c_str()));
    EXPECT_EQ(std::strlen(field), 259u);
    EXPECT_FALSE(vek::CopyIntoTextField(field, std::string(260, 'b').c_str()));
    EXPECT_EQ(field[0], 'a') << "a refused text leaves the field as it was";
    EXPECT_FALSE(vek::CopyIntoTextField(field, nullptr));
}

}  // namespace
