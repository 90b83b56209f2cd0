// The editor library's two dialogs, run modally through the library object
// and driven through their controls from a second thread.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "Driver.h"
#include "editlib/CVekEditDll.h"

namespace {

using namespace vek::wintest;

constexpr char kFileTypesTitle[] = "Engineer File Extensions";
constexpr char kPluginsTitle[] = "Vek";
constexpr int kLine = 1019;

std::string ScreenshotPath(const char* name) { return FolderFromEnvironment("VEK_SCREENSHOT_DIR") + name; }

// VekEdit.dll loaded from beside the host, its object and an owner window.
class EditorDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string path = FolderFromEnvironment("VEK_DIST_DIR") + "VekEdit.dll";
        library_ = LoadLibraryA(path.c_str());
        ASSERT_NE(library_, nullptr) << path;
        auto get = ExportOf<GetVekEditFn>(library_, "getVekEdit");
        free_ = ExportOf<FreeVekEditFn>(library_, "freeVekEdit");
        ASSERT_NE(get, nullptr);
        editor_ = get();
        ASSERT_NE(editor_, nullptr);
        editor_->SetLibraryHandle(library_);
        host_ = MakeHostWindow();
        ResetFields();
    }
    void TearDown() override {
        if (editor_ != nullptr) free_(editor_);
        if (host_ != nullptr) DestroyWindow(host_);
        if (library_ != nullptr) FreeLibrary(library_);
    }

    // "wav" and "aiff" in use, every other field zero.
    void ResetFields() {
        for (size_t i = 0; i < fields_.size(); ++i) {
            fields_[i].fill('\0');
            pointers_[i] = fields_[i].data();
        }
        Set(0, "wav");
        Set(1, "aiff");
    }
    void Set(size_t i, const char* text) { std::snprintf(fields_[i].data(), 13, "%s", text); }
    std::string Field(size_t i) const { return fields_[i].data(); }

    int32_t EditFileTypes(int32_t count, int32_t capacity = 64) {
        return editor_->EditFileTypes(host_, 0, count, capacity, pointers_.data());
    }

    HMODULE library_ = nullptr;
    FreeVekEditFn free_ = nullptr;
    CVekEditDll* editor_ = nullptr;
    HWND host_ = nullptr;
    std::array<std::array<char, 13>, 64> fields_{};
    std::array<char*, 64> pointers_{};
};

TEST_F(EditorDialogs, FileTypesShowsTheListAndOkKeepsIt) {
    std::string shown;
    bool hasIcon = false;
    POINT dialogOrigin{}, hostOrigin{};
    DialogDriver driver(kFileTypesTitle, [&](HWND dialog) {
        shown = ControlText(dialog, kLine);
        hasIcon = SendMessageA(dialog, WM_GETICON, ICON_BIG, 0) != 0;
        ClientToScreen(dialog, &dialogOrigin);
        ClientToScreen(host_, &hostOrigin);
        SaveScreenshot(dialog, ScreenshotPath("file-types-dialog.png"));
        Click(dialog, IDOK);
    });
    const int32_t count = EditFileTypes(2);
    driver.Finish();
    EXPECT_EQ(driver.dialogsSeen(), 1);
    EXPECT_EQ(shown, "wav, aiff");
    EXPECT_TRUE(hasIcon);
    EXPECT_EQ(dialogOrigin.x, hostOrigin.x) << "placed at 0, 0 of the owner's client area";
    EXPECT_EQ(dialogOrigin.y, hostOrigin.y);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(Field(0), "wav");
    EXPECT_EQ(Field(1), "aiff");
}

TEST_F(EditorDialogs, FileTypesTypedLineIsStored) {
    struct Case {
        std::string typed;
        std::vector<std::string> entries;
    };
    const Case cases[] = {
        {"mod, xm,  it ,s3m", {"mod", "xm", "it ", "s3m"}},
        {"wav,,aiff", {"wav", "", "aiff"}},
        {"wav, ", {"wav"}},
        {"", {}},
        {"abcdefghijklmno", {"abcdefghijkl"}},
    };
    for (const Case& c : cases) {
        ResetFields();
        DialogDriver driver(kFileTypesTitle, [&](HWND dialog) {
            TypeInto(dialog, kLine, c.typed);
            Click(dialog, IDOK);
        });
        const int32_t count = EditFileTypes(2);
        driver.Finish();
        EXPECT_EQ(count, int32_t(c.entries.size())) << c.typed;
        for (size_t i = 0; i < c.entries.size(); ++i) EXPECT_EQ(Field(i), c.entries[i]) << c.typed;
    }
}

