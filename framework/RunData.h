// The run-time object's data, laid out by the engineer and allocated by the
// host. The last 20 bytes are the audio core's contract: cachingEnabled, core,
// engineer, 8, 0x84543424. VEK_RUNTIME_ONLY selects the run-time-only build,
// which has no soundCache.
#pragma once

#include "framework/ObjectHeader.h"
#include "framework/ParamFetchRecord.h"

class AudioCore;
struct EngineerRecord;
struct SoundCache;

namespace vek {
constexpr int32_t kEngineerTag = 8;
constexpr uint32_t kRunDataEngineerMagic = 0x84543424;
}  // namespace vek

struct RunData {
    ObjectHeader header;
    ParamFetchRecord* paramFetch;
#if !defined(VEK_RUNTIME_ONLY)
    SoundCache* soundCache;     // the application's cache; null without StartApp
#endif
    uint8_t cachingEnabled;     // memory caching for streams made from now on
    uint8_t pad[3];
    AudioCore* core;            // 0 until the core has found the object
    EngineerRecord* engineer;   // made at creation, never freed by the engineer
    int32_t engineerTag;
    uint32_t engineerMagic;
};

#if defined(VEK_RUNTIME_ONLY)
static_assert(sizeof(RunData) == 208, "RunData size, run-time-only build");
static_assert(offsetof(RunData, cachingEnabled) == 188, "cachingEnabled");
#else
static_assert(sizeof(RunData) == 212, "RunData size");
static_assert(offsetof(RunData, soundCache) == 188, "soundCache");
static_assert(offsetof(RunData, cachingEnabled) == 192, "cachingEnabled");
#endif
static_assert(offsetof(RunData, paramFetch) == 184, "paramFetch");
static_assert(sizeof(RunData) - offsetof(RunData, cachingEnabled) == 20, "the core's contract is the last 20 bytes");
static_assert(offsetof(RunData, core) == sizeof(RunData) - 16, "core");
static_assert(offsetof(RunData, engineer) == sizeof(RunData) - 12, "engineer");
static_assert(offsetof(RunData, engineerTag) == sizeof(RunData) - 8, "engineerTag");
static_assert(offsetof(RunData, engineerMagic) == sizeof(RunData) - 4, "engineerMagic");
