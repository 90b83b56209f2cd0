// The Advanced Sound engineer's edit-time declaration: its menus in the
// editor (item text, menu ID, code) and the texts the host shows for it.
#include "advsound/AdvSoundEngineer.h"
#include "framework/edit/EditTimeModule.h"

namespace vek {
namespace {

constexpr MenuLayoutItem kActionMenu[] = {
    MenuItem(25000, "Add Sound to Cache", 0),
    MenuItem(25050, "Add Sound to Cache (masked extension)", 5),
    MenuSeparator(),
    MenuItem(25010, "Play Sound (simple)", 1),
    MenuItem(25020, "Play Sound Looped (simple)", 2),
    MenuSeparator(),
    MenuItem(25030, "Play Sound (w/ vol & pan)", 3),
    MenuItem(25040, "Play Sound Looped (w/ vol & pan)", 4),
    MenuSeparator(),
    MenuPopup("Play With Altered Frequency"),
        MenuItem(25090, "Play Sound (simple)", 9),
        MenuItem(25100, "Play Sound Looped (simple)", 10),
        MenuSeparator(),
        MenuItem(25110, "Play Sound (w/ vol & pan)", 11),
        MenuItem(25120, "Play Sound Looped (w/ vol & pan)", 12),
    MenuPopupEnd(),
    MenuSeparator(),
    MenuPopup("Traditional Engineer Options"),
        MenuItem(25060, "Enable Caching", 6),
        MenuItem(25070, "Disable Caching", 7),
        MenuSeparator(),
        MenuItem(25080, "Set Filetypes", 8),
    MenuPopupEnd(),
};

constexpr MenuLayoutItem kExpressionMenu[] = {
    MenuItem(27000, "Last Deck of a Played Sound", 0),
};

constexpr const char* kDependencies[] = {"libsndfile-1.dll", nullptr};

}  // namespace

constexpr EditTimeModule kEditTimeModule = {
    "Vek Engineer - Advanced Sound Engineer",
    "Help\\VekEng_AdvSound.chm",
    kDependencies,
    kAdvSoundDefaultExtensionList,
    {kActionMenu, sizeof kActionMenu / sizeof kActionMenu[0]},
    {nullptr, 0},
    {kExpressionMenu, sizeof kExpressionMenu / sizeof kExpressionMenu[0]},
};

}  // namespace vek
