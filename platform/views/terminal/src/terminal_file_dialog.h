// The terminal's own file dialog: the folder's listing (folders, then the files that the
// pattern lets through), the typed name, the file type, Open and Cancel.
#pragma once

#include <string>
#include <vector>

#include "terminal_paint.h"
#include "user/view.h"

namespace vorn::views {

struct FileEntry {
    std::string name;
    bool folder = false;
};

struct FileDialogState {
    std::string folder;  // Windows form, as the framework lists it
    std::string pattern; // which files the listing shows
    std::vector<FileEntry> entries;
    int selected = -1;
    int first = 0; // first entry shown
    std::string name;
    std::string type; // the file type's label
    std::vector<Region> regions;
};

// The pattern a listing starts with: the initial name's wildcard, else the first filter's
// pattern, else every file.
std::string initial_pattern(const user::FileDialogInfo& info);
// The folder's entries: ".." first unless it is a drive's root, then its folders, then
// the files that match the pattern (case-insensitively), each group by name; hidden
// names left out.
std::vector<FileEntry> list_folder(const std::string& windowsFolder, const std::string& pattern);
bool has_wildcard(const std::string& name);

void paint_file_dialog(FileDialogState& state);

} // namespace vorn::views
