#include "platform/Platform.h"

#include <windows.h>

namespace vek::platform {

LibraryHandle LoadLibraryFile(const char* path) { return reinterpret_cast<LibraryHandle>(LoadLibraryA(path)); }

void* FindExport(LibraryHandle library, const char* name) {
    if (library == nullptr) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void FreeLibraryFile(LibraryHandle library) {
    if (library != nullptr) FreeLibrary(static_cast<HMODULE>(library));
}

bool IsLibraryLoaded(const char* path) { return GetModuleHandleA(path) != nullptr; }

void* ModuleOfAddress(const void* address) {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       static_cast<LPCSTR>(address), &module);
    return module;
}

std::string ExecutablePath() {
    char path[2048];
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    if (n == 0 || n >= sizeof path) return {};
    return std::string(path, n);
}

std::vector<std::string> FindFiles(const std::string& folder, const char* pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const std::string search = folder + pattern;
    HANDLE find = FindFirstFileA(search.c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(found.cFileName);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return names;
}

char PathSeparator() { return '\\'; }

}  // namespace vek::platform
