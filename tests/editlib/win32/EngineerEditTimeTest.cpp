// The Advanced Sound engineer's edit-time side in the host's place: its menus
// read back item by item, and the editor library bound by file name — shown
// missing once when it can't be found, used for editing when it can.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/support/ExpectedMenus.h"
#include "Driver.h"
#include "framework/EditData.h"
#include "framework/HostServices.h"

namespace {

using namespace vek::wintest;

// The engineer loaded as the host loads it, with the exports used here.
class Engineer : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string path = FolderFromEnvironment("VEK_EXTENSIONS_DIR") + "VekEng_AdvSound.mfx";
        module_ = LoadLibraryA(path.c_str());
        ASSERT_NE(module_, nullptr) << path;
        Resolve("Initialize", initialize_);
        Resolve("Free", free_);
        Resolve("CreateObject", createObject_);
        Resolve("EditObject", editObject_);
        Resolve("GetActionMenu", actionMenu_);
        Resolve("GetConditionMenu", conditionMenu_);
        Resolve("GetExpressionMenu", expressionMenu_);
        host_ = MakeHostWindow();
        std::memset(&services_, 0, sizeof services_);
        services_.window = host_;
    }
    void TearDown() override {
        if (host_ != nullptr) DestroyWindow(host_);
        if (module_ != nullptr) FreeLibrary(module_);
    }
    template <typename Fn>
    void Resolve(const char* name, Fn& out) {
        out = ExportOf<Fn>(module_, name);
        ASSERT_NE(out, nullptr) << name;
    }

    HMODULE module_ = nullptr;
    HWND host_ = nullptr;
    HostServices services_{};
    int32_t(WINAPI* initialize_)(HostServices*, int32_t) = nullptr;
    int32_t(WINAPI* free_)(int32_t) = nullptr;
    int32_t(WINAPI* createObject_)(HostServices*, int32_t, EditData*) = nullptr;
    int32_t(WINAPI* editObject_)(HostServices*, int32_t, int32_t, EditData*) = nullptr;
    HMENU(WINAPI* actionMenu_)(int32_t, int32_t, int32_t) = nullptr;
    HMENU(WINAPI* conditionMenu_)(int32_t, int32_t, int32_t) = nullptr;
    HMENU(WINAPI* expressionMenu_)(int32_t, int32_t, int32_t) = nullptr;
};

// Item by item as the host's menu shows it: "text [ID]", "---", "text >".
void ReadMenu(HMENU menu, const std::string& indent, std::vector<std::string>& lines) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[128] = "";
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = sizeof text;
        ASSERT_TRUE(GetMenuItemInfoA(menu, UINT(i), TRUE, &item));
        const std::string state = (item.fState & (MFS_GRAYED | MFS_DISABLED)) ? " (greyed)" : "";
        if (item.fType & MFT_SEPARATOR) {
            lines.push_back(indent + "---");
        } else if (item.hSubMenu != nullptr) {
            lines.push_back(indent + text + state + " >");
            ReadMenu(item.hSubMenu, indent + "  ", lines);
        } else {
            lines.push_back(indent + text + " [" + std::to_string(item.wID) + "]" + state);
        }
    }
}

TEST_F(Engineer, MenusReadBackItemByItem) {
    HMENU actions = actionMenu_(0, 0, 0);
    ASSERT_NE(actions, nullptr);
    std::vector<std::string> lines;
    ReadMenu(actions, "", lines);
    const std::vector<std::string>& expected = vek::testing::kExpectedActionMenuLines;
    EXPECT_EQ(lines, expected);
    EXPECT_TRUE(DestroyMenu(actions));

    HMENU expressions = expressionMenu_(0, 0, 0);
    std::vector<std::string> expressionLines;
    ReadMenu(expressions, "", expressionLines);
    EXPECT_EQ(expressionLines, std::vector<std::string>{"Last Deck of a Played Sound [27000]"});
    DestroyMenu(expressions);

    HMENU conditions = conditionMenu_(0, 0, 0);
    ASSERT_NE(conditions, nullptr);
    EXPECT_TRUE(IsMenu(conditions));
    EXPECT_EQ(GetMenuItemCount(conditions), 0);
    DestroyMenu(conditions);
}

