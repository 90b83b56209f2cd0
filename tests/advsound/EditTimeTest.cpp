// The Advanced Sound engineer at edit time: its menus, codes, titles and
// texts, its object data and property, and its binding of the editor library.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "tests/support/ExpectedMenus.h"
#include "editlib/CVekEditDll.h"
#include "framework/EditData.h"
#include "framework/EngineerModule.h"
#include "framework/edit/EditExports.h"
#include "framework/edit/EditTimeModule.h"
#include "framework/edit/EditorLibrary.h"
#include "framework/edit/PropertyEntry.h"
#include "platform/Platform.h"
#include "testing/HostStandIn.h"

namespace {

constexpr char kMarker = '\x7f';

// A text buffer pre-filled with a marker, so that unwritten bytes show.
struct Buffer {
    explicit Buffer(size_t size = 256) : bytes(size + 1, kMarker) {}
    char* data() { return bytes.data(); }
    int32_t length() const { return int32_t(bytes.size() - 1); }
    bool untouched() const {
        for (char c : bytes)
            if (c != kMarker) return false;
        return true;
    }
    std::string text() const { return std::string(bytes.data()); }
    std::vector<char> bytes;
};

// ---- codes, titles, texts ---------------------------------------------------

TEST(EditTimeLookups, CodesFromMenuIds) {
    struct Case {
        int16_t(VEK_STDCALL* lookup)(int32_t, int32_t);
        int32_t menuId;
        int16_t code;
    };
    const Case cases[] = {
        {GetActionCodeFromMenu, 25050, 5},     {GetActionCodeFromMenu, 25060, 6},
        {GetActionCodeFromMenu, 25000, 0},     {GetActionCodeFromMenu, 25120, 12},
        {GetActionCodeFromMenu, 25001, -1},    {GetActionCodeFromMenu, 26000, -1},
        {GetActionCodeFromMenu, 27000, -1},    {GetActionCodeFromMenu, 0, -1},
        {GetActionCodeFromMenu, 25050 + 65536, 5},  // compared as 16-bit values
        {GetExpressionCodeFromMenu, 27000, 0}, {GetExpressionCodeFromMenu, 25000, -1},
        {GetConditionCodeFromMenu, 26000, -1}, {GetConditionCodeFromMenu, 25000, -1},
        {GetConditionCodeFromMenu, 27000, -1},
    };
    for (const Case& c : cases) EXPECT_EQ(c.lookup(0, c.menuId), c.code) << c.menuId;
}

TEST(EditTimeLookups, ActionParameterTitles) {
    struct Case {
        int32_t code;
        int32_t index;
        const char* title;  // null: nothing written
    };
    const Case cases[] = {
        {3, 2, "Pan (Value from -1000=LEFT to 1000=RIGHT (0=CENTER))"},
        {3, 1, "Volume (Value from 0=SILENT to 1000=FULL)"},
        {0, 0, "Sound File"},
        {0, 1, "String ID"},
        {5, 2, "File Extension (no .) (eg \"mod\")"},
        {8, 0, "File types (space seperated, include .) (eg \".it .xm .mod .s3m\")"},
        {12, 4, "Frequency Multiplier (1000 = 1.0x, 500 = 0.5x, 2000 = 2.0x, etc)"},
        {2, 1, "Number of Loops"},
        {6, 0, nullptr},
        {6, 1, nullptr},
        {7, -1, nullptr},
        {3, 3, nullptr},
        {12, 5, nullptr},
        {13, 0, nullptr},
        {-1, 0, nullptr},
    };
    for (const Case& c : cases) {
        Buffer buffer;
        GetActionTitle(0, c.code, c.index, buffer.data(), buffer.length());
        if (c.title == nullptr) {
            EXPECT_TRUE(buffer.untouched()) << c.code << "/" << c.index;
        } else {
            EXPECT_EQ(buffer.text(), c.title) << c.code << "/" << c.index;
        }
    }
}

TEST(EditTimeLookups, ExpressionAndConditionTitlesWriteNothing) {
    Buffer expression;
    GetExpressionTitle(0, 0, expression.data(), expression.length());
    EXPECT_TRUE(expression.untouched()) << "the library has no menu resources";
    Buffer condition;
    GetConditionTitle(0, 0, 0, condition.data(), condition.length());
    EXPECT_TRUE(condition.untouched());
}

TEST(EditTimeLookups, DisplayTexts) {
    struct Case {
        void(VEK_STDCALL* lookup)(int32_t, int32_t, char*, int32_t);
        int32_t code;
        const char* text;  // null: nothing written
    };
    const Case cases[] = {
        {GetActionString, 8, "Set Engineer Filetypes"},
        {GetActionString, 0, "Add Sound %0 to cache with ID %1"},
        {GetActionString, 12, "Play Sound ID %0 with volume %1 and pan %2 looping %3 times with Frequency * %4"},
        {GetActionString, 13, nullptr},
        {GetActionString, -1, nullptr},
        {GetExpressionString, 0, "SoundIDLastDeck("},
        {GetExpressionString, 1, nullptr},
        {GetConditionString, 0, nullptr},
    };
    for (const Case& c : cases) {
        Buffer buffer;
        c.lookup(0, c.code, buffer.data(), buffer.length());
        if (c.text == nullptr) {
            EXPECT_TRUE(buffer.untouched()) << c.code;
        } else {
            EXPECT_EQ(buffer.text(), c.text) << c.code;
        }
    }
}

// Every copy is terminated within the length the host gives, and stops there.
TEST(EditTimeLookups, CopiesStayWithinTheHostsLength) {
    const std::string longest = "Play Sound ID %0 with volume %1 and pan %2 looping %3 times with Frequency * %4";
    ASSERT_EQ(longest.size(), 79u);
    struct Case {
        int32_t length;
        std::string text;
    };
    const Case cases[] = {{80, longest}, {79, longest.substr(0, 78)}, {10, longest.substr(0, 9)}, {1, ""}};
    for (const Case& c : cases) {
        Buffer buffer(100);
        GetActionString(0, 12, buffer.data(), c.length);
        EXPECT_EQ(buffer.text(), c.text) << c.length;
        for (size_t i = size_t(c.length); i < buffer.bytes.size(); ++i) ASSERT_EQ(buffer.bytes[i], kMarker) << i;
    }
    Buffer none;
    GetActionString(0, 12, none.data(), 0);
    GetActionTitle(0, 3, 2, none.data(), -5);
    GetExpressionParam(0, 0, 0, none.data(), 0);
    EXPECT_TRUE(none.untouched());
    GetActionString(0, 12, nullptr, 80);
    GetActionTitle(0, 3, 2, nullptr, 80);
    GetExpressionParam(0, 0, 0, nullptr, 80);
}

TEST(EditTimeLookups, ExpressionParameterNames) {
    Buffer name;
    GetExpressionParam(0, 0, 0, name.data(), name.length());
    EXPECT_EQ(name.text(), "Sound ID");
    for (auto [code, index] : {std::pair{0, 1}, {0, -1}, {1, 0}, {-1, 0}}) {
        Buffer empty;
        GetExpressionParam(0, code, index, empty.data(), empty.length());
        EXPECT_EQ(empty.bytes[0], '\0') << code << "/" << index;
        EXPECT_EQ(empty.bytes[1], kMarker);
    }
}

// ---- menus -------------------------------------------------------------------

// Menus as plain nodes, so that the builder's result reads back as text.
class RecordingSink final : public vek::MenuSink {
public:
    struct Node {
        std::vector<std::string> lines;
    };
    Menu CreateMenuBar() override { return &nodes_.emplace_back(); }
    Menu CreatePopup() override { return &nodes_.emplace_back(); }
    void AppendItem(Menu menu, uint16_t id, const char* text) override {
        static_cast<Node*>(menu)->lines.push_back(std::string(text) + " [" + std::to_string(id) + "]");
    }
    void AppendPopup(Menu menu, Menu popup, const char* title, bool greyed) override {
        auto* node = static_cast<Node*>(menu);
        node->lines.push_back(std::string(title) + (greyed ? " (greyed)" : "") + " >");
        for (const std::string& line : static_cast<Node*>(popup)->lines) node->lines.push_back("  " + line);
    }
    void AppendSeparator(Menu menu) override { static_cast<Node*>(menu)->lines.push_back("---"); }