TEST_F(EditorDialogs, FileTypesCancelAndCloseChangeNothing) {
    for (bool byCloseCommand : {false, true}) {
        DialogDriver driver(kFileTypesTitle, [&](HWND dialog) {
            TypeInto(dialog, kLine, "ogg, flac");
            if (byCloseCommand)
                PostMessageA(dialog, WM_CLOSE, 0, 0);
            else
                Click(dialog, IDCANCEL);
        });
        const int32_t count = EditFileTypes(2);
        driver.Finish();
        EXPECT_EQ(driver.dialogsSeen(), 1);
        EXPECT_EQ(count, 2) << byCloseCommand;
        EXPECT_EQ(Field(0), "wav");
        EXPECT_EQ(Field(1), "aiff");
        EXPECT_EQ(Field(2), "");
    }
}

// A count beyond the capacity shows only the entries there are, and OK
// stores at most capacity - 1 of them.
TEST_F(EditorDialogs, FileTypesStayWithinTheCapacity) {
    std::string shown;
    DialogDriver driver(kFileTypesTitle, [&](HWND dialog) {
        shown = ControlText(dialog, kLine);
        TypeInto(dialog, kLine, "a, b, c");
        Click(dialog, IDOK);
    });
    const int32_t count = EditFileTypes(5, 2);
    driver.Finish();
    EXPECT_EQ(shown, "wav, aiff");
    EXPECT_EQ(count, 1);
    EXPECT_EQ(Field(0), "a");
    EXPECT_EQ(Field(1), "aiff");
    EXPECT_EQ(Field(2), "");
}

TEST_F(EditorDialogs, FileTypesWithFlagsShowsNothing) {
    DialogDriver driver(kFileTypesTitle, [&](HWND dialog) { Click(dialog, IDCANCEL); });
    EXPECT_EQ(editor_->EditFileTypes(host_, 1, 2, 64, pointers_.data()), 0);
    driver.Finish();
    EXPECT_EQ(driver.dialogsSeen(), 0);
}

// ---- installed plug-ins ----------------------------------------------------

constexpr int kList = 1002;
constexpr int kDetailIds[] = {1006, 1010, 1011, 1012, 1003};

std::string PluginsFolder() { return ExecutableFolder() + "Extensions\\"; }

