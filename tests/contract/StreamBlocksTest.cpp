#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engineer/StreamBlocks.h"

namespace {

// A pass over a fixed byte vector, as the engineers' memory paths serve it.
struct VectorSource {
    std::vector<uint8_t> data;
    size_t at = 0;
    uint32_t Piece(uint8_t* dst, uint32_t max) {
        const uint32_t n = uint32_t(std::min<size_t>(max, data.size() - at));
        if (n != 0) std::memcpy(dst, data.data() + at, n);
        at += n;
        return n;
    }
    void Rewind() { at = 0; }
};

std::vector<uint8_t> Bytes(size_t n) {
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i) v[i] = uint8_t(i + 1);
    return v;
}

TEST(PullWithLoops, TwoLoopsDeliverExactlyThreePasses) {
    StreamRecord stream{};
    stream.loopsLeft = 2;
    VectorSource source{Bytes(10)};
    std::vector<uint8_t> buffer(100, 0xEE);
    EXPECT_EQ(vek::PullWithLoops(stream, buffer.data(), 100, source), 30u);
    EXPECT_EQ(stream.ended, 1);
    EXPECT_EQ(stream.loopsLeft, 0);
    for (int pass = 0; pass < 3; ++pass)
        EXPECT_EQ(std::memcmp(buffer.data() + 10 * pass, source.data.data(), 10), 0);
    EXPECT_EQ(buffer[30], 0xEE) << "nothing written past what was delivered";
}

TEST(PullWithLoops, NegativeLoopsFillTheWholeBufferAndNeverEnd) {
    StreamRecord stream{};
    stream.loopsLeft = -1;
    VectorSource source{Bytes(7)};
    std::vector<uint8_t> buffer(100);
    EXPECT_EQ(vek::PullWithLoops(stream, buffer.data(), 100, source), 100u);
    EXPECT_EQ(stream.ended, 0);
    EXPECT_EQ(stream.loopsLeft, -1);
    EXPECT_EQ(buffer[99], source.data[99 % 7]);
}

TEST(PullWithLoops, ExactlyExhaustingTheDataDoesNotWrapYet) {
    StreamRecord stream{};
    stream.loopsLeft = 1;
    VectorSource source{Bytes(10)};
    std::vector<uint8_t> buffer(10);
    EXPECT_EQ(vek::PullWithLoops(stream, buffer.data(), 10, source), 10u);
    EXPECT_EQ(stream.loopsLeft, 1);
    EXPECT_EQ(stream.ended, 0);
}

TEST(PullWithLoops, EmptyDataReturnsEvenWithEndlessLoops) {
    StreamRecord stream{};
    stream.loopsLeft = -1;
    VectorSource source{{}};
    uint8_t buffer[16];
    EXPECT_EQ(vek::PullWithLoops(stream, buffer, 16, source), 0u);
    EXPECT_EQ(stream.ended, 0);
}

TEST(PullWithLoops, EmptyDataWithCountedLoopsEndsInTheSameRead) {
    // As if every pass had been made: all loops used, the stream ended.
    for (int32_t loops : {0, 1, 2, 0x7FFFFFFF}) {
        StreamRecord stream{};
        stream.loopsLeft = loops;
        VectorSource source{{}};
        uint8_t buffer[16];
        EXPECT_EQ(vek::PullWithLoops(stream, buffer, 16, source), 0u) << loops;
        EXPECT_EQ(stream.ended, 1) << loops;
        EXPECT_EQ(stream.loopsLeft, 0) << loops;
    }
}

TEST(StreamArithmetic, LengthAndSeekPositions) {
    EXPECT_EQ(vek::LengthMsOf(176400, 176400), 1000);
    EXPECT_EQ(vek::LengthMsOf(88200, 176400), 500);
    EXPECT_EQ(vek::LengthMsOf(12345, 0), 0);
    EXPECT_EQ(vek::LengthMsOf(0xFFFFFFFFu, 1), int32_t(uint32_t(4294967295000ULL & 0xFFFFFFFFu)));
    EXPECT_EQ(vek::BytesAtMs(10, 44100), 441);
    EXPECT_EQ(vek::BytesAtMs(1000, 0), 0);
    EXPECT_LT(vek::BytesAtMs(-5, 44100), 0);
}

TEST(StreamRecordFactory, MakesAZeroedRecordWithTheContractHeader) {
    vek::StreamCallbacks callbacks{};
    callbacks.query = vek::AnswerQuery;
    StreamRecord* stream = vek::NewStreamRecord(vek::kWaveStreamKind, callbacks);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(std::memcmp(stream->magic, "VEKD", 4), 0);
    EXPECT_EQ(stream->version, 2);
    EXPECT_EQ(stream->kind, 0x4157566Fu);
    EXPECT_EQ(stream->seek, nullptr);
    EXPECT_EQ(stream->lengthMs, 0);
    EXPECT_EQ(stream->query(), 100);
    vek::FreeStreamRecord(stream);
}

}  // namespace
