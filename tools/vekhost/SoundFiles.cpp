#include "tools/vekhost/SoundFiles.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace vekhost {

namespace {

void PutText(std::vector<uint8_t>& out, const char* text) { out.insert(out.end(), text, text + std::strlen(text)); }

void PutLe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(value >> (8 * i)));
}

void PutBe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out.push_back(uint8_t(value >> (8 * i)));
}

// AIFF gives its sample rate as an 80-bit IEEE extended number.
void PutExtended(std::vector<uint8_t>& out, double value) {
    int exponent = 0;
    double mantissa = std::frexp(value, &exponent);  // value = mantissa * 2^exponent, 0.5 <= mantissa < 1
    const uint16_t biased = uint16_t(exponent - 1 + 16383);
    const uint64_t bits = uint64_t(std::ldexp(mantissa, 64));
    PutBe(out, biased, 2);
    PutBe(out, uint32_t(bits >> 32), 4);
    PutBe(out, uint32_t(bits), 4);
}

}  // namespace

std::vector<uint8_t> SampleBytes16(const std::vector<int16_t>& samples) {
    std::vector<uint8_t> bytes;
    bytes.reserve(samples.size() * 2);
    for (int16_t s : samples) PutLe(bytes, uint16_t(s), 2);
    return bytes;
}

std::vector<uint8_t> WaveHeader(int32_t sampleRate, int32_t bitsPerSample, int32_t channels, uint32_t dataBytes) {
    std::vector<uint8_t> header = WaveFileBytes(PcmData{sampleRate, bitsPerSample, channels, {}});
    for (int i = 0; i < 4; ++i) {
        header[4 + i] = uint8_t((36 + dataBytes) >> (8 * i));
        header[40 + i] = uint8_t(dataBytes >> (8 * i));
    }
    return header;
}

std::vector<uint8_t> WaveFileBytes(const PcmData& pcm, bool chunkBeforeData) {
    const uint32_t blockAlign = uint32_t(pcm.channels) * uint32_t((pcm.bitsPerSample + 7) / 8);
    const uint32_t dataSize = uint32_t(pcm.bytes.size());
    // INFO list with one text, "vekhost" and its terminator: 20 bytes, an even-sized chunk.
    static const char kListBody[] = "INFOISFT\x08\0\0\0vekhost";
    const uint32_t listSize = chunkBeforeData ? uint32_t(sizeof kListBody) : 0;
    std::vector<uint8_t> out;
    PutText(out, "RIFF");
    PutLe(out, 36 + (chunkBeforeData ? 8 + listSize : 0) + dataSize + (dataSize & 1), 4);
    PutText(out, "WAVE");
    PutText(out, "fmt ");
    PutLe(out, 16, 4);
    PutLe(out, 1, 2);  // integer PCM
    PutLe(out, uint32_t(pcm.channels), 2);
    PutLe(out, uint32_t(pcm.sampleRate), 4);
    PutLe(out, uint32_t(pcm.sampleRate) * blockAlign, 4);
    PutLe(out, blockAlign, 2);
    PutLe(out, uint32_t(pcm.bitsPerSample), 2);
    if (chunkBeforeData) {
        PutText(out, "LIST");
        PutLe(out, listSize, 4);
        out.insert(out.end(), kListBody, kListBody + listSize);
    }
    PutText(out, "data");
    PutLe(out, dataSize, 4);
    out.insert(out.end(), pcm.bytes.begin(), pcm.bytes.end());
    if (dataSize & 1) out.push_back(0);  // chunks keep an even length
    return out;
}

std::vector<uint8_t> AiffFileBytes(int32_t sampleRate, int32_t channels, const std::vector<int16_t>& samples) {
    const uint32_t frames = uint32_t(samples.size() / size_t(channels));
    const uint32_t soundBytes = uint32_t(samples.size()) * 2;
    std::vector<uint8_t> out;
    PutText(out, "FORM");
    PutBe(out, 4 + (8 + 18) + (8 + 8 + soundBytes), 4);
    PutText(out, "AIFF");
    PutText(out, "COMM");
    PutBe(out, 18, 4);
    PutBe(out, uint32_t(channels), 2);
    PutBe(out, frames, 4);
    PutBe(out, 16, 2);
    PutExtended(out, double(sampleRate));
    PutText(out, "SSND");
    PutBe(out, 8 + soundBytes, 4);
    PutBe(out, 0, 4);  // offset
    PutBe(out, 0, 4);  // block size
    for (int16_t s : samples) PutBe(out, uint16_t(s), 2);
    return out;
}

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    const bool written = bytes.empty() || std::fwrite(bytes.data(), bytes.size(), 1, file) == 1;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        error = path + ": could not write all of it";
        std::remove(path.c_str());
        return false;
    }
    return true;
}

}  // namespace vekhost
