// The Wave engineer's streams over plain 44-byte-header PCM wave files.
//
// A stream works in one of two modes, fixed when it is made from the owner's
// cachingEnabled flag: streaming reads the sample data from the open file on
// each read; memory reads the data chunk into memory once and serves it from
// there. Everything after the header counts as sample data.
#pragma once

#include <cstdio>

#include "engineer/EngineerRecord.h"
#include "engineer/StreamRecord.h"
#include "wave/WaveHeader.h"

namespace vek {

// The private state of a wave stream, owned by its StreamRecord.
struct WaveStream {
    int32_t pendingSeekMs;        // requested position, -1 when none
    char path[kTextFieldSize];    // copied at creation
    StreamRecord* stream;         // the owning record
    AudioCore* core;              // for error reports; from the engineer record
    std::FILE* file;              // streaming mode while open
    uint8_t header[kWaveHeaderSize];
    uint8_t caching;              // 1: memory mode
    uint8_t* memoryData;          // memory mode: what was read of the data chunk
    uint32_t memoryPosition;      // read offset into memoryData
    uint32_t memorySize;          // bytes in memoryData
};

// Messages for the game's author; the path is the argument.
inline constexpr char kCouldNotOpenFileMessage[] = "Could not open file %s.";
inline constexpr char kNotValidPcmWaveMessage[] = "%s is not a valid PCM wave file.";

// The engineer's createStream: a stream over the file at `path`, or null when
// it cannot be played (the reason goes to the core's ReportError).
StreamRecord* VEK_STDCALL CreateWaveStream(EngineerRecord* engineer, const char* path);

}  // namespace vek
