// What the installed plug-ins dialog reads and how it names and orders it:
// short names, entry texts, the core line, the Extensions folder, and the
// reading of a folder of real libraries and of files that aren't plug-ins.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "editlib/PluginCatalog.h"
#include "platform/Platform.h"

namespace fs = std::filesystem;
using namespace vek::editlib;

namespace {

TEST(TypeShortNames, AsListed) {
    const std::pair<int32_t, const char*> names[] = {{1, "Eng"}, {2, "Viz"}, {4, "Cnt"},  {2739, "!"},
                                                     {3, "Aux"}, {0, "Aux"}, {-1, "Aux"}, {2740, "Aux"}};
    for (const auto& [type, name] : names) EXPECT_STREQ(TypeShortName(type), name) << type;
}

std::unique_ptr<PluginInfo, decltype(&std::free)> NewInfo() {
    return {static_cast<PluginInfo*>(std::calloc(1, sizeof(PluginInfo))), &std::free};
}

TEST(EntryTexts, ShortNameThenName) {
    auto info = NewInfo();
    std::strcpy(info->name, "PCM WAVE");
    info->type = 1;
    char text[kEntryTextSize];
    MakeEntryText(*info, text, sizeof text);
    EXPECT_STREQ(text, "Eng - PCM WAVE");
    info->type = 2739;
    MakeEntryText(*info, text, sizeof text);
    EXPECT_STREQ(text, "! - PCM WAVE");
}

// A block whose texts fill every byte: the entry is cut to its buffer and
// nothing past the name's field is read (the sanitizer sees the block's end).
TEST(EntryTexts, UnterminatedNameIsCutToTheBuffer) {
    auto info = NewInfo();
    std::memset(info.get(), 'N', offsetof(PluginInfo, version));
    info->type = 3;
    char text[kEntryTextSize + 1];
    text[kEntryTextSize] = '~';
    MakeEntryText(*info, text, kEntryTextSize);
    EXPECT_EQ(std::strlen(text), kEntryTextSize - 1);
    EXPECT_EQ(std::string(text, 6), "Aux - ");
    EXPECT_EQ(text[kEntryTextSize], '~');
}

struct CoreLineCase {
    std::string text;
    std::string shown;
};

TEST(CoreLines, PercentPairsShowOnePercentAndNothingIsAFormat) {
    const CoreLineCase cases[] = {
        {"Vek Core 2.00", "Vek Core 2.00"},
        {"100%%", "100%"},
        {"%s%n%d%x", "%s%n%d%x"},
        {"%%s", "%s"},
        {"%%%", "%%"},
        {"%", "%"},
        {"a%%b%%%%c", "a%b%%c"},
        {"", ""},
        {std::string(2000, 'x'), std::string(1023, 'x')},
        {std::string(3000, '%'), std::string(1023, '%')},
    };
    for (const CoreLineCase& c : cases) {
        char line[kCoreLineSize + 1];
        line[kCoreLineSize] = '~';
        MakeCoreLine(c.text.c_str(), line, kCoreLineSize);
        EXPECT_EQ(std::string(line), c.shown) << c.text.substr(0, 20);
        EXPECT_EQ(line[kCoreLineSize], '~');
    }
    char small[4];
    MakeCoreLine("abcdef", small, sizeof small);
    EXPECT_STREQ(small, "abc");
    MakeCoreLine(nullptr, small, sizeof small);
    EXPECT_STREQ(small, "");
}

// A text that isn't terminated where the line is full is read no further.
TEST(CoreLines, ReadsNoFurtherThanTheLineNeeds) {
    std::unique_ptr<char[]> text(new char[kCoreLineSize - 1]);
    std::memset(text.get(), 'x', kCoreLineSize - 1);
    char line[kCoreLineSize];
    MakeCoreLine(text.get(), line, sizeof line);
    EXPECT_EQ(std::strlen(line), kCoreLineSize - 1);
}

TEST(ExtensionFolders, BesideTheExecutable) {
    struct Case {
        const char* path;
        char separator;
        const char* folder;  // null: none
    };
    const Case cases[] = {
        {"C:\\Games\\Host\\host.exe", '\\', "C:\\Games\\Host\\Extensions\\"},
        {"\\host.exe", '\\', "\\Extensions\\"},
        {"C:\\Host\\", '\\', "C:\\Host\\Extensions\\"},
        {"host.exe", '\\', nullptr},
        {"", '\\', nullptr},
        {"/opt/host/vekhost", '/', "/opt/host/Extensions/"},
        {"C:/Host/host.exe", '\\', nullptr},
    };
    for (const Case& c : cases) {
        char folder[kPathBufferSize];
        const bool found = ExtensionFolderOf(c.path, c.separator, folder, sizeof folder);
        ASSERT_EQ(found, c.folder != nullptr) << c.path;
        if (found) {
            EXPECT_STREQ(folder, c.folder) << c.path;
        }
    }
}

TEST(ExtensionFolders, MustFitTheBuffer) {
    const std::string path = "C:\\Host\\host.exe";
    const size_t needed = std::strlen("C:\\Host\\Extensions\\") + 1;
    std::vector<char> folder(needed + 1, '~');
    EXPECT_TRUE(ExtensionFolderOf(path.c_str(), '\\', folder.data(), needed));
    EXPECT_EQ(folder[needed], '~');
    EXPECT_FALSE(ExtensionFolderOf(path.c_str(), '\\', folder.data(), needed - 1));
    const std::string longPath = std::string(kPathBufferSize - 5, 'd') + "\\h.exe";
    char buffer[kPathBufferSize];
    EXPECT_FALSE(ExtensionFolderOf(longPath.c_str(), '\\', buffer, sizeof buffer));
}

std::vector<std::string> Texts(const SortedPluginList& list) {
    std::vector<std::string> texts;
    for (size_t i = 0; i < list.Length(); ++i) texts.emplace_back(list[i].text);
    return texts;
}

TEST(ListOrder, SortedByTextIgnoringCase) {
    SortedPluginList list;
    for (const char* text :
         {"Eng - PCM WAVE", "eng - lower", "Eng - Advanced Sound", "Aux - Zero", "! - Bang", "Viz - A"})
        list.AddEntry(text, nullptr);
    const std::vector<std::string> expected = {"! - Bang",       "Aux - Zero",     "Eng - Advanced Sound",
                                               "eng - lower",    "Eng - PCM WAVE", "Viz - A"};
    EXPECT_EQ(Texts(list), expected);
    EXPECT_LT(CompareEntryTexts("ABC", "abd"), 0);
    EXPECT_EQ(CompareEntryTexts("Eng - X", "ENG - x"), 0);
}

// ---- reading a folder of real libraries ------------------------------------

std::string EnvFolder(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

std::string LibraryFile(const char* folderVariable, const char* file) {
    return EnvFolder(folderVariable) + "/" + file;
}

std::string Engineer(const char* file) { return LibraryFile("VEK_EXTENSIONS_DIR", file); }
std::string TestPlugin(const char* name) { return LibraryFile("VEK_TEST_PLUGINS_DIR", name); }

// A fresh folder standing in for the host's Extensions folder.
class PluginFolder : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = fs::path(::testing::TempDir()) / (std::string("vek-plugins-") + test->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override {
        list_.FreeAll();
        fs::remove_all(folder_);
    }

    void Copy(const std::string& from, const char* as) {
        ASSERT_TRUE(fs::exists(from)) << from;
        fs::copy_file(from, folder_ / as);
    }
    void WriteText(const char* as, const char* text) { std::ofstream(folder_ / as) << text; }
    std::string FolderText() const { return folder_.string() + vek::platform::PathSeparator(); }

    void Read() { ReadPlugins(FolderText().c_str(), list_, sorted_); }

    const PluginInfo* Find(const char* text) const {
        for (size_t i = 0; i < sorted_.Length(); ++i)
            if (std::strcmp(sorted_[i].text, text) == 0) return sorted_[i].info;
        return nullptr;
    }
    bool Holds(const PluginInfo* info) const {
        for (size_t i = 0; i < list_.Length(); ++i)
            if (list_[i] == info) return true;
        return false;
    }
    void ExpectNothingLeftLoaded() const {
        for (const auto& entry : fs::directory_iterator(folder_))
            EXPECT_FALSE(vek::platform::IsLibraryLoaded(entry.path().string().c_str())) << entry.path();
    }

    fs::path folder_;
    PluginInfoList list_;
    SortedPluginList sorted_;
};

TEST_F(PluginFolder, TheTwoEngineersAreListedAndDescribed) {
    Copy(Engineer("VekEng_Wave.mfx"), "VekEng_Wave.mfx");
    Copy(Engineer("VekEng_AdvSound.mfx"), "VekEng_AdvSound.mfx");
    Read();
    const std::vector<std::string> expected = {"Eng - Advanced Sound", "Eng - PCM WAVE"};
    EXPECT_EQ(Texts(sorted_), expected);
    ASSERT_EQ(list_.Length(), 2u);
    const PluginInfo* wave = Find("Eng - PCM WAVE");
    ASSERT_NE(wave, nullptr);
    EXPECT_TRUE(Holds(wave)) << "the entry's item data is the listed block";
    EXPECT_STREQ(wave->name, "PCM WAVE");
    EXPECT_STREQ(wave->description, "Allows for playback of PCM wave files in the Vek Audio System");
    EXPECT_EQ(wave->identifier, 0x56455756u);
    EXPECT_GT(std::strlen(wave->author), 0u);
    EXPECT_STREQ(sorted_.coreLine(), "") << "no engineer exports VekGrabCoreInfos";
    ExpectNothingLeftLoaded();
}

// Files that aren't plug-ins are passed over without stopping the reading;
// files not named "Vek*.mfx" aren't loaded at all; names match in any case.
TEST_F(PluginFolder, OnlyPluginLibrariesNamedVekAreListed) {
    WriteText("VekBroken.mfx", "not a library\n");
    Copy(TestPlugin("VekTestNoGrab.mfx"), "VekNoGrab.mfx");
    Copy(TestPlugin("VekTestBang.mfx"), "VekBang.mfx");
    Copy(TestPlugin("VekTestBang.mfx"), "NotVekBang.mfx");
    Copy(TestPlugin("VekTestBang.mfx"), "VekBang.dll");
    Copy(TestPlugin("VekTestThree.mfx"), "VekThree.mfx");
    Copy(TestPlugin("VekTestThree.mfx"), "vEKthree2.MFX");
    Copy(TestPlugin("VekTestZero.mfx"), "VekZero.mfx");
    Copy(Engineer("VekEng_Wave.mfx"), "VekEng_Wave.mfx");
    Copy(Engineer("VekEng_AdvSound.mfx"), "VekEng_AdvSound.mfx");
    Read();
    const std::vector<std::string> expected = {"! - Bang",   "Aux - Three",          "Aux - Three",
                                               "Aux - Zero", "Eng - Advanced Sound", "Eng - PCM WAVE"};
    EXPECT_EQ(Texts(sorted_), expected);
    EXPECT_EQ(list_.Length(), 6u);
    ExpectNothingLeftLoaded();
}

TEST_F(PluginFolder, TheCoreLineShowsTheTextAsItStands) {
    Copy(TestPlugin("VekTestCore.mfx"), "VekCore.mfx");
    Copy(Engineer("VekEng_Wave.mfx"), "VekEng_Wave.mfx");
    Read();
    EXPECT_NE(Find("Viz - Core"), nullptr);
    EXPECT_STREQ(sorted_.coreLine(), "Vek Core 100% ready %s%n%d");
    ExpectNothingLeftLoaded();
}

// A plug-in that fills every text field to its last byte and answers an
// endless core text: every text is cut to its buffer.
TEST_F(PluginFolder, HostileTextsAreCutToTheirBuffers) {
    Copy(TestPlugin("VekTestHostile.mfx"), "VekHostile.mfx");
    Read();
    ASSERT_EQ(sorted_.Length(), 1u);
    const std::string text = sorted_[0].text;
    EXPECT_EQ(text, "Aux - " + std::string(kEntryTextSize - 7, 'N'));
    const PluginInfo& info = *sorted_[0].info;
    EXPECT_EQ(std::strlen(info.name), sizeof info.name - 1);
    EXPECT_EQ(std::strlen(info.author), sizeof info.author - 1);
    EXPECT_EQ(std::strlen(info.copyright), sizeof info.copyright - 1);
    EXPECT_EQ(std::strlen(info.url), sizeof info.url - 1);
    EXPECT_EQ(std::strlen(info.description), sizeof info.description - 1);
    EXPECT_EQ(std::string(sorted_.coreLine()), std::string(kCoreLineSize - 1, '%'));
}

TEST_F(PluginFolder, AnEmptyOrMissingFolderListsNothing) {
    Read();
    EXPECT_EQ(sorted_.Length(), 0u);
    const std::string missing = (folder_ / "missing").string() + vek::platform::PathSeparator();
    ReadPlugins(missing.c_str(), list_, sorted_);
    EXPECT_EQ(sorted_.Length(), 0u);
    EXPECT_EQ(list_.Length(), 0u);
    EXPECT_STREQ(sorted_.coreLine(), "");
}

TEST_F(PluginFolder, EachRunListsEveryPluginOnce) {
    Copy(Engineer("VekEng_Wave.mfx"), "VekEng_Wave.mfx");
    Copy(Engineer("VekEng_AdvSound.mfx"), "VekEng_AdvSound.mfx");
    for (int run = 0; run < 3; ++run) {
        SortedPluginList shown;
        ReadPlugins(FolderText().c_str(), list_, shown);
        EXPECT_EQ(shown.Length(), 2u) << run;
        EXPECT_EQ(list_.Length(), 2u) << run;
        list_.FreeAll();
        EXPECT_EQ(list_.Length(), 0u);
    }
}

// The start-up reads the folder named Extensions beside the process's executable.
TEST(InstalledPlugins, ReadFromBesideTheExecutable) {
    const fs::path executable = vek::platform::ExecutablePath();
    ASSERT_FALSE(executable.empty());
    const fs::path folder = executable.parent_path() / "Extensions";
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::copy_file(Engineer("VekEng_Wave.mfx"), folder / "VekEng_Wave.mfx");
    PluginInfoList list;
    SortedPluginList shown;
    ReadInstalledPlugins(list, shown);
    fs::remove_all(folder);
    ASSERT_EQ(shown.Length(), 1u);
    EXPECT_STREQ(shown[0].text, "Eng - PCM WAVE");
}

}  // namespace
