// Without a window system no dialog can be created: each modal run reports
// that, as the Windows build does when a dialog can't be made, and leaves
// everything it was given untouched.
#include "editlib/Dialogs.h"

namespace vek::editlib {

int32_t RunPluginsDialog(void*) { return kDialogFailed; }

int32_t RunFileTypeDialog(void*, FileTypeListView*) { return kDialogFailed; }

}  // namespace vek::editlib
