// The run-time exports through which the host drives an engineer library.
#include <cstdlib>

#include "engineer/EngineerFactory.h"
#include "framework/AppHooks.h"
#include "framework/EditData.h"
#include "framework/EngineerModule.h"
#include "framework/RunData.h"
#include "framework/RunObjectInfos.h"

using vek::ModuleRegistry;

namespace {

int16_t HostCount(const vek::KindTables& tables) { return int16_t(tables.records.Length()); }

void CollectSlotAddresses(EditData* edit, const char* slots[vek::kExtensionSlots]) {
    for (int i = 0; i < vek::kExtensionSlots; ++i) slots[i] = edit->extensions[i];
}

}  // namespace

extern "C" {

VEK_EXPORT int32_t VEK_STDCALL GetInfos(int32_t code) {
    switch (code) {
        case 0: return 768;
        case 2: return 256;
        case 6: return 2;
        case 7: return 243;
        default: return 0;
    }
}

VEK_EXPORT int16_t VEK_STDCALL GetRunObjectInfos(int32_t, RunObjectInfos* infos) {
    const vek::Registry& registry = ModuleRegistry();
    infos->conditionRoutines = registry.conditions.handlers;
    infos->actionRoutines = registry.actions.handlers;
    infos->expressionRoutines = registry.expressions.handlers;
    infos->conditionCount = HostCount(registry.conditions);
    infos->actionCount = HostCount(registry.actions);
    infos->expressionCount = HostCount(registry.expressions);
    infos->editDataSize = int16_t(sizeof(EditData));
    infos->hostField20 = 0;
    infos->hostField24 = 100;
    infos->hostField26 = 0;
    infos->identifier = vek::kEngineerModule.plugin.identifier;
    infos->objectVersion = 1;
    return 1;
}

VEK_EXPORT int16_t VEK_STDCALL GetRunObjectDataSize(int32_t, int32_t) { return int16_t(sizeof(RunData)); }

VEK_EXPORT int16_t VEK_STDCALL CreateRunObject(RunData* object, EditData* edit, int32_t) {
    auto* fetch = static_cast<ParamFetchRecord*>(std::malloc(sizeof(ParamFetchRecord)));
    if (fetch != nullptr) {
        fetch->object = object;
        fetch->fetch = vek::FetchFirstParameterStep;
    }
    object->paramFetch = fetch;
    const char* slots[vek::kExtensionSlots];
    CollectSlotAddresses(edit, slots);
    object->engineerMagic = vek::kRunDataEngineerMagic;
    object->engineerTag = vek::kEngineerTag;
    object->engineer = vek::MakeEngineerRecord(edit->extensionCount, slots, object);
    object->core = nullptr;
#if !defined(VEK_RUNTIME_ONLY)
    object->soundCache = vek::AppSoundCache(object);
#endif
    object->cachingEnabled = edit->cacheAtStartup != 0 ? 1 : 0;
    return 0;
}

VEK_EXPORT int16_t VEK_STDCALL DestroyRunObject(RunData* object, int32_t) {
    std::free(object->paramFetch);
    object->paramFetch = nullptr;
    return 0;
}

VEK_EXPORT int16_t VEK_STDCALL HandleRunObject(RunData*) { return 1; }
VEK_EXPORT int16_t VEK_STDCALL PauseRunObject(RunData*) { return 0; }
VEK_EXPORT int16_t VEK_STDCALL ContinueRunObject(RunData*) { return 0; }
VEK_EXPORT int16_t VEK_STDCALL DisplayRunObject(RunData*) { return 0; }

#if defined(VEK_RUNTIME_ONLY)
VEK_EXPORT void VEK_STDCALL StartApp(HostServices*, void*) {}
VEK_EXPORT void VEK_STDCALL EndApp(HostServices*, void*) {}
VEK_EXPORT void* VEK_STDCALL GetDebugTree(int32_t) { return nullptr; }
#else
VEK_EXPORT void VEK_STDCALL StartApp(HostServices* services, void* application) {
    vek::OnStartApp(services, application);
}
VEK_EXPORT void VEK_STDCALL EndApp(HostServices* services, void* application) {
    vek::OnEndApp(services, application);
}
VEK_EXPORT void* VEK_STDCALL GetDebugTree(int32_t) {
    static const int16_t kEmptyTree[] = {-1};
    return const_cast<int16_t*>(kEmptyTree);
}

// The host asks for the entry of a registered code: its code word onwards.
static void* InfosOf(const vek::KindTables& tables, int32_t code) {
    const uint16_t* entry = vek::FindInfoEntry(tables.info, int16_t(code));
    return entry == nullptr ? nullptr : const_cast<uint16_t*>(entry + 2);
}
VEK_EXPORT void* VEK_STDCALL GetActionInfos(int32_t, int32_t code) { return InfosOf(ModuleRegistry().actions, code); }
VEK_EXPORT void* VEK_STDCALL GetConditionInfos(int32_t, int32_t code) {
    return InfosOf(ModuleRegistry().conditions, code);
}
VEK_EXPORT void* VEK_STDCALL GetExpressionInfos(int32_t, int32_t code) {
    return InfosOf(ModuleRegistry().expressions, code);
}
#endif

VEK_EXPORT void VEK_STDCALL StartFrame(int32_t, int32_t, int32_t) {}
VEK_EXPORT void VEK_STDCALL EndFrame(int32_t, int32_t, int32_t) {}
VEK_EXPORT void VEK_STDCALL GetDebugItem(int32_t, int32_t, int32_t) {}
VEK_EXPORT void VEK_STDCALL EditDebugItem(int32_t, int32_t) {}

VEK_EXPORT int32_t VEK_STDCALL VekGrabInfos(uint32_t* identifier, char* name, char* author, char* copyright,
                                            char* description, char* url, float* version, int32_t* type) {
    return vek::WritePluginDescription(vek::kEngineerModule.plugin, identifier, name, author, copyright, description,
                                       url, version, type);
}

}  // extern "C"
