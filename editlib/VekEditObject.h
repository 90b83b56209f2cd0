// The library's own CVekEditDll: the operations behind the virtual table.
#pragma once

#include "editlib/CVekEditDll.h"

namespace vek::editlib {

class VekEditObject final : public CVekEditDll {
public:
    int32_t GetRevision() override;
    int32_t ShowPluginsDialog(void* parent) override;
    void SetLibraryHandle(void* handle) override;
    void* GetLibraryHandle() override;
    int32_t IsReady() override;
    int32_t EditFileTypes(void* parent, int32_t flags, int32_t count, int32_t capacity, char** entries) override;
    int32_t ReservedOperation(int32_t a, int32_t b, int32_t c, int32_t d) override;
};

static_assert(sizeof(VekEditObject) == sizeof(CVekEditDll), "the object is exactly the binding record");

}  // namespace vek::editlib

extern "C" {
// Each call makes a new object on the library's heap; null when out of memory.
VEK_EXPORT CVekEditDll* VEK_STDCALL getVekEdit();
// Destroys an object made by getVekEdit; null is ignored.
VEK_EXPORT void VEK_STDCALL freeVekEdit(CVekEditDll* object);
}
