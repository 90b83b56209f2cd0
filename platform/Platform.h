// The little of the operating system that portable code needs: libraries
// loaded by file name, exports by name, module handles, the executable's path
// and directory search with a wildcard pattern.
#pragma once

#include <string>
#include <vector>

namespace vek::platform {

using LibraryHandle = void*;

// Null when the file cannot be loaded as a library.
LibraryHandle LoadLibraryFile(const char* path);
void* FindExport(LibraryHandle library, const char* name);
void FreeLibraryFile(LibraryHandle library);
// Whether a library with this path is loaded in the process right now.
bool IsLibraryLoaded(const char* path);

// The handle of the module (library or executable) that holds `address`.
void* ModuleOfAddress(const void* address);

// Full path of the process's executable; empty when unknown.
std::string ExecutablePath();

// Names (not paths) of the files in folder (ending with a separator) matching pattern ("Vek*.mfx"),
// compared without regard to letter case, in the order the system lists them.
std::vector<std::string> FindFiles(const std::string& folder, const char* pattern);

// The separator this platform puts between folder and file names.
char PathSeparator();

}  // namespace vek::platform
