// The resources of the built libraries, read back as Windows reads them: the
// editor library's icon, bitmaps, dialog templates and version, its exports
// by ordinal, and the Advanced Sound engineer's strings and pictures.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "Driver.h"

namespace {

using vek::wintest::FolderFromEnvironment;

std::string EditorLibraryPath() { return FolderFromEnvironment("VEK_DIST_DIR") + "VekEdit.dll"; }
std::string AdvSoundPath() { return FolderFromEnvironment("VEK_EXTENSIONS_DIR") + "VekEng_AdvSound.mfx"; }

// A library opened for its resources only: no code of it runs.
class ResourceFile {
public:
    explicit ResourceFile(const std::string& path)
        : module_(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~ResourceFile() {
        if (module_ != nullptr) FreeLibrary(module_);
    }
    HMODULE module() const { return module_; }

    // The raw bytes of a resource, empty when it is missing.
    std::vector<unsigned char> Bytes(LPCSTR type, int id) const {
        HRSRC found = FindResourceA(module_, MAKEINTRESOURCEA(id), type);
        if (found == nullptr) return {};
        HGLOBAL loaded = LoadResource(module_, found);
        const auto* data = static_cast<const unsigned char*>(LockResource(loaded));
        return {data, data + SizeofResource(module_, found)};
    }

private:
    HMODULE module_;
};

BITMAPINFOHEADER HeaderOf(const std::vector<unsigned char>& bytes) {
    BITMAPINFOHEADER header{};
    if (bytes.size() >= sizeof header) std::memcpy(&header, bytes.data(), sizeof header);
    return header;
}

TEST(EditorResources, BitmapsInTheirSizesAndDepths) {
    ResourceFile file(EditorLibraryPath());
    ASSERT_NE(file.module(), nullptr) << EditorLibraryPath();
    struct Expected {
        int id;
        LONG width, height;
        WORD bits;
    };
    for (const Expected& e : {Expected{105, 200, 70, 32}, Expected{1005, 70, 70, 32}, Expected{104, 88, 31, 8}}) {
        const BITMAPINFOHEADER header = HeaderOf(file.Bytes(RT_BITMAP, e.id));
        EXPECT_EQ(header.biWidth, e.width) << e.id;
        EXPECT_EQ(header.biHeight, e.height) << e.id;
        EXPECT_EQ(header.biBitCount, e.bits) << e.id;
        HANDLE image = LoadImageA(file.module(), MAKEINTRESOURCEA(e.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
        ASSERT_NE(image, nullptr) << e.id;
        DIBSECTION section{};
        ASSERT_EQ(GetObjectA(image, sizeof section, &section), int(sizeof section)) << e.id;
        EXPECT_EQ(section.dsBm.bmWidth, e.width) << e.id;
        EXPECT_EQ(section.dsBm.bmHeight, e.height) << e.id;
        EXPECT_EQ(section.dsBm.bmBitsPixel, e.bits) << e.id;
        DeleteObject(image);
    }
}

// The emblem is black on transparent: its alpha holds clear and solid pixels.
TEST(EditorResources, EmblemCarriesAlpha) {
    ResourceFile file(EditorLibraryPath());
    const std::vector<unsigned char> bytes = file.Bytes(RT_BITMAP, 1005);
    const BITMAPINFOHEADER header = HeaderOf(bytes);
    ASSERT_EQ(header.biBitCount, 32);
    std::set<int> alphas;
    bool solidIsBlack = true;
    for (size_t at = header.biSize; at + 4 <= bytes.size(); at += 4) {
        alphas.insert(bytes[at + 3]);
        if (bytes[at + 3] == 255 && (bytes[at] | bytes[at + 1] | bytes[at + 2]) != 0) solidIsBlack = false;
    }
    EXPECT_TRUE(alphas.count(0));
    EXPECT_TRUE(alphas.count(255));
    EXPECT_TRUE(solidIsBlack);
}

TEST(EditorResources, IconGroupHoldsThreeSizesInTwoDepths) {
    ResourceFile file(EditorLibraryPath());
    const std::vector<unsigned char> group = file.Bytes(RT_GROUP_ICON, 113);
    ASSERT_GE(group.size(), 6u);
    const WORD count = WORD(group[4] | group[5] << 8);
    ASSERT_EQ(group.size(), 6u + 14u * count);
    std::set<std::pair<int, int>> found;
    for (WORD i = 0; i < count; ++i) {
        const unsigned char* entry = group.data() + 6 + 14 * i;
        const int size = entry[0];
        const int bits = entry[6] | entry[7] << 8;
        const int id = entry[12] | entry[13] << 8;
        found.insert({size, bits});
        const BITMAPINFOHEADER picture = HeaderOf(file.Bytes(RT_ICON, id));
        EXPECT_EQ(picture.biWidth, size) << id;
        EXPECT_EQ(picture.biHeight, 2 * size) << id;
        EXPECT_EQ(picture.biBitCount, bits) << id;
    }
    const std::set<std::pair<int, int>> expected = {{48, 4}, {48, 8}, {32, 4}, {32, 8}, {16, 4}, {16, 8}};
    EXPECT_EQ(found, expected);
    for (int size : {16, 32, 48}) {
        HANDLE icon = LoadImageA(file.module(), MAKEINTRESOURCEA(113), IMAGE_ICON, size, size, 0);
        EXPECT_NE(icon, nullptr) << size;
        if (icon != nullptr) DestroyIcon(static_cast<HICON>(icon));
    }
}

TEST(EditorResources, VersionTexts) {
    const std::string path = EditorLibraryPath();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> data(size);
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000007u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000007u);
    const std::pair<const char*, const char*> texts[] = {
        {"FileDescription", "VekEdit External Resource"}, {"ProductName", "Vek Editor Resource"},
        {"InternalName", "VekEdit.dll"},                  {"OriginalFilename", "VekEdit.dll"},
        {"FileVersion", "1.0.0.7"},                       {"ProductVersion", "1.0.0.7"},
    };
    for (const auto& [key, expected] : texts) {
        char* value = nullptr;
        const std::string query = std::string("\\StringFileInfo\\040904b0\\") + key;
        ASSERT_TRUE(VerQueryValueA(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &length)) << key;
        EXPECT_STREQ(value, expected) << key;
    }
}

// ---- dialog templates ----------------------------------------------------

enum class Kind { Bitmap, EtchedVertical, EtchedHorizontal, GroupBox, LeftText, CentredText, EllipsisText,
                  PushButton, DefaultButton, List, Edit };

struct ControlRow {
    int id;
    std::string text;  // "#105": the bitmap resource of that number
    short x, y, cx, cy;
    Kind kind;
};

struct Control {
    DWORD style;
    short x, y, cx, cy;
    int id;
    std::string className;
    std::string text;
};

struct DialogTemplate {
    DWORD style;
    short x, y, cx, cy;
    std::string title;
    WORD pointSize;
    std::string font;
    std::vector<Control> controls;
};

// Reads the extended template the resource compiler writes.
class TemplateReader {
public:
    explicit TemplateReader(const std::vector<unsigned char>& bytes) : bytes_(bytes) {}

    DialogTemplate Read() {
        DialogTemplate dialog{};
        EXPECT_EQ(Word(), 1);
        EXPECT_EQ(Word(), 0xFFFF) << "an extended template";
        Dword();  // help ID
        Dword();  // extended style
        dialog.style = Dword();
        const WORD count = Word();
        dialog.x = short(Word());
        dialog.y = short(Word());
        dialog.cx = short(Word());
        dialog.cy = short(Word());
        NameOrOrdinal();  // menu
        NameOrOrdinal();  // class
        dialog.title = Text();
        if (dialog.style & DS_SETFONT) {
            dialog.pointSize = Word();
            Word();  // weight
            at_ += 2;  // italic, character set
            dialog.font = Text();
        }
        for (WORD i = 0; i < count && at_ < bytes_.size(); ++i) dialog.controls.push_back(ReadControl());
        return dialog;
    }

private:
    Control ReadControl() {
        at_ = (at_ + 3) & ~size_t(3);
        Control control{};
        Dword();  // help ID
        Dword();  // extended style
        control.style = Dword();
        control.x = short(Word());
        control.y = short(Word());
        control.cx = short(Word());
        control.cy = short(Word());
        control.id = int(int32_t(Dword()));
        control.className = ClassName(NameOrOrdinal());
        control.text = NameOrOrdinal();
        at_ += Word();  // creation data
        return control;
    }
    // Predefined classes by atom or by name, in one spelling.
    static std::string ClassName(const std::string& name) {
        const std::pair<const char*, const char*> classes[] = {
            {"#128", "Button"}, {"#129", "Edit"}, {"#130", "Static"}, {"#131", "ListBox"}};
        for (const auto& [atom, spelled] : classes)
            if (name == atom || lstrcmpiA(name.c_str(), spelled) == 0) return spelled;
        return name;
    }
    WORD Word() {
        if (at_ + 2 > bytes_.size()) return 0;
        const WORD value = WORD(bytes_[at_] | bytes_[at_ + 1] << 8);
        at_ += 2;
        return value;
    }
    DWORD Dword() {
        const DWORD low = Word();
        return low | DWORD(Word()) << 16;
    }
    std::string Text() {
        std::string text;
        for (WORD c = Word(); c != 0; c = Word()) text += char(c);
        return text;
    }
    std::string NameOrOrdinal() {
        if (at_ + 2 <= bytes_.size() && bytes_[at_] == 0xFF && bytes_[at_ + 1] == 0xFF) {
            at_ += 2;
            return "#" + std::to_string(Word());
        }
        return Text();
    }

    const std::vector<unsigned char>& bytes_;
    size_t at_ = 0;
};

bool StyleFits(const Control& c, Kind kind) {
    const DWORD type = c.style & SS_TYPEMASK;
    switch (kind) {
        case Kind::Bitmap: return c.className == "Static" && type == SS_BITMAP;
        case Kind::EtchedVertical: return c.className == "Static" && type == SS_ETCHEDVERT;
        case Kind::EtchedHorizontal: return c.className == "Static" && type == SS_ETCHEDHORZ;
        case Kind::LeftText: return c.className == "Static" && type == SS_LEFT;
        case Kind::CentredText: return c.className == "Static" && type == SS_CENTER;
        case Kind::EllipsisText: return c.className == "Static" && type == SS_LEFT && (c.style & SS_ENDELLIPSIS);
        case Kind::GroupBox: return c.className == "Button" && (c.style & 0xF) == BS_GROUPBOX;
        case Kind::PushButton: return c.className == "Button" && (c.style & 0xF) == BS_PUSHBUTTON;
        case Kind::DefaultButton: return c.className == "Button" && (c.style & 0xF) == BS_DEFPUSHBUTTON;
        case Kind::List: {
            const DWORD wanted = LBS_SORT | LBS_NOTIFY | WS_VSCROLL | WS_BORDER | LBS_NOINTEGRALHEIGHT | WS_TABSTOP;
            return c.className == "ListBox" && (c.style & wanted) == wanted;
        }
        case Kind::Edit: {
            const DWORD wanted = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
            return c.className == "Edit" && (c.style & wanted) == wanted && !(c.style & ES_MULTILINE);
        }
    }
    return false;
}

struct ExpectedDialog {
    int id;
    const char* title;
    short cx, cy;
    bool centred;
    std::vector<ControlRow> controls;
};

const std::vector<ExpectedDialog>& ExpectedDialogs() {
    static const std::vector<ExpectedDialog> dialogs = {
        {101, "Vek", 292, 262, true,
         {{-1, "#105", 84, 6, 133, 43, Kind::Bitmap},
          {-1, "#1005", 24, 6, 47, 43, Kind::Bitmap},
          {-1, "#1005", 228, 6, 47, 43, Kind::Bitmap},
          {-1, "", 78, 6, 1, 48, Kind::EtchedVertical},
          {-1, "", 222, 6, 1, 48, Kind::EtchedVertical},
          {-1, "", 5, 54, 282, 1, Kind::EtchedHorizontal},
          {-1, "", 5, 216, 282, 1, Kind::EtchedHorizontal},
          {-1, "Information", 6, 60, 282, 150, Kind::GroupBox},
          {1004, "Static", 12, 72, 270, 132, Kind::LeftText},
          {7, "Close", 7, 220, 278, 18, Kind::PushButton},
          {-1, "#104", 6, 241, 59, 19, Kind::Bitmap},
          {-1, "#104", 226, 241, 59, 19, Kind::Bitmap}}},
        {102, "Vek", 292, 251, true,
         {{1, "Close", 235, 230, 50, 14, Kind::DefaultButton},
          {-1, "#105", 84, 6, 133, 43, Kind::Bitmap},
          {-1, "#1005", 24, 6, 47, 43, Kind::Bitmap},
          {-1, "#1005", 228, 6, 47, 43, Kind::Bitmap},
          {-1, "", 78, 6, 1, 48, Kind::EtchedVertical},
          {-1, "", 222, 6, 1, 48, Kind::EtchedVertical},
          {-1, "", 5, 54, 282, 1, Kind::EtchedHorizontal},
          {1016, "", 7, 58, 278, 8, Kind::CentredText},
          {-1, "Installed Plugins", 6, 69, 138, 150, Kind::GroupBox},
          {1002, "", 12, 81, 126, 132, Kind::List},
          {-1, "Information", 150, 69, 138, 150, Kind::GroupBox},
          {-1, "Name:", 156, 81, 19, 8, Kind::LeftText},
          {1006, "", 180, 81, 102, 8, Kind::EllipsisText},
          {-1, "Author:", 156, 93, 23, 8, Kind::LeftText},
          {1010, "", 181, 93, 101, 8, Kind::EllipsisText},
          {1011, "", 156, 105, 129, 8, Kind::EllipsisText},
          {-1, "URL:", 156, 117, 14, 8, Kind::LeftText},
          {1012, "", 174, 117, 108, 8, Kind::EllipsisText},
          {-1, "", 153, 129, 132, 1, Kind::EtchedHorizontal},
          {1003, "", 156, 135, 126, 78, Kind::LeftText},
          {-1, "", 5, 225, 282, 1, Kind::EtchedHorizontal}}},
        {107, "Engineer File Extensions", 175, 76, false,
         {{1, "OK", 118, 55, 50, 14, Kind::DefaultButton},
          {2, "Cancel", 7, 55, 50, 14, Kind::PushButton},
          {-1, "Enter a comma delimted list of the file extensions you wish for this engineer to recognize:", 7, 7,
           161, 28, Kind::LeftText},
          {1019, "", 7, 32, 161, 14, Kind::Edit}}},
    };
    return dialogs;
}

TEST(EditorResources, DialogTemplatesControlByControl) {
    ResourceFile file(EditorLibraryPath());
    for (const ExpectedDialog& expected : ExpectedDialogs()) {
        SCOPED_TRACE("dialog " + std::to_string(expected.id));
        const std::vector<unsigned char> bytes = file.Bytes(RT_DIALOG, expected.id);
        ASSERT_FALSE(bytes.empty());
        const DialogTemplate dialog = TemplateReader(bytes).Read();
        const DWORD frame = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
        EXPECT_EQ(dialog.style & frame, frame);
        EXPECT_EQ((dialog.style & DS_CENTER) != 0, expected.centred);
        EXPECT_EQ(dialog.x, 0);
        EXPECT_EQ(dialog.y, 0);
        EXPECT_EQ(dialog.cx, expected.cx);
        EXPECT_EQ(dialog.cy, expected.cy);
        EXPECT_EQ(dialog.title, expected.title);
        EXPECT_EQ(dialog.font, "MS Shell Dlg");
        EXPECT_EQ(dialog.pointSize, 8);
        ASSERT_EQ(dialog.controls.size(), expected.controls.size());
        for (size_t i = 0; i < expected.controls.size(); ++i) {
            const ControlRow& row = expected.controls[i];
            const Control& control = dialog.controls[i];
            SCOPED_TRACE("control " + std::to_string(i) + " '" + row.text + "'");
            EXPECT_EQ(control.id, row.id);
            EXPECT_EQ(control.text, row.text);
            EXPECT_EQ(control.x, row.x);
            EXPECT_EQ(control.y, row.y);
            EXPECT_EQ(control.cx, row.cx);
            EXPECT_EQ(control.cy, row.cy);
            EXPECT_TRUE(StyleFits(control, row.kind)) << control.className << " " << std::hex << control.style;
            EXPECT_TRUE(control.style & WS_VISIBLE);
        }
    }
}

TEST(EditorResources, ResourcesAreEnglishUnitedStates) {
    ResourceFile file(EditorLibraryPath());
    const WORD english = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    for (auto [type, id] : {std::pair{RT_DIALOG, 102}, {RT_BITMAP, 105}, {RT_GROUP_ICON, 113}, {RT_VERSION, 1}})
        EXPECT_NE(FindResourceExA(file.module(), type, MAKEINTRESOURCEA(id), english), nullptr) << id;
}

TEST(EditorExports, NamesAndOrdinals) {
    HMODULE library = LoadLibraryA(EditorLibraryPath().c_str());
    ASSERT_NE(library, nullptr);
    const std::pair<int, const char*> exports[] = {{1, "freeVekEdit"}, {2, "getVekEdit"}, {3, "DllMain"}};
    for (const auto& [ordinal, name] : exports) {
        FARPROC byName = GetProcAddress(library, name);
        EXPECT_NE(byName, nullptr) << name;
        EXPECT_EQ(GetProcAddress(library, MAKEINTRESOURCEA(ordinal)), byName) << name;
    }
    EXPECT_EQ(GetProcAddress(library, MAKEINTRESOURCEA(4)), nullptr);
    FreeLibrary(library);
}

TEST(EngineerResources, StringsAndPictures) {
    ResourceFile file(AdvSoundPath());
    ASSERT_NE(file.module(), nullptr) << AdvSoundPath();
    char text[256] = "";
    ASSERT_GT(LoadStringA(file.module(), 1, text, sizeof text), 0);
    EXPECT_STREQ(text, "MF2");
    ASSERT_GT(LoadStringA(file.module(), 2, text, sizeof text), 0);
    EXPECT_STREQ(text, "Vek Engineer - Advanced Sound Engineer");
    const std::vector<unsigned char> first = file.Bytes(RT_BITMAP, 400);
    EXPECT_EQ(first, file.Bytes(RT_BITMAP, 401)) << "the same picture";
    const BITMAPINFOHEADER header = HeaderOf(first);
    EXPECT_EQ(header.biWidth, 32);
    EXPECT_EQ(header.biHeight, 32);
    EXPECT_EQ(header.biBitCount, 24);
    HANDLE image = LoadImageA(file.module(), MAKEINTRESOURCEA(400), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    ASSERT_NE(image, nullptr);
    DeleteObject(image);
}

}  // namespace
