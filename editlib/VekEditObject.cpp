#include "editlib/VekEditObject.h"

#include <new>

#include "editlib/Dialogs.h"

namespace vek::editlib {

int32_t VekEditObject::GetRevision() { return 1; }

int32_t VekEditObject::ShowPluginsDialog(void* parent) { return RunPluginsDialog(parent); }

void VekEditObject::SetLibraryHandle(void* handle) { libraryHandle = handle; }

void* VekEditObject::GetLibraryHandle() { return libraryHandle; }

int32_t VekEditObject::IsReady() { return 1; }

int32_t VekEditObject::EditFileTypes(void* parent, int32_t flags, int32_t count, int32_t capacity, char** entries) {
    if (flags != 0) return 0;
    FileTypeListView view{count, capacity, entries};
    // Cancel and a dialog that can't be made leave the view as it came.
    RunFileTypeDialog(parent, &view);
    return view.count;
}

int32_t VekEditObject::ReservedOperation(int32_t, int32_t, int32_t, int32_t) { return -1; }

}  // namespace vek::editlib

extern "C" {

VEK_EXPORT CVekEditDll* VEK_STDCALL getVekEdit() { return new (std::nothrow) vek::editlib::VekEditObject(); }

VEK_EXPORT void VEK_STDCALL freeVekEdit(CVekEditDll* object) {
    delete static_cast<vek::editlib::VekEditObject*>(object);
}

}  // extern "C"
