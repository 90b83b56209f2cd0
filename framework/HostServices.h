// The host's services record: the first argument of the edit-time exports and
// of StartApp/EndApp. Only the fields below are used; the rest is the host's.
#pragma once

#include "engineer/Boundary.h"

struct EditData;
struct PropertyEntry;

// The pointer last stored for (application, module), or null. Called by the engineers.
using GetAppExtensionDataFn = void*(VEK_STDCALL*)(void* application, void* module);
// Stores the pointer for (application, module); null clears it. Called by the engineers.
using SetAppExtensionDataFn = void(VEK_STDCALL*)(void* application, void* module, void* data);
// Adds a property table to the editor's property list. Called by GetProperties.
using InsertPropertiesFn = void(VEK_STDCALL*)(EditData* edit, int32_t a, const PropertyEntry* table,
                                              int32_t b, int32_t c);

struct HostServices {
    uint8_t hostFields0[16];
    void* window;  // the editor's window: message-box owner, dialog parent
    uint8_t hostFields20[292 - 20];
    GetAppExtensionDataFn GetAppExtensionData;
    SetAppExtensionDataFn SetAppExtensionData;
    uint8_t hostFields300[340 - 300];
    InsertPropertiesFn InsertProperties;
};

static_assert(offsetof(HostServices, window) == 16, "window");
static_assert(offsetof(HostServices, GetAppExtensionData) == 292, "GetAppExtensionData");
static_assert(offsetof(HostServices, SetAppExtensionData) == 296, "SetAppExtensionData");
static_assert(offsetof(HostServices, InsertProperties) == 340, "InsertProperties");
static_assert(sizeof(HostServices) == 344, "HostServices covers the fields used");
