// The options both engineers carry: caching on and off for streams made from
// now on, and replacing the file types registered with the core.
#pragma once

#include "framework/Ace.h"

namespace vek {

inline constexpr char kFiletypesParamName[] = "File types (space seperated, include .) (eg \".it .xm .mod .s3m\")";

void EnableCaching(RunData* object, int32_t, int32_t);
void DisableCaching(RunData* object, int32_t, int32_t);
// param1 is the list text as the host passes it, e.g. ".it .xm .mod .s3m".
void SetEngineerFiletypes(RunData* object, int32_t param1, int32_t);

}  // namespace vek
