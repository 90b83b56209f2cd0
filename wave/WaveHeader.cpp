#include "wave/WaveHeader.h"

#include <cstring>

namespace vek {
namespace {

// Field offsets of the header.
constexpr size_t kRiffTagAt = 0;
constexpr size_t kWaveTagAt = 8;
constexpr size_t kFormatTagAt = 12;
constexpr size_t kFormatChunkSizeAt = 16;
constexpr size_t kFormatCodeAt = 20;
constexpr size_t kChannelsAt = 22;
constexpr size_t kSampleRateAt = 24;
constexpr size_t kBytesPerSecondAt = 28;
constexpr size_t kBitsPerSampleAt = 34;
constexpr size_t kDataTagAt = 36;
constexpr size_t kDataSizeAt = 40;

constexpr uint32_t kPlainFormatChunkSize = 16;
constexpr uint16_t kIntegerPcm = 1;

uint32_t U32At(const uint8_t* header, size_t at) {
    return uint32_t(header[at]) | uint32_t(header[at + 1]) << 8 | uint32_t(header[at + 2]) << 16 |
           uint32_t(header[at + 3]) << 24;
}

uint16_t U16At(const uint8_t* header, size_t at) { return uint16_t(header[at] | header[at + 1] << 8); }

bool TagAt(const uint8_t* header, size_t at, const char (&tag)[5]) { return std::memcmp(header + at, tag, 4) == 0; }

}  // namespace

bool IsPlainPcmHeader(const uint8_t* header) {
    return TagAt(header, kRiffTagAt, "RIFF") && TagAt(header, kWaveTagAt, "WAVE") &&
           TagAt(header, kFormatTagAt, "fmt ") && TagAt(header, kDataTagAt, "data") &&
           U32At(header, kFormatChunkSizeAt) == kPlainFormatChunkSize && U16At(header, kFormatCodeAt) == kIntegerPcm;
}

WaveFormat FormatOfHeader(const uint8_t* header) {
    WaveFormat format;
    format.channels = int16_t(U16At(header, kChannelsAt));
    format.sampleRate = int32_t(U32At(header, kSampleRateAt));
    format.bytesPerSecond = U32At(header, kBytesPerSecondAt);
    format.bitsPerSample = int16_t(U16At(header, kBitsPerSampleAt));
    format.dataSize = U32At(header, kDataSizeAt);
    return format;
}

}  // namespace vek
