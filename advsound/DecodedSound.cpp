#include "advsound/DecodedSound.h"

#include <sndfile.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

namespace vek {

namespace {

constexpr int64_t kBytesPerSample = 2;  // libsndfile hands out 16-bit samples here

std::atomic<size_t> g_liveSounds{0};

// Bytes of 16-bit PCM the file decodes to, or -1 when that does not fit the
// 32-bit dataSize (a damaged header can announce any number of frames).
int64_t DecodedBytesOf(const SF_INFO& info) {
    if (info.channels <= 0 || info.frames < 0) return -1;
    const uint64_t perFrame = uint64_t(info.channels) * kBytesPerSample;
    if (uint64_t(info.frames) > std::numeric_limits<uint32_t>::max() / perFrame) return -1;
    return int64_t(uint64_t(info.frames) * perFrame);
}

// Bytes per second as a signed 32-bit value, or -1 when a damaged header's
// rate and channel count do not fit it.
int64_t BytesPerSecondOf(const SF_INFO& info) {
    const int64_t rate = int64_t(info.samplerate) * info.channels * kBytesPerSample;
    if (rate < 0 || rate > std::numeric_limits<int32_t>::max()) return -1;
    return rate;
}

// Each call asks for everything still missing; a call that delivers nothing
// ends the read, and what was not delivered stays silent.
void ReadAllSamples(SNDFILE* file, int16_t* samples, int64_t total) {
    int64_t read = 0;
    while (read < total) {
        const sf_count_t got = sf_read_short(file, samples + read, total - read);
        if (got <= 0) break;
        read += got;
    }
}

}  // namespace

void DecodedSound::Decode(const char* path) {
    Release();
    loaded = false;
    if (path == nullptr) return;

    SF_INFO info;
    std::memset(&info, 0, sizeof info);  // libsndfile requires a cleared description for reading
    SNDFILE* file = sf_open(path, SFM_READ, &info);
    if (file == nullptr) return;

    const int64_t bytes = DecodedBytesOf(info);
    const int64_t rate = BytesPerSecondOf(info);
    if (bytes < 0 || rate < 0) {
        sf_close(file);
        return;
    }
    if (bytes > 0) {
        data = static_cast<uint8_t*>(std::calloc(size_t(bytes), 1));
        if (data == nullptr) {
            sf_close(file);
            return;
        }
    }
    sampleRate = info.samplerate;
    channels = info.channels;
    bitsPerSample = 16;
    bytesPerSecond = int32_t(rate);
    dataSize = uint32_t(bytes);
    lastDeck = -1;
    if (bytes > 0) ReadAllSamples(file, reinterpret_cast<int16_t*>(data), int64_t(info.frames) * info.channels);
    sf_close(file);
    loaded = true;
}

void DecodedSound::Release() {
    std::free(data);
    data = nullptr;
}

DecodedSound* NewDecodedSound() {
    auto* sound = new (std::nothrow) DecodedSound();
    if (sound != nullptr) ++g_liveSounds;
    return sound;
}

void DestroyDecodedSound(DecodedSound* sound) {
    if (sound == nullptr) return;
    --g_liveSounds;
    delete sound;
}

size_t LiveDecodedSounds() { return g_liveSounds; }

bool CopyIntoTextField(char (&field)[kTextFieldSize], const char* text) {
    if (text == nullptr) return false;
    const size_t length = strnlen(text, kTextFieldSize);
    if (length >= kTextFieldSize) return false;
    std::memcpy(field, text, length + 1);
    return true;
}

}  // namespace vek
