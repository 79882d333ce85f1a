#include "menu.h"

#include <cstdio>
#include <cstdlib>
#include <curses.h>
#include <sstream>
#include <string>
#include <vector>

#include "commands.h"
#include "views/terminal_input.h"
#include "views/terminal_screen.h"

namespace vornconfig {

namespace {

using vorn::views::TerminalScreen;
using vorn::views::TermKey;

struct Entry {
    char key;
    const char* label;
    std::vector<std::string> arguments; // empty: asks for the certificate first
};

const std::vector<Entry>& entries() {
    static const std::vector<Entry> list = {
        {'1', "Log in to the key manager", {"login"}},
        {'2', "Set the password (first use)", {"passwd"}},
        {'3', "Change the password", {"passwd", "--change"}},
        {'4', "Create a private key (random data from the mouse)", {"genkey"}},
        {'5', "Add a private key file", {"addkey"}},
        {'6', "Add a certificate file", {"addkey", "--kind", "1"}},
        {'7', "Show a certificate and change its description", {}},
    };
    return list;
}

// A result line as the menu shows it: passwords are never put on the screen, and the
// random pool only in part.
std::string shown_line(const std::string& line) {
    const auto equals = line.find('=');
    const std::string name = line.substr(0, equals);
    const std::string value = equals == std::string::npos ? "" : line.substr(equals + 1);
    if (name == "new_password" || name == "old_password") {
        return name + "=(" + std::to_string(value.size()) + " characters, not shown)";
    }
    if (name == "pool" && value.size() > 32) {
        return name + "=" + value.substr(0, 32) + "... (" + std::to_string(value.size()) +
               " characters)";
    }
    if (name == "result") {
        return line + (value == "0" ? " (confirmed)" : value == "1" ? " (cancelled)" : " (failed)");
    }
    return line;
}

void draw(const std::string& heading, const std::vector<std::string>& results,
          const std::string& prompt) {
    erase();
    attrset(A_BOLD);
    mvaddstr(1, 2, "PC-VORN configuration");
    attrset(A_NORMAL);
    int row = 3;
    for (const Entry& entry : entries()) {
        mvprintw(row++, 4, "%c  %s", entry.key, entry.label);
    }
    mvaddstr(row++, 4, "q  Quit (also Escape)");
    row++;
    if (!heading.empty()) {
        attrset(A_BOLD);
        mvaddnstr(row++, 2, heading.c_str(), COLS - 4);
        attrset(A_NORMAL);
        for (const std::string& line : results) {
            mvaddnstr(row++, 4, shown_line(line).c_str(), COLS - 6);
        }
        row++;
    }
    mvaddnstr(row, 2, prompt.c_str(), COLS - 4);
    refresh();
}

// One key or character from the terminal; false when the terminal is gone.
bool read_key(vorn::views::TermEvent& event) {
    std::string pending;
    for (;;) {
        timeout(pending.empty() ? -1 : 50);
        const int got = getch();
        if (got == KEY_RESIZE) {
            continue;
        }
        if (got == ERR && pending.empty()) {
            return false;
        }
        if (got != ERR) {
            pending += static_cast<char>(got);
        }
        const auto decoded = vorn::views::decode_input(pending, got == ERR);
        if (decoded.used > 0) {
            event = decoded.event;
            return true;
        }
    }
}

// A line typed at the prompt; false when Escape gave up.
bool ask(const std::string& heading, const std::vector<std::string>& results,
         const std::string& question, std::string& answer) {
    for (;;) {
        draw(heading, results, question + answer);
        curs_set(1);
        vorn::views::TermEvent event;
        if (!read_key(event) || event.key == TermKey::escape) {
            curs_set(0);
            return false;
        }
        if (event.key == TermKey::enter) {
            curs_set(0);
            return true;
        }
        if (event.key == TermKey::backspace && !answer.empty()) {
            answer.pop_back();
        } else if (event.key == TermKey::character && answer.size() < 200) {
            answer += event.character;
        }
    }
}

// "NSID NODE DESCRIPTION..." as the show subcommand's arguments.
std::vector<std::string> show_arguments(const std::string& answer) {
    std::istringstream words(answer);
    std::string nsid;
    std::string node;
    words >> nsid >> node;
    std::string description;
    std::getline(words >> std::ws, description);
    std::vector<std::string> arguments = {"show", "--kind", "1", "--nsid", nsid, "--node", node};
    if (!description.empty()) {
        arguments.push_back("--attr");
        arguments.push_back("DESCRIPTION=" + description);
    }
    return arguments;
}

// Runs one subcommand with the terminal handed to its dialog; the lines it printed.
std::vector<std::string> run_entry(const Library& library,
                                   const std::vector<std::string>& arguments) {
    char* text = nullptr;
    std::size_t size = 0;
    std::FILE* out = open_memstream(&text, &size);
    std::vector<std::string> lines;
    if (!out) {
        lines.emplace_back("vornconfig: out of memory");
        return lines;
    }
    TerminalScreen::close();
    run_command(library, arguments, out);
    std::fclose(out);
    std::istringstream stream(std::string(text, size));
    std::free(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    if (lines.empty()) {
        lines.emplace_back("(nothing was returned)");
    }
    return lines;
}

} // namespace

int run_menu(const Library& library) {
    std::string heading;
    std::vector<std::string> results;
    for (;;) {
        if (!TerminalScreen::open()) {
            std::fputs("vornconfig: the menu needs a terminal\n", stderr);
            return 3;
        }
        draw(heading, results, "Choose 1-7: ");
        vorn::views::TermEvent event;
        if (!read_key(event) || event.key == TermKey::escape ||
            (event.key == TermKey::character &&
             (event.character == 'q' || event.character == 'Q'))) {
            break;
        }
        if (event.key != TermKey::character) {
            continue;
        }
        for (const Entry& entry : entries()) {
            if (entry.key != event.character) {
                continue;
            }
            std::vector<std::string> arguments = entry.arguments;
            if (arguments.empty()) {
                std::string answer = "1 c0a80101 ";
                if (!ask(entry.label, {"Name space (0-11), node id in hex, then the description"},
                         "Certificate: ", answer)) {
                    break;
                }
                arguments = show_arguments(answer);
            }
            heading = std::string(entry.label) + ":";
            results = run_entry(library, arguments);
            break;
        }
    }
    TerminalScreen::close();
    return 0;
}

} // namespace vornconfig
