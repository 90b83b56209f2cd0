// Wave files written by tests and benchmarks: a plain 44-byte header built
// field by field (so that each field can be spoilt on its own), sample bytes
// that do not repeat over short distances, and a scratch folder that is
// removed again.
#pragma once

#include "testing/ScratchFolder.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace vek::testing {

struct WaveHeaderFields {
    char riff[4] = {'R', 'I', 'F', 'F'};
    uint32_t riffSize = 0;
    char wave[4] = {'W', 'A', 'V', 'E'};
    char fmt[4] = {'f', 'm', 't', ' '};
    uint32_t formatChunkSize = 16;
    uint16_t formatTag = 1;
    int16_t channels = 2;
    uint32_t sampleRate = 44100;
    uint32_t bytesPerSecond = 176400;
    uint16_t blockSize = 4;
    int16_t bitsPerSample = 16;
    char data[4] = {'d', 'a', 't', 'a'};
    uint32_t dataSize = 0;
};

inline void PutLittleEndian(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(value >> (8 * i)));
}

inline void PutTag(std::vector<uint8_t>& out, const char (&tag)[4]) {
    for (char c : tag) out.push_back(uint8_t(c));
}

inline std::vector<uint8_t> HeaderBytes(const WaveHeaderFields& h) {
    std::vector<uint8_t> out;
    PutTag(out, h.riff);
    PutLittleEndian(out, h.riffSize, 4);
    PutTag(out, h.wave);
    PutTag(out, h.fmt);
    PutLittleEndian(out, h.formatChunkSize, 4);
    PutLittleEndian(out, h.formatTag, 2);
    PutLittleEndian(out, uint16_t(h.channels), 2);
    PutLittleEndian(out, h.sampleRate, 4);
    PutLittleEndian(out, h.bytesPerSecond, 4);
    PutLittleEndian(out, h.blockSize, 2);
    PutLittleEndian(out, uint16_t(h.bitsPerSample), 2);
    PutTag(out, h.data);
    PutLittleEndian(out, h.dataSize, 4);
    return out;
}

// n bytes from a linear congruential sequence: no short period, so a wrong
// offset or a repeated piece shows.
inline std::vector<uint8_t> SampleBytes(size_t n, uint32_t seed = 12345) {
    std::vector<uint8_t> out(n);
    uint32_t x = seed;
    for (size_t i = 0; i < n; ++i) {
        x = x * 1664525u + 1013904223u;
        out[i] = uint8_t(x >> 24);
    }
    return out;
}

// A file of the header followed by the samples, its data size the samples'.
inline std::vector<uint8_t> WaveBytes(WaveHeaderFields header, const std::vector<uint8_t>& samples) {
    header.dataSize = uint32_t(samples.size());
    header.riffSize = uint32_t(36 + samples.size());
    std::vector<uint8_t> out = HeaderBytes(header);
    out.insert(out.end(), samples.begin(), samples.end());
    return out;
}

inline bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

// ScratchFolder (testing/ScratchFolder.h) holds the files these tests write.

}  // namespace vek::testing
