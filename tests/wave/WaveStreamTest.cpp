// The wave stream driven as the audio core drives it: making, opening,
// reading with loops, seeking, closing and releasing, in both modes.
#include <cstring>

#include "tests/wave/WaveStreamFixture.h"

namespace vek::testing {
namespace {

class PlayedStreams : public WaveStreamModes {};

TEST_F(WaveStreamTest, StreamingModeMakesARecordWithAProvisionalFormat) {
    const std::string path = WriteWave("a.wav", SampleBytes(100));
    StreamHandle stream = Make(path, Mode::Streaming);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(std::memcmp(stream->magic, "VEKD", 4), 0);
    EXPECT_EQ(stream->version, 2);
    EXPECT_EQ(stream->kind, 0x4157566Fu);
    EXPECT_EQ(stream->core, &core_);
    for (const void* callback : {(const void*)stream->read, (const void*)stream->open, (const void*)stream->close,
                                 (const void*)stream->release, (const void*)stream->query, (const void*)stream->seek})
        EXPECT_NE(callback, nullptr);
    EXPECT_EQ(stream->query(), 100);
    EXPECT_EQ(stream->bitsPerSample, 16);
    EXPECT_EQ(stream->channels, 2);
    EXPECT_EQ(stream->sampleRate, 44100);
    EXPECT_EQ(stream->lengthMs, -1);
    EXPECT_EQ(stream->loopsLeft, 0);
    EXPECT_EQ(stream->ended, 0);

    const WaveStream& wave = WaveStateOf(stream.get());
    EXPECT_EQ(wave.pendingSeekMs, -1);
    EXPECT_STREQ(wave.path, path.c_str());
    EXPECT_EQ(wave.stream, stream.get());
    EXPECT_EQ(wave.core, &core_);
    EXPECT_EQ(wave.file, nullptr) << "only looked at, closed again";
    EXPECT_EQ(wave.caching, 0);
    EXPECT_EQ(wave.memoryData, nullptr);
    EXPECT_TRUE(core_.errors().empty());
}

TEST_F(WaveStreamTest, MemoryModeReadsTheDataAtCreationAndClosesTheFile) {
    WaveHeaderFields header;
    header.channels = 1;
    header.sampleRate = 22050;
    header.bytesPerSecond = 44100;
    header.bitsPerSample = 16;
    const std::vector<uint8_t> samples = SampleBytes(22050);
    StreamHandle stream = Make(WriteWave("m.wav", samples, header), Mode::Memory);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->sampleRate, 22050);
    EXPECT_EQ(stream->channels, 1);
    EXPECT_EQ(stream->bitsPerSample, 16);
    EXPECT_EQ(stream->lengthMs, 500);
    const WaveStream& wave = WaveStateOf(stream.get());
    EXPECT_EQ(wave.caching, 1);
    EXPECT_EQ(wave.file, nullptr);
    ASSERT_EQ(wave.memorySize, samples.size());
    EXPECT_EQ(std::memcmp(wave.memoryData, samples.data(), samples.size()), 0);
    EXPECT_EQ(stream->open(stream.get()), 0) << "the data is in memory already";
}

// The format of any plain integer-PCM header is taken as it stands.
TEST_P(PlayedStreams, OpenWritesTheFormatOfTheHeader) {
    struct Case {
        int16_t channels;
        uint32_t sampleRate;
        int16_t bits;
    };
    const Case cases[] = {{1, 8000, 8}, {2, 44100, 16}, {2, 96000, 24}, {6, 48000, 32}, {-1, 11025, -16}};
    for (const Case& c : cases) {
        WaveHeaderFields header;
        header.channels = c.channels;
        header.sampleRate = c.sampleRate;
        header.bitsPerSample = c.bits;
        StreamHandle stream = MakeOpen(WriteWave("f.wav", SampleBytes(64), header), mode());
        ASSERT_NE(stream, nullptr) << c.bits;
        EXPECT_EQ(stream->channels, c.channels);
        EXPECT_EQ(stream->sampleRate, int32_t(c.sampleRate));
        EXPECT_EQ(stream->bitsPerSample, c.bits);
    }
}

// dataSize / bytesPerSecond * 1000 in double precision, truncated, low 32 bits.
TEST_P(PlayedStreams, LengthFollowsTheHeaderArithmetic) {
    struct Case {
        uint32_t dataSize;
        uint32_t bytesPerSecond;
        int32_t lengthMs;
    };
    const Case cases[] = {
        {176400, 176400, 1000},
        {88200, 176400, 500},
        {3, 2, 1500},
        {1, 3, 333},
        {2, 3, 666},
        {12345, 0, 0},
        {0, 176400, 0},
        {0xFFFFFFFFu, 0xFFFFFFFFu, 1000},
        {0xFFFFFFFFu, 1, int32_t(uint32_t(4294967295000ULL & 0xFFFFFFFFu))},
    };
    for (const Case& c : cases) {
        // Only the header: the length comes from what it says.
        WaveHeaderFields header;
        header.bytesPerSecond = c.bytesPerSecond;
        header.dataSize = c.dataSize;
        StreamHandle stream = MakeOpen(folder_.Write("l.wav", HeaderBytes(header)), mode());
        ASSERT_NE(stream, nullptr) << c.dataSize << "/" << c.bytesPerSecond;
        EXPECT_EQ(stream->lengthMs, c.lengthMs) << c.dataSize << "/" << c.bytesPerSecond;
    }
}

TEST_P(PlayedStreams, DeliversTheSampleBytesAsTheyLieInTheFile) {
    const std::vector<uint8_t> samples = SampleBytes(10000);
    const std::string path = WriteWave("s.wav", samples);
    for (int32_t piece : {1, 7, 4096, 10000, 20000}) {
        StreamHandle stream = MakeOpen(path, mode());
        ASSERT_NE(stream, nullptr);
        EXPECT_EQ(ReadToEnd(stream.get(), piece), samples) << piece;
        EXPECT_EQ(stream->ended, 1) << piece;
        EXPECT_TRUE(ReadOnce(stream.get(), 10).empty()) << "ended streams stay at the end";
    }
}

// Streaming plays everything after the header; memory copies exactly the
// header's data size.
TEST_P(PlayedStreams, BytesAfterTheDataChunk) {
    const std::vector<uint8_t> samples = SampleBytes(20);
    WaveHeaderFields header;
    header.dataSize = 8;
    std::vector<uint8_t> file = HeaderBytes(header);
    file.insert(file.end(), samples.begin(), samples.end());
    StreamHandle stream = MakeOpen(folder_.Write("t.wav", file), mode());
    ASSERT_NE(stream, nullptr);
    const size_t expected = mode() == Mode::Memory ? 8 : 20;
    EXPECT_EQ(ReadToEnd(stream.get(), 100), Slice(samples, 0, expected));
}

std::vector<uint8_t> Passes(const std::vector<uint8_t>& data, size_t total) {
    std::vector<uint8_t> out;
    while (out.size() < total) out.push_back(data[out.size() % data.size()]);
    return out;
}

TEST_P(PlayedStreams, LoopsRepeatTheDataAsTheCounterSays) {
    struct Case {
        int32_t loopsLeft;
        int32_t request;
        size_t delivered;
        uint8_t ended;
        int32_t loopsAfter;
    };
    const Case cases[] = {
        {0, 100, 10, 1, 0},     // one pass, then the end
        {2, 100, 30, 1, 0},     // exactly three passes
        {2, 25, 25, 0, 0},      // into the third pass
        {1, 10, 10, 0, 1},      // a full pass does not wrap yet
        {-1, 100, 100, 0, -1},  // endless: always a full buffer
        {-5, 33, 33, 0, -5},
    };
    const std::vector<uint8_t> samples = SampleBytes(10);
    const std::string path = WriteWave("loop.wav", samples);
    for (const Case& c : cases) {
        StreamHandle stream = MakeOpen(path, mode(), c.loopsLeft);
        ASSERT_NE(stream, nullptr);
        EXPECT_EQ(ReadOnce(stream.get(), c.request), Passes(samples, c.delivered)) << c.loopsLeft << " " << c.request;
        EXPECT_EQ(stream->ended, c.ended) << c.loopsLeft << " " << c.request;
        EXPECT_EQ(stream->loopsLeft, c.loopsAfter) << c.loopsLeft << " " << c.request;
    }
}

TEST_P(PlayedStreams, EndlessLoopsGoOnAcrossReads) {
    const std::vector<uint8_t> samples = SampleBytes(10);
    StreamHandle stream = MakeOpen(WriteWave("e.wav", samples), mode(), -1);
    ASSERT_NE(stream, nullptr);
    std::vector<uint8_t> all;
    for (int i = 0; i < 9; ++i) {
        const std::vector<uint8_t> got = ReadOnce(stream.get(), 7);
        ASSERT_EQ(got.size(), 7u);
        all.insert(all.end(), got.begin(), got.end());
    }
    EXPECT_EQ(all, Passes(samples, 63));
    EXPECT_EQ(stream->ended, 0);
}

// An empty data chunk, or a header with nothing after it however much it
// promises: every read returns at once with nothing.
TEST_P(PlayedStreams, NothingToPlayReturnsWhateverTheLoops) {
    struct Case {
        int32_t loopsLeft;
        uint8_t ended;
        int32_t loopsAfter;
    };
    const Case cases[] = {{0, 1, 0}, {3, 1, 0}, {-1, 0, -1}};
    for (uint32_t promised : {0u, 100u, 0xFFFFFFFFu}) {
        WaveHeaderFields header;
        header.dataSize = promised;
        const std::string path = folder_.Write("empty.wav", HeaderBytes(header));
        for (const Case& c : cases) {
            StreamHandle stream = MakeOpen(path, mode(), c.loopsLeft);
            ASSERT_NE(stream, nullptr) << promised;
            EXPECT_TRUE(ReadOnce(stream.get(), 64).empty()) << promised << " " << c.loopsLeft;
            EXPECT_EQ(stream->ended, c.ended) << promised << " " << c.loopsLeft;
            EXPECT_EQ(stream->loopsLeft, c.loopsAfter) << promised << " " << c.loopsLeft;
        }
    }
}

TEST_P(PlayedStreams, ReadsOfNothingOrIntoNoBufferDeliverNothing) {
    StreamHandle stream = MakeOpen(WriteWave("n.wav", SampleBytes(10)), mode());
    ASSERT_NE(stream, nullptr);
    uint8_t buffer[4];
    EXPECT_EQ(stream->read(0, buffer, stream.get()), 0);
    EXPECT_EQ(stream->read(-4, buffer, stream.get()), 0);
    EXPECT_EQ(stream->read(4, nullptr, stream.get()), 0);
    EXPECT_EQ(stream->ended, 0);
    EXPECT_EQ(ReadToEnd(stream.get(), 3), SampleBytes(10)) << "nothing was consumed";
}

// Sound of 100 bytes at 1000 bytes per second: one millisecond is one byte.
TEST_P(PlayedStreams, SeekPositions) {
    struct Case {
        int32_t ms;
        size_t memoryAt;     // where reading goes on; 100 is the end
        size_t streamingAt;
    };
    const Case cases[] = {
        {0, 0, 0},
        {50, 50, 50},
        {99, 99, 99},
        {100, 100, 100},  // exactly the end stays there
        {101, 0, 100},    // memory starts again; the file is past its end
        {5000, 0, 100},
        {-2, 0, 0},       // before the start: the start
        {-1000, 0, 0},
        {INT32_MIN, 0, 0},
    };
    WaveHeaderFields header;
    header.bytesPerSecond = 1000;
    const std::vector<uint8_t> samples = SampleBytes(100);
    const std::string path = WriteWave("seek.wav", samples, header);
    for (const Case& c : cases) {
        StreamHandle stream = MakeOpen(path, mode());
        ASSERT_NE(stream, nullptr);
        ReadOnce(stream.get(), 10);
        EXPECT_EQ(stream->seek(stream.get(), c.ms), 0);
        const size_t at = mode() == Mode::Memory ? c.memoryAt : c.streamingAt;
        EXPECT_EQ(ReadOnce(stream.get(), 20), Slice(samples, at, 20)) << c.ms;
        EXPECT_EQ(stream->ended, at + 20 > 100 ? 1 : 0) << c.ms;
        EXPECT_EQ(WaveStateOf(stream.get()).pendingSeekMs, -1) << "consumed by the read";
    }
}

TEST_P(PlayedStreams, SeekBytesAreTruncatedNotAlignedToFrames) {
    struct Case {
        int32_t ms;
        uint32_t bytesPerSecond;
        size_t at;
    };
    const Case cases[] = {{1, 3, 0}, {999, 3, 2}, {1000, 3, 3}, {1, 1999, 1}, {3, 1000, 3}, {1, 44100 * 4, 176}};
    const std::vector<uint8_t> samples = SampleBytes(500);
    for (const Case& c : cases) {
        WaveHeaderFields header;
        header.bytesPerSecond = c.bytesPerSecond;
        StreamHandle stream = MakeOpen(WriteWave("trunc.wav", samples, header), mode());
        ASSERT_NE(stream, nullptr);
        stream->seek(stream.get(), c.ms);
        EXPECT_EQ(ReadOnce(stream.get(), 4), Slice(samples, c.at, 4)) << c.ms << " at " << c.bytesPerSecond;
    }
}

TEST_P(PlayedStreams, WithoutBytesPerSecondEverySeekLandsAtTheStart) {
    WaveHeaderFields header;
    header.bytesPerSecond = 0;
    const std::vector<uint8_t> samples = SampleBytes(64);
    StreamHandle stream = MakeOpen(WriteWave("zero.wav", samples, header), mode());
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->lengthMs, 0);
    for (int32_t ms : {0, 1, 5000, INT32_MAX, -7}) {
        ReadOnce(stream.get(), 9);
        stream->seek(stream.get(), ms);
        EXPECT_EQ(ReadOnce(stream.get(), 8), Slice(samples, 0, 8)) << ms;
    }
}

