// The host's record that GetRunObjectInfos fills.
#pragma once

#include "engineer/Boundary.h"

struct RunObjectInfos {
    void* conditionRoutines;   // HandlerTable
    void* actionRoutines;
    void* expressionRoutines;
    int16_t conditionCount;
    int16_t actionCount;
    int16_t expressionCount;
    int16_t editDataSize;
    int32_t hostField20;       // 0
    uint8_t hostField24;       // 100
    uint8_t hostField25;       // not written
    int16_t hostField26;       // 0
    uint32_t identifier;       // four-character constant
    int16_t objectVersion;     // 1
};

static_assert(offsetof(RunObjectInfos, actionRoutines) == 4, "actionRoutines");
static_assert(offsetof(RunObjectInfos, expressionRoutines) == 8, "expressionRoutines");
static_assert(offsetof(RunObjectInfos, conditionCount) == 12, "conditionCount");
static_assert(offsetof(RunObjectInfos, actionCount) == 14, "actionCount");
static_assert(offsetof(RunObjectInfos, expressionCount) == 16, "expressionCount");
static_assert(offsetof(RunObjectInfos, editDataSize) == 18, "editDataSize");
static_assert(offsetof(RunObjectInfos, hostField20) == 20, "host field 20");
static_assert(offsetof(RunObjectInfos, hostField24) == 24, "host field 24");
static_assert(offsetof(RunObjectInfos, hostField26) == 26, "host field 26");
static_assert(offsetof(RunObjectInfos, identifier) == 28, "identifier");
static_assert(offsetof(RunObjectInfos, objectVersion) == 32, "objectVersion");
