// GetPrivateProfileStringA with Windows semantics: section and key names compared
// without case, the first section and key of a name win, values trimmed and unquoted,
// results cut to the caller's buffer.
#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <strings.h>
#include <vector>

#include "kernel/paths.h"
#include "win32/profile.h"

namespace {

struct Entry {
    std::string key;
    std::string value;
};

struct Section {
    std::string name;
    std::vector<Entry> entries;
};

std::string trim(std::string_view text) {
    const char* blanks = " \t\r\n";
    auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    auto last = text.find_last_not_of(blanks);
    return std::string(text.substr(first, last - first + 1));
}

std::string unquote(std::string value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// A NUL ends the text, so zero bytes left at the end of a file are ignored.
std::vector<Section> parse(const std::string& contents) {
    std::string text = contents.substr(0, contents.find('\0'));
    std::vector<Section> sections;
    std::istringstream lines(text);
    std::string raw;
    while (std::getline(lines, raw)) {
        std::string line = trim(raw);
        if (line.empty() || line[0] == ';') {
            continue;
        }
        if (line[0] == '[') {
            auto close = line.find(']');
            if (close != std::string::npos) {
                sections.push_back({trim(std::string_view(line).substr(1, close - 1)), {}});
            }
            continue;
        }
        auto equals = line.find('=');
        if (equals == std::string::npos || sections.empty()) {
            continue;
        }
        sections.back().entries.push_back(
            {trim(std::string_view(line).substr(0, equals)),
             unquote(trim(std::string_view(line).substr(equals + 1)))});
    }
    return sections;
}

std::optional<std::string> profile_host_path(LPCSTR fileName) {
    if (std::strpbrk(fileName, "\\/:") == nullptr) {
        auto windows = vorn::kernel::windows_directory();
        if (!windows) {
            return std::nullopt;
        }
        return vorn::kernel::host_path(std::string("C:\\WINDOWS\\") + fileName);
    }
    return vorn::kernel::host_path(fileName);
}

std::vector<Section> read_profile(LPCSTR fileName) {
    auto host = profile_host_path(fileName);
    if (!host) {
        return {};
    }
    std::ifstream in(*host, std::ios::binary);
    if (!in) {
        return {};
    }
    std::string contents((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return parse(contents);
}

bool same_name(const std::string& a, LPCSTR b) {
    return ::strcasecmp(a.c_str(), b) == 0;
}

DWORD copy_value(const std::string& value, LPSTR out, DWORD size) {
    if (size == 0) {
        return 0;
    }
    std::size_t length = std::min<std::size_t>(value.size(), size - 1);
    std::memcpy(out, value.data(), length);
    out[length] = '\0';
    return static_cast<DWORD>(length);
}

// Names as terminated strings, ended by an empty one; a list that does not fit is cut
// and still ends with two zero bytes, and the result is then size - 2.
DWORD copy_list(const std::vector<std::string>& names, LPSTR out, DWORD size) {
    if (size == 0) {
        return 0;
    }
    std::string list;
    for (const std::string& name : names) {
        list += name;
        list += '\0';
    }
    if (list.empty()) {
        out[0] = '\0';
        if (size > 1) {
            out[1] = '\0';
        }
        return 0;
    }
    list += '\0';
    if (list.size() <= size) {
        std::memcpy(out, list.data(), list.size());
        return static_cast<DWORD>(list.size() - 1);
    }
    if (size < 2) {
        out[0] = '\0';
        return 0;
    }
    std::memcpy(out, list.data(), size - 2);
    out[size - 2] = '\0';
    out[size - 1] = '\0';
    return size - 2;
}

} // namespace

DWORD WINAPI GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue,
                                      LPSTR returned, DWORD size, LPCSTR fileName) {
    if (returned == nullptr || fileName == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::vector<Section> sections = read_profile(fileName);
    if (section == nullptr) {
        std::vector<std::string> names;
        for (const Section& each : sections) {
            names.push_back(each.name);
        }
        return copy_list(names, returned, size);
    }
    auto found = std::find_if(sections.begin(), sections.end(),
                              [&](const Section& each) { return same_name(each.name, section); });
    if (key == nullptr) {
        std::vector<std::string> names;
        if (found != sections.end()) {
            for (const Entry& entry : found->entries) {
                if (std::none_of(names.begin(), names.end(), [&](const std::string& n) {
                        return same_name(n, entry.key.c_str());
                    })) {
                    names.push_back(entry.key);
                }
            }
        }
        return copy_list(names, returned, size);
    }
    if (found != sections.end()) {
        for (const Entry& entry : found->entries) {
            if (same_name(entry.key, key)) {
                return copy_value(entry.value, returned, size);
            }
        }
    }
    std::string fallback = defaultValue != nullptr ? defaultValue : "";
    fallback.erase(fallback.find_last_not_of(' ') + 1);
    return copy_value(fallback, returned, size);
}
