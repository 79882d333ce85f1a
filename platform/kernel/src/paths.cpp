// Windows paths onto host directories and back.
#include "kernel/paths.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <filesystem>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace vorn::kernel {
namespace {

namespace fs = std::filesystem;

const char* env(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : nullptr;
}

bool exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

bool is_separator(char c) {
    return c == '\\' || c == '/';
}

// Splits a path into its components, dropping "." and resolving "..".
std::vector<std::string> components(std::string_view path) {
    std::vector<std::string> parts;
    std::string current;
    auto flush = [&] {
        if (current == "..") {
            if (!parts.empty()) {
                parts.pop_back();
            }
        } else if (!current.empty() && current != ".") {
            parts.push_back(current);
        }
        current.clear();
    };
    for (char c : path) {
        if (is_separator(c)) {
            flush();
        } else {
            current += c;
        }
    }
    flush();
    return parts;
}

// The entry of a directory whose name matches a component case-insensitively.
std::optional<std::string> find_ignoring_case(const std::string& directory,
                                              const std::string& name) {
    DIR* listing = ::opendir(directory.empty() ? "/" : directory.c_str());
    if (listing == nullptr) {
        return std::nullopt;
    }
    std::optional<std::string> found;
    while (const dirent* entry = ::readdir(listing)) {
        if (::strcasecmp(entry->d_name, name.c_str()) == 0) {
            found = entry->d_name;
            break;
        }
    }
    ::closedir(listing);
    return found;
}

std::string current_directory() {
    std::error_code error;
    fs::path cwd = fs::current_path(error);
    return error ? std::string("/") : cwd.string();
}

std::string without_trailing_separators(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

} // namespace

std::string root_directory() {
    if (const char* root = env("VORN_ROOT")) {
        return root;
    }
    if (const char* data = env("XDG_DATA_HOME")) {
        return std::string(data) + "/vorn";
    }
    const char* home = env("HOME");
    return std::string(home != nullptr ? home : "") + "/.local/share/vorn";
}

std::optional<std::string> drive_directory(char letter) {
    if (!std::isalpha(static_cast<unsigned char>(letter))) {
        return std::nullopt;
    }
    char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    std::string name = std::string("VORN_DRIVE_") + upper;
    if (const char* mapped = env(name.c_str())) {
        return without_trailing_separators(mapped);
    }
    if (upper == 'C') {
        return root_directory() + "/drive_c";
    }
    if (upper == 'Z') {
        return std::string("/");
    }
    return std::nullopt;
}

std::optional<std::string> host_path(std::string_view windowsPath) {
    if (windowsPath.empty()) {
        return std::nullopt;
    }
    std::string base;
    std::string_view rest = windowsPath;
    if (windowsPath.size() >= 2 && windowsPath[1] == ':') {
        auto drive = drive_directory(windowsPath[0]);
        if (!drive) {
            return std::nullopt;
        }
        base = *drive;
        rest.remove_prefix(2);
    } else if (is_separator(windowsPath[0])) {
        // Rooted without a drive: the root of the current directory's drive.
        auto current = windows_path(current_directory());
        auto drive = drive_directory(current ? (*current)[0] : 'C');
        if (!drive) {
            return std::nullopt;
        }
        base = *drive;
    } else {
        base = current_directory();
    }

    std::string host = base == "/" ? std::string() : base;
    bool resolving = true;
    for (const std::string& part : components(rest)) {
        std::string exact = host + "/" + part;
        if (resolving && !exists(exact)) {
            if (auto found = find_ignoring_case(host, part)) {
                host += "/" + *found;
                continue;
            }
            resolving = false; // nothing below a missing component can exist
        }
        host = exact;
    }
    return host.empty() ? std::string("/") : host;
}

std::optional<std::string> windows_path(std::string_view hostPath) {
    std::string absolute(hostPath);
    if (absolute.empty() || absolute[0] != '/') {
        absolute = current_directory() + "/" + absolute;
    }
    std::string normal = "/";
    for (const std::string& part : components(absolute)) {
        normal += (normal.size() > 1 ? "/" : "") + part;
    }

    std::optional<std::string> best;
    std::size_t bestLength = 0;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        auto drive = drive_directory(letter);
        if (!drive) {
            continue;
        }
        std::vector<std::string> forms{*drive};
        std::error_code error;
        fs::path canonical = fs::canonical(*drive, error);
        if (!error && canonical.string() != *drive) {
            forms.push_back(canonical.string());
        }
        for (const std::string& form : forms) {
            std::string prefix = form == "/" ? std::string() : form;
            bool inside = normal == form || normal.compare(0, prefix.size() + 1, prefix + "/") == 0;
            if (inside && (!best || prefix.size() > bestLength)) {
                bestLength = prefix.size();
                std::string tail =
                    normal.size() > prefix.size() ? normal.substr(prefix.size()) : "";
                std::string result = std::string(1, letter) + ":";
                for (char c : tail) {
                    result += c == '/' ? '\\' : c;
                }
                if (result.size() == 2) {
                    result += '\\';
                }
                best = result;
            }
        }
    }
    return best;
}

std::optional<std::string> windows_directory() {
    auto host = host_path("C:\\WINDOWS");
    if (!host) {
        return std::nullopt;
    }
    std::error_code error;
    fs::create_directories(*host, error);
    return host;
}

} // namespace vorn::kernel
