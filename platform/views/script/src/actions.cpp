#include "actions.h"

#include <cctype>
#include <cstdlib>

namespace vorn::views {

namespace {

bool space(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// Reads a quoted text from just after its opening quote; false when it is not closed.
bool unquote(const std::string& line, std::size_t& at, std::string& text, std::string& fault) {
    while (at < line.size()) {
        const char c = line[at++];
        if (c == '"') {
            return true;
        }
        if (c != '\\') {
            text += c;
            continue;
        }
        if (at >= line.size()) {
            break;
        }
        const char e = line[at++];
        switch (e) {
        case 'n':
            text += '\n';
            break;
        case 't':
            text += '\t';
            break;
        case 'r':
            text += '\r';
            break;
        case '\\':
        case '"':
        case '\'':
            text += e;
            break;
        case 'x': {
            std::string digits;
            while (at < line.size() && digits.size() < 2 &&
                   std::isxdigit(static_cast<unsigned char>(line[at]))) {
                digits += line[at++];
            }
            if (digits.empty()) {
                fault = "\\x needs hexadecimal digits";
                return false;
            }
            text += static_cast<char>(std::strtol(digits.c_str(), nullptr, 16));
            break;
        }
        default:
            fault = std::string("unknown escape \\") + e;
            return false;
        }
    }
    if (fault.empty()) {
        fault = "text is not closed";
    }
    return false;
}

Action read_line(const std::string& line, int number) {
    Action action{number, "", {}, ""};
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && space(line[at])) {
            ++at;
        }
        if (at >= line.size() || line[at] == '#') {
            break;
        }
        Argument argument{"", line[at] == '"'};
        if (argument.quoted) {
            ++at;
            if (!unquote(line, at, argument.value, action.fault)) {
                return action;
            }
        } else {
            while (at < line.size() && !space(line[at])) {
                argument.value += line[at++];
            }
        }
        if (action.verb.empty() && !argument.quoted) {
            action.verb = argument.value;
        } else if (action.verb.empty()) {
            action.fault = "a line starts with an action, not a text";
            return action;
        } else {
            action.arguments.push_back(std::move(argument));
        }
    }
    return action;
}

} // namespace

std::vector<Action> read_actions(const std::string& source) {
    std::vector<Action> actions;
    std::size_t start = 0;
    int number = 0;
    while (start <= source.size()) {
        const std::size_t end = source.find('\n', start);
        const std::string line =
            source.substr(start, end == std::string::npos ? std::string::npos : end - start);
        ++number;
        Action action = read_line(line, number);
        if (!action.verb.empty() || !action.fault.empty()) {
            actions.push_back(std::move(action));
        }
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return actions;
}

} // namespace vorn::views
