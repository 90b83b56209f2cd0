// Making engineer records. Shared by both engineers; each engineer supplies
// its own stream factory through kEngineerStreamFactory.
#pragma once

#include "engineer/EngineerRecord.h"

namespace vek {

// The engineer's createStream callback; defined by each engineer library.
extern const CreateStreamFn kEngineerStreamFactory;

// A fresh, zero-filled record with this engineer's callbacks, `owner` and the
// first `count` texts of `list` (cut to 12 characters). With a null list no
// slot is filled. A count outside 0 to 64 (a damaged game file) is clamped.
// The record is the core's from now on; the engineer never frees it.
EngineerRecord* MakeEngineerRecord(int32_t count, const char* const* list, RunData* owner);

// Clamps a stored extension count to the 64 slots.
int32_t ClampExtensionCount(int32_t count);

// The callbacks every engineer record carries.
uint8_t VEK_STDCALL ProbeNever(int32_t, int32_t);
void VEK_STDCALL RegisterStoredExtensions(EngineerRecord* engineer);

}  // namespace vek
