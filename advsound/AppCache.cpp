// The sound cache's life with the application: made at StartApp, freed at
// EndApp (or at a StartApp that finds an old one left in the host's slot).
#include <new>

#include "advsound/SoundCache.h"
#include "framework/AppHooks.h"
#include "framework/EngineerModule.h"
#include "framework/RunData.h"
#include "framework/RunHeader.h"

namespace vek {

namespace {

SoundCache* StoredCache(HostServices* services, void* application) {
    return static_cast<SoundCache*>(services->GetAppExtensionData(application, ModuleHandle()));
}

void DestroyCache(SoundCache* cache) {
    cache->Clear();
    delete cache;
}

}  // namespace

void OnStartApp(HostServices* services, void* application) {
    if (SoundCache* old = StoredCache(services, application)) DestroyCache(old);
    services->SetAppExtensionData(application, ModuleHandle(), new (std::nothrow) SoundCache());
}

void OnEndApp(HostServices* services, void* application) {
    if (SoundCache* old = StoredCache(services, application)) DestroyCache(old);
    services->SetAppExtensionData(application, ModuleHandle(), nullptr);
}

SoundCache* AppSoundCache(RunData* object) {
    RunHeader* host = object->header.runHeader;
    return StoredCache(host->services, host->application);
}

}  // namespace vek
