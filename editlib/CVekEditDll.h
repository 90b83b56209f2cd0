// The editor library object as its users see it: seven virtual operations
// reached by their position in the virtual table, and the stored library
// handle. Users in other libraries compile calls against this declaration,
// so the order of the operations is the binding; no virtual destructor, as
// it would take table slots. Objects are made and destroyed only through the
// library's exports getVekEdit and freeVekEdit.
#pragma once

#include "engineer/Boundary.h"

class CVekEditDll {
public:
    // 1: always 1.
    virtual int32_t GetRevision() = 0;
    // 2: runs the installed plug-ins dialog modally over parent; 1 once the
    // user has closed it, the platform's failure value when it can't be made.
    virtual int32_t ShowPluginsDialog(void* parent) = 0;
    // 3: the creator stores the library's module handle here.
    virtual void SetLibraryHandle(void* handle) = 0;
    // 4
    virtual void* GetLibraryHandle() = 0;
    // 5: always true (1).
    virtual int32_t IsReady() = 0;
    // 6: flags not 0: 0 at once, nothing shown. Otherwise runs the file-type
    // dialog over parent on the caller's `capacity` 13-byte fields and answers
    // the entry count after it (the count passed in after Cancel).
    virtual int32_t EditFileTypes(void* parent, int32_t flags, int32_t count, int32_t capacity, char** entries) = 0;
    // 7: always -1.
    virtual int32_t ReservedOperation(int32_t a, int32_t b, int32_t c, int32_t d) = 0;

    // The one data member; null in a new object.
    void* libraryHandle = nullptr;

protected:
    CVekEditDll() = default;
    ~CVekEditDll() = default;
};

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
static_assert(sizeof(CVekEditDll) == 8, "CVekEditDll: table pointer and handle");
static_assert(offsetof(CVekEditDll, libraryHandle) == 4, "stored handle after the table pointer");
#pragma GCC diagnostic pop

// The library's exports, as users look them up by name.
using GetVekEditFn = CVekEditDll*(VEK_STDCALL*)();
using FreeVekEditFn = void(VEK_STDCALL*)(CVekEditDll* object);