TEST_P(PlayedStreams, MinusOneWithdrawsAPendingSeek) {
    WaveHeaderFields header;
    header.bytesPerSecond = 1000;
    const std::vector<uint8_t> samples = SampleBytes(100);
    StreamHandle stream = MakeOpen(WriteWave("w.wav", samples, header), mode());
    ASSERT_NE(stream, nullptr);
    ReadOnce(stream.get(), 10);
    stream->seek(stream.get(), 70);
    stream->seek(stream.get(), -1);
    EXPECT_EQ(ReadOnce(stream.get(), 5), Slice(samples, 10, 5));
}

TEST_F(WaveStreamTest, ASeekBeforeOpenWaitsForTheFirstReadAfterOpen) {
    WaveHeaderFields header;
    header.bytesPerSecond = 1000;
    const std::vector<uint8_t> samples = SampleBytes(100);
    StreamHandle stream = Make(WriteWave("p.wav", samples, header), Mode::Streaming);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->seek(stream.get(), 40), 0);
    EXPECT_TRUE(ReadOnce(stream.get(), 10).empty()) << "not open yet";
    EXPECT_EQ(stream->ended, 0);
    EXPECT_EQ(WaveStateOf(stream.get()).pendingSeekMs, 40) << "the seek still waits";
    ASSERT_EQ(stream->open(stream.get()), 0);
    EXPECT_EQ(ReadOnce(stream.get(), 10), Slice(samples, 40, 10));
}

