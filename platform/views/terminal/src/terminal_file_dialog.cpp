#include "terminal_file_dialog.h"

#include <algorithm>
#include <curses.h>
#include <dirent.h>
#include <fnmatch.h>
#include <strings.h>
#include <sys/stat.h>

#include "kernel/paths.h"

namespace vorn::views {

namespace {

void put(int row, int column, const std::string& text, int width, attr_t attributes) {
    if (row < 0 || row >= LINES || width <= 0) {
        return;
    }
    std::string shown = text.substr(0, static_cast<std::size_t>(width));
    shown.resize(static_cast<std::size_t>(width), ' ');
    attrset(attributes);
    mvaddnstr(row, column, shown.c_str(), width);
    attrset(A_NORMAL);
}

bool is_root(const std::string& folder) {
    return folder.size() <= 3 && folder.size() >= 2 && folder[1] == ':';
}

} // namespace

bool has_wildcard(const std::string& name) {
    return name.find_first_of("*?") != std::string::npos;
}

std::string initial_pattern(const user::FileDialogInfo& info) {
    const std::size_t at = info.initialName.find_last_of("\\/:");
    std::string last = at == std::string::npos ? info.initialName : info.initialName.substr(at + 1);
    if (has_wildcard(last)) {
        return last;
    }
    if (!info.filters.empty() && !info.filters[0].pattern.empty()) {
        return info.filters[0].pattern;
    }
    return "*";
}

std::vector<FileEntry> list_folder(const std::string& windowsFolder, const std::string& pattern) {
    std::vector<FileEntry> folders;
    std::vector<FileEntry> files;
    const auto host = kernel::host_path(windowsFolder);
    if (DIR* directory = host ? opendir(host->c_str()) : nullptr) {
        while (const dirent* entry = readdir(directory)) {
            const std::string name = entry->d_name;
            if (name.empty() || name[0] == '.') {
                continue;
            }
            struct stat info {};
            if (stat((*host + "/" + name).c_str(), &info) != 0) {
                continue;
            }
            if (S_ISDIR(info.st_mode)) {
                folders.push_back({name, true});
            } else if (fnmatch(pattern.c_str(), name.c_str(), FNM_CASEFOLD) == 0) {
                files.push_back({name, false});
            }
        }
        closedir(directory);
    }
    auto by_name = [](const FileEntry& a, const FileEntry& b) {
        return strcasecmp(a.name.c_str(), b.name.c_str()) < 0;
    };
    std::sort(folders.begin(), folders.end(), by_name);
    std::sort(files.begin(), files.end(), by_name);
    std::vector<FileEntry> entries;
    if (!is_root(windowsFolder)) {
        entries.push_back({"..", true});
    }
    entries.insert(entries.end(), folders.begin(), folders.end());
    entries.insert(entries.end(), files.begin(), files.end());
    return entries;
}

void paint_file_dialog(FileDialogState& state) {
    state.regions.clear();
    erase();
    const int width = std::min(COLS, 64);
    const int height = std::min(LINES - 1, 20);
    const Cells outline{std::max(0, (LINES - 1 - height) / 2), std::max(0, (COLS - width) / 2),
                        height, width};
    const int left = outline.column + 2;
    const int inner = width - 4;
    // The frame.
    put(outline.row, outline.column,
        "+" + std::string(static_cast<std::size_t>(width - 2), '-') + "+", width, A_NORMAL);
    for (int r = 1; r < height - 1; ++r) {
        put(outline.row + r, outline.column, "|", 1, A_NORMAL);
        put(outline.row + r, outline.column + width - 1, "|", 1, A_NORMAL);
    }
    put(outline.row + height - 1, outline.column,
        "+" + std::string(static_cast<std::size_t>(width - 2), '-') + "+", width, A_NORMAL);
    put(outline.row, outline.column + (width - 6) / 2, " Open ", 6, A_BOLD);
    put(outline.row + 1, left, "Look in: " + state.folder + "   (" + state.pattern + ")", inner,
        A_NORMAL);
    // The listing.
    const int listRows = height - 7;
    const int count = static_cast<int>(state.entries.size());
    if (state.selected >= 0) {
        state.first = std::clamp(state.first, state.selected - listRows + 1, state.selected);
    }
    state.first = std::clamp(state.first, 0, std::max(0, count - listRows));
    for (int i = 0; i < listRows; ++i) {
        const int index = state.first + i;
        const Cells line{outline.row + 2 + i, left, 1, inner};
        if (index >= count) {
            put(line.row, line.column, "", inner, A_NORMAL);
            continue;
        }
        const FileEntry& entry = state.entries[static_cast<std::size_t>(index)];
        put(line.row, line.column, entry.folder ? entry.name + "\\" : entry.name, inner,
            index == state.selected ? A_REVERSE : A_NORMAL);
        state.regions.push_back({line, Hit{Hit::drop_item, nullptr, index}});
    }
    if (count == 0 || (count == 1 && state.entries[0].name == "..")) {
        put(outline.row + 2 + count, left, "(no files of this type here)", inner, A_DIM);
    }
    const int nameRow = outline.row + height - 5;
    put(nameRow, left, "File name:", 10, A_NORMAL);
    const int field = inner - 11;
    const std::size_t shownFrom = state.name.size() >= static_cast<std::size_t>(field - 2)
                                      ? state.name.size() - static_cast<std::size_t>(field - 2) + 1
                                      : 0;
    put(nameRow, left + 11, "[" + state.name.substr(shownFrom), field - 1, A_UNDERLINE);
    put(nameRow, left + 11 + field - 1, "]", 1, A_NORMAL);
    put(nameRow + 1, left, "Files of type: " + state.type, inner, A_NORMAL);
    const std::string open = "< Open >";
    const std::string cancel = "[ Cancel ]";
    const int buttonRow = outline.row + height - 2;
    const int openColumn = left + inner / 2 - static_cast<int>(open.size()) - 2;
    const int cancelColumn = left + inner / 2 + 2;
    put(buttonRow, openColumn, open, static_cast<int>(open.size()), A_BOLD);
    put(buttonRow, cancelColumn, cancel, static_cast<int>(cancel.size()), A_NORMAL);
    state.regions.push_back({Cells{buttonRow, openColumn, 1, static_cast<int>(open.size())},
                             Hit{Hit::box_button, nullptr, IDOK}});
    state.regions.push_back({Cells{buttonRow, cancelColumn, 1, static_cast<int>(cancel.size())},
                             Hit{Hit::box_button, nullptr, IDCANCEL}});
    put(LINES - 1, 0,
        "Up/Down: choose  Enter: open  type a name, a folder or a pattern  Esc: cancel", COLS,
        A_DIM);
    move(nameRow, left + 12 + static_cast<int>(state.name.size() - shownFrom));
    curs_set(1);
    refresh();
}

} // namespace vorn::views