TEST_F(Engineer, WithoutTheEditorLibraryInitializeSaysSoOnce) {
    ASSERT_EQ(GetModuleHandleA("VekEdit.dll"), nullptr) << "loaded by an earlier test";
    char found[MAX_PATH] = "";
    ASSERT_EQ(SearchPathA(nullptr, "VekEdit.dll", nullptr, MAX_PATH, found, nullptr), 0u)
        << "VekEdit.dll is reachable: " << found;
    std::string texts;
    HWND owner = nullptr;
    DialogDriver driver("Vek", [&](HWND box) {
        texts += StaticTexts(box);
        owner = GetWindow(box, GW_OWNER);
        Click(box, IDOK);
    });
    const int32_t result = initialize_(&services_, 0);
    driver.Finish();
    EXPECT_EQ(result, 1);
    EXPECT_EQ(driver.dialogsSeen(), 1);
    EXPECT_NE(texts.find("Could not load VekEdit.dll!"), std::string::npos) << texts;
    EXPECT_EQ(owner, host_);

    // Editing without the library leaves the object as it was; Free does nothing.
    EditData edit{};
    createObject_(&services_, 0, &edit);
    const EditData before = edit;
    DialogDriver noDialog("Engineer File Extensions", [&](HWND dialog) { Click(dialog, IDCANCEL); });
    EXPECT_EQ(editObject_(&services_, 0, 0, &edit), 1);
    noDialog.Finish();
    EXPECT_EQ(noDialog.dialogsSeen(), 0);
    EXPECT_EQ(std::memcmp(&edit, &before, sizeof edit), 0);
    EXPECT_EQ(free_(0), 0);
}

// With the library on the search path: Initialize binds it, editing the
// object runs its dialog over the object's slots, Free unloads it again.
TEST_F(Engineer, EditingTheObjectThroughTheEditorLibrary) {
    ASSERT_TRUE(SetDllDirectoryA(FolderFromEnvironment("VEK_DIST_DIR").c_str()));
    const int32_t initialized = initialize_(&services_, 0);
    SetDllDirectoryA(nullptr);
    ASSERT_EQ(initialized, 0);
    EXPECT_NE(GetModuleHandleA("VekEdit.dll"), nullptr);

    EditData edit{};
    createObject_(&services_, 0, &edit);
    std::string shown;
    DialogDriver typing("Engineer File Extensions", [&](HWND dialog) {
        shown = ControlText(dialog, 1019);
        TypeInto(dialog, 1019, "mod, xm,  it , s3m");
        Click(dialog, IDOK);
    });
    EXPECT_EQ(editObject_(&services_, 0, 0, &edit), 1);
    typing.Finish();
    EXPECT_EQ(shown, "wav, aiff");
    EXPECT_EQ(edit.extensionCount, 4);
    EXPECT_STREQ(edit.extensions[0], "mod");
    EXPECT_STREQ(edit.extensions[1], "xm");
    EXPECT_STREQ(edit.extensions[2], "it ");
    EXPECT_STREQ(edit.extensions[3], "s3m");

    const EditData before = edit;
    DialogDriver cancelling("Engineer File Extensions", [&](HWND dialog) {
        TypeInto(dialog, 1019, "ogg");
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(editObject_(&services_, 0, 0, &edit), 1);
    cancelling.Finish();
    EXPECT_EQ(cancelling.dialogsSeen(), 1);
    EXPECT_EQ(std::memcmp(&edit, &before, sizeof edit), 0);

    EXPECT_EQ(free_(0), 0);
    EXPECT_EQ(GetModuleHandleA("VekEdit.dll"), nullptr) << "Free unloads the editor library";
}

}  // namespace
