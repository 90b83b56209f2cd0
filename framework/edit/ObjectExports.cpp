// The object as the host's editor handles it: its stored data, its picture's
// rectangle, its texts, its one property and the editor library it needs.
#include <cstring>

#include "engineer/ExtensionList.h"
#include "framework/EditData.h"
#include "framework/EngineerModule.h"
#include "framework/HostServices.h"
#include "framework/edit/EditExports.h"
#include "framework/edit/EditTimeModule.h"
#include "framework/edit/EditorLibrary.h"
#include "framework/edit/PropertyEntry.h"

namespace vek {

namespace {

constexpr uint32_t kCacheAtStartupProperty = 0x80001;
constexpr int32_t kObjectSize = 32;

const PropertyEntry kProperties[] = {
    {kCacheAtStartupProperty, "Enable Cache at Startup", "Enables memory-caching of sounds at startup", 10, 1, 0},
    {},
};

void* OwnerWindow(const HostServices* services) { return services == nullptr ? nullptr : services->window; }

void CopyText(char* out, const char* text) {
    if (out != nullptr) std::memcpy(out, text, std::strlen(text) + 1);
}

void FillNewObject(EditData& edit) {
    std::memset(edit.extensions, 0, sizeof edit.extensions);
    int32_t count = 0;
    ForEachExtension(kEditTimeModule.defaultExtensions, [&](const char* extension) {
        if (count < kExtensionSlots) CopyExtensionSlot(edit.extensions[count++], extension);
    });
    edit.extensionCount = count;
    edit.cacheAtStartup = 0;
}

}  // namespace

}  // namespace vek

using namespace vek;

extern "C" {

VEK_EXPORT int32_t VEK_STDCALL Initialize(HostServices* services, int32_t) {
    return ModuleEditorLibrary().Load(OwnerWindow(services));
}

VEK_EXPORT int32_t VEK_STDCALL Free(int32_t) {
    ModuleEditorLibrary().Release();
    return 0;
}

VEK_EXPORT int32_t VEK_STDCALL CreateObject(HostServices*, int32_t, EditData* edit) {
    if (edit != nullptr) FillNewObject(*edit);
    return 0;
}

VEK_EXPORT int32_t VEK_STDCALL EditObject(HostServices* services, int32_t, int32_t, EditData* edit) {
    if (edit != nullptr) EditExtensions(ModuleEditorLibrary().Editor(), OwnerWindow(services), *edit);
    return 1;
}

// left, top, right, bottom: the object is a 32 x 32 picture at its place.
VEK_EXPORT void VEK_STDCALL GetObjectRect(HostServices*, int32_t* rect, int32_t, int32_t) {
    if (rect == nullptr) return;
    rect[2] = int32_t(uint32_t(rect[0]) + kObjectSize);
    rect[3] = int32_t(uint32_t(rect[1]) + kObjectSize);
}

VEK_EXPORT int32_t VEK_STDCALL IsTransparent(HostServices*, int32_t, int32_t, int32_t, int32_t) { return 0; }

VEK_EXPORT void VEK_STDCALL GetObjInfos(HostServices*, int32_t, char* name, char* author, char* copyright,
                                        char* comment, char* url) {
    CopyText(name, kEditTimeModule.objectName);
    CopyText(author, kPluginAuthor);
    CopyText(copyright, kPluginCopyright);
    CopyText(comment, kEngineerModule.plugin.description);
    CopyText(url, kPluginUrl);
}

VEK_EXPORT const char* VEK_STDCALL GetHelpFileName() { return kEditTimeModule.helpFileName; }

VEK_EXPORT const char* const* VEK_STDCALL GetDependencies() { return kEditTimeModule.dependencies; }

VEK_EXPORT int32_t VEK_STDCALL GetProperties(HostServices* services, EditData* edit, int32_t) {
    if (services != nullptr && services->InsertProperties != nullptr)
        services->InsertProperties(edit, 1, kProperties, 1, 1);
    return 1;
}

VEK_EXPORT int32_t VEK_STDCALL GetPropCheck(HostServices*, EditData* edit, uint32_t property) {
    if (edit == nullptr || property != kCacheAtStartupProperty) return 0;
    return edit->cacheAtStartup != 0 ? 1 : 0;
}

VEK_EXPORT void VEK_STDCALL SetPropCheck(HostServices*, EditData* edit, uint32_t property, int32_t value) {
    if (edit == nullptr || property != kCacheAtStartupProperty) return;
    edit->cacheAtStartup = value != 0 ? 1 : 0;
}

VEK_EXPORT int32_t VEK_STDCALL IsPropEnabled(HostServices*, int32_t, int32_t) { return 1; }

}  // extern "C"
