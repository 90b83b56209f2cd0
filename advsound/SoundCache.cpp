#include "advsound/SoundCache.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <new>

#include "engineer/AudioCore.h"
#include "engineer/EngineerRecord.h"
#include "engineer/StreamRecord.h"

using vek::DecodedSound;

namespace vek {

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

// The capture plays the stream once; it is accepted only with a known length
// and something to read from. The result of `open` is not trusted on its own:
// the length tells whether it really opened.
bool IsCapturable(const StreamRecord& stream) {
    return stream.lengthMs != 0 && stream.lengthMs != kLengthUnknown && stream.read != nullptr;
}

// The format as the source stream reports it. False when its bytes per second
// do not fit the sound's 32-bit field (nonsense from a damaged source).
bool TakeCaptureFormat(DecodedSound& sound, const StreamRecord& stream) {
    const double bytesPerSecond = double(stream.bitsPerSample / 8) * stream.sampleRate * stream.channels;
    if (bytesPerSecond < 0 || bytesPerSecond > std::numeric_limits<int32_t>::max()) return false;
    sound.bitsPerSample = stream.bitsPerSample;
    sound.channels = stream.channels;
    sound.sampleRate = stream.sampleRate;
    sound.bytesPerSecond = int32_t(bytesPerSecond);
    return true;
}

// The bytes one pass of lengthMs should deliver, or -1 when they could not be
// held with the spare bytes behind them in 32 bits: an absurd length must not
// wrap round into a small buffer that the pull then overruns.
int64_t CaptureSizeOf(int32_t lengthMs, int32_t bytesPerSecond) {
    const double bytes = double(uint32_t(lengthMs)) / 1000.0 * double(bytesPerSecond);
    if (bytes >= double(std::numeric_limits<uint32_t>::max() - kCaptureSpareBytes + 1)) return -1;
    return int64_t(bytes);
}

bool AllocateCapture(DecodedSound& sound, int64_t size) {
    sound.data = static_cast<uint8_t*>(std::calloc(size_t(size) + kCaptureSpareBytes, 1));
    if (sound.data == nullptr) return false;
    sound.dataSize = uint32_t(size);
    return true;
}

// Reads the source in small blocks until it ends or the expected size is
// reached; answers the bytes delivered. A read that delivers nothing ends the
// pull even when the source did not say so: asking again would never finish.
uint32_t PullCapture(StreamRecord& stream, uint8_t* data, uint32_t size) {
    uint32_t remaining = size;
    uint32_t at = 0;
    while (remaining != 0) {
        const uint32_t ask = std::min(remaining, kCapturePullBlock);
        const int32_t got = stream.read(int32_t(ask), data + at, &stream);
        if (got <= 0) break;
        const uint32_t taken = std::min(uint32_t(got), remaining);
        at += taken;
        remaining -= taken;
        if (stream.ended) break;
    }
    return at;
}

// Whole frames only: a looped play wraps at the end of the data, and a
// partial frame there would shift every later pass by part of a sample.
uint32_t WholeFrames(const DecodedSound& sound, uint32_t bytes) {
    const int64_t frame = int64_t(sound.channels) * (sound.bitsPerSample / 8);
    return frame > 0 ? bytes - uint32_t(bytes % uint64_t(frame)) : bytes;
}

void CloseAndRelease(StreamRecord* stream) {
    if (stream->close != nullptr) stream->close(stream);
    if (stream->release != nullptr) stream->release(stream);
}

// Plays the file once, silently, into the sound's memory through the
// engineer the core names for it.
bool Capture(DecodedSound& sound, AudioCore* core, const char* extensionMask) {
    EngineerRecord* engineer = core->FindEngineer(sound.fileName, extensionMask);
    if (engineer == nullptr || engineer->createStream == nullptr) return false;
    StreamRecord* stream = engineer->createStream(engineer, sound.fileName);
    if (stream == nullptr) return false;

    stream->loopsLeft = 0;
    stream->core = core;
    if (stream->open != nullptr) stream->open(stream);
    bool captured = false;
    if (IsCapturable(*stream) && TakeCaptureFormat(sound, *stream)) {
        const int64_t size = CaptureSizeOf(stream->lengthMs, sound.bytesPerSecond);
        if (size >= 0 && AllocateCapture(sound, size)) {
            sound.dataSize = WholeFrames(sound, PullCapture(*stream, sound.data, sound.dataSize));
            captured = true;
        }
    }
    CloseAndRelease(stream);
    return captured;
}

void DiscardSound(DecodedSound* sound) {
    sound->Release();
    DestroyDecodedSound(sound);
}

}  // namespace

bool SameSoundId(const char* a, const char* b) {
    for (;; ++a, ++b) {
        if (LowerAscii(*a) != LowerAscii(*b)) return false;
        if (*a == '\0') return true;
    }
}

}  // namespace vek

DecodedSound* SoundCache::Find(const char* soundId) const {
    if (soundId == nullptr) return nullptr;
    for (const SoundCacheNode* node = head; node != nullptr; node = node->next)
        if (vek::SameSoundId(node->sound->soundId, soundId)) return node->sound;
    return nullptr;
}

DecodedSound* SoundCache::Add(const char* soundId, const char* fileName, AudioCore* core,
                              const char* extensionMask) {
    if (core == nullptr) return nullptr;
    auto* node = new (std::nothrow) SoundCacheNode{nullptr, head};
    DecodedSound* sound = vek::NewDecodedSound();
    const bool added = node != nullptr && sound != nullptr && vek::CopyIntoTextField(sound->soundId, soundId) &&
                       vek::CopyIntoTextField(sound->fileName, fileName) &&
                       vek::Capture(*sound, core, extensionMask);
    if (!added) {
        if (sound != nullptr) vek::DiscardSound(sound);
        delete node;
        return nullptr;
    }
    // Linked in only now that it is complete: streams may read it from here on.
    sound->loaded = true;
    node->sound = sound;
    head = node;
    return sound;
}

void SoundCache::Clear() {
    SoundCacheNode* node = head;
    head = nullptr;
    while (node != nullptr) {
        SoundCacheNode* next = node->next;
        vek::DiscardSound(node->sound);
        delete node;
        node = next;
    }
}
