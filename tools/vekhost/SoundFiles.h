// Sound files as bytes: RIFF WAVE (PCM of any width) and AIFF (16-bit), for
// the rendered output and for the sounds the project makes itself.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vekhost {

struct PcmData {
    int32_t sampleRate = 44100;
    int32_t bitsPerSample = 16;
    int32_t channels = 1;
    std::vector<uint8_t> bytes;  // interleaved frames as a wave file holds them
};

// 16-bit signed samples as little-endian bytes.
std::vector<uint8_t> SampleBytes16(const std::vector<int16_t>& samples);

// The plain 44-byte header of a wave file holding `dataBytes` of PCM.
std::vector<uint8_t> WaveHeader(int32_t sampleRate, int32_t bitsPerSample, int32_t channels, uint32_t dataBytes);

// A wave file with the plain 44-byte header. With `chunkBeforeData` a small
// "LIST" chunk stands between "fmt " and "data", as many editors write.
std::vector<uint8_t> WaveFileBytes(const PcmData& pcm, bool chunkBeforeData = false);

// An AIFF file of 16-bit big-endian samples.
std::vector<uint8_t> AiffFileBytes(int32_t sampleRate, int32_t channels, const std::vector<int16_t>& samples);

// Writes the bytes whole; false with `error` naming the reason.
bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error);

}  // namespace vekhost
