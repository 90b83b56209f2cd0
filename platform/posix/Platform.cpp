// The build defines _FILE_OFFSET_BITS=64: with 32-bit offsets readdir fails
// on file systems whose directory offsets or inode numbers don't fit (ext4's
// hashed offsets), and every search would come back empty.
#include "platform/Platform.h"

#include <dirent.h>
#include <dlfcn.h>
#include <fnmatch.h>
#include <unistd.h>

#include <climits>

namespace vek::platform {

LibraryHandle LoadLibraryFile(const char* path) { return dlopen(path, RTLD_NOW | RTLD_LOCAL); }

void* FindExport(LibraryHandle library, const char* name) {
    return library == nullptr ? nullptr : dlsym(library, name);
}

void FreeLibraryFile(LibraryHandle library) {
    if (library != nullptr) dlclose(library);
}

bool IsLibraryLoaded(const char* path) {
    void* handle = dlopen(path, RTLD_NOW | RTLD_NOLOAD);
    if (handle == nullptr) return false;
    dlclose(handle);
    return true;
}

void* ModuleOfAddress(const void* address) {
    Dl_info info{};
    if (dladdr(address, &info) == 0) return nullptr;
    return info.dli_fbase;
}

std::string ExecutablePath() {
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return {};
    return std::string(path, size_t(n));
}

std::vector<std::string> FindFiles(const std::string& folder, const char* pattern) {
    std::vector<std::string> names;
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) return names;
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_type == DT_DIR) continue;
        if (fnmatch(pattern, entry->d_name, FNM_CASEFOLD) == 0) names.emplace_back(entry->d_name);
    }
    closedir(dir);
    return names;
}

char PathSeparator() { return '/'; }

}  // namespace vek::platform
