// The names a resource script may use: the platform's style and id names, and the
// #defines of the script and the headers it includes.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace vorn::rc {

class Symbols {
public:
    Symbols();
    std::optional<long> find(const std::string& name) const;
    void define(const std::string& name, long value) { m_values[name] = value; }

private:
    std::map<std::string, long> m_values;
};

} // namespace vorn::rc
