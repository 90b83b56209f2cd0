#include "engineer/EngineerOptions.h"

#include "engineer/AudioCore.h"
#include "engineer/EngineerFactory.h"
#include "engineer/ExtensionList.h"
#include "framework/RunData.h"

namespace vek {

void EnableCaching(RunData* object, int32_t, int32_t) { object->cachingEnabled = 1; }

void DisableCaching(RunData* object, int32_t, int32_t) { object->cachingEnabled = 0; }

void SetEngineerFiletypes(RunData* object, int32_t param1, int32_t) {
    AudioCore* core = object->core;
    if (core == nullptr) return;  // the core has not found this object yet
    const char* text = reinterpret_cast<const char*>(param1);
    // The fresh record goes to the core and is not kept here.
    EngineerRecord* fresh = MakeEngineerRecord(0, nullptr, object);
    if (fresh == nullptr) return;
    core->UnregisterEngineer(fresh);
    HandExtensionsToCore(text, core, fresh);
    core->RegisterEngineer(fresh);
}

}  // namespace vek
