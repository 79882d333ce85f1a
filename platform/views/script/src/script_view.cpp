#include "views/script_view.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <strings.h>

#include "actions.h"
#include "quoting.h"
#include "state_lines.h"
#include "transcript.h"
#include "user/input.h"
#include "user/modal.h"
#include "user/window.h"

namespace vorn::views {

namespace {

using user::InputResult;

std::string hex(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", value);
    return text;
}

bool number(const Argument& argument, long& value) {
    if (argument.quoted || argument.value.empty()) {
        return false;
    }
    char* end = nullptr;
    value = std::strtol(argument.value.c_str(), &end, 10);
    return *end == '\0';
}

bool same(const std::string& a, const char* b) {
    return strcasecmp(a.c_str(), b) == 0;
}

class ScriptView final : public user::View {
public:
    ScriptView(const std::string& scriptPath, const std::string& transcriptPath);

    bool step() override;
    void dialog_opened(HWND dialog) override;
    void dialog_closed(HWND dialog, INT_PTR code) override;
    void focus_changed(HWND control) override;
    void message_box_opened(const user::MessageBoxInfo& box) override;
    void beep(UINT type) override { m_transcript.write("beep " + hex(type)); }
    void cursor_changed(bool wait) override {
        m_transcript.write(wait ? "cursor wait" : "cursor normal");
    }
    void help_shown(HWND window, UINT command, ULONG_PTR data) override;
    void menu_shown(HWND control) override {
        m_transcript.write("menu " + std::to_string(GetDlgCtrlID(control)));
    }
    std::optional<std::string> choose_file(const user::FileDialogInfo& info) override;

private:
    InputResult perform(const Action& action);
    InputResult key(const std::string& name);
    InputResult random_moves(long count, long seed);
    InputResult answer(const std::string& name);
    void dump();
    void fail(int line, const std::string& why);

