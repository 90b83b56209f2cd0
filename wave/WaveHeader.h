// The plain 44-byte header of a PCM wave file: RIFF, WAVE, a 16-byte "fmt "
// chunk for integer PCM and the "data" chunk right after it. Everything after
// the header is sample data.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vek {

constexpr size_t kWaveHeaderSize = 44;

// What a valid header tells about the sound.
struct WaveFormat {
    int32_t channels;
    int32_t sampleRate;
    uint32_t bytesPerSecond;
    int32_t bitsPerSample;
    uint32_t dataSize;
};

// Whether the 44 bytes are the plain integer-PCM header this engineer plays.
bool IsPlainPcmHeader(const uint8_t* header);

// The format fields of a header, read little-endian; bits per sample and
// channels are widened from signed 16-bit.
WaveFormat FormatOfHeader(const uint8_t* header);

}  // namespace vek
