// The few edit-time services that need the window system: the message box,
// the host's menus and menu resources. Windows has them; elsewhere they
// report on the standard error stream or have nothing to give.
#pragma once

#include "framework/edit/MenuLayout.h"

namespace vek {

// Caption of every message the editor shows.
constexpr char kMessageCaption[] = "Vek";

// An error message box owned by the given window.
void ShowEditorError(void* owner, const char* text);

// A new popup menu holding a copy of the layout's menu (empty for a null
// layout); it belongs to the caller. Null where there are no menus.
void* MakeHostMenu(const MenuLayout* layout);

// Copies the text of item `itemId` of the library's menu resource
// `menuNumber` into the buffer, when there is such a resource.
void CopyMenuResourceText(void* module, int32_t menuNumber, uint16_t itemId, char* buffer, int32_t length);

}  // namespace vek
