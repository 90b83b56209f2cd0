#include "framework/EngineerModule.h"

#include "platform/Platform.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace vek {

namespace {

struct ModuleState {
    bool attached = false;
    void* handle = nullptr;
    Registry registry;
    // The lists and the records' arrays go with the library; the InfoArrays
    // and HandlerTables stay (the host may hold them to the end).
    ~ModuleState() { ReleaseRecords(registry); }
};

ModuleState& State() {
    static ModuleState state;
    return state;
}

}  // namespace

void AttachModule(void* moduleHandle) {
    ModuleState& state = State();
    if (state.attached) return;
    state.attached = true;
    state.handle = moduleHandle;
    Register(state.registry, kEngineerModule.registrations, kEngineerModule.registrationCount);
    BuildTables(state.registry);
}

void* ModuleHandle() {
    ModuleRegistry();
    return State().handle;
}

const Registry& ModuleRegistry() {
    if (!State().attached) AttachModule(platform::ModuleOfAddress(reinterpret_cast<const void*>(&AttachModule)));
    return State().registry;
}

}  // namespace vek

#if defined(_WIN32)
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) vek::AttachModule(instance);
    return TRUE;
}
#else
__attribute__((constructor)) static void AttachOnLoad() {
    vek::AttachModule(vek::platform::ModuleOfAddress(reinterpret_cast<const void*>(&vek::AttachModule)));
}
#endif
