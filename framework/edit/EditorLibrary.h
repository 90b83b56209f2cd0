// The editor resource library as the engineer binds it at edit time: loaded
// by file name at Initialize, its object obtained through getVekEdit and
// given back through freeVekEdit at Free.
#pragma once

#include "editlib/CVekEditDll.h"
#include "platform/Platform.h"

struct EditData;

namespace vek {

constexpr char kEditorLibraryFile[] = "VekEdit.dll";
constexpr char kEditorLibraryMissing[] = "Could not load VekEdit.dll!";
constexpr char kEditorClassMissing[] = "Could not load VekEdit class from VekEdit.dll!";

// How the binding reaches the system; tests give their own.
struct EditorLibraryOps {
    platform::LibraryHandle (*load)(const char* file);
    void* (*find)(platform::LibraryHandle library, const char* name);
    void (*unload)(platform::LibraryHandle library);
    void (*showError)(void* owner, const char* text);
};

// The platform's library loading and message boxes.
const EditorLibraryOps& PlatformEditorLibraryOps();

class EditorLibrary {
public:
    explicit EditorLibrary(const EditorLibraryOps& ops) : ops_(ops) {}
    EditorLibrary(const EditorLibrary&) = delete;
    EditorLibrary& operator=(const EditorLibrary&) = delete;

    // Initialize: 0 when the object was obtained (or is held already), 1 when
    // not; a failure to load is told in a message box owned by `owner`.
    int32_t Load(void* owner);
    // Free: gives the object back through the library it names and unloads
    // that library; nothing when no object is held.
    void Release();
    CVekEditDll* Editor() const { return editor_; }

private:
    const EditorLibraryOps& ops_;
    CVekEditDll* editor_ = nullptr;
};

// The one binding of the engineer library.
EditorLibrary& ModuleEditorLibrary();

// EditObject's work: the file-type dialog over the 64 extension slots, its
// result stored as the new count. Without an editor the data stays as it is.
void EditExtensions(CVekEditDll* editor, void* owner, EditData& edit);

}  // namespace vek
