#include "framework/edit/MenuLayout.h"

namespace vek {

MenuBuilder::MenuBuilder(MenuSink& sink) : sink_(sink) { open_.Append(sink_.CreateMenuBar()); }

void MenuBuilder::Add(int32_t id, const char* text, bool greyed) {
    if (open_.Length() == 0) return;  // the root couldn't be kept
    if (id > 0) {
        sink_.AppendItem(open_.Top(), uint16_t(id), text);
    } else if (id == kMenuPopupBegin) {
        MenuSink::Menu popup = sink_.CreatePopup();
        if (!open_.Append(popup)) return;
        if (!titles_.Append(text)) open_.Pop();
    } else if (id == kMenuPopupEnd) {
        if (titles_.Length() == 0) return;
        MenuSink::Menu popup = open_.Pop();
        const char* title = titles_.Pop();
        sink_.AppendPopup(open_.Top(), popup, title, greyed);
    } else if (id == kMenuSeparator) {
        sink_.AppendSeparator(open_.Top());
    }
}

MenuSink::Menu BuildMenu(const MenuLayout& layout, MenuSink& sink) {
    MenuBuilder builder(sink);
    for (size_t i = 0; i < layout.count; ++i) builder.Add(layout.items[i].id, layout.items[i].text, false);
    return builder.Root();
}

}  // namespace vek
