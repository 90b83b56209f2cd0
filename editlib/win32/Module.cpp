#include "editlib/win32/Module.h"

#include "editlib/DialogIds.h"

namespace vek::editlib {

namespace {
HINSTANCE g_module = nullptr;
}  // namespace

HINSTANCE EditLibModule() { return g_module; }

void SetDialogIcon(HWND dialog) {
    HICON icon = LoadIconA(g_module, MAKEINTRESOURCEA(IDI_VEK_ICON));
    if (icon == nullptr) return;
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

}  // namespace vek::editlib

// The entry point keeps the module handle; the plug-in list's storage goes
// with the library's static data when it is unloaded.
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) vek::editlib::g_module = module;
    return TRUE;
}
