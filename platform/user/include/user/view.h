// What the window model needs of a view: render what happens, feed input when asked.
// The model holds the chosen view through this interface and never knows which it is.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "win32/user.h"

namespace vorn::user {

struct MessageBoxInfo {
    HWND owner;
    std::string text;
    std::string caption;
    UINT style;
};

// One entry of a file dialog's list of file types: what is shown and which names it lets
// through (an empty pattern lets none through the listing).
struct FileFilter {
    std::string label;
    std::string pattern;
};

// What a file dialog shows when it opens; the folder is the one it lists, in Windows form.
struct FileDialogInfo {
    bool save = false;
    std::string initialName;
    std::string folder;
    std::vector<FileFilter> filters;
    std::string defaultExtension;
    DWORD flags = 0;
};

class View {
public:
    virtual ~View() = default;

    // Feeds one piece of input to the innermost modal loop (dialog or message box).
    // False when there is none to give: the model then abandons every open loop.
    virtual bool step() = 0;

    virtual void dialog_opened(HWND dialog) = 0;
    virtual void dialog_closed(HWND dialog, INT_PTR code) = 0;
    virtual void focus_changed(HWND control) = 0;
    virtual void message_box_opened(const MessageBoxInfo& box) = 0;
    virtual void beep(UINT type) = 0;
    virtual void cursor_changed(bool wait) = 0;
    virtual void help_shown(HWND window, UINT command, ULONG_PTR data) = 0;
    virtual void menu_shown(HWND control) = 0;
    // Asks for one file name while the file dialog is open: a path as the person gave it
    // (Windows or host form, absolute or relative to the folder shown), nothing when they
    // cancelled. Called again while the answer is not yet a file (a folder to open, a
    // wildcard). A view that offers no file dialog cancels it.
    virtual std::optional<std::string> choose_file(const FileDialogInfo&) { return std::nullopt; }
};

// The view of this process, chosen from VORN_UI (again whenever that changes); null
// when there is none, in which case no dialog can be created.
View* current_view();

} // namespace vorn::user

// Creates the view that VORN_UI names; defined by the view selection that a program
// links, absent (null) where none is linked.
extern "C" vorn::user::View* vorn_create_view(const char* choice) __attribute__((weak));
