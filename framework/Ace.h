// Registrations of actions, conditions and expressions, as each engineer
// declares them in one const table, and the handler wrappers the host calls.
#pragma once

#include "framework/ParamFetchRecord.h"

namespace vek {

// Host parameter-type codes.
constexpr int16_t kParamFile = 40;        // action: a file name, fetched as text
constexpr int16_t kParamText = 45;        // action: text
constexpr int16_t kParamInteger = 22;     // action: a 32-bit integer
constexpr int16_t kParamExpressionText = 3;

constexpr int kMaxParams = 9;

// What the engineer writes: the bodies.
using ActionBody = void (*)(RunData* object, int32_t param1, int32_t param2);
using ExpressionBody = int32_t (*)(RunData* object, int32_t cookie);
// What the host calls through the HandlerTables.
using ActionHandler = int16_t(VEK_STDCALL*)(RunData* object, int32_t param1, int32_t param2);
using ExpressionHandler = int32_t(VEK_STDCALL*)(RunData* object, int32_t cookie);

struct ParamDecl {
    int16_t type;
    const char* name;
};

// A registration's parameters: exactly `count` pairs are read.
struct ParamList {
    int count;
    ParamDecl params[kMaxParams];
};

enum class AceKind { Condition, Action, Expression };

struct AceRegistration {
    AceKind kind;
    ActionBody action;              // actions only
    ExpressionBody expression;      // expressions only
    ActionHandler actionHandler;    // the wrapper the HandlerTable holds
    ExpressionHandler expressionHandler;
    uint16_t flags;
    const char* displayText;
    ParamList params;
};

// The parameter-fetch steps of a ParamFetchRecord.
int32_t VEK_STDCALL FetchFirstParameterStep(RunData* object, int32_t cookie, int32_t type);
int32_t VEK_STDCALL FetchNextParameterStep(RunData* object, int32_t cookie, int32_t type);

template <ActionBody Body>
int16_t VEK_STDCALL ActionWrapper(RunData* object, int32_t param1, int32_t param2) {
    Body(object, param1, param2);
    return 0;
}

// Restarts parameter fetching so that each evaluation begins with the host's
// first-parameter routine.
void RestartParameterFetch(RunData* object);

template <ExpressionBody Body>
int32_t VEK_STDCALL ExpressionWrapper(RunData* object, int32_t cookie) {
    RestartParameterFetch(object);
    return Body(object, cookie);
}

}  // namespace vek

#define VEK_ACTION(body, text, ...) \
    vek::AceRegistration { vek::AceKind::Action, &body, nullptr, &vek::ActionWrapper<&body>, nullptr, 0, text, __VA_ARGS__ }
#define VEK_EXPRESSION(body, text, ...) \
    vek::AceRegistration { vek::AceKind::Expression, nullptr, &body, nullptr, &vek::ExpressionWrapper<&body>, 0, text, __VA_ARGS__ }
