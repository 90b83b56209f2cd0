// A picture of a render: the waveform of each output channel over time, the
// scene's events marked where they happened, and a mark of seconds.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/vekhost/SceneRun.h"

namespace vekhost {

struct PictureSize {
    int width = 1200;
    int laneHeight = 160;
};

// The picture as PNG bytes; empty if it could not be encoded.
std::vector<uint8_t> WaveformPng(const std::vector<int16_t>& stereo, const std::vector<EventMark>& marks,
                                 PictureSize size = {});

}  // namespace vekhost
