// One per run object: delivers the parameters of the expression being
// evaluated, first through the host's first-parameter routine, then through
// its next-parameter routine.
#pragma once

#include "engineer/Boundary.h"

struct RunData;

// Called by expression bodies, once per parameter in order (type 1: text).
using ParamFetchStepFn = int32_t(VEK_STDCALL*)(RunData* object, int32_t cookie, int32_t type);

struct ParamFetchRecord {
    RunData* object;
    ParamFetchStepFn fetch;
};

static_assert(sizeof(ParamFetchRecord) == 8, "ParamFetchRecord size");
static_assert(offsetof(ParamFetchRecord, fetch) == 4, "fetch");
