#include "tools/vekhost/PcmFormat.h"

#include <cstdio>

namespace vekhost {

namespace {

// 8-bit PCM is unsigned with its silence at 128.
void ConvertUnsigned8(const uint8_t* bytes, size_t samples, float* out) {
    for (size_t i = 0; i < samples; ++i) out[i] = float((int32_t(bytes[i]) - 128) * 256);
}

void ConvertSigned16(const uint8_t* bytes, size_t samples, float* out) {
    for (size_t i = 0; i < samples; ++i, bytes += 2) out[i] = float(int16_t(uint16_t(bytes[0] | (bytes[1] << 8))));
}

void ConvertSigned24(const uint8_t* bytes, size_t samples, float* out) {
    for (size_t i = 0; i < samples; ++i, bytes += 3) {
        // Placed in the top three bytes so that the sign comes for free.
        const int32_t value = int32_t(uint32_t(bytes[0]) << 8 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 24);
        out[i] = float(value) / 65536.0f;
    }
}

void ConvertSigned32(const uint8_t* bytes, size_t samples, float* out) {
    for (size_t i = 0; i < samples; ++i, bytes += 4) {
        const int32_t value = int32_t(uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
                                      uint32_t(bytes[3]) << 24);
        out[i] = float(double(value) / 65536.0);
    }
}

const PcmLayout kLayouts[] = {
    {8, 1, ConvertUnsigned8, "8-bit unsigned"},
    {16, 2, ConvertSigned16, "16-bit signed"},
    {24, 3, ConvertSigned24, "24-bit signed"},
    {32, 4, ConvertSigned32, "32-bit signed"},
};

}  // namespace

const PcmLayout* FindPcmLayout(int32_t bitsPerSample) {
    for (const PcmLayout& layout : kLayouts)
        if (layout.bitsPerSample == bitsPerSample) return &layout;
    return nullptr;
}

std::string FormatProblem(int32_t sampleRate, int32_t bitsPerSample, int32_t channels) {
    char text[160];
    if (FindPcmLayout(bitsPerSample) == nullptr) {
        std::snprintf(text, sizeof text, "%d-bit samples are not PCM that the mixer plays (8, 16, 24 or 32 bits)",
                      int(bitsPerSample));
        return text;
    }
    if (channels < 1 || channels > kMaxChannels) {
        std::snprintf(text, sizeof text, "%d channels cannot be mixed (mono or stereo only)", int(channels));
        return text;
    }
    if (sampleRate < kMinSampleRate || sampleRate > kMaxSampleRate) {
        std::snprintf(text, sizeof text, "a sample rate of %d Hz cannot be mixed", int(sampleRate));
        return text;
    }
    return {};
}

std::string FormatText(int32_t sampleRate, int32_t bitsPerSample, int32_t channels) {
    char text[96];
    const char* layout = channels == 1 ? "mono" : channels == 2 ? "stereo" : nullptr;
    if (layout != nullptr)
        std::snprintf(text, sizeof text, "%d-bit %s %d Hz", int(bitsPerSample), layout, int(sampleRate));
    else
        std::snprintf(text, sizeof text, "%d-bit %d-channel %d Hz", int(bitsPerSample), int(channels), int(sampleRate));
    return text;
}

}  // namespace vekhost
