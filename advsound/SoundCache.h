// The application-wide cache of decoded sounds under string IDs, held by the
// host as this library's per-application data.
#pragma once

struct SoundCacheNode;

struct SoundCache {
    SoundCacheNode* head = nullptr;
};
