// The host's header at the start of every run object's data.
#pragma once

#include "engineer/Boundary.h"

struct RunHeader;

struct ObjectHeader {
    uint8_t hostFields0[8];
    RunHeader* runHeader;
    uint8_t hostFields12[184 - 12];
};

static_assert(offsetof(ObjectHeader, runHeader) == 8, "runHeader");
static_assert(sizeof(ObjectHeader) == 184, "ObjectHeader size");
