// The 95 family's start-up renames: every line dest=src of a [Rename] section moves src
// over dest, NUL=src deletes src, in the order of the lines. The text ends at the first
// zero byte, so zero bytes left at the end of the file are harmless.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <strings.h>

#include "boot.h"
#include "kernel/paths.h"

namespace {

const char kWinInit[] = "C:\\WINDOWS\\WININIT.INI";
const char kWinInitBackup[] = "C:\\WINDOWS\\WININIT.BAK";

std::string trim(const std::string& text) {
    const char* blanks = " \t\r";
    auto first = text.find_first_not_of(blanks);
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool read_text(const std::string& host, std::string& text) {
    std::ifstream in(host, std::ios::binary);
    if (!in) {
        return false;
    }
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    return true;
}

int run_line(const std::string& line, int number) {
    auto equals = line.find('=');
    if (equals == std::string::npos) {
        std::printf("failed: line %d of %s: not a rename: %s\n", number, kWinInit, line.c_str());
        return 1;
    }
    std::string destination = trim(line.substr(0, equals));
    std::string source = trim(line.substr(equals + 1));
    bool deletes = ::strcasecmp(destination.c_str(), "NUL") == 0;
    return carry_out(source, deletes ? nullptr : &destination, MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}

} // namespace

int run_wininit() {
    auto host = vorn::kernel::host_path(kWinInit);
    std::string text;
    if (!host || !read_text(*host, text)) {
        return 0; // nothing scheduled
    }
    int failures = 0;
    bool inRename = false;
    std::istringstream lines(text);
    std::string raw;
    for (int number = 1; std::getline(lines, raw); ++number) {
        std::string line = trim(raw);
        if (line.empty() || line[0] == ';') {
            continue;
        }
        if (line[0] == '[') {
            inRename = ::strncasecmp(line.c_str(), "[Rename]", 8) == 0;
            continue;
        }
        if (inRename) {
            failures += run_line(line, number);
        }
    }
    std::string backup = kWinInitBackup;
    if (!carry_out(kWinInit, &backup, MOVEFILE_REPLACE_EXISTING)) {
        ++failures;
    }
    return failures;
}
