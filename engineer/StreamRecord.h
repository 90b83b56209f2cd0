// The handle through which the audio core pulls PCM bytes from an engineer:
// one per opened sound, 80 bytes, zero-filled when made. Whoever called
// createStream owns it until AttachStream hands it to the core; `release`
// ends it exactly once.
#pragma once

#include "engineer/Boundary.h"

class AudioCore;
struct StreamRecord;

namespace vek {
constexpr char kStreamMagic[4] = {'V', 'E', 'K', 'D'};
constexpr int32_t kStreamRecordVersion = 2;
constexpr uint32_t kWaveStreamKind = 0x4157566F;
constexpr uint32_t kAdvSoundStreamKind = 0x4441566F;
constexpr int32_t kQueryAnswer = 100;
constexpr int32_t kNoPendingSeek = -1;
constexpr int32_t kLengthUnknown = -1;
}  // namespace vek

// Callbacks in the order the core drives a stream. Each tolerates a record
// without private state.
// Called by the core after loopsLeft is set: 0 success, 1 failure.
using StreamOpenFn = int32_t(VEK_STDCALL*)(StreamRecord* stream);
// Called by the core: bytes delivered into buffer, never more than count.
using StreamReadFn = int32_t(VEK_STDCALL*)(int32_t count, void* buffer, StreamRecord* stream);
// Called by the core between reads: stores a position for the next read; 0 stored, 1 no state.
using StreamSeekFn = int32_t(VEK_STDCALL*)(StreamRecord* stream, int32_t milliseconds);
// Called by the core: ends reading; the stream may be opened again.
using StreamCloseFn = void(VEK_STDCALL*)(StreamRecord* stream);
// Called exactly once by the owner: frees the private state and the record.
using StreamReleaseFn = void(VEK_STDCALL*)(StreamRecord* stream);
// Called by the core: both engineers answer 100.
using StreamQueryFn = int32_t(VEK_STDCALL*)();

struct StreamRecord {
    char magic[4];          // "VEKD"
    int32_t version;        // 2
    AudioCore* core;
    uint32_t kind;          // the engineer's tag
    StreamReadFn read;
    StreamOpenFn open;
    StreamCloseFn close;
    StreamReleaseFn release;
    StreamQueryFn query;
    StreamSeekFn seek;
    int32_t reserved40;
    int32_t sampleRate;
    int32_t bitsPerSample;
    int32_t channels;
    int32_t loopsLeft;      // further passes after the current one; negative: endless
    int32_t lengthMs;       // one pass; -1 until open knows it
    int32_t reserved64;
    uint8_t ended;          // set by read when data ran out with no passes left
    uint8_t pad69[3];
    void* state;            // the engineer's private state, owned by the record
    int32_t deck;           // written by the core when it attaches the stream
};

static_assert(sizeof(StreamRecord) == 80, "StreamRecord size");
static_assert(offsetof(StreamRecord, version) == 4, "version");
static_assert(offsetof(StreamRecord, core) == 8, "core");
static_assert(offsetof(StreamRecord, kind) == 12, "kind");
static_assert(offsetof(StreamRecord, read) == 16, "read");
static_assert(offsetof(StreamRecord, open) == 20, "open");
static_assert(offsetof(StreamRecord, close) == 24, "close");
static_assert(offsetof(StreamRecord, release) == 28, "release");
static_assert(offsetof(StreamRecord, query) == 32, "query");
static_assert(offsetof(StreamRecord, seek) == 36, "seek");
static_assert(offsetof(StreamRecord, reserved40) == 40, "reserved");
static_assert(offsetof(StreamRecord, sampleRate) == 44, "sampleRate");
static_assert(offsetof(StreamRecord, bitsPerSample) == 48, "bitsPerSample");
static_assert(offsetof(StreamRecord, channels) == 52, "channels");
static_assert(offsetof(StreamRecord, loopsLeft) == 56, "loopsLeft");
static_assert(offsetof(StreamRecord, lengthMs) == 60, "lengthMs");
static_assert(offsetof(StreamRecord, reserved64) == 64, "reserved");
static_assert(offsetof(StreamRecord, ended) == 68, "ended");
static_assert(offsetof(StreamRecord, state) == 72, "state");
static_assert(offsetof(StreamRecord, deck) == 76, "deck");
