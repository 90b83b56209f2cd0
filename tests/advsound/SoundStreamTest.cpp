// The engineer's streams: cached streams and file streams, read from memory
// or from disk.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "Fixtures.h"
#include "advsound/SoundCache.h"
#include "advsound/SoundStream.h"
#include "engineer/EngineerFactory.h"

namespace {

using advtest::SourceEngineer;
using vek::DecodedSound;
using vek::testing::CoreStandIn;

std::vector<uint8_t> Pattern(size_t n) {
    std::vector<uint8_t> bytes(n);
    for (size_t i = 0; i < n; ++i) bytes[i] = uint8_t(i * 7 + 3 + i / 256);
    return bytes;
}

// A cache filled through a source engineer, and a run object that uses it.
struct CacheBench {
    CacheBench() {
        core.findOverride = source.record();
        object.soundCache = &cache;
    }
    ~CacheBench() { cache.Clear(); }

    DecodedSound* Add(const char* id, std::vector<uint8_t> bytes, int32_t rate, int32_t bits, int32_t channels,
                      int32_t lengthMs) {
        source.behaviour = {std::move(bytes), rate, bits, channels, lengthMs};
        return cache.Add(id, "f", &core, nullptr);
    }
    StreamRecord* Open(const char* id, int32_t loops) {
        StreamRecord* stream = vek::CreateCachedStream(&object, &core, id);
        if (stream == nullptr) return nullptr;
        stream->loopsLeft = loops;
        EXPECT_EQ(stream->open(stream), 0);
        return stream;
    }

    SourceEngineer source;
    CoreStandIn core;
    SoundCache cache;
    RunData object{};
};

// A file stream of this engineer, with its owner's caching switch.
struct FileBench {
    explicit FileBench(bool caching) {
        owner.cachingEnabled = caching;
        engineer = vek::MakeEngineerRecord(0, nullptr, &owner);
        engineer->core = &core;
    }
    ~FileBench() { std::free(engineer); }
    StreamRecord* Make(const std::string& path) { return engineer->createStream(engineer, path.c_str()); }

