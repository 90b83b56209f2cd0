// The record through which an engineer offers itself to the audio core: the
// file extensions it serves and how to make a stream for a file. 868 bytes,
// zero-filled when made; the core reads and writes it by offset.
#pragma once

#include "engineer/Boundary.h"

class AudioCore;
struct RunData;
struct StreamRecord;
struct EngineerRecord;

namespace vek {
constexpr int kExtensionSlots = 64;
constexpr int kExtensionSlotSize = 13;  // 12 characters and a NUL
constexpr int kExtensionMaxChars = kExtensionSlotSize - 1;
constexpr char kEngineerMagic[4] = {'V', 'E', 'K', 'E'};
constexpr int32_t kEngineerRecordVersion = 1;
}  // namespace vek

// Called by the core; both engineers answer false. Never null once made.
using ProbeFn = uint8_t(VEK_STDCALL*)(int32_t, int32_t);
// Called by the core (and by the sound cache) for a file; null on failure.
using CreateStreamFn = StreamRecord*(VEK_STDCALL*)(EngineerRecord* engineer, const char* path);
// Called by the core once it has written `core`: hands each stored extension to it.
using RegisterExtensionsFn = void(VEK_STDCALL*)(EngineerRecord* engineer);

struct EngineerRecord {
    char magic[4];                    // "VEKE", written last
    int32_t version;                  // 1
    AudioCore* core;                  // 0 when made; written by the core
    ProbeFn probe;
    CreateStreamFn createStream;
    RegisterExtensionsFn registerExtensions;
    int32_t reserved24;
    int32_t extensionCount;           // 0 to 64
    char extensions[vek::kExtensionSlots][vek::kExtensionSlotSize];
    RunData* owner;                   // the engineer object that made the record
};

static_assert(sizeof(EngineerRecord) == 868, "EngineerRecord size");
static_assert(offsetof(EngineerRecord, magic) == 0, "magic");
static_assert(offsetof(EngineerRecord, version) == 4, "version");
static_assert(offsetof(EngineerRecord, core) == 8, "core");
static_assert(offsetof(EngineerRecord, probe) == 12, "probe");
static_assert(offsetof(EngineerRecord, createStream) == 16, "createStream");
static_assert(offsetof(EngineerRecord, registerExtensions) == 20, "registerExtensions");
static_assert(offsetof(EngineerRecord, reserved24) == 24, "reserved");
static_assert(offsetof(EngineerRecord, extensionCount) == 28, "extensionCount");
static_assert(offsetof(EngineerRecord, extensions) == 32, "extensions");
static_assert(offsetof(EngineerRecord, owner) == 864, "owner");
