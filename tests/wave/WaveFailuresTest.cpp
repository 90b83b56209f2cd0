// Files the engineer must refuse, and files that promise more than they hold:
// a clear message to the core, a null stream or a failed open, never a crash,
// never a byte read or handed out that the file does not hold.
#include <cstring>
#include <functional>

#include "tests/wave/CountedCalls.h"
#include "tests/wave/WaveStreamFixture.h"

namespace vek::testing {
namespace {

class RefusedFiles : public WaveStreamModes {};

struct FileCase {
    const char* name;
    std::vector<uint8_t> bytes;
};

std::vector<uint8_t> WithHeader(const std::function<void(WaveHeaderFields&)>& spoil) {
    WaveHeaderFields header;
    spoil(header);
    return WaveBytes(header, SampleBytes(32));
}

// A real RIFF layout the plain header does not describe: some other chunk
// between "fmt " and "data".
std::vector<uint8_t> WithChunkBeforeData() {
    WaveHeaderFields header;
    std::memcpy(header.data, "LIST", 4);
    header.dataSize = 4;
    std::vector<uint8_t> bytes = HeaderBytes(header);
    for (char c : std::string("INFOdata")) bytes.push_back(uint8_t(c));
    PutLittleEndian(bytes, 32, 4);
    const std::vector<uint8_t> samples = SampleBytes(32);
    bytes.insert(bytes.end(), samples.begin(), samples.end());
    return bytes;
}

// A real 18-byte format chunk: two extra bytes, then "data" at 38.
std::vector<uint8_t> WithEighteenByteFormat() {
    WaveHeaderFields header;
    header.formatChunkSize = 18;
    std::vector<uint8_t> bytes = HeaderBytes(header);
    bytes.resize(36);
    PutLittleEndian(bytes, 0, 2);
    for (char c : std::string("data")) bytes.push_back(uint8_t(c));
    PutLittleEndian(bytes, 32, 4);
    const std::vector<uint8_t> samples = SampleBytes(32);
    bytes.insert(bytes.end(), samples.begin(), samples.end());
    return bytes;
}

std::vector<FileCase> InvalidFiles() {
    const std::vector<uint8_t> good = WaveBytes({}, SampleBytes(32));
    return {
        {"empty file", {}},
        {"one byte", Slice(good, 0, 1)},
        {"43 bytes", Slice(good, 0, 43)},
        {"RIFX", WithHeader([](auto& h) { h.riff[3] = 'X'; })},
        {"WAVX", WithHeader([](auto& h) { h.wave[3] = 'X'; })},
        {"fmt without blank", WithHeader([](auto& h) { h.fmt[3] = '_'; })},
        {"Data", WithHeader([](auto& h) { h.data[0] = 'D'; })},
        {"format chunk 0", WithHeader([](auto& h) { h.formatChunkSize = 0; })},
        {"format chunk 18", WithHeader([](auto& h) { h.formatChunkSize = 18; })},
        {"format chunk 40", WithHeader([](auto& h) { h.formatChunkSize = 40; })},
        {"format chunk 18 as written", WithEighteenByteFormat()},
        {"format tag 0", WithHeader([](auto& h) { h.formatTag = 0; })},
        {"format tag 3 (float)", WithHeader([](auto& h) { h.formatTag = 3; })},
        {"format tag 0xFFFE", WithHeader([](auto& h) { h.formatTag = 0xFFFE; })},
        {"LIST chunk before data", WithChunkBeforeData()},
    };
}

TEST_P(RefusedFiles, HeaderFaultsAreNotValidPcmWaveFiles) {
    for (const FileCase& c : InvalidFiles()) {
        core_.ClearCalls();
        const std::string path = folder_.Write("bad.wav", c.bytes);
        ASSERT_FALSE(path.empty());
        const size_t errorsBefore = core_.errors().size();
        StreamHandle stream = Make(path, mode());
        if (mode() == Mode::Memory) {
            EXPECT_EQ(stream, nullptr) << c.name;
        } else {
            ASSERT_NE(stream, nullptr) << c.name << ": streaming mode only looks whether the file opens";
            stream->loopsLeft = -1;
            EXPECT_EQ(stream->open(stream.get()), 1) << c.name;
            EXPECT_EQ(WaveStateOf(stream.get()).file, nullptr) << c.name;
            EXPECT_TRUE(ReadOnce(stream.get(), 16).empty()) << c.name;
            EXPECT_EQ(stream->ended, 0) << c.name;
        }
        ASSERT_EQ(core_.errors().size(), errorsBefore + 1) << c.name;
        EXPECT_EQ(core_.errors().back(), path + " is not a valid PCM wave file.") << c.name;
        EXPECT_EQ(core_.errorFormats().back(), "%s is not a valid PCM wave file.") << c.name;
    }
}

// A path of `length` characters naming `file` in `folder`, made long by "./"
// steps, so that it names an existing file whatever its length.
std::string PathOfLength(const ScratchFolder& folder, size_t length, std::string* file) {
    const std::string separator(1, char(std::filesystem::path::preferred_separator));
    const std::string base = folder.Folder() + separator;
    std::string name = "a.wav";
    if ((length - base.size() - name.size()) % 2 != 0) name = "ab.wav";
    *file = base + name;
    std::string path = base;
    while (path.size() + name.size() < length) path += "." + separator;
    return path + name;
}

TEST_P(RefusedFiles, PathsOfTheFieldsSizeOrMoreAreRefusedNotCut) {
    std::string file;
    for (size_t length : {260u, 261u, 300u, 1000u}) {
        core_.ClearCalls();
        const std::string path = PathOfLength(folder_, length, &file);
        ASSERT_EQ(path.size(), length);
        ASSERT_FALSE(folder_.Write(std::filesystem::path(file).filename().string(), WaveBytes({}, SampleBytes(8))).empty());
        const size_t errorsBefore = core_.errors().size();
        EXPECT_EQ(Make(path, mode()), nullptr) << length;
        ASSERT_EQ(core_.errors().size(), errorsBefore + 1) << length;
        EXPECT_EQ(core_.errors().back(), "Could not open file " + path + ".") << length;
        EXPECT_EQ(core_.errorFormats().back(), "Could not open file %s.");
    }
}

TEST_P(RefusedFiles, ThePathFieldHoldsTwoHundredFiftyNineCharacters) {
    std::string file;
    const std::string path = PathOfLength(folder_, 259, &file);
    ASSERT_EQ(path.size(), 259u);
    const std::vector<uint8_t> samples = SampleBytes(40);
    ASSERT_FALSE(folder_.Write(std::filesystem::path(file).filename().string(), WaveBytes({}, samples)).empty());
    StreamHandle stream = MakeOpen(path, mode());
    ASSERT_NE(stream, nullptr);
    EXPECT_STREQ(WaveStateOf(stream.get()).path, path.c_str());
    EXPECT_EQ(ReadToEnd(stream.get(), 64), samples);
    EXPECT_TRUE(core_.errors().empty());
}

TEST_P(RefusedFiles, FilesThatCannotBeOpened) {
    std::filesystem::create_directories(folder_.Path("folder.wav"));
    const FileCase cases[] = {{"missing", {}}, {"folder.wav", {}}, {"", {}}};
    for (const FileCase& c : cases) {
        const std::string path = std::string(c.name).empty() ? folder_.Folder() : folder_.Path(c.name);
        const size_t errorsBefore = core_.errors().size();
        EXPECT_EQ(Make(path, mode()), nullptr) << path;
        ASSERT_EQ(core_.errors().size(), errorsBefore + 1) << path;
        EXPECT_EQ(core_.errors().back(), "Could not open file " + path + ".");
        EXPECT_EQ(core_.errorFormats().back(), "Could not open file %s.");
    }
}

TEST_F(WaveStreamTest, AFileThatGoesAwayAfterCreationFailsToOpen) {
    const std::string path = WriteWave("gone.wav", SampleBytes(16));
    StreamHandle stream = Make(path, Mode::Streaming);
    ASSERT_NE(stream, nullptr);
    ASSERT_TRUE(std::filesystem::remove(path));
    EXPECT_EQ(stream->open(stream.get()), 1);
    ASSERT_EQ(core_.errors().size(), 1u);
    EXPECT_EQ(core_.errors()[0], "Could not open file " + path + ".");
    EXPECT_TRUE(ReadOnce(stream.get(), 8).empty());
}

// A path holding a conversion is text, never a format.
TEST_P(RefusedFiles, APathIsNeverTakenAsAFormat) {
    const std::string path = folder_.Path("100%s %n %d.wav");
    EXPECT_EQ(Make(path, mode()), nullptr);
    ASSERT_EQ(core_.errors().size(), 1u);
    EXPECT_EQ(core_.errors()[0], "Could not open file " + path + ".");
}

TEST_P(RefusedFiles, NoPathNoEngineer) {
    owner_.cachingEnabled = mode() == Mode::Memory;
    EXPECT_EQ(CreateWaveStream(engineer_, nullptr), nullptr);
    ASSERT_EQ(core_.errors().size(), 1u);
    EXPECT_EQ(core_.errors()[0], "Could not open file .");
    EXPECT_EQ(CreateWaveStream(nullptr, folder_.Path("x.wav").c_str()), nullptr);
}

// The record's core is 0 until the core has written it: failures then go
// unreported, and nothing breaks.
TEST_P(RefusedFiles, WithoutACoreFailuresAreSilent) {
    engineer_->core = nullptr;
    EXPECT_EQ(Make(folder_.Path("missing.wav"), mode()), nullptr);
    const std::string bad = folder_.Write("bad.wav", WithHeader([](auto& h) { h.formatTag = 3; }));
    StreamHandle stream = Make(bad, mode());
    if (mode() == Mode::Streaming) {
        ASSERT_NE(stream, nullptr);
        EXPECT_EQ(stream->core, nullptr);
        EXPECT_EQ(stream->open(stream.get()), 1);
    } else {
        EXPECT_EQ(stream, nullptr);
    }
    EXPECT_TRUE(core_.calls().empty());
}

// A driver that writes the stream's core after creation hears of a failed open.
TEST_F(WaveStreamTest, ACoreWrittenIntoTheRecordLaterHearsOfFailures) {
    engineer_->core = nullptr;
    const std::string path = WriteWave("later.wav", SampleBytes(8));
    StreamHandle stream = Make(path, Mode::Streaming);
    ASSERT_NE(stream, nullptr);
    stream->core = &core_;
    ASSERT_FALSE(folder_.Write("later.wav", WithHeader([](auto& h) { h.fmt[0] = 'F'; })).empty());
    EXPECT_EQ(stream->open(stream.get()), 1);
    ASSERT_EQ(core_.errors().size(), 1u);
    EXPECT_EQ(core_.errors()[0], path + " is not a valid PCM wave file.");
}

// A header may promise up to 4 GB of data: memory mode takes only what the
// file really holds after the header and plays that.
TEST_F(WaveStreamTest, MemoryModeTakesOnlyWhatTheFileHolds) {
    struct Case {
        uint32_t promised;
        size_t held;
    };
    const Case cases[] = {{0xFFFFFFFFu, 1000}, {0x80000000u, 1000}, {1001, 1000}, {0xFFFFFFFFu, 0}, {500, 1000}};
    for (const Case& c : cases) {
        const std::vector<uint8_t> samples = SampleBytes(c.held);
        WaveHeaderFields header;
        header.dataSize = c.promised;
        std::vector<uint8_t> bytes = HeaderBytes(header);
        bytes.insert(bytes.end(), samples.begin(), samples.end());
        const std::string path = folder_.Write("big.wav", bytes);

        ResetCounted();
        StreamHandle stream = MakeOpen(path, Mode::Memory, 1);
        ASSERT_NE(stream, nullptr) << c.promised;
        const size_t expected = std::min<size_t>(c.promised, c.held);
        EXPECT_EQ(WaveStateOf(stream.get()).memorySize, expected) << c.promised;
        if (CountedCallsAvailable()) {
            EXPECT_LE(Counted().largestAllocation, std::max(expected, sizeof(WaveStream))) << c.promised;
        }
        // Two passes of what is there, and nothing else.
        std::vector<uint8_t> twice = Slice(samples, 0, expected);
        twice.insert(twice.end(), twice.begin(), twice.end());
        EXPECT_EQ(ReadToEnd(stream.get(), 333), twice) << c.promised;
        EXPECT_EQ(stream->ended, 1);
        EXPECT_TRUE(core_.errors().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Both, RefusedFiles, ::testing::Values(Mode::Streaming, Mode::Memory), ModeName);

}  // namespace
}  // namespace vek::testing
