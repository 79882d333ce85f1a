// The command line from the process's real arguments, quoted as a Windows program's
// arguments are parsed back: inside quotes, a backslash run before a quote is doubled
// and the quote escaped; other backslashes stand as they are. The program comes first in
// Windows form, as Windows starts it, so no part of a host path (a "-c" in a directory
// name, say) is taken for an option.
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "kernel/paths.h"
#include "win32/commandline.h"

namespace {

std::vector<std::string> process_arguments() {
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> arguments;
    std::string current;
    for (char c : raw) {
        if (c == '\0') {
            arguments.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) {
        arguments.push_back(current);
    }
    return arguments;
}

std::string quoted(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) {
        return argument;
    }
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') {
            out.append(backslashes * 2 + 1, '\\');
        } else {
            out.append(backslashes, '\\');
        }
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, '\\');
    out += '"';
    return out;
}

std::string joined_command_line() {
    std::vector<std::string> arguments = process_arguments();
    if (!arguments.empty() && arguments[0].find('/') != std::string::npos) {
        arguments[0] = vorn::kernel::windows_path(arguments[0]).value_or(arguments[0]);
    }
    std::string line;
    for (const std::string& argument : arguments) {
        if (!line.empty()) {
            line += ' ';
        }
        line += quoted(argument);
    }
    return line;
}

} // namespace

LPSTR WINAPI GetCommandLineA() {
    static std::string s_commandLine = joined_command_line();
    return s_commandLine.data();
}
