#include "Driver.h"

#include <cstdlib>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb_image_write.h>

namespace vek::wintest {

namespace {

// Wine runs emulated here: windows may take seconds to appear.
constexpr DWORD kFindTimeoutMs = 180000;
constexpr DWORD kMessageTimeoutMs = 30000;
constexpr DWORD kPollMs = 50;

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kMessageTimeoutMs, &result);
    return LRESULT(result);
}

bool IsOwnDialog(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window)) return false;
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    return std::string(className) == "#32770";
}

// Dialogs still open when the time is up are closed, so that no call blocks.
BOOL CALLBACK CloseOwnDialog(HWND window, LPARAM) {
    if (IsOwnDialog(window)) PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

}  // namespace

std::string FolderFromEnvironment(const char* variable) {
    const char* value = std::getenv(variable);
    if (value == nullptr || *value == '\0') return {};
    std::string path = value;
    for (char& c : path)
        if (c == '/') c = '\\';
    if (path[0] == '\\') path = "Z:" + path;  // Wine's drive for the Unix root
    if (path.back() != '\\') path += '\\';
    return path;
}

std::string ExecutableFolder() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

DialogDriver::DialogDriver(std::string title, Script script, std::string text)
    : title_(std::move(title)), text_(std::move(text)), script_(std::move(script)), thread_([this] { Watch(); }) {}

DialogDriver::~DialogDriver() { Finish(); }

void DialogDriver::Finish() {
    finished_ = true;
    if (thread_.joinable()) thread_.join();
}

namespace {

struct Search {
    const std::string* title;
    const std::string* text;
    HWND skip;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    if (window == search->skip || !IsOwnDialog(window)) return TRUE;
    if (WindowTextOf(window) != *search->title) return TRUE;
    if (!search->text->empty() && StaticTexts(window).find(*search->text) == std::string::npos) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

HWND DialogDriver::FindNew() const {
    Search search{&title_, &text_, last_, nullptr};
    EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void DialogDriver::Watch() {
    const DWORD start = GetTickCount();
    while (!finished_) {
        if (GetTickCount() - start > kFindTimeoutMs) {
            EnumWindows(CloseOwnDialog, 0);
            return;
        }
        HWND dialog = FindNew();
        if (dialog == nullptr) {
            Sleep(kPollMs);
            continue;
        }
        last_ = dialog;
        ++seen_;
        script_(dialog);
        if (!WaitUntilGone(dialog, kMessageTimeoutMs)) PostMessageA(dialog, WM_CLOSE, 0, 0);
    }
}

std::string WindowTextOf(HWND window) {
    char text[2048] = "";
    Send(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

std::string ControlText(HWND dialog, int id) { return WindowTextOf(GetDlgItem(dialog, id)); }

void TypeInto(HWND dialog, int id, const std::string& text) {
    HWND edit = GetDlgItem(dialog, id);
    Send(edit, EM_SETSEL, 0, -1);
    Send(edit, WM_CLEAR, 0, 0);
    for (char c : text) Send(edit, WM_CHAR, WPARAM(static_cast<unsigned char>(c)), 1);
    if (WindowTextOf(edit) != text) Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Click(HWND dialog, int id, bool endsDialog) {
    HWND button = GetDlgItem(dialog, id);
    Send(button, BM_CLICK, 0, 0);
    if (endsDialog && !WaitUntilGone(dialog, 5000))
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void ClickListEntry(HWND dialog, int listId, int index) {
    HWND list = GetDlgItem(dialog, listId);
    RECT item{};
    Send(list, LB_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    Send(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    Send(list, WM_LBUTTONUP, 0, at);
    if (Send(list, LB_GETCURSEL, 0, 0) != index) {
        Send(list, LB_SETCURSEL, WPARAM(index), 0);
        Send(dialog, WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    }
}

std::string StaticTexts(HWND window) {
    std::string texts;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[64] = "";
        GetClassNameA(child, className, sizeof className);
        if (lstrcmpiA(className, "Static") == 0) texts += WindowTextOf(child) + "\n";
    }
    return texts;
}

bool WaitUntilGone(HWND window, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (IsWindow(window) && IsWindowVisible(window)) {
        if (GetTickCount() - start > milliseconds) return false;
        Sleep(kPollMs);
    }
    return true;
}

namespace {

struct Capture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
};

// Copies the window into a top-down 32-bit DIB, by blitting what its surface
// shows or, failing that, by asking it to print itself.
Capture CaptureWindow(HWND window, bool print) {
    Capture capture;
    RECT rect{};
    GetWindowRect(window, &rect);
    capture.width = rect.right - rect.left;
    capture.height = rect.bottom - rect.top;
    if (capture.width <= 0 || capture.height <= 0) return capture;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = capture.width;
    info.bmiHeader.biHeight = -capture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    if (print) {
        PrintWindow(window, memory, 0);
    } else {
        HDC source = GetWindowDC(window);
        BitBlt(memory, 0, 0, capture.width, capture.height, source, 0, 0, SRCCOPY);
        ReleaseDC(window, source);
    }
    GdiFlush();
    const auto* bgra = static_cast<const unsigned char*>(bits);
    capture.rgb.resize(size_t(capture.width) * capture.height * 3);
    for (size_t i = 0; i < size_t(capture.width) * capture.height; ++i) {
        capture.rgb[i * 3 + 0] = bgra[i * 4 + 2];
        capture.rgb[i * 3 + 1] = bgra[i * 4 + 1];
        capture.rgb[i * 3 + 2] = bgra[i * 4 + 0];
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return capture;
}

bool Uniform(const Capture& capture) {
    for (size_t i = 3; i < capture.rgb.size(); ++i)
        if (capture.rgb[i] != capture.rgb[i % 3]) return false;
    return true;
}

}  // namespace

bool SaveScreenshot(HWND window, const std::string& path) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Sleep(500);
    Capture capture = CaptureWindow(window, false);
    if (capture.rgb.empty() || Uniform(capture)) capture = CaptureWindow(window, true);
    if (capture.rgb.empty() || Uniform(capture)) return false;
    const std::string folder = path.substr(0, path.find_last_of('\\'));
    CreateDirectoryA(folder.c_str(), nullptr);
    return stbi_write_png(path.c_str(), capture.width, capture.height, 3, capture.rgb.data(), capture.width * 3) != 0;
}

HWND MakeHostWindow() {
    static ATOM atom = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
        windowClass.lpszClassName = "VekTestHost";
        return RegisterClassA(&windowClass);
    }();
    if (atom == 0) return nullptr;
    HWND window = CreateWindowA("VekTestHost", "Vek test host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 200, 640, 480,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    UpdateWindow(window);
    return window;
}

}  // namespace vek::wintest
