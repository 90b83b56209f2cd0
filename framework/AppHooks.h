// Application-wide data of the full build: StartApp and EndApp hand the
// host's services and the application handle to these hooks, which the
// engineer library defines.
#pragma once

#include "framework/HostServices.h"

struct RunData;
struct SoundCache;

namespace vek {
void OnStartApp(HostServices* services, void* application);
void OnEndApp(HostServices* services, void* application);
// The application's data that CreateRunObject copies into each run object.
SoundCache* AppSoundCache(RunData* object);
}  // namespace vek
