// Exports the host expects that have nothing to do: each takes its arguments
// (so that the stdcall clean-up is right) and answers a fixed constant.
#include "engineer/Boundary.h"

#define VEK_ARGS_0 void
#define VEK_ARGS_1 int32_t
#define VEK_ARGS_2 int32_t, int32_t
#define VEK_ARGS_3 int32_t, int32_t, int32_t
#define VEK_ARGS_4 int32_t, int32_t, int32_t, int32_t
#define VEK_ARGS_5 int32_t, int32_t, int32_t, int32_t, int32_t
#define VEK_ARGS_7 int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t

#define VEK_INERT(type, result, name, args) \
    VEK_EXPORT type VEK_STDCALL name(VEK_ARGS_##args) { return result; }
#define VEK_INERT_VOID(name, args) \
    VEK_EXPORT void VEK_STDCALL name(VEK_ARGS_##args) {}

extern "C" {

// Both engineers.
VEK_INERT(int32_t, 0, EditProp, 3)
VEK_INERT(int32_t, 0, GetPropCreateParam, 3)
VEK_INERT(int32_t, 0, GetPropValue, 3)
VEK_INERT(int32_t, 0, GetFilters, 4)
VEK_INERT(int32_t, 0, LoadObject, 4)
VEK_INERT(int32_t, 0, GetTextAlignment, 2)
VEK_INERT(int32_t, 0, GetTextCaps, 2)
VEK_INERT(int32_t, 0, GetTextClr, 2)
VEK_INERT(int32_t, 0, UpdateEditStructure, 2)
VEK_INERT(int32_t, 0, UsesFile, 2)
VEK_INERT(int32_t, 1, GetTextFont, 5)
VEK_INERT(int32_t, 1, SetTextFont, 4)
VEK_INERT_VOID(PutObject, 4)
VEK_INERT_VOID(ReleasePropCreateParam, 4)
VEK_INERT_VOID(RemoveObject, 4)
VEK_INERT_VOID(SetPropValue, 4)
VEK_INERT_VOID(UpdateFileNames, 4)
VEK_INERT_VOID(CreateFromFile, 3)
VEK_INERT_VOID(DuplicateObject, 3)
VEK_INERT_VOID(EditParameter, 3)
VEK_INERT_VOID(InitParameter, 3)
VEK_INERT_VOID(PrepareToWriteObject, 3)
VEK_INERT_VOID(ReleaseProperties, 3)
VEK_INERT_VOID(SetTextAlignment, 3)
VEK_INERT_VOID(SetTextClr, 3)
VEK_INERT_VOID(UnloadObject, 3)
VEK_INERT_VOID(GetParameterString, 5)

#if defined(VEK_RUNTIME_ONLY)
// The run-time-only build: every edit-time export is inert too.
VEK_INERT(int32_t, 1, GetProperties, 3)
VEK_INERT(int32_t, 1, IsPropEnabled, 3)
VEK_INERT(int32_t, 0, GetActionMenu, 3)
VEK_INERT(int32_t, 0, GetConditionMenu, 3)
VEK_INERT(int32_t, 0, GetExpressionMenu, 3)
VEK_INERT(int32_t, 0, GetPropCheck, 3)
VEK_INERT(int32_t, 0, EditObject, 4)
VEK_INERT(int32_t, 0, IsTransparent, 5)
VEK_INERT(int32_t, 0, GetActionInfos, 2)
VEK_INERT(int32_t, 0, GetConditionInfos, 2)
VEK_INERT(int32_t, 0, GetExpressionInfos, 2)
VEK_INERT(int32_t, 0, Initialize, 2)
VEK_INERT(int32_t, 0, Free, 1)
VEK_INERT(const char*, nullptr, GetDependencies, 0)
VEK_INERT(const char*, nullptr, GetHelpFileName, 0)
VEK_INERT(int32_t, -1, CreateObject, 3)
VEK_INERT(int16_t, -1, GetActionCodeFromMenu, 2)
VEK_INERT(int16_t, -1, GetConditionCodeFromMenu, 2)
VEK_INERT(int16_t, -1, GetExpressionCodeFromMenu, 2)
VEK_INERT_VOID(GetActionString, 4)
VEK_INERT_VOID(GetConditionString, 4)
VEK_INERT_VOID(GetExpressionString, 4)
VEK_INERT_VOID(GetExpressionTitle, 4)
VEK_INERT_VOID(GetObjectRect, 4)
VEK_INERT_VOID(SetPropCheck, 4)
VEK_INERT_VOID(GetActionTitle, 5)
VEK_INERT_VOID(GetConditionTitle, 5)
VEK_INERT_VOID(GetExpressionParam, 5)
VEK_INERT_VOID(GetObjInfos, 7)
#endif

}  // extern "C"
