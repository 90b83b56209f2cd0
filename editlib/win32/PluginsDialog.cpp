// The installed plug-ins dialog (template 102): the plug-ins are read once at
// start-up into list 1002; a selection shows the chosen plug-in's texts; Close
// (or the window's close command) frees what was read and ends with 1. The
// Escape key's cancel command is left unhandled, so it doesn't close.
#include <windows.h>

#include "editlib/DialogIds.h"
#include "editlib/Dialogs.h"
#include "editlib/PluginCatalog.h"
#include "editlib/win32/Module.h"

namespace vek::editlib {

namespace {

class ListBoxSink final : public PluginScanSink {
public:
    explicit ListBoxSink(HWND dialog) : dialog_(dialog) {}

    void AddEntry(const char* text, PluginInfo* info) override {
        HWND list = GetDlgItem(dialog_, IDC_PLUGIN_LIST);
        const LRESULT at = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        if (at >= 0) SendMessageA(list, LB_SETITEMDATA, WPARAM(at), reinterpret_cast<LPARAM>(info));
    }
    void SetCoreLine(const char* line) override { SetDlgItemTextA(dialog_, IDC_CORE_LINE, line); }

private:
    HWND dialog_;
};

void StartUp(HWND dialog) {
    SetDialogIcon(dialog);
    ListBoxSink sink(dialog);
    // A damaged file is passed over quietly, without the system's own error boxes.
    DWORD previousMode = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previousMode);
    try {
        ReadInstalledPlugins(ModulePluginInfoList(), sink);
    } catch (...) {
        // Out of memory while listing the folder: the dialog shows what was read.
    }
    SetThreadErrorMode(previousMode, nullptr);
}

void ShowSelected(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_PLUGIN_LIST);
    const LRESULT selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR) return;
    const LRESULT data = SendMessageA(list, LB_GETITEMDATA, WPARAM(selected), 0);
    if (data == LB_ERR || data == 0) return;
    const auto& info = *reinterpret_cast<const PluginInfo*>(data);
    for (const PluginDetailField& field : kPluginDetailFields)
        SetDlgItemTextA(dialog, field.controlId, field.text(info));
}

void Close(HWND dialog) {
    ModulePluginInfoList().FreeAll();
    EndDialog(dialog, kPluginsDialogClosed);
}

bool OnCommand(HWND dialog, WORD id, WORD code) {
    if (id == IDC_PLUGIN_LIST && code == LBN_SELCHANGE) {
        ShowSelected(dialog);
        return true;
    }
    if (id == IDOK) {
        Close(dialog);
        return true;
    }
    return false;
}

INT_PTR CALLBACK PluginsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            StartUp(dialog);
            return TRUE;
        case WM_COMMAND:
            return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
        case WM_CLOSE:
            Close(dialog);
            return TRUE;
        case WM_DESTROY:
            // A dialog destroyed with its owner never saw Close: its blocks go now.
            ModulePluginInfoList().FreeAll();
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

int32_t RunPluginsDialog(void* parent) {
    return int32_t(DialogBoxParamA(EditLibModule(), MAKEINTRESOURCEA(IDD_PLUGINS), static_cast<HWND>(parent),
                                   PluginsDialogProc, 0));
}

}  // namespace vek::editlib