TEST_F(WaveStreamTest, StreamingCloseStopsReadingAndOpenReadsTheHeaderAnew) {
    const std::vector<uint8_t> samples = SampleBytes(100);
    const std::string path = WriteWave("c.wav", samples);
    StreamHandle stream = MakeOpen(path, Mode::Streaming);
    ASSERT_NE(stream, nullptr);
    ReadOnce(stream.get(), 30);
    stream->close(stream.get());
    EXPECT_EQ(WaveStateOf(stream.get()).file, nullptr);
    EXPECT_TRUE(ReadOnce(stream.get(), 10).empty());
    EXPECT_EQ(stream->ended, 0) << "a stream that is not open does not end";

    WaveHeaderFields mono;
    mono.channels = 1;
    mono.bitsPerSample = 8;
    const std::vector<uint8_t> other = SampleBytes(50, 99);
    ASSERT_FALSE(WriteWave("c.wav", other, mono).empty());
    ASSERT_EQ(stream->open(stream.get()), 0);
    EXPECT_EQ(stream->channels, 1);
    EXPECT_EQ(stream->bitsPerSample, 8);
    EXPECT_EQ(ReadToEnd(stream.get(), 16), other);
}

TEST_F(WaveStreamTest, StreamingOpenTwiceWithoutCloseStartsAgain) {
    const std::vector<uint8_t> samples = SampleBytes(100);
    StreamHandle stream = MakeOpen(WriteWave("twice.wav", samples), Mode::Streaming);
    ASSERT_NE(stream, nullptr);
    ReadOnce(stream.get(), 30);
    ASSERT_EQ(stream->open(stream.get()), 0);
    EXPECT_EQ(ReadToEnd(stream.get(), 64), samples);
}

