// Driving modal dialogs as a person would, from a second thread: the test's
// thread runs the modal call, the driver finds the dialog window, works its
// controls and ends it. Nothing waits without a time limit: a dialog the
// script leaves open is closed when the time is up.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace vek::wintest {

// A folder named by an environment variable (a Unix path under Wine) as a
// Windows path; empty when unset.
std::string FolderFromEnvironment(const char* variable);
// The folder of the test's executable, with a trailing backslash.
std::string ExecutableFolder();

class DialogDriver {
public:
    using Script = std::function<void(HWND dialog)>;
    // Watches for top-level dialog windows of this process titled `title`
    // (and, when given, holding a static text `text`) and runs the script on
    // each new one, until Finish.
    DialogDriver(std::string title, Script script, std::string text = {});
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // Called once the modal call has returned; waits for the watcher.
    void Finish();
    int dialogsSeen() const { return seen_; }

private:
    void Watch();
    HWND FindNew() const;

    std::string title_;
    std::string text_;
    Script script_;
    std::atomic<bool> finished_{false};
    std::atomic<int> seen_{0};
    HWND last_ = nullptr;
    std::thread thread_;
};

// Control helpers, safe from the driver's thread.
std::string ControlText(HWND dialog, int id);
std::string WindowTextOf(HWND window);
// Types the text into an edit control character by character, replacing its content.
void TypeInto(HWND dialog, int id, const std::string& text);
// Presses a button; when it should end the dialog and hasn't after a while,
// sends the command the button would have sent.
void Click(HWND dialog, int id, bool endsDialog = true);
// Clicks a list entry with the mouse; falls back to the notification a click gives.
void ClickListEntry(HWND dialog, int listId, int index);
// Every static text of a window, in child order.
std::string StaticTexts(HWND window);
// Waits (briefly) until the window is gone.
bool WaitUntilGone(HWND window, DWORD milliseconds);

// Saves what the window shows as a PNG file; false when nothing was written.
bool SaveScreenshot(HWND window, const std::string& path);

// An export of a loaded library as the function type it has.
template <typename Fn>
Fn ExportOf(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// A plain top-level window to own dialogs and message boxes.
HWND MakeHostWindow();

}  // namespace vek::wintest
