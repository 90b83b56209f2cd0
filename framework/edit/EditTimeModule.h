// What an engineer with an edit-time side declares for the editor: its menus,
// the texts the host shows for the object, and its default file types.
#pragma once

#include "framework/edit/MenuLayout.h"

namespace vek {

// The host names the three kinds by these menu numbers.
constexpr int32_t kActionMenuNumber = 20000;
constexpr int32_t kConditionMenuNumber = 20001;
constexpr int32_t kExpressionMenuNumber = 20002;

struct EditTimeModule {
    const char* objectName;             // the object's name in the editor
    const char* helpFileName;           // relative to the host's folder
    const char* const* dependencies;    // files the library needs, ended by null
    const char* defaultExtensions;      // extension-list text of a new object
    MenuLayout actionMenu;
    MenuLayout conditionMenu;
    MenuLayout expressionMenu;
};

// Defined by the engineer library that has an edit-time side.
extern const EditTimeModule kEditTimeModule;

// The layout for a menu number; null for a number other than the three.
const MenuLayout* MenuLayoutOf(int32_t menuNumber);

}  // namespace vek
