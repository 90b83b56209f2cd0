// The library's own module: where the dialogs find their templates, icon and bitmaps.
#pragma once

#include <windows.h>

namespace vek::editlib {

HINSTANCE EditLibModule();

// Shows icon group 113 as the dialog's small and large icon, when it loads.
void SetDialogIcon(HWND dialog);

}  // namespace vek::editlib
