// Playing a file once through one engineer, silently, to see what it
// delivers: the format, the length and the bytes, or why it refuses.
#pragma once

#include <cstdint>
#include <string>

#include "tools/vekhost/MixingCore.h"

namespace vekhost {

struct ProbeResult {
    bool plays = false;       // a stream was made and opened
    std::string refusal;      // the engineer's own words when it refuses, else the host's
    int32_t sampleRate = 0;
    int32_t bitsPerSample = 0;
    int32_t channels = 0;
    int32_t lengthMs = 0;
    uint64_t bytes = 0;
    std::string mixProblem;   // why the mixer could not play what it delivers; empty when it can

    // "16-bit mono 22050 Hz, 500 ms, 22050 bytes"
    std::string Describe() const;
};

// Drives a stream of `engineer` over `path` as the core does: createStream,
// loopsLeft 0, open, read to the end, close, release. Errors the engineer
// reports meanwhile become the refusal and do not reach the core's list.
ProbeResult ProbeFile(EngineerRecord* engineer, const std::string& path, MixingCore& core);

}  // namespace vekhost
