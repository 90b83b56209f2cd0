// An engineer library loaded by file name, as the host and tools load it,
// with the exports the host drives resolved by name.
#pragma once

#include <string>

#include "engineer/PluginInfo.h"
#include "framework/EditData.h"
#include "framework/HostServices.h"
#include "framework/RunObjectInfos.h"

namespace vek::testing {

struct EngineerExports {
    int32_t(VEK_STDCALL* GetInfos)(int32_t) = nullptr;
    int16_t(VEK_STDCALL* GetRunObjectInfos)(int32_t, RunObjectInfos*) = nullptr;
    int16_t(VEK_STDCALL* GetRunObjectDataSize)(int32_t, int32_t) = nullptr;
    int16_t(VEK_STDCALL* CreateRunObject)(void*, EditData*, int32_t) = nullptr;
    int16_t(VEK_STDCALL* DestroyRunObject)(void*, int32_t) = nullptr;
    int16_t(VEK_STDCALL* HandleRunObject)(void*) = nullptr;
    void(VEK_STDCALL* StartApp)(HostServices*, void*) = nullptr;
    void(VEK_STDCALL* EndApp)(HostServices*, void*) = nullptr;
    void*(VEK_STDCALL* GetDebugTree)(int32_t) = nullptr;
    void*(VEK_STDCALL* GetActionInfos)(int32_t, int32_t) = nullptr;
    void*(VEK_STDCALL* GetExpressionInfos)(int32_t, int32_t) = nullptr;
    VekGrabInfosFn VekGrabInfos = nullptr;
};

class EngineerLibrary {
public:
    explicit EngineerLibrary(const std::string& path);
    ~EngineerLibrary();
    EngineerLibrary(const EngineerLibrary&) = delete;
    EngineerLibrary& operator=(const EngineerLibrary&) = delete;

    bool loaded() const { return handle_ != nullptr; }
    // True when every export above was found.
    bool complete() const { return complete_; }
    void* Find(const char* name) const;
    const EngineerExports& exports() const { return exports_; }
    void* handle() const { return handle_; }

private:
    void* handle_ = nullptr;
    bool complete_ = false;
    EngineerExports exports_;
};

// Where the built libraries lie (set by the build for tests).
std::string ExtensionsFolder();

}  // namespace vek::testing
