// Script lines split into actions: a verb and its arguments, with the line they are on.
#pragma once

#include <string>
#include <vector>

namespace vorn::views {

struct Argument {
    std::string value;
    bool quoted;
};

struct Action {
    int line;
    std::string verb;
    std::vector<Argument> arguments;
    std::string fault; // why the line could not be read; empty when it could
};

// One action per line that is not empty or a comment.
std::vector<Action> read_actions(const std::string& source);

} // namespace vorn::views
