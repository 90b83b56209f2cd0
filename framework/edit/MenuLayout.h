// The editor's menus as const data, and the builder that turns the data into
// a nested menu through a sink (the host's menus on Windows).
#pragma once

#include <cstddef>

#include "engineer/Boundary.h"
#include "framework/GrowArray.h"

namespace vek {

// Item IDs that are steps of the builder rather than items.
constexpr int32_t kMenuPopupBegin = -1;  // open a popup under `text`
constexpr int32_t kMenuPopupEnd = -2;    // attach the open popup to the menu below it
constexpr int32_t kMenuSeparator = -3;

struct MenuLayoutItem {
    int32_t id;        // above 0: an item with this menu ID; else a step
    const char* text;  // the item's text or the popup's title
    int16_t code;      // the item's code in the registry; -1 for steps
};

struct MenuLayout {
    const MenuLayoutItem* items;
    size_t count;
};

constexpr MenuLayoutItem MenuItem(int32_t id, const char* text, int16_t code) { return {id, text, code}; }
constexpr MenuLayoutItem MenuPopup(const char* title) { return {kMenuPopupBegin, title, -1}; }
constexpr MenuLayoutItem MenuPopupEnd() { return {kMenuPopupEnd, nullptr, -1}; }
constexpr MenuLayoutItem MenuSeparator() { return {kMenuSeparator, nullptr, -1}; }

// Where the builder's menus are made.
class MenuSink {
public:
    using Menu = void*;
    virtual Menu CreateMenuBar() = 0;
    virtual Menu CreatePopup() = 0;
    virtual void AppendItem(Menu menu, uint16_t id, const char* text) = 0;
    virtual void AppendPopup(Menu menu, Menu popup, const char* title, bool greyed) = 0;
    virtual void AppendSeparator(Menu menu) = 0;

protected:
    ~MenuSink() = default;
};

// Builds a nested menu step by step: a stack of open menus with the root (a
// menu bar) at the bottom, and a stack of the open popups' titles.
class MenuBuilder {
public:
    explicit MenuBuilder(MenuSink& sink);
    MenuBuilder(const MenuBuilder&) = delete;
    MenuBuilder& operator=(const MenuBuilder&) = delete;

    // By id: above 0 an item; kMenuPopupBegin, kMenuPopupEnd (greyed as the
    // flag says), kMenuSeparator; any other id does nothing, and so does a
    // popup end with no popup open.
    void Add(int32_t id, const char* text, bool greyed = false);

    MenuSink::Menu Root() const { return open_.Length() == 0 ? nullptr : open_[0]; }
    size_t OpenPopups() const { return titles_.Length(); }
    size_t StackRoom() const { return open_.Room(); }

private:
    MenuSink& sink_;
    GrowArray<MenuSink::Menu> open_;
    GrowArray<const char*> titles_;
};

// The layout's menu, built from its root; popups are never greyed here.
MenuSink::Menu BuildMenu(const MenuLayout& layout, MenuSink& sink);

}  // namespace vek
