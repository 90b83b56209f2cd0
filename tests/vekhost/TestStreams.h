// Streams of generated PCM for testing the mixing core without engineers:
// StreamRecords whose callbacks serve bytes from memory, following the
// engineers' read rule (loops, `ended`), and count how they were driven.
#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "engineer/StreamRecord.h"

namespace vekhost::testing {

struct TestSource {
    int32_t sampleRate = 44100;
    int32_t bitsPerSample = 16;
    int32_t channels = 1;
    std::vector<uint8_t> bytes;

    int32_t openAnswer = 0;        // 1 makes open fail
    bool stalls = false;           // read delivers nothing and never sets `ended`
    int32_t mostPerRead = 0;       // when above 0, no read delivers more bytes than this

    // What the core did.
    int opens = 0;
    int closes = 0;
    int releases = 0;
    int32_t loopsLeftAtOpen = -99;
    size_t position = 0;

    StreamRecord record{};
};

// Owns the sources; their records stay valid after release so that the
// counts can be read.
class TestStreams {
public:
    TestSource& Add(int32_t sampleRate, int32_t bits, int32_t channels, std::vector<uint8_t> bytes);
    StreamRecord* Record(TestSource& source) { return &source.record; }

private:
    std::deque<TestSource> sources_;
};

// Sample bytes of common shapes.
std::vector<uint8_t> Constant16(int16_t value, size_t samples);
std::vector<uint8_t> Samples16(const std::vector<int16_t>& samples);

}  // namespace vekhost::testing
