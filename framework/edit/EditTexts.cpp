// The texts the host's editor shows: menus, codes from menu IDs, parameter
// titles, display texts and expression parameter names, all read from the
// registry.
#include <cstring>

#include "framework/EngineerModule.h"
#include "framework/edit/EditExports.h"
#include "framework/edit/EditTimeModule.h"
#include "framework/edit/HostGlue.h"

namespace vek {

namespace {

const KindTables* KindOf(int32_t menuNumber) {
    const Registry& registry = ModuleRegistry();
    switch (menuNumber) {
        case kActionMenuNumber: return &registry.actions;
        case kConditionMenuNumber: return &registry.conditions;
        case kExpressionMenuNumber: return &registry.expressions;
        default: return nullptr;
    }
}

// At most length - 1 characters and the terminator; nothing without room.
void CopyText(char* buffer, int32_t length, const char* text) {
    if (buffer == nullptr || length <= 0) return;
    const size_t size = std::strlen(text);
    const size_t take = size < size_t(length) - 1 ? size : size_t(length) - 1;
    std::memcpy(buffer, text, take);
    buffer[take] = '\0';
}

const AceRecord* RecordOf(const KindTables& kind, int32_t code) {
    if (code < 0 || size_t(code) >= kind.records.Length()) return nullptr;
    return kind.records[size_t(code)];
}

int16_t CodeFromMenu(int32_t menuNumber, int32_t menuId) {
    return CodeFromMenuId(KindOf(menuNumber)->info, uint16_t(menuId));
}

// The title of a registered parameter; nothing for a code or index the
// registry doesn't hold, so the lookup never reads past the code's entry.
void WriteParameterTitle(int32_t menuNumber, int32_t code, int32_t index, char* buffer, int32_t length) {
    const KindTables& kind = *KindOf(menuNumber);
    const uint16_t* entry = FindInfoEntry(kind.info, int16_t(code));
    if (entry == nullptr) return;
    const int16_t n = int16_t(entry[4]);
    const int16_t parameter = int16_t(index);
    if (parameter < 0 || parameter >= n) return;
    if (entry[5 + n + parameter] == 0) {
        CopyMenuResourceText(ModuleHandle(), menuNumber, entry[0], buffer, length);
        return;
    }
    const AceRecord* record = RecordOf(kind, int16_t(code));
    if (record == nullptr || size_t(parameter) >= record->paramNames.Length()) return;
    CopyText(buffer, length, record->paramNames[size_t(parameter)]);
}

void WriteDisplayText(int32_t menuNumber, int32_t code, char* buffer, int32_t length) {
    const AceRecord* record = RecordOf(*KindOf(menuNumber), code);
    if (record != nullptr && record->displayText != nullptr) CopyText(buffer, length, record->displayText);
}

void WriteExpressionParameterName(int32_t code, int32_t index, char* buffer, int32_t length) {
    const AceRecord* record = RecordOf(ModuleRegistry().expressions, code);
    const char* name = "";
    if (record != nullptr && index >= 0 && size_t(index) < record->paramNames.Length() &&
        record->paramNames[size_t(index)] != nullptr)
        name = record->paramNames[size_t(index)];
    CopyText(buffer, length, name);
}

}  // namespace

const MenuLayout* MenuLayoutOf(int32_t menuNumber) {
    switch (menuNumber) {
        case kActionMenuNumber: return &kEditTimeModule.actionMenu;
        case kConditionMenuNumber: return &kEditTimeModule.conditionMenu;
        case kExpressionMenuNumber: return &kEditTimeModule.expressionMenu;
        default: return nullptr;
    }
}

}  // namespace vek

using namespace vek;

extern "C" {

VEK_EXPORT void* VEK_STDCALL GetActionMenu(int32_t, int32_t, int32_t) {
    return MakeHostMenu(MenuLayoutOf(kActionMenuNumber));
}
VEK_EXPORT void* VEK_STDCALL GetConditionMenu(int32_t, int32_t, int32_t) {
    return MakeHostMenu(MenuLayoutOf(kConditionMenuNumber));
}
VEK_EXPORT void* VEK_STDCALL GetExpressionMenu(int32_t, int32_t, int32_t) {
    return MakeHostMenu(MenuLayoutOf(kExpressionMenuNumber));
}

VEK_EXPORT int16_t VEK_STDCALL GetActionCodeFromMenu(int32_t, int32_t menuId) {
    return CodeFromMenu(kActionMenuNumber, menuId);
}
VEK_EXPORT int16_t VEK_STDCALL GetConditionCodeFromMenu(int32_t, int32_t menuId) {
    return CodeFromMenu(kConditionMenuNumber, menuId);
}
VEK_EXPORT int16_t VEK_STDCALL GetExpressionCodeFromMenu(int32_t, int32_t menuId) {
    return CodeFromMenu(kExpressionMenuNumber, menuId);
}

VEK_EXPORT void VEK_STDCALL GetActionTitle(int32_t, int32_t code, int32_t index, char* buffer, int32_t length) {
    WriteParameterTitle(kActionMenuNumber, code, index, buffer, length);
}
VEK_EXPORT void VEK_STDCALL GetConditionTitle(int32_t, int32_t code, int32_t index, char* buffer, int32_t length) {
    WriteParameterTitle(kConditionMenuNumber, code, index, buffer, length);
}
VEK_EXPORT void VEK_STDCALL GetExpressionTitle(int32_t, int32_t code, char* buffer, int32_t length) {
    WriteParameterTitle(kExpressionMenuNumber, code, 0, buffer, length);
}

VEK_EXPORT void VEK_STDCALL GetActionString(int32_t, int32_t code, char* buffer, int32_t length) {
    WriteDisplayText(kActionMenuNumber, code, buffer, length);
}
VEK_EXPORT void VEK_STDCALL GetConditionString(int32_t, int32_t code, char* buffer, int32_t length) {
    WriteDisplayText(kConditionMenuNumber, code, buffer, length);
}
VEK_EXPORT void VEK_STDCALL GetExpressionString(int32_t, int32_t code, char* buffer, int32_t length) {
    WriteDisplayText(kExpressionMenuNumber, code, buffer, length);
}

VEK_EXPORT void VEK_STDCALL GetExpressionParam(int32_t, int32_t code, int32_t index, char* buffer, int32_t length) {
    WriteExpressionParameterName(code, index, buffer, length);
}

}  // extern "C"
