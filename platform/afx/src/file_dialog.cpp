#include "afx/file_dialog.h"

#include <direct.h>
#include <optional>
#include <string>
#include <sys/stat.h>

#include "kernel/paths.h"
#include "user/view.h"

namespace {

using vorn::user::FileDialogInfo;
using vorn::user::FileFilter;

bool is_separator(char c) {
    return c == '\\' || c == '/';
}

std::size_t last_separator(const std::string& path) {
    return path.find_last_of("\\/");
}

std::string last_component(const std::string& path) {
    const std::size_t at = last_separator(path);
    return at == std::string::npos ? path : path.substr(at + 1);
}

// The host directory that holds a host path (never empty: the root holds itself).
std::string host_parent(const std::string& host) {
    const std::size_t at = host.find_last_of('/');
    return at == std::string::npos || at == 0 ? std::string("/") : host.substr(0, at);
}

bool is_directory(const std::string& host) {
    struct stat info {};
    return ::stat(host.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool has_wildcard(const std::string& name) {
    return name.find_first_of("*?") != std::string::npos;
}

// The "label|pattern|" pairs of a filter, up to the empty label that ends them.
std::vector<FileFilter> filters_of(const std::string& filter) {
    std::vector<FileFilter> entries;
    std::size_t at = 0;
    while (at < filter.size()) {
        const std::size_t labelEnd = filter.find('|', at);
        if (labelEnd == std::string::npos || labelEnd == at) {
            break;
        }
        const std::size_t patternEnd = filter.find('|', labelEnd + 1);
        const std::size_t end = patternEnd == std::string::npos ? filter.size() : patternEnd;
        entries.push_back(
            {filter.substr(at, labelEnd - at), filter.substr(labelEnd + 1, end - labelEnd - 1)});
        at = end + 1;
    }
    return entries;
}

// A host path in the Windows form the dialog shows; nothing when no drive holds it.
std::optional<std::string> shown_form(const std::string& host) {
    return vorn::kernel::windows_path(host);
}

// The folder the dialog opens on: the one the initial name lies in, else the current one.
std::string initial_folder(const std::string& initialName) {
    const std::size_t at = initialName.find_last_of("\\/:");
    if (at != std::string::npos) {
        if (auto host = vorn::kernel::host_path(initialName.substr(0, at + 1))) {
            if (auto shown = shown_form(*host)) {
                return *shown;
            }
        }
    }
    char current[4096];
    const char* cwd = _getcwd(current, sizeof current);
    return shown_form(cwd ? cwd : "/").value_or("C:\\");
}

// The host path of a name as the person gave it: host form, absolute Windows form, rooted
// on the folder's drive, or relative to the folder shown.
std::optional<std::string> host_of_answer(const std::string& answer, const std::string& folder) {
    if (answer.empty()) {
        return std::nullopt;
    }
    if (answer[0] == '/') {
        return answer;
    }
    if (answer.size() >= 2 && answer[1] == ':') {
        return vorn::kernel::host_path(answer);
    }
    if (is_separator(answer[0])) {
        return vorn::kernel::host_path(folder.substr(0, 2) + answer);
    }
    return vorn::kernel::host_path(folder + "\\" + answer);
}

} // namespace

CFileDialog::CFileDialog(BOOL openFileDialog, const char* defaultExtension, const char* fileName,
                         DWORD flags, const char* filter, CWnd* parent)
    : CDialog(0, parent), m_openFileDialog(openFileDialog), m_defaultExtension(defaultExtension),
      m_fileName(fileName), m_flags(flags), m_filter(filter) {}

CFileDialog::~CFileDialog() = default;

INT_PTR CFileDialog::DoModal() {
    vorn::user::View* view = vorn::user::current_view();
    if (!view) {
        return IDCANCEL;
    }
    FileDialogInfo info;
    info.save = !m_openFileDialog;
    info.initialName = m_fileName;
    info.folder = initial_folder(info.initialName);
    info.filters = filters_of(std::string(m_filter));
    info.defaultExtension = m_defaultExtension;
    info.flags = m_flags;
    // Each answer that is not yet a file keeps the dialog open, as browsing does.
    for (;;) {
        const std::optional<std::string> answer = view->choose_file(info);
        if (!answer) {
            return IDCANCEL;
        }
        std::optional<std::string> host = host_of_answer(*answer, info.folder);
        if (!host) {
            continue;
        }
        if (has_wildcard(last_component(*answer))) {
            // A pattern lists the folder it names; it is not a file.
            info.folder = shown_form(host_parent(*host)).value_or(info.folder);
            continue;
        }
        if (is_directory(*host)) {
            info.folder = shown_form(*host).value_or(info.folder);
            continue;
        }
        if (!info.defaultExtension.empty() &&
            last_component(*answer).find('.') == std::string::npos) {
            host = host_of_answer(*answer + "." + info.defaultExtension, info.folder);
        }
        const std::optional<std::string> chosen = host ? shown_form(*host) : std::nullopt;
        if (!chosen) {
            continue;
        }
        m_pathName = chosen->c_str();
        // As the platform's own dialog does: the chosen file's folder becomes current.
        _chdir(host_parent(*host).c_str());
        return IDOK;
    }
}
