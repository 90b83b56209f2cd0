// The application-wide cache of decoded sounds under string IDs, held by the
// host as this library's per-application data. Entries are only ever added,
// newest first, and stay put until the application ends: streams made from
// the cache keep pointers into it.
#pragma once

#include "advsound/DecodedSound.h"

class AudioCore;

struct SoundCacheNode {
    vek::DecodedSound* sound;  // owned, complete before it is linked in
    SoundCacheNode* next;
};

struct SoundCache {
    SoundCacheNode* head = nullptr;

    // The newest sound whose ID matches ignoring the case of ASCII letters,
    // or null.
    vek::DecodedSound* Find(const char* soundId) const;

    // Captures the file into memory through whichever engineer the core names
    // for it (by extensionMask, without its dot, when given) and links it in
    // as the newest entry. Null, with the cache unchanged, when the sound
    // cannot be captured.
    vek::DecodedSound* Add(const char* soundId, const char* fileName, AudioCore* core, const char* extensionMask);

    // Frees every entry and empties the list.
    void Clear();
};

namespace vek {

// Sound IDs compare byte by byte with A to Z taken as a to z.
bool SameSoundId(const char* a, const char* b);

// The pull of a capture asks its source for at most this many bytes at a time.
constexpr uint32_t kCapturePullBlock = 576;
// Zero bytes kept after a captured sound's data.
constexpr uint32_t kCaptureSpareBytes = 1024;

}  // namespace vek
