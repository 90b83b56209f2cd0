// The file-type list dialog (template 107): the caller's entries joined into
// edit box 1019 at start-up; OK reads the edited line back into the entries
// and ends with 1; Cancel (also Escape and the close command) ends with 2 and
// changes nothing.
#include <windows.h>

#include "editlib/DialogIds.h"
#include "editlib/Dialogs.h"
#include "editlib/FileTypeList.h"
#include "editlib/win32/Module.h"

namespace vek::editlib {

namespace {

FileTypeListView* ViewOf(HWND dialog) {
    return reinterpret_cast<FileTypeListView*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

void StartUp(HWND dialog, FileTypeListView* view) {
    SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
    SetDialogIcon(dialog);
    if (view == nullptr || view->count <= 0) return;
    char line[kFileTypeLineSize];
    JoinFileTypes(*view, line, sizeof line);
    SetDlgItemTextA(dialog, IDC_FILE_TYPE_LINE, line);
}

void Accept(HWND dialog) {
    if (FileTypeListView* view = ViewOf(dialog)) {
        char line[kFileTypeLineSize];
        GetDlgItemTextA(dialog, IDC_FILE_TYPE_LINE, line, sizeof line);
        StoreFileTypes(*view, line);
    }
    EndDialog(dialog, kFileTypesAccepted);
}

INT_PTR CALLBACK FileTypeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            StartUp(dialog, reinterpret_cast<FileTypeListView*>(lParam));
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                Accept(dialog);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, kFileTypesCancelled);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

int32_t RunFileTypeDialog(void* parent, FileTypeListView* view) {
    return int32_t(DialogBoxParamA(EditLibModule(), MAKEINTRESOURCEA(IDD_FILE_TYPES), static_cast<HWND>(parent),
                                   FileTypeDialogProc, reinterpret_cast<LPARAM>(view)));
}

}  // namespace vek::editlib