    CoreStandIn core;
    RunData owner{};
    EngineerRecord* engineer;
};

std::vector<uint8_t> ReadBytes(StreamRecord* stream, int32_t count) {
    std::vector<uint8_t> bytes(size_t(count), 0xEE);
    const int32_t got = stream->read(count, bytes.data(), stream);
    bytes.resize(size_t(std::max(got, 0)));
    return bytes;
}

std::vector<uint8_t> Cyclic(const std::vector<uint8_t>& data, size_t start, size_t n) {
    std::vector<uint8_t> out(n);
    for (size_t i = 0; i < n; ++i) out[i] = data[(start + i) % data.size()];
    return out;
}

// A 100-byte sound: 50000 Hz, mono, 16 bits, 1 ms.
TEST(MemoryRead, PassesOverTheDataAsLoopsAllow) {
    struct Case {
        const char* name;
        int32_t skip;  // bytes read before
        int32_t loops;
        int32_t ask;
        int32_t answer;
        int32_t loopsAfter;
        uint8_t ended;
    };
    const Case cases[] = {
        {"10 left, loops 1: wraps", 90, 1, 100, 100, 0, 0},
        {"10 left, loops 0: ends", 90, 0, 100, 10, 0, 1},
        {"exactly exhausting does not wrap yet", 0, 1, 100, 100, 1, 0},
        {"endless loops wrap at every end", 30, -1, 1000, 1000, -1, 0},
        {"two loops give three passes", 0, 2, 1000, 300, 0, 1},
    };
    for (const Case& c : cases) {
        CacheBench bench;
        const std::vector<uint8_t> data = Pattern(100);
        ASSERT_NE(bench.Add("s", data, 50000, 16, 1, 1), nullptr);
        StreamRecord* stream = bench.Open("s", c.loops);
        ASSERT_NE(stream, nullptr);
        if (c.skip > 0) {
            ASSERT_EQ(ReadBytes(stream, c.skip).size(), size_t(c.skip));
        }
        EXPECT_EQ(ReadBytes(stream, c.ask), Cyclic(data, size_t(c.skip), size_t(c.answer))) << c.name;
        EXPECT_EQ(stream->loopsLeft, c.loopsAfter) << c.name;
        EXPECT_EQ(stream->ended, c.ended) << c.name;
        if (c.ended) {
            EXPECT_TRUE(ReadBytes(stream, 100).empty()) << c.name << ": nothing after the end";
        }
        stream->release(stream);
    }
}

// No data and endless loops: nothing can ever fill the buffer, and the read
// still returns.
TEST(MemoryRead, EmptySoundWithEndlessLoopsReturns) {
    CacheBench bench;
    ASSERT_NE(bench.Add("empty", {}, 44100, 16, 2, 10), nullptr);
    ASSERT_EQ(bench.cache.Find("empty")->dataSize, 0u);
    StreamRecord* stream = bench.Open("empty", -1);
    EXPECT_EQ(ReadBytes(stream, 64).size(), 0u);
    EXPECT_EQ(stream->ended, 0);
    stream->loopsLeft = 0;
    EXPECT_EQ(ReadBytes(stream, 64).size(), 0u);
    EXPECT_EQ(stream->ended, 1);
    stream->release(stream);
}

// A memory seek lands on a whole frame below the time's byte position; one at
// or past the end is dropped and the stream goes on where it was.
TEST(MemorySeek, LandsOnWholeFramesAndDropsPositionsPastTheEnd) {
    struct Case {
        const char* name;
        int32_t rate, bits, channels, lengthMs;
        int32_t seekMs;
        size_t expectedPosition;
    };
    const Case cases[] = {
        {"10 ms, 22050 Hz mono", 22050, 16, 1, 1000, 10, 440},
        {"7 ms, 44100 Hz stereo 24-bit: 1852 -> 1848", 44100, 24, 2, 100, 7, 1848},
        {"start", 22050, 16, 1, 1000, 0, 0},
        {"past the end", 22050, 16, 1, 1000, 5000, 100},
        {"exactly the end", 22050, 16, 1, 1000, 1000, 100},
        {"negative", 22050, 16, 1, 1000, -20, 100},
        {"withdrawn", 22050, 16, 1, 1000, -1, 100},
    };
    for (const Case& c : cases) {
        CacheBench bench;
        const std::vector<uint8_t> data = Pattern(300000);
        DecodedSound* sound = bench.Add("s", data, c.rate, c.bits, c.channels, c.lengthMs);
        ASSERT_NE(sound, nullptr) << c.name;
        StreamRecord* stream = bench.Open("s", 0);
        ASSERT_EQ(ReadBytes(stream, 100).size(), 100u);
        EXPECT_EQ(stream->seek(stream, c.seekMs), 0);
        const std::vector<uint8_t> expected(data.begin() + ptrdiff_t(c.expectedPosition),
                                            data.begin() + ptrdiff_t(c.expectedPosition) + 16);
        EXPECT_EQ(ReadBytes(stream, 16), expected) << c.name;
        stream->release(stream);
    }
}

TEST(MemoryOpen, ReportsTheSoundsFormatAndMakesTheDeckItsLastDeck) {
    CacheBench bench;
    DecodedSound* sound = bench.Add("s", Pattern(176400), 44100, 16, 2, 1000);
    ASSERT_NE(sound, nullptr);
    StreamRecord* stream = vek::CreateCachedStream(&bench.object, &bench.core, "S");
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(std::memcmp(stream->magic, "VEKD", 4), 0);
    EXPECT_EQ(stream->version, 2);
    EXPECT_EQ(stream->kind, 0x4441566Fu);
    EXPECT_EQ(stream->core, &bench.core);
    EXPECT_NE(stream->seek, nullptr);
    EXPECT_EQ(stream->query(), 100);
    EXPECT_EQ(stream->lengthMs, 0) << "format fields wait for open";

    vek::LinkDeck(stream, 5);
    EXPECT_EQ(sound->lastDeck, 5);
    stream->deck = 7;
    ASSERT_EQ(stream->open(stream), 0);
    EXPECT_EQ(sound->lastDeck, 7);
    EXPECT_EQ(stream->sampleRate, 44100);
    EXPECT_EQ(stream->channels, 2);
    EXPECT_EQ(stream->bitsPerSample, 16);
    EXPECT_EQ(stream->lengthMs, 1000);

    // A reopened stream starts again from the beginning, with no pending seek.
    ReadBytes(stream, 5000);
    stream->seek(stream, 500);
    stream->close(stream);
    ASSERT_EQ(stream->open(stream), 0);
    EXPECT_EQ(ReadBytes(stream, 8), std::vector<uint8_t>(sound->data, sound->data + 8));
    stream->release(stream);
}

TEST(CachedStream, ExistsOnlyForIdsInTheCache) {
    CacheBench bench;
    EXPECT_EQ(vek::CreateCachedStream(&bench.object, &bench.core, "later"), nullptr);
    EXPECT_EQ(vek::CreateCachedStream(&bench.object, &bench.core, nullptr), nullptr);
    ASSERT_NE(bench.Add("later", Pattern(400), 44100, 16, 2, 1), nullptr);
    StreamRecord* stream = vek::CreateCachedStream(&bench.object, &bench.core, "LATER");
    ASSERT_NE(stream, nullptr);
    stream->release(stream);
    RunData withoutCache{};
    EXPECT_EQ(vek::CreateCachedStream(&withoutCache, &bench.core, "later"), nullptr);
    EXPECT_EQ(vek::CreateCachedStream(nullptr, &bench.core, "later"), nullptr);
}

// Each stream frees what it owns and nothing it borrows.
TEST(StreamRelease, FreesOwnedSoundsAndLeavesCachedOnes) {
    advtest::TempDir dir;
    const std::string path = dir.Path("a.wav");
    ASSERT_TRUE(advtest::WriteSound(path, {}));
    const size_t sounds = vek::LiveDecodedSounds();
    const size_t streams = vek::LiveSoundStreams();

    FileBench files(true);
    StreamRecord* decoded = files.Make(path);
    ASSERT_NE(decoded, nullptr);
    EXPECT_EQ(vek::LiveDecodedSounds(), sounds + 1) << "decoded at creation";
    decoded->release(decoded);
    EXPECT_EQ(vek::LiveDecodedSounds(), sounds);

    CacheBench bench;
    DecodedSound* cached = bench.Add("c", Pattern(400), 44100, 16, 2, 1);
    StreamRecord* borrowing = bench.Open("c", 0);
    borrowing->release(borrowing);
    EXPECT_EQ(bench.cache.Find("c"), cached);
    EXPECT_EQ(vek::LiveDecodedSounds(), sounds + 1);
    EXPECT_EQ(vek::LiveSoundStreams(), streams);
}

TEST(FileStream, ReadsWhatLibsndfileDecodesFromMemoryOrFromDisk) {
    advtest::TempDir dir;
    const std::string path = dir.Path("a.aiff");
    ASSERT_TRUE(advtest::WriteSound(path, {SF_FORMAT_AIFF | SF_FORMAT_PCM_24, 2, 44100, 44100}));
    const std::vector<uint8_t> expected = advtest::BytesOf(advtest::DecodeWithLibsndfile(path));
    for (bool caching : {false, true}) {
        FileBench files(caching);
        StreamRecord* stream = files.Make(path);
        ASSERT_NE(stream, nullptr);
        EXPECT_EQ(stream->core, &files.core);
        stream->loopsLeft = 1;
        ASSERT_EQ(stream->open(stream), 0);
        EXPECT_EQ(stream->sampleRate, 44100);
        EXPECT_EQ(stream->channels, 2);
        EXPECT_EQ(stream->bitsPerSample, 16);
        EXPECT_EQ(stream->lengthMs, 1000);
        std::vector<uint8_t> both = expected;
        both.insert(both.end(), expected.begin(), expected.end());
        EXPECT_EQ(ReadBytes(stream, int32_t(both.size()) + 100), both) << "caching " << caching;
        EXPECT_EQ(stream->ended, 1);
        EXPECT_EQ(stream->loopsLeft, 0);
        // Closed and opened again, it starts from the beginning.
        stream->close(stream);
        ASSERT_EQ(stream->open(stream), 0);
        EXPECT_EQ(ReadBytes(stream, 400), std::vector<uint8_t>(expected.begin(), expected.begin() + 400));
        stream->release(stream);
    }
}

TEST(DiskSeek, MovesByFramesAndDropsPositionsPastTheEnd) {
    advtest::TempDir dir;
    const std::string path = dir.Path("mono.wav");
    ASSERT_TRUE(advtest::WriteSound(path, {SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 22050, 22050}));
    const std::vector<uint8_t> expected = advtest::BytesOf(advtest::DecodeWithLibsndfile(path));
    struct Case {
        int32_t seekMs;
        size_t frame;
    };
    const Case cases[] = {{10, 220}, {0, 0}, {999, 22027}, {1000, 50}, {5000, 50}, {-1, 50}, {-30, 50}};
    for (const Case& c : cases) {
        FileBench files(false);
        StreamRecord* stream = files.Make(path);
        ASSERT_EQ(stream->open(stream), 0);
        ReadBytes(stream, 100);  // now at frame 50
        EXPECT_EQ(stream->seek(stream, c.seekMs), 0);
        const auto at = expected.begin() + ptrdiff_t(2 * c.frame);
        EXPECT_EQ(ReadBytes(stream, 8), std::vector<uint8_t>(at, at + 8)) << c.seekMs;
        stream->release(stream);
    }
}

// Only whole samples come from disk. An odd last byte is left for the next
// read; it is not the end of the data, so nothing ends or wraps early.
TEST(DiskRead, OddRequestsLeaveTheLastByteWithoutEndingThePass) {
    advtest::TempDir dir;
    const std::string path = dir.Path("ten.wav");
    ASSERT_TRUE(advtest::WriteSound(path, {SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 8000, 5}));
    const std::vector<uint8_t> data = advtest::BytesOf(advtest::DecodeWithLibsndfile(path));
    ASSERT_EQ(data.size(), 10u);
    FileBench files(false);
    StreamRecord* stream = files.Make(path);
    stream->loopsLeft = 1;
    ASSERT_EQ(stream->open(stream), 0);
    std::vector<uint8_t> delivered;
    for (int i = 0; i < 6; ++i) {
        const std::vector<uint8_t> piece = ReadBytes(stream, 5);
        EXPECT_EQ(piece.size() % 2, 0u);
        delivered.insert(delivered.end(), piece.begin(), piece.end());
    }
    EXPECT_EQ(delivered, Cyclic(data, 0, 20)) << "two whole passes, in order";
    EXPECT_EQ(stream->ended, 1);
    stream->release(stream);
}

// Reads that can make no progress still return: an empty file, or a request
// for a single byte, with endless loops.
TEST(DiskRead, NoProgressWithEndlessLoopsStillReturns) {
    advtest::TempDir dir;
    const std::string empty = dir.Path("empty.wav");
    const std::string some = dir.Path("some.wav");
    ASSERT_TRUE(advtest::WriteSound(empty, {SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100, 0}));
    ASSERT_TRUE(advtest::WriteSound(some, {SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100, 10}));
    struct Case {
        const std::string& path;
        int32_t ask;
        size_t answer;
    };
    const Case cases[] = {{empty, 64, 0}, {some, 1, 0}, {some, 5, 4}};
    for (const Case& c : cases) {
        FileBench files(false);
        StreamRecord* stream = files.Make(c.path);
        stream->loopsLeft = -1;
        ASSERT_EQ(stream->open(stream), 0);
        EXPECT_EQ(ReadBytes(stream, c.ask).size(), c.answer) << c.path << " " << c.ask;
        EXPECT_EQ(stream->ended, 0);
        stream->release(stream);
    }
}

// The length of a long file is counted in frames, not in a 32-bit byte total
// that would wrap round to a short length.
TEST(DiskOpen, LengthOfAFileBeyond4GiBOfSamples) {
    advtest::TempDir dir;
    const std::string path = dir.Path("long.flac");
    if (!advtest::WriteFlacAnnouncing(path, 2, 100, uint64_t(1) << 31))
        GTEST_SKIP() << "this libsndfile writes no FLAC";
    FileBench files(false);
    StreamRecord* stream = files.Make(path);
    ASSERT_NE(stream, nullptr);
    ASSERT_EQ(stream->open(stream), 0);
    EXPECT_EQ(stream->lengthMs, 48695774);  // 2^31 frames at 44100 Hz
    stream->release(stream);
}

// Files libsndfile refuses: with caching on no stream is made; with caching
// off the stream exists but cannot open, and reads nothing.
TEST(FileStream, UnreadableFilesNeverPlay) {
    advtest::TempDir dir;
    advtest::WriteText(dir.Path("notes.wav"), "words, not sound");
    const std::string paths[] = {dir.Path("notes.wav"), dir.Path("missing.wav"), dir.Path("")};
    const size_t sounds = vek::LiveDecodedSounds();
    const size_t streams = vek::LiveSoundStreams();
    for (const std::string& path : paths) {
        FileBench caching(true);
        EXPECT_EQ(caching.Make(path), nullptr) << path;

        FileBench disk(false);
        StreamRecord* stream = disk.Make(path);
        ASSERT_NE(stream, nullptr) << path;
        EXPECT_EQ(stream->open(stream), 1) << path;
        uint8_t buffer[16];
        EXPECT_EQ(stream->read(16, buffer, stream), 0);
        EXPECT_EQ(stream->ended, 0);
        stream->close(stream);
        stream->release(stream);
    }
    EXPECT_EQ(vek::LiveDecodedSounds(), sounds);
    EXPECT_EQ(vek::LiveSoundStreams(), streams);
}

TEST(FileStream, PathsThatDoNotFitTheFieldAreRefused) {
    const std::string tooLong = "/" + std::string(259, 'p');
    for (bool caching : {false, true}) {
        FileBench files(caching);
        EXPECT_EQ(files.Make(tooLong), nullptr);
        EXPECT_EQ(files.engineer->createStream(files.engineer, nullptr), nullptr);
    }
    EXPECT_EQ(vek::CreateFileStream(nullptr, "x.wav"), nullptr);
}

TEST(StreamCallbacks, RecordWithoutStateIsHarmless) {
    StreamRecord record{};
    uint8_t buffer[8];
    EXPECT_EQ(vek::ReadSoundStream(8, buffer, &record), 0);
    EXPECT_EQ(vek::OpenSoundStream(&record), 0);
    EXPECT_EQ(vek::SeekSoundStream(&record, 10), 1);
    vek::CloseSoundStream(&record);
    vek::LinkDeck(&record, 3);
    vek::LinkDeck(nullptr, 3);
    EXPECT_EQ(record.ended, 0);
}

}  // namespace
