#include "framework/edit/EditorLibrary.h"

#include "framework/EditData.h"
#include "framework/edit/HostGlue.h"

namespace vek {

namespace {

constexpr EditorLibraryOps kPlatformOps = {
    &platform::LoadLibraryFile,
    &platform::FindExport,
    &platform::FreeLibraryFile,
    &ShowEditorError,
};

}  // namespace

const EditorLibraryOps& PlatformEditorLibraryOps() { return kPlatformOps; }

int32_t EditorLibrary::Load(void* owner) {
    if (editor_ != nullptr) return 0;
    const platform::LibraryHandle library = ops_.load(kEditorLibraryFile);
    if (library == nullptr) {
        ops_.showError(owner, kEditorLibraryMissing);
        return 1;
    }
    const auto getVekEdit = reinterpret_cast<GetVekEditFn>(ops_.find(library, "getVekEdit"));
    if (getVekEdit == nullptr) {
        ops_.showError(owner, kEditorClassMissing);
        ops_.unload(library);
        return 1;
    }
    CVekEditDll* editor = getVekEdit();
    if (editor == nullptr) {
        ops_.unload(library);
        return 1;
    }
    editor->SetLibraryHandle(library);
    editor_ = editor;
    return 0;
}

void EditorLibrary::Release() {
    if (editor_ == nullptr) return;
    const platform::LibraryHandle library = editor_->GetLibraryHandle();
    const auto freeVekEdit = reinterpret_cast<FreeVekEditFn>(ops_.find(library, "freeVekEdit"));
    if (freeVekEdit != nullptr) freeVekEdit(editor_);
    ops_.unload(library);
    editor_ = nullptr;
}

EditorLibrary& ModuleEditorLibrary() {
    static EditorLibrary library(PlatformEditorLibraryOps());
    return library;
}

void EditExtensions(CVekEditDll* editor, void* owner, EditData& edit) {
    if (editor == nullptr) return;
    char* slots[kExtensionSlots];
    for (int i = 0; i < kExtensionSlots; ++i) slots[i] = edit.extensions[i];
    edit.extensionCount = editor->EditFileTypes(owner, 0, edit.extensionCount, kExtensionSlots, slots);
}

}  // namespace vek