    static const std::vector<std::string>& Lines(Menu menu) { return static_cast<Node*>(menu)->lines; }

private:
    std::deque<Node> nodes_;
};

TEST(EditTimeMenus, ActionMenuAsTheEditorShowsIt) {
    RecordingSink sink;
    const std::vector<std::string>& expected = vek::testing::kExpectedActionMenuLines;
    EXPECT_EQ(RecordingSink::Lines(vek::BuildMenu(*vek::MenuLayoutOf(vek::kActionMenuNumber), sink)), expected);
}

TEST(EditTimeMenus, ExpressionAndConditionMenus) {
    RecordingSink sink;
    const std::vector<std::string> expression = {"Last Deck of a Played Sound [27000]"};
    EXPECT_EQ(RecordingSink::Lines(vek::BuildMenu(*vek::MenuLayoutOf(vek::kExpressionMenuNumber), sink)), expression);
    EXPECT_TRUE(RecordingSink::Lines(vek::BuildMenu(*vek::MenuLayoutOf(vek::kConditionMenuNumber), sink)).empty());
    EXPECT_EQ(vek::MenuLayoutOf(19999), nullptr);
    EXPECT_EQ(vek::MenuLayoutOf(20003), nullptr);
}

// Each menu item leads to the registered entry its code names, and every
// registered action and expression has exactly one item.
TEST(EditTimeMenus, ItemsAgreeWithTheRegistry) {
    struct Kind {
        int32_t menuNumber;
        int16_t(VEK_STDCALL* lookup)(int32_t, int32_t);
        size_t registered;
    };
    const vek::Registry& registry = vek::ModuleRegistry();
    const Kind kinds[] = {
        {vek::kActionMenuNumber, GetActionCodeFromMenu, registry.actions.records.Length()},
        {vek::kExpressionMenuNumber, GetExpressionCodeFromMenu, registry.expressions.records.Length()},
        {vek::kConditionMenuNumber, GetConditionCodeFromMenu, registry.conditions.records.Length()}};
    for (const Kind& kind : kinds) {
        const vek::MenuLayout& layout = *vek::MenuLayoutOf(kind.menuNumber);
        std::map<int16_t, int> seen;
        int depth = 0;
        for (size_t i = 0; i < layout.count; ++i) {
            const vek::MenuLayoutItem& item = layout.items[i];
            if (item.id > 0) {
                EXPECT_EQ(kind.lookup(0, item.id), item.code) << item.text;
                ++seen[item.code];
            }
            depth += item.id == vek::kMenuPopupBegin ? 1 : item.id == vek::kMenuPopupEnd ? -1 : 0;
            EXPECT_GE(depth, 0);
        }
        EXPECT_EQ(depth, 0) << "popups balanced";
        EXPECT_EQ(seen.size(), kind.registered) << kind.menuNumber;
        for (const auto& [code, count] : seen) EXPECT_EQ(count, 1) << code;
    }
}

TEST(MenuBuilderSteps, NestedPopupsStrayStepsAndGreying) {
    RecordingSink sink;
    vek::MenuBuilder builder(sink);
    builder.Add(vek::kMenuPopupEnd, nullptr);  // nothing open: ignored
    builder.Add(1, "one");
    builder.Add(0, "zero");    // neither item nor step: ignored
    builder.Add(-4, "minus");  // likewise
    builder.Add(vek::kMenuPopupBegin, "outer");
    builder.Add(vek::kMenuPopupBegin, "inner");
    builder.Add(2, "two");
    builder.Add(vek::kMenuPopupEnd, nullptr, true);
    builder.Add(vek::kMenuSeparator, nullptr);
    EXPECT_EQ(builder.OpenPopups(), 1u);
    builder.Add(vek::kMenuPopupEnd, nullptr);
    EXPECT_EQ(builder.OpenPopups(), 0u);
    const std::vector<std::string> expected = {"one [1]", "outer >", "  inner (greyed) >", "    two [2]", "  ---"};
    EXPECT_EQ(RecordingSink::Lines(builder.Root()), expected);
}

TEST(MenuBuilderSteps, StacksGiveBackRoomAsPopupsClose) {
    RecordingSink sink;
    vek::MenuBuilder builder(sink);
    for (int i = 0; i < 12; ++i) builder.Add(vek::kMenuPopupBegin, "deep");
    const size_t grown = builder.StackRoom();
    EXPECT_GE(grown, 13u);
    for (int i = 0; i < 12; ++i) builder.Add(vek::kMenuPopupEnd, nullptr);
    EXPECT_LT(builder.StackRoom(), grown);
    EXPECT_EQ(RecordingSink::Lines(builder.Root()).size(), 12u) << "each popup inside the one before";
}

// ---- object data and property -------------------------------------------------

EditData FilledEditData() {
    EditData edit;
    std::memset(&edit, 0xCC, sizeof edit);
    return edit;
}

TEST(EditTimeObject, NewObjectDefaults) {
    EditData edit = FilledEditData();
    EXPECT_EQ(CreateObject(nullptr, 0, &edit), 0);
    EXPECT_EQ(edit.extensionCount, 2);
    const char wav[13] = "wav";
    const char aiff[13] = "aiff";
    EXPECT_EQ(std::memcmp(edit.extensions[0], wav, 13), 0);
    EXPECT_EQ(std::memcmp(edit.extensions[1], aiff, 13), 0);
    for (int slot = 2; slot < 64; ++slot)
        for (int b = 0; b < 13; ++b) ASSERT_EQ(edit.extensions[slot][b], 0) << slot;
    EXPECT_EQ(edit.cacheAtStartup, 0);
    for (uint8_t byte : edit.hostHeader) EXPECT_EQ(byte, 0xCC) << "the host's header";
    for (uint8_t byte : edit.reserved853) EXPECT_EQ(byte, 0xCC) << "not written";
}

TEST(EditTimeObject, CacheAtStartupProperty) {
    EditData edit{};
    CreateObject(nullptr, 0, &edit);
    SetPropCheck(nullptr, &edit, 0x80001, 5);
    EXPECT_EQ(edit.cacheAtStartup, 1);
    EXPECT_EQ(GetPropCheck(nullptr, &edit, 0x80001), 1);
    for (uint32_t other : {0x80000u, 0x80002u, 0u, 1u}) {
        EXPECT_EQ(GetPropCheck(nullptr, &edit, other), 0) << other;
        SetPropCheck(nullptr, &edit, other, 0);
        EXPECT_EQ(edit.cacheAtStartup, 1) << other;
    }
    SetPropCheck(nullptr, &edit, 0x80001, 0);
    EXPECT_EQ(edit.cacheAtStartup, 0);
    EXPECT_EQ(GetPropCheck(nullptr, &edit, 0x80001), 0);
    edit.cacheAtStartup = 7;  // a damaged game file
    EXPECT_EQ(GetPropCheck(nullptr, &edit, 0x80001), 1);
    EXPECT_EQ(IsPropEnabled(nullptr, 0x80001, 0), 1);
}

TEST(EditTimeObject, PropertiesGoToTheHost) {
    vek::testing::HostStandIn host;
    EditData edit{};
    EXPECT_EQ(GetProperties(host.services(), &edit, 0), 1);
    ASSERT_EQ(host.insertedProperties().size(), 1u);
    const auto& call = host.insertedProperties()[0];
    EXPECT_EQ(call.editData, &edit);
    EXPECT_EQ(call.a, 1);
    EXPECT_EQ(call.b, 1);
    EXPECT_EQ(call.c, 1);
    const auto* table = static_cast<const PropertyEntry*>(call.table);
    EXPECT_EQ(table[0].identifier, 0x80001u);
    EXPECT_STREQ(table[0].title, "Enable Cache at Startup");
    EXPECT_STREQ(table[0].description, "Enables memory-caching of sounds at startup");
    EXPECT_EQ(table[0].hostValue12, 10);
    EXPECT_EQ(table[0].hostValue16, 1);
    EXPECT_EQ(table[0].hostValue20, 0);
    const PropertyEntry zero{};
    EXPECT_EQ(std::memcmp(&table[1], &zero, sizeof zero), 0) << "ended by 24 zero bytes";
}

TEST(EditTimeObject, RectangleIs32By32AtItsPlace) {
    struct Case {
        int32_t left, top, right, bottom;
    };
    // A place at the end of the range wraps around rather than overflowing.
    const Case cases[] = {
        {100, 50, 132, 82}, {0, 0, 32, 32}, {-40, -8, -8, 24}, {INT32_MAX, INT32_MAX - 32, INT32_MIN + 31, INT32_MAX}};
    for (const Case& c : cases) {
        int32_t rect[4] = {c.left, c.top, 7, 7};
        GetObjectRect(nullptr, rect, 0, 0);
        EXPECT_EQ(rect[0], c.left);
        EXPECT_EQ(rect[1], c.top);
        EXPECT_EQ(rect[2], c.right) << c.left;
        EXPECT_EQ(rect[3], c.bottom) << c.top;
    }
    EXPECT_EQ(IsTransparent(nullptr, 1, 2, 3, 4), 0);
}

TEST(EditTimeObject, TextsForTheEditor) {
    Buffer name, author, copyright, comment, url;
    GetObjInfos(nullptr, 0, name.data(), author.data(), copyright.data(), comment.data(), url.data());
    EXPECT_EQ(name.text(), "Vek Engineer - Advanced Sound Engineer");
    EXPECT_EQ(author.text(), vek::kPluginAuthor);
    EXPECT_EQ(copyright.text(), vek::kPluginCopyright);
    EXPECT_EQ(comment.text(), "Allows for playback of cached wave files in the Vek Audio System");
    EXPECT_EQ(url.text(), vek::kPluginUrl);
    GetObjInfos(nullptr, 0, nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_STREQ(GetHelpFileName(), "Help\\VekEng_AdvSound.chm");
    const char* const* dependencies = GetDependencies();
    ASSERT_NE(dependencies, nullptr);
    EXPECT_STREQ(dependencies[0], "libsndfile-1.dll");
    EXPECT_EQ(dependencies[1], nullptr);
}

// ---- the editor library ------------------------------------------------------

// An editor object that records what EditFileTypes was given and answers as
// the user's choice says.
class FakeEditor final : public CVekEditDll {
public:
    int32_t GetRevision() override { return 1; }
    int32_t ShowPluginsDialog(void*) override { return 1; }
    void SetLibraryHandle(void* handle) override { libraryHandle = handle; }
    void* GetLibraryHandle() override { return libraryHandle; }
    int32_t IsReady() override { return 1; }
    int32_t EditFileTypes(void* parent, int32_t flags, int32_t count, int32_t capacity, char** entries) override {
        calls.push_back({parent, flags, count, capacity, std::vector<char*>(entries, entries + capacity)});
        if (!accept) return count;
        std::strcpy(entries[0], "ogg");
        return 1;
    }
    int32_t ReservedOperation(int32_t, int32_t, int32_t, int32_t) override { return -1; }

    struct Call {
        void* parent;
        int32_t flags, count, capacity;
        std::vector<char*> entries;
    };
    std::vector<Call> calls;
    bool accept = true;
};

TEST(EditTimeEditing, EditObjectRunsTheDialogOverTheSlots) {
    FakeEditor editor;
    EditData edit{};
    CreateObject(nullptr, 0, &edit);
    int window = 0;
    vek::EditExtensions(&editor, &window, edit);
    ASSERT_EQ(editor.calls.size(), 1u);
    const FakeEditor::Call& call = editor.calls[0];
    EXPECT_EQ(call.parent, &window);
    EXPECT_EQ(call.flags, 0);
    EXPECT_EQ(call.count, 2);
    EXPECT_EQ(call.capacity, 64);
    for (int i = 0; i < 64; ++i) EXPECT_EQ(call.entries[size_t(i)], edit.extensions[i]) << i;
    EXPECT_EQ(edit.extensionCount, 1) << "the returned count is stored";
    EXPECT_STREQ(edit.extensions[0], "ogg");
}

TEST(EditTimeEditing, CancelOrNoEditorLeavesTheDataAsItWas) {
    EditData edit{};
    CreateObject(nullptr, 0, &edit);
    const EditData before = edit;
    FakeEditor cancelling;
    cancelling.accept = false;
    vek::EditExtensions(&cancelling, nullptr, edit);
    EXPECT_EQ(std::memcmp(&edit, &before, sizeof edit), 0);
    vek::EditExtensions(nullptr, nullptr, edit);
    EXPECT_EQ(std::memcmp(&edit, &before, sizeof edit), 0);
}

// A stand-in for the system's library loading: named fake libraries with
// their exports, a log of what was loaded, unloaded and shown.
struct FakeSystem {
    struct Library {
        std::map<std::string, void*> exports;
    };
    std::map<std::string, Library> files;
    std::vector<std::string> log;
    static FakeSystem* current;

    static vek::platform::LibraryHandle Load(const char* file) {
        current->log.push_back(std::string("load ") + file);
        auto it = current->files.find(file);
        return it == current->files.end() ? nullptr : &it->second;
    }
    static void* Find(vek::platform::LibraryHandle library, const char* name) {
        if (library == nullptr) return nullptr;
        auto& exports = static_cast<Library*>(library)->exports;
        auto it = exports.find(name);
        return it == exports.end() ? nullptr : it->second;
    }
    static void Unload(vek::platform::LibraryHandle library) {
        current->log.push_back(library == nullptr ? "unload null" : "unload");
    }
    static void ShowError(void* owner, const char* text) {
        current->log.push_back("message " + std::to_string(reinterpret_cast<uintptr_t>(owner)) + " " + text);
    }
    static constexpr vek::EditorLibraryOps kOps = {&Load, &Find, &Unload, &ShowError};

    FakeSystem() { current = this; }
    ~FakeSystem() { current = nullptr; }
};
FakeSystem* FakeSystem::current = nullptr;

FakeEditor* g_madeEditor = nullptr;
std::vector<CVekEditDll*> g_freedEditors;
CVekEditDll* VEK_STDCALL MakeEditor() { return g_madeEditor; }
void VEK_STDCALL FreeEditor(CVekEditDll* editor) { g_freedEditors.push_back(editor); }

void* const kOwner = reinterpret_cast<void*>(0x1234);

TEST(EditorLibraryBinding, MissingLibraryIsToldOnce) {
    FakeSystem system;
    vek::EditorLibrary binding(FakeSystem::kOps);
    EXPECT_EQ(binding.Load(kOwner), 1);
    const std::vector<std::string> expected = {"load VekEdit.dll", "message 4660 Could not load VekEdit.dll!"};
    EXPECT_EQ(system.log, expected);
    EXPECT_EQ(binding.Editor(), nullptr);
    binding.Release();
    EXPECT_EQ(system.log, expected) << "a later Free does nothing";
}

TEST(EditorLibraryBinding, LibraryWithoutTheClassIsUnloaded) {
    FakeSystem system;
    system.files["VekEdit.dll"].exports["freeVekEdit"] = reinterpret_cast<void*>(&FreeEditor);
    vek::EditorLibrary binding(FakeSystem::kOps);
    EXPECT_EQ(binding.Load(kOwner), 1);
    const std::vector<std::string> expected = {"load VekEdit.dll",
                                               "message 4660 Could not load VekEdit class from VekEdit.dll!", "unload"};
    EXPECT_EQ(system.log, expected);
    EXPECT_EQ(binding.Editor(), nullptr);
}

TEST(EditorLibraryBinding, NoObjectCountsAsFailure) {
    FakeSystem system;
    system.files["VekEdit.dll"].exports["getVekEdit"] = reinterpret_cast<void*>(&MakeEditor);
    g_madeEditor = nullptr;
    vek::EditorLibrary binding(FakeSystem::kOps);
    EXPECT_EQ(binding.Load(kOwner), 1);
    const std::vector<std::string> expected = {"load VekEdit.dll", "unload"};
    EXPECT_EQ(system.log, expected);
    EXPECT_EQ(binding.Editor(), nullptr);
}

TEST(EditorLibraryBinding, ObjectKeptUntilFreeGivesItBack) {
    FakeSystem system;
    auto& library = system.files["VekEdit.dll"];
    library.exports["getVekEdit"] = reinterpret_cast<void*>(&MakeEditor);
    library.exports["freeVekEdit"] = reinterpret_cast<void*>(&FreeEditor);
    FakeEditor editor;
    g_madeEditor = &editor;
    g_freedEditors.clear();
    vek::EditorLibrary binding(FakeSystem::kOps);
    EXPECT_EQ(binding.Load(kOwner), 0);
    EXPECT_EQ(binding.Editor(), &editor);
    EXPECT_EQ(editor.GetLibraryHandle(), &library) << "the loaded library's handle, stored at once";
    EXPECT_EQ(binding.Load(kOwner), 0) << "held already";
    binding.Release();
    EXPECT_EQ(g_freedEditors, std::vector<CVekEditDll*>{&editor});
    EXPECT_EQ(binding.Editor(), nullptr);
    binding.Release();
    const std::vector<std::string> expected = {"load VekEdit.dll", "unload"};
    EXPECT_EQ(system.log, expected);
    g_madeEditor = nullptr;
}

#if !defined(_WIN32)
// The real library, reached under its file name; without a window system its
// dialog can't be made, so editing leaves the object's list as it was.
vek::platform::LibraryHandle LoadBuiltEditor(const char* file) {
    const char* dist = std::getenv("VEK_DIST_DIR");
    if (dist == nullptr || std::strcmp(file, "VekEdit.dll") != 0) return nullptr;
    return vek::platform::LoadLibraryFile((std::string(dist) + "/VekEdit.so").c_str());
}

TEST(EditorLibraryBinding, TheBuiltLibraryIsBoundAndReleased) {
    const vek::EditorLibraryOps ops = {&LoadBuiltEditor, &vek::platform::FindExport, &vek::platform::FreeLibraryFile,
                                       &FakeSystem::ShowError};
    const std::string path = std::string(std::getenv("VEK_DIST_DIR")) + "/VekEdit.so";
    ASSERT_FALSE(vek::platform::IsLibraryLoaded(path.c_str()));
    vek::EditorLibrary binding(ops);
    ASSERT_EQ(binding.Load(nullptr), 0);
    ASSERT_NE(binding.Editor(), nullptr);
    EXPECT_EQ(binding.Editor()->GetRevision(), 1);
    EXPECT_NE(binding.Editor()->GetLibraryHandle(), nullptr);
    EditData edit{};
    CreateObject(nullptr, 0, &edit);
    const EditData before = edit;
    vek::EditExtensions(binding.Editor(), nullptr, edit);
    EXPECT_EQ(std::memcmp(&edit, &before, sizeof edit), 0);
    binding.Release();
    EXPECT_FALSE(vek::platform::IsLibraryLoaded(path.c_str())) << "unloaded by Free";
}

// Through the exports, as the host calls them: "VekEdit.dll" isn't found by
// name here, so Initialize fails, EditObject leaves the data and Free does nothing.
TEST(EditTimeExports, WithoutTheEditorLibrary) {
    vek::testing::HostStandIn host;
    EXPECT_EQ(Initialize(host.services(), 0), 1);
    EditData edit{};
    CreateObject(host.services(), 0, &edit);
    const EditData before = edit;
    EXPECT_EQ(EditObject(host.services(), 0, 0, &edit), 1);
    EXPECT_EQ(std::memcmp(&edit, &before, sizeof edit), 0);
    EXPECT_EQ(Free(0), 0);
}
#endif

}  // namespace
