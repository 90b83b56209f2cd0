// Fetching the parameters of the running action or expression from the host.
#pragma once

#include "framework/RunData.h"

namespace vek {

// Action parameters, one call per parameter in registration order.
const char* FetchActionText(RunData* object);    // codes 40 and 45
int32_t FetchActionInteger(RunData* object);     // code 22

// Expression parameters through the object's ParamFetchRecord (type 1: text).
const char* FetchExpressionText(RunData* object, int32_t cookie);

// The host's RunHeader and services of a run object.
RunHeader* RunHeaderOf(RunData* object);

}  // namespace vek