    Transcript m_transcript;
    std::vector<Action> m_actions;
    std::size_t m_next = 0;
    int m_lastLine = 0;
    std::string m_fault;
};

ScriptView::ScriptView(const std::string& scriptPath, const std::string& transcriptPath)
    : m_transcript(transcriptPath) {
    std::ifstream in(scriptPath, std::ios::binary);
    if (!in) {
        m_fault = "cannot read the script " + scriptPath;
        return;
    }
    std::ostringstream text;
    text << in.rdbuf();
    const std::string source = text.str();
    m_actions = read_actions(source);
    m_lastLine = static_cast<int>(std::count(source.begin(), source.end(), '\n')) + 1;
}

bool ScriptView::step() {
    if (!m_fault.empty()) {
        m_transcript.write("error line 0: " + m_fault);
        return false;
    }
    if (m_next >= m_actions.size()) {
        m_transcript.write("error line " + std::to_string(m_lastLine) +
                           ": the script ended while a window is open");
        return false;
    }
    // Taken before it runs: an action may open a message box, whose loop asks for the next.
    const Action& action = m_actions[m_next++];
    const InputResult result = action.fault.empty() ? perform(action) : InputResult{action.fault};
    if (!result.ok()) {
        m_transcript.write("error line " + std::to_string(action.line) + ": " + result.error);
        return false;
    }
    return true;
}

InputResult ScriptView::perform(const Action& action) {
    const auto& args = action.arguments;
    const std::string& verb = action.verb;
    long id = 0;
    long value = 0;
    auto wrong = [&] { return InputResult{"wrong arguments for " + verb}; };
    if (verb == "type" || verb == "paste") {
        if (args.size() != 2 || !number(args[0], id) || !args[1].quoted) {
            return wrong();
        }
        return verb == "type" ? user::type_text(static_cast<int>(id), args[1].value)
                              : user::paste_text(static_cast<int>(id), args[1].value);
    }
    if (verb == "clear" || verb == "click") {
        if (args.size() != 1 || !number(args[0], id)) {
            return wrong();
        }
        return verb == "clear" ? user::clear_text(static_cast<int>(id))
                               : user::click(static_cast<int>(id));
    }
    if (verb == "key") {
        return args.size() == 1 && !args[0].quoted ? key(args[0].value) : wrong();
    }
    if (verb == "close" || verb == "help" || verb == "dump") {
        if (!args.empty()) {
            return wrong();
        }
        if (verb == "dump") {
            dump();
            return {};
        }
        return verb == "close" ? user::press_close() : user::press_help();
    }
    if (verb == "rightclick") {
        if (args.size() > 1 || (args.size() == 1 && !number(args[0], id))) {
            return wrong();
        }
        return user::right_click(args.empty() ? std::nullopt
                                              : std::optional<int>(static_cast<int>(id)));
    }
    if (verb == "mouse") {
        if (args.size() != 2 || !number(args[0], id) || !number(args[1], value)) {
            return wrong();
        }
        return user::move_mouse(static_cast<int>(id), static_cast<int>(value));
    }
    if (verb == "mouse-random") {
        long seed = 1;
        if (args.empty() || args.size() > 2 || !number(args[0], value) || value < 0 ||
            (args.size() == 2 && !number(args[1], seed))) {
            return wrong();
        }
        return random_moves(value, seed);
    }
    if (verb == "choose") {
        if (args.size() != 2 || !number(args[0], id) || !number(args[1], value)) {
            return wrong();
        }
        return user::choose_item(static_cast<int>(id), static_cast<int>(value));
    }
    if (verb == "answer") {
        return args.size() == 1 && !args[0].quoted ? answer(args[0].value) : wrong();
    }
    if (verb == "file" || verb == "file-cancel") {
        return InputResult{"no file dialog is open"};
    }
    return InputResult{"unknown action " + verb};
}

InputResult ScriptView::key(const std::string& name) {
    using user::Key;
    static const struct {
        const char* name;
        Key key;
    } keys[] = {{"Enter", Key::enter}, {"Escape", Key::escape},
                {"Tab", Key::tab},     {"Shift+Tab", Key::shift_tab},
                {"F1", Key::f1},       {"Space", Key::space},
                {"Up", Key::up},       {"Down", Key::down}};
    for (const auto& entry : keys) {
        if (same(name, entry.name)) {
            return user::press_key(entry.key);
        }
    }
    if (name.size() == 5 && strncasecmp(name.c_str(), "Alt+", 4) == 0 &&
        std::isalnum(static_cast<unsigned char>(name[4]))) {
        return user::press_key(Key::alt_letter, name[4]);
    }
    return InputResult{"unknown key " + name};
}

InputResult ScriptView::random_moves(long count, long seed) {
    // A small generator of our own, so the same seed gives the same moves everywhere.
    std::uint32_t state = static_cast<std::uint32_t>(seed) * 2654435761U + 1;
    auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    };
    for (long i = 0; i < count; ++i) {
        const HWND dialog = user::active_dialog();
        if (!dialog || user::message_box_open()) {
            return InputResult{"no dialog takes the mouse"};
        }
        const auto width = static_cast<std::uint32_t>(user::dialog_width(dialog));
        const auto height = static_cast<std::uint32_t>(user::dialog_height(dialog));
        bool placed = false;
        for (int attempt = 0; attempt < 1000 && !placed && width && height; ++attempt) {
            const int x = static_cast<int>(next() % width);
            const int y = static_cast<int>(next() % height);
            if (!user::over_mouse_control(dialog, x, y)) {
                placed = true;
                if (InputResult result = user::move_mouse(x, y); !result.ok()) {
                    return result;
                }
            }
        }
        if (!placed) {
            return InputResult{"the dialog has no free surface for the mouse"};
        }
    }
    return {};
}

InputResult ScriptView::answer(const std::string& name) {
    static const struct {
        const char* name;
        int button;
    } buttons[] = {{"OK", IDOK}, {"Cancel", IDCANCEL}, {"Yes", IDYES}, {"No", IDNO}};
    for (const auto& entry : buttons) {
        if (same(name, entry.name)) {
            return user::answer_message_box(entry.button);
        }
    }
    return InputResult{"unknown button " + name};
}

void ScriptView::dump() {
    for (const std::string& line : state_lines(user::innermost_modal())) {
        m_transcript.write(line);
    }
}

void ScriptView::fail(int line, const std::string& why) {
    m_transcript.write("error line " + std::to_string(line) + ": " + why);
}

// The file dialog takes exactly one answer from the script: a file, or a cancel.
std::optional<std::string> ScriptView::choose_file(const user::FileDialogInfo& info) {
    std::string labels;
    for (std::size_t i = 0; i < info.filters.size(); ++i) {
        labels += (i ? "|" : "") + info.filters[i].label;
    }
    m_transcript.write("filedialog initial=" + quote(info.initialName) +
                       " filter=" + quote(labels) + " defext=" + quote(info.defaultExtension) +
                       " flags=" + hex(info.flags) + " folder=" + quote(info.folder) +
                       (info.save ? " save=1" : ""));
    if (!m_fault.empty()) {
        fail(0, m_fault);
        return std::nullopt;
    }
    if (m_next >= m_actions.size()) {
        fail(m_lastLine, "the script ended while a window is open");
        return std::nullopt;
    }
    const Action& action = m_actions[m_next++];
    std::string why = action.fault;
    if (why.empty()) {
        const auto& args = action.arguments;
        if (action.verb == "file" && args.size() == 1 && args[0].quoted) {
            return args[0].value;
        }
        if (action.verb == "file-cancel" && args.empty()) {
            return std::nullopt;
        }
        why = action.verb == "file" || action.verb == "file-cancel"
                  ? "wrong arguments for " + action.verb
                  : "a file dialog is open";
    }
    fail(action.line, why);
    // Whatever else is open is cancelled too, as after any action that does not fit.
    user::end_all_modal();
    return std::nullopt;
}

void ScriptView::dialog_opened(HWND dialog) {
    const user::Window* window = user::find_window(dialog);
    m_transcript.write("open dialog " + std::to_string(window->templateId) + " title=" +
                       quote(std::string_view(window->text.data(), window->text.size())) +
                       " sysmodal=" + ((window->style & DS_SYSMODAL) ? "1" : "0") +
                       " help=" + ((window->exStyle & WS_EX_CONTEXTHELP) ? "1" : "0"));
}

void ScriptView::dialog_closed(HWND dialog, INT_PTR code) {
    const user::Window* window = user::find_window(dialog);
    m_transcript.write("end dialog " + std::to_string(window ? window->templateId : 0) +
                       " code=" + std::to_string(code));
}

void ScriptView::focus_changed(HWND control) {
    m_transcript.write("focus " + std::to_string(GetDlgCtrlID(control)));
}

void ScriptView::message_box_opened(const user::MessageBoxInfo& box) {
    m_transcript.write("msgbox text=" + quote(box.text) + " caption=" + quote(box.caption) +
                       " style=" + hex(box.style));
}

void ScriptView::help_shown(HWND window, UINT command, ULONG_PTR data) {
    m_transcript.write("help window=" + std::to_string(GetDlgCtrlID(window)) +
                       " command=" + hex(command) + " context=" + hex(static_cast<unsigned>(data)));
}

} // namespace

std::unique_ptr<user::View> make_script_view(const std::string& scriptPath,
                                             const std::string& transcriptPath) {
    return std::make_unique<ScriptView>(scriptPath, transcriptPath);
}

} // namespace vorn::views
