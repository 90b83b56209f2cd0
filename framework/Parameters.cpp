#include "framework/Parameters.h"

#include "framework/Ace.h"
#include "framework/RunHeader.h"

namespace vek {

namespace {
constexpr int32_t kFetchText = -1;
constexpr int32_t kFetchInteger = 0;
constexpr int32_t kExpressionTypeText = 1;
}  // namespace

RunHeader* RunHeaderOf(RunData* object) { return object->header.runHeader; }

const char* FetchActionText(RunData* object) {
    RunHeader* host = RunHeaderOf(object);
    return reinterpret_cast<const char*>(host->FetchActionParameter(object, kFetchText, 0));
}

int32_t FetchActionInteger(RunData* object) {
    RunHeader* host = RunHeaderOf(object);
    return host->FetchActionParameter(object, kFetchInteger, 0);
}

const char* FetchExpressionText(RunData* object, int32_t cookie) {
    ParamFetchRecord* record = object->paramFetch;
    return reinterpret_cast<const char*>(record->fetch(record->object, cookie, kExpressionTypeText));
}

int32_t VEK_STDCALL FetchFirstParameterStep(RunData* object, int32_t cookie, int32_t type) {
    object->paramFetch->fetch = FetchNextParameterStep;
    return RunHeaderOf(object)->FetchFirstExpressionParameter(object, type, cookie);
}

int32_t VEK_STDCALL FetchNextParameterStep(RunData* object, int32_t cookie, int32_t type) {
    return RunHeaderOf(object)->FetchNextExpressionParameter(object, type, cookie);
}

void RestartParameterFetch(RunData* object) { object->paramFetch->fetch = FetchFirstParameterStep; }

}  // namespace vek