void EmptyPluginsFolder() {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((PluginsFolder() + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((PluginsFolder() + found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    CreateDirectoryA(PluginsFolder().c_str(), nullptr);
}

void AddPlugin(const std::string& from, const char* as) {
    ASSERT_TRUE(CopyFileA(from.c_str(), (PluginsFolder() + as).c_str(), FALSE)) << from;
}

void AddEngineers() {
    AddPlugin(FolderFromEnvironment("VEK_EXTENSIONS_DIR") + "VekEng_Wave.mfx", "VekEng_Wave.mfx");
    AddPlugin(FolderFromEnvironment("VEK_EXTENSIONS_DIR") + "VekEng_AdvSound.mfx", "VekEng_AdvSound.mfx");
}

std::vector<std::string> ListEntries(HWND dialog) {
    HWND list = GetDlgItem(dialog, kList);
    std::vector<std::string> entries;
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[1100] = "";
        SendMessageA(list, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text));
        entries.emplace_back(text);
    }
    return entries;
}

std::vector<std::string> Details(HWND dialog) {
    std::vector<std::string> texts;
    for (int id : kDetailIds) texts.push_back(ControlText(dialog, id));
    return texts;
}

bool AnyPluginStillLoaded() {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((PluginsFolder() + "*").c_str(), &found);
    bool loaded = false;
    if (search == INVALID_HANDLE_VALUE) return false;
    do {
        if (GetModuleHandleA((PluginsFolder() + found.cFileName).c_str()) != nullptr) loaded = true;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return loaded;
}

TEST_F(EditorDialogs, PluginsListsBothEngineersAndShowsTheSelection) {
    EmptyPluginsFolder();
    AddEngineers();
    std::vector<std::string> entries, before, after;
    std::string coreLine;
    bool closedByEscape = true;
    DialogDriver driver(kPluginsTitle, [&](HWND dialog) {
        entries = ListEntries(dialog);
        coreLine = ControlText(dialog, 1016);
        before = Details(dialog);
        ClickListEntry(dialog, kList, 1);
        after = Details(dialog);
        SaveScreenshot(dialog, ScreenshotPath("plugins-dialog.png"));
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);  // the Escape key's command
        closedByEscape = WaitUntilGone(dialog, 2000);
        Click(dialog, IDOK);
    });
    const int32_t result = editor_->ShowPluginsDialog(host_);
    driver.Finish();
    EXPECT_EQ(result, 1);
    const std::vector<std::string> expected = {"Eng - Advanced Sound", "Eng - PCM WAVE"};
    EXPECT_EQ(entries, expected);
    EXPECT_EQ(coreLine, "");
    EXPECT_EQ(before, std::vector<std::string>(5, ""));
    ASSERT_EQ(after.size(), 5u);
    EXPECT_EQ(after[0], "PCM WAVE");
    EXPECT_FALSE(after[1].empty()) << "author";
    EXPECT_FALSE(after[2].empty()) << "copyright";
    EXPECT_FALSE(after[3].empty()) << "url";
    EXPECT_EQ(after[4], "Allows for playback of PCM wave files in the Vek Audio System");
    EXPECT_FALSE(closedByEscape) << "Escape doesn't close the plug-ins dialog";
    EXPECT_FALSE(AnyPluginStillLoaded());
}

TEST_F(EditorDialogs, PluginsOrderShortNamesCoreLineAndFilesPassedOver) {
    EmptyPluginsFolder();
    AddEngineers();
    const std::string tests = FolderFromEnvironment("VEK_TEST_PLUGINS_DIR");
    AddPlugin(tests + "VekTestBang.mfx", "VekBang.mfx");
    AddPlugin(tests + "VekTestThree.mfx", "VekThree.mfx");
    AddPlugin(tests + "VekTestZero.mfx", "VekZero.mfx");
    AddPlugin(tests + "VekTestCore.mfx", "VekCore.mfx");
    AddPlugin(tests + "VekTestNoGrab.mfx", "VekNoGrab.mfx");
    AddPlugin(tests + "VekTestBang.mfx", "NotVekBang.mfx");
    HANDLE text = CreateFileA((PluginsFolder() + "VekBroken.mfx").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                              nullptr);
    DWORD written = 0;
    WriteFile(text, "not a library\r\n", 15, &written, nullptr);
    CloseHandle(text);

    std::vector<std::string> entries;
    std::string coreLine;
    DialogDriver driver(kPluginsTitle, [&](HWND dialog) {
        entries = ListEntries(dialog);
        coreLine = ControlText(dialog, 1016);
        PostMessageA(dialog, WM_CLOSE, 0, 0);  // the window's close command
    });
    EXPECT_EQ(editor_->ShowPluginsDialog(host_), 1);
    driver.Finish();
    const std::vector<std::string> expected = {"! - Bang",         "Aux - Three",          "Aux - Zero",
                                               "Eng - Advanced Sound", "Eng - PCM WAVE", "Viz - Core"};
    EXPECT_EQ(entries, expected);
    EXPECT_EQ(coreLine, "Vek Core 100% ready %s%n%d");
    EXPECT_FALSE(AnyPluginStillLoaded());
}

TEST_F(EditorDialogs, PluginsWithNoPluginsShowsNothing) {
    EmptyPluginsFolder();
    std::vector<std::string> entries, details;
    std::string coreLine = "unread";
    DialogDriver driver(kPluginsTitle, [&](HWND dialog) {
        entries = ListEntries(dialog);
        details = Details(dialog);
        coreLine = ControlText(dialog, 1016);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(editor_->ShowPluginsDialog(host_), 1);
    driver.Finish();
    EXPECT_TRUE(entries.empty());
    EXPECT_EQ(details, std::vector<std::string>(5, ""));
    EXPECT_EQ(coreLine, "");
}

}  // namespace
