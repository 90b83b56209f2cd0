// The block the host stores with the game for each placed object: 860 bytes,
// filled at edit time and handed back to CreateRunObject. A game file may be
// damaged, so readers treat every field as untrusted.
#pragma once

#include "engineer/EngineerRecord.h"

struct EditData {
    uint8_t hostHeader[20];
    uint8_t cacheAtStartup;  // 0 or 1: "Enable Cache at Startup"
    char extensions[vek::kExtensionSlots][vek::kExtensionSlotSize];
    uint8_t reserved853[3];
    int32_t extensionCount;  // slots in use, 0 to 64
};

static_assert(sizeof(EditData) == 860, "EditData size");
static_assert(offsetof(EditData, cacheAtStartup) == 20, "cacheAtStartup");
static_assert(offsetof(EditData, extensions) == 21, "extensions");
static_assert(offsetof(EditData, extensionCount) == 856, "extensionCount");
