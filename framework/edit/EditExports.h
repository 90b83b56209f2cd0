// The edit-time exports of an engineer with an edit-time side, as the host
// calls them (in the run-time-only build the same names are inert).
#pragma once

#include "engineer/Boundary.h"

struct EditData;
struct HostServices;

extern "C" {

// Menus: a new popup holding the kind's menu; the host owns it.
VEK_EXPORT void* VEK_STDCALL GetActionMenu(int32_t, int32_t, int32_t);
VEK_EXPORT void* VEK_STDCALL GetConditionMenu(int32_t, int32_t, int32_t);
VEK_EXPORT void* VEK_STDCALL GetExpressionMenu(int32_t, int32_t, int32_t);

// The code of the entry with this menu ID, or -1.
VEK_EXPORT int16_t VEK_STDCALL GetActionCodeFromMenu(int32_t, int32_t menuId);
VEK_EXPORT int16_t VEK_STDCALL GetConditionCodeFromMenu(int32_t, int32_t menuId);
VEK_EXPORT int16_t VEK_STDCALL GetExpressionCodeFromMenu(int32_t, int32_t menuId);

// A parameter's title; a buffer is never written beyond `length` bytes.
VEK_EXPORT void VEK_STDCALL GetActionTitle(int32_t, int32_t code, int32_t index, char* buffer, int32_t length);
VEK_EXPORT void VEK_STDCALL GetConditionTitle(int32_t, int32_t code, int32_t index, char* buffer, int32_t length);
VEK_EXPORT void VEK_STDCALL GetExpressionTitle(int32_t, int32_t code, char* buffer, int32_t length);

// An entry's display text.
VEK_EXPORT void VEK_STDCALL GetActionString(int32_t, int32_t code, char* buffer, int32_t length);
VEK_EXPORT void VEK_STDCALL GetConditionString(int32_t, int32_t code, char* buffer, int32_t length);
VEK_EXPORT void VEK_STDCALL GetExpressionString(int32_t, int32_t code, char* buffer, int32_t length);

// An expression parameter's name, or an empty text.
VEK_EXPORT void VEK_STDCALL GetExpressionParam(int32_t, int32_t code, int32_t index, char* buffer, int32_t length);

// The editor library, loaded at edit-time start-up and released at its end.
VEK_EXPORT int32_t VEK_STDCALL Initialize(HostServices* services, int32_t);
VEK_EXPORT int32_t VEK_STDCALL Free(int32_t);

// The object's data and what the editor shows of it.
VEK_EXPORT int32_t VEK_STDCALL CreateObject(HostServices* services, int32_t, EditData* edit);
VEK_EXPORT int32_t VEK_STDCALL EditObject(HostServices* services, int32_t, int32_t, EditData* edit);
VEK_EXPORT void VEK_STDCALL GetObjectRect(HostServices* services, int32_t* rect, int32_t, int32_t);
VEK_EXPORT int32_t VEK_STDCALL IsTransparent(HostServices* services, int32_t, int32_t, int32_t, int32_t);
VEK_EXPORT void VEK_STDCALL GetObjInfos(HostServices* services, int32_t, char* name, char* author, char* copyright,
                                        char* comment, char* url);
VEK_EXPORT const char* VEK_STDCALL GetHelpFileName();
VEK_EXPORT const char* const* VEK_STDCALL GetDependencies();

// The one property, "Enable Cache at Startup".
VEK_EXPORT int32_t VEK_STDCALL GetProperties(HostServices* services, EditData* edit, int32_t);
VEK_EXPORT int32_t VEK_STDCALL GetPropCheck(HostServices* services, EditData* edit, uint32_t property);
VEK_EXPORT void VEK_STDCALL SetPropCheck(HostServices* services, EditData* edit, uint32_t property, int32_t value);
VEK_EXPORT int32_t VEK_STDCALL IsPropEnabled(HostServices* services, int32_t, int32_t);

}  // extern "C"
