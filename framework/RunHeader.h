// The host's run-time header, reached from every run object's ObjectHeader.
// Only the fields below are used.
#pragma once

#include "engineer/Boundary.h"

struct HostServices;
struct RunData;

// Each call answers the next parameter of the running action: kind -1 a text
// pointer, kind 0 an integer. Called by action bodies.
using FetchActionParameterFn = int32_t(VEK_STDCALL*)(RunData* object, int32_t kind, int32_t zero);
// First and later parameters of the expression being evaluated (type 1: text).
// Called by the ParamFetchRecord steps.
using FetchExpressionParameterFn = int32_t(VEK_STDCALL*)(RunData* object, int32_t type, int32_t cookie);

struct RunHeader {
    uint8_t hostFields0[24];
    void* application;  // handle of the running application
    uint8_t hostFields28[876 - 28];
    FetchExpressionParameterFn FetchFirstExpressionParameter;
    FetchExpressionParameterFn FetchNextExpressionParameter;
    uint8_t hostFields884[928 - 884];
    FetchActionParameterFn FetchActionParameter;
    uint8_t hostFields932[1268 - 932];
    HostServices* services;
};

static_assert(offsetof(RunHeader, application) == 24, "application");
static_assert(offsetof(RunHeader, FetchFirstExpressionParameter) == 876, "first expression parameter");
static_assert(offsetof(RunHeader, FetchNextExpressionParameter) == 880, "next expression parameter");
static_assert(offsetof(RunHeader, FetchActionParameter) == 928, "action parameter");
static_assert(offsetof(RunHeader, services) == 1268, "services");
static_assert(sizeof(RunHeader) == 1272, "RunHeader covers the fields used");
