#include "testing/EngineerLibrary.h"

#include <cstdlib>

#include "platform/Platform.h"

namespace vek::testing {

namespace {
template <typename Fn>
bool Resolve(void* handle, const char* name, Fn& out) {
    out = reinterpret_cast<Fn>(platform::FindExport(handle, name));
    return out != nullptr;
}
}  // namespace

EngineerLibrary::EngineerLibrary(const std::string& path) : handle_(platform::LoadLibraryFile(path.c_str())) {
    if (handle_ == nullptr) return;
    bool all = true;
    all &= Resolve(handle_, "GetInfos", exports_.GetInfos);
    all &= Resolve(handle_, "GetRunObjectInfos", exports_.GetRunObjectInfos);
    all &= Resolve(handle_, "GetRunObjectDataSize", exports_.GetRunObjectDataSize);
    all &= Resolve(handle_, "CreateRunObject", exports_.CreateRunObject);
    all &= Resolve(handle_, "DestroyRunObject", exports_.DestroyRunObject);
    all &= Resolve(handle_, "HandleRunObject", exports_.HandleRunObject);
    all &= Resolve(handle_, "StartApp", exports_.StartApp);
    all &= Resolve(handle_, "EndApp", exports_.EndApp);
    all &= Resolve(handle_, "GetDebugTree", exports_.GetDebugTree);
    all &= Resolve(handle_, "GetActionInfos", exports_.GetActionInfos);
    all &= Resolve(handle_, "GetExpressionInfos", exports_.GetExpressionInfos);
    all &= Resolve(handle_, "VekGrabInfos", exports_.VekGrabInfos);
    complete_ = all;
}

EngineerLibrary::~EngineerLibrary() { platform::FreeLibraryFile(handle_); }

void* EngineerLibrary::Find(const char* name) const { return platform::FindExport(handle_, name); }

std::string ExtensionsFolder() {
    if (const char* folder = std::getenv("VEK_EXTENSIONS_DIR")) return folder;
#ifdef VEK_EXTENSIONS_DIR
    return VEK_EXTENSIONS_DIR;
#else
    return "Extensions";
#endif
}

}  // namespace vek::testing
