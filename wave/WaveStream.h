// The Wave engineer's streams over plain 44-byte-header PCM wave files.
#pragma once

#include "engineer/EngineerRecord.h"

namespace vek {
// The engineer's createStream.
StreamRecord* VEK_STDCALL CreateWaveStream(EngineerRecord* engineer, const char* path);
}  // namespace vek
