// Every block and file a stream takes is given back by the time its cycle
// ends: a successful create/open/read/release, or any failure on the way.
#include <functional>

#include "tests/wave/CountedCalls.h"
#include "tests/wave/WaveStreamFixture.h"

namespace vek::testing {
namespace {

class StreamCycles : public WaveStreamTest {
protected:
    struct Cycle {
        const char* name;
        std::function<void()> run;
        uint32_t opensAtLeast;  // so that the count shows it saw the files
    };

    void ExpectNothingOutstanding(const Cycle& cycle) {
        ResetCounted();
        cycle.run();
        const CountedCalls counted = Counted();
        EXPECT_GT(counted.allocations, 0u) << cycle.name;
        EXPECT_GE(counted.opens, cycle.opensAtLeast) << cycle.name;
        EXPECT_EQ(counted.outstandingBlocks(), 0u) << cycle.name;
        EXPECT_EQ(counted.outstandingFiles(), 0u) << cycle.name;
    }
};

TEST_F(StreamCycles, GiveBackEveryBlockAndFile) {
    if (!CountedCallsAvailable()) GTEST_SKIP() << "allocations are counted in the native build only";
    const std::string good = WriteWave("good.wav", SampleBytes(5000));
    WaveHeaderFields promising;
    promising.dataSize = 0xFFFFFFFFu;
    const std::string bigPromise = folder_.Write("promise.wav", HeaderBytes(promising));
    WaveHeaderFields floating;
    floating.formatTag = 3;
    const std::string invalid = WriteWave("float.wav", SampleBytes(64), floating);
    const std::string missing = folder_.Path("missing.wav");

    auto play = [&](const std::string& path, Mode mode) {
        StreamHandle stream = Make(path, mode);
        ASSERT_NE(stream, nullptr);
        stream->loopsLeft = 2;
        ASSERT_EQ(stream->open(stream.get()), 0);
        ReadOnce(stream.get(), 7000);
        stream->seek(stream.get(), 10);
        ReadOnce(stream.get(), 4096);
        stream->close(stream.get());
        ASSERT_EQ(stream->open(stream.get()), 0);
        ASSERT_EQ(stream->open(stream.get()), 0) << "again without a close";
        ReadToEnd(stream.get(), 1000);
    };
    const Cycle cycles[] = {
        {"streaming play", [&] { play(good, Mode::Streaming); }, 3},
        {"memory play", [&] { play(good, Mode::Memory); }, 1},
        {"memory, data promised but not there", [&] { play(bigPromise, Mode::Memory); }, 1},
        {"released without open", [&] { Make(good, Mode::Streaming); }, 1},
        {"memory, invalid header", [&] { EXPECT_EQ(Make(invalid, Mode::Memory), nullptr); }, 1},
        {"streaming, invalid header",
         [&] {
             StreamHandle stream = Make(invalid, Mode::Streaming);
             ASSERT_NE(stream, nullptr);
             EXPECT_EQ(stream->open(stream.get()), 1);
         },
         2},
        {"streaming, missing file", [&] { EXPECT_EQ(Make(missing, Mode::Streaming), nullptr); }, 0},
        {"memory, missing file", [&] { EXPECT_EQ(Make(missing, Mode::Memory), nullptr); }, 0},
        {"path too long", [&] { EXPECT_EQ(Make(std::string(300, 'x'), Mode::Memory), nullptr); }, 0},
    };
    for (const Cycle& cycle : cycles) ExpectNothingOutstanding(cycle);
}

}  // namespace
}  // namespace vek::testing
