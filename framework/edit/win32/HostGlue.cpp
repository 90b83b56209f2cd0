// The edit-time services on Windows: message boxes, the host's menus built
// from the layouts, and the library's menu resources.
#include "framework/edit/HostGlue.h"

#include <windows.h>

namespace vek {

namespace {

// Item texts are copied through a buffer of this size: at most 79 characters.
constexpr int kMenuTextSize = 80;

class HostMenuSink final : public MenuSink {
public:
    Menu CreateMenuBar() override { return CreateMenu(); }
    Menu CreatePopup() override { return CreatePopupMenu(); }
    void AppendItem(Menu menu, uint16_t id, const char* text) override {
        AppendMenuA(static_cast<HMENU>(menu), MF_STRING | MF_ENABLED, id, text);
    }
    void AppendPopup(Menu menu, Menu popup, const char* title, bool greyed) override {
        AppendMenuA(static_cast<HMENU>(menu), MF_POPUP | MF_STRING | (greyed ? MF_GRAYED : MF_ENABLED),
                    reinterpret_cast<UINT_PTR>(popup), title);
    }
    void AppendSeparator(Menu menu) override { AppendMenuA(static_cast<HMENU>(menu), MF_SEPARATOR, 0, nullptr); }
};

void AppendItemCopy(HMENU to, const MENUITEMINFOA& from, char* text) {
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_ID | MIIM_STATE | MIIM_STRING;
    item.wID = from.wID;
    item.fState = from.fState;
    item.dwTypeData = text;
    InsertMenuItemA(to, UINT(GetMenuItemCount(to)), TRUE, &item);
}

// Item by item: separators (ID 0), popups copied into new popups, items with
// their state, ID and text.
void CopyMenu(HMENU from, HMENU to) {
    const int count = GetMenuItemCount(from);
    for (int i = 0; i < count; ++i) {
        char text[kMenuTextSize] = "";
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = sizeof text;
        if (!GetMenuItemInfoA(from, UINT(i), TRUE, &item)) continue;
        if (item.hSubMenu != nullptr) {
            HMENU popup = CreatePopupMenu();
            AppendMenuA(to, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), text);
            CopyMenu(item.hSubMenu, popup);
        } else if (item.wID == 0) {
            AppendMenuA(to, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendItemCopy(to, item, text);
        }
    }
}

}  // namespace

void ShowEditorError(void* owner, const char* text) {
    MessageBoxA(static_cast<HWND>(owner), text, kMessageCaption, MB_OK | MB_ICONERROR);
}

void* MakeHostMenu(const MenuLayout* layout) {
    HMENU popup = CreatePopupMenu();
    if (popup == nullptr || layout == nullptr) return popup;
    HostMenuSink sink;
    HMENU built = static_cast<HMENU>(BuildMenu(*layout, sink));
    if (built == nullptr) return popup;
    CopyMenu(built, popup);
    DestroyMenu(built);
    return popup;
}

void CopyMenuResourceText(void* module, int32_t menuNumber, uint16_t itemId, char* buffer, int32_t length) {
    if (buffer == nullptr || length <= 0) return;
    HMENU menu = LoadMenuA(static_cast<HINSTANCE>(module), MAKEINTRESOURCEA(menuNumber));
    if (menu == nullptr) return;
    GetMenuStringA(menu, itemId, buffer, length, MF_BYCOMMAND);
    DestroyMenu(menu);
}

}  // namespace vek
