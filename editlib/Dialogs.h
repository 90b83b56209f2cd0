// The library's two modal dialogs, as the platform makes them. Each runs to
// completion on the caller's thread.
#pragma once

#include "editlib/FileTypeListView.h"

namespace vek::editlib {

// What a modal run answers when its dialog can't be created.
constexpr int32_t kDialogFailed = -1;
constexpr int32_t kFileTypesAccepted = 1;  // OK: the view was rewritten
constexpr int32_t kFileTypesCancelled = 2;
constexpr int32_t kPluginsDialogClosed = 1;

// The installed plug-ins dialog over parent.
int32_t RunPluginsDialog(void* parent);
// The file-type list dialog over parent, editing view in place on OK.
int32_t RunFileTypeDialog(void* parent, FileTypeListView* view);

}  // namespace vek::editlib
