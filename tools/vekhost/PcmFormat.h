// The PCM layouts an engineer may deliver, and their conversion to the
// mixer's working samples: floats on the scale of 16-bit samples, so that a
// 16-bit source mixes without any change of value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vekhost {

// Converts `samples` little-endian samples (interleaved frames, channel 0 first) into floats.
using SampleConverter = void (*)(const uint8_t* bytes, size_t samples, float* out);

struct PcmLayout {
    int32_t bitsPerSample;
    int32_t bytesPerSample;
    SampleConverter convert;
    const char* description;  // "8-bit unsigned", ...
};

// The layout for a sample width, or null when the mixer cannot play it.
const PcmLayout* FindPcmLayout(int32_t bitsPerSample);

constexpr int32_t kMaxChannels = 2;
constexpr int32_t kMinSampleRate = 1;
constexpr int32_t kMaxSampleRate = 1000000;

// Why a stream's reported format cannot be mixed; empty when it can.
std::string FormatProblem(int32_t sampleRate, int32_t bitsPerSample, int32_t channels);

// "16-bit mono 22050 Hz", as the summaries print it.
std::string FormatText(int32_t sampleRate, int32_t bitsPerSample, int32_t channels);

}  // namespace vekhost