TEST_F(WaveStreamTest, MemoryCloseRewindsAndKeepsTheDataAndAPendingSeek) {
    WaveHeaderFields header;
    header.bytesPerSecond = 1000;
    const std::vector<uint8_t> samples = SampleBytes(100);
    const std::string path = WriteWave("mc.wav", samples, header);
    StreamHandle stream = MakeOpen(path, Mode::Memory);
    ASSERT_NE(stream, nullptr);
    ReadOnce(stream.get(), 30);
    stream->close(stream.get());
    EXPECT_EQ(WaveStateOf(stream.get()).memoryPosition, 0u);
    ASSERT_TRUE(std::filesystem::remove(path)) << "the data is in memory: the file is no longer needed";
    ASSERT_EQ(stream->open(stream.get()), 0);
    EXPECT_EQ(ReadOnce(stream.get(), 10), Slice(samples, 0, 10));

    stream->seek(stream.get(), 60);
    stream->close(stream.get());
    ASSERT_EQ(stream->open(stream.get()), 0);
    EXPECT_EQ(ReadOnce(stream.get(), 10), Slice(samples, 60, 10));
}

TEST_F(WaveStreamTest, CallbacksTolerateARecordWithoutState) {
    StreamHandle stream = MakeOpen(WriteWave("ns.wav", SampleBytes(10)), Mode::Streaming);
    ASSERT_NE(stream, nullptr);
    void* state = stream->state;
    stream->state = nullptr;
    uint8_t buffer[8];
    EXPECT_EQ(stream->read(8, buffer, stream.get()), 0);
    EXPECT_EQ(stream->open(stream.get()), 0);
    stream->close(stream.get());
    EXPECT_EQ(stream->seek(stream.get(), 10), 1);
    EXPECT_EQ(stream->ended, 0);
    stream->state = state;
}

INSTANTIATE_TEST_SUITE_P(Both, PlayedStreams, ::testing::Values(Mode::Streaming, Mode::Memory), ModeName);

}  // namespace
}  // namespace vek::testing
