#include "commands.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "qmdxsc32.h"

namespace vornconfig {

namespace {

// Buffers start filled with this byte, so a buffer the export wrote can be told apart.
constexpr char kUntouched = '\xff';

bool written(const char* buffer) {
    return buffer[0] != kUntouched;
}

void print(std::FILE* out, const char* name, const char* value) {
    std::fprintf(out, "%s=%s\n", name, value);
}

int bad(const char* why) {
    std::fprintf(stderr, "vornconfig: %s\n", why);
    return -2;
}

template <typename Function> Function entry(const Library& library, const char* name) {
    return reinterpret_cast<Function>(library.entry(name));
}

bool number(const std::string& text, long& value, int base = 10) {
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, base);
    return !text.empty() && *end == '\0';
}

int login(std::FILE* out, const Library& library) {
    auto function = entry<Login32Function>(library, "Login32");
    if (!function) {
        return bad("QMDXSC32 has no Login32");
    }
    const int result = function(0);
    std::fprintf(out, "result=%d\n", result);
    return result;
}

int passwd(std::FILE* out, const Library& library, bool change) {
    auto function = entry<ChgPasswd32Function>(library, "ChgPasswd32");
    if (!function) {
        return bad("QMDXSC32 has no ChgPasswd32");
    }
    char newPassword[64];
    char oldPassword[64];
    std::memset(newPassword, kUntouched, sizeof newPassword);
    std::memset(oldPassword, kUntouched, sizeof oldPassword);
    const int result = function(newPassword, change ? oldPassword : nullptr, 0);
    std::fprintf(out, "result=%d\n", result);
    if (written(newPassword)) {
        print(out, "new_password", newPassword);
    }
    if (change && written(oldPassword)) {
        print(out, "old_password", oldPassword);
    }
    explicit_bzero(newPassword, sizeof newPassword);
    explicit_bzero(oldPassword, sizeof oldPassword);
    return result;
}

int genkey(std::FILE* out, const Library& library) {
    auto function = entry<GenLocalKey32Function>(library, "GenLocalKey32");
    if (!function) {
        return bad("QMDXSC32 has no GenLocalKey32");
    }
    char description[128];
    char pool[1025];
    std::memset(description, kUntouched, sizeof description);
    std::memset(pool, kUntouched, sizeof pool);
    const int result = function(description, pool, 0);
    std::fprintf(out, "result=%d\n", result);
    if (written(description)) {
        print(out, "description", description);
    }
    if (written(pool)) {
        pool[1024] = '\0'; // the pool has no terminator of its own
        print(out, "pool", pool);
    }
    return result;
}

int addkey(std::FILE* out, const Library& library, const std::vector<std::string>& arguments) {
    long kind = 0;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == "--kind" && i + 1 < arguments.size() &&
            number(arguments[i + 1], kind)) {
            ++i;
        } else {
            return bad("usage: vornconfig addkey [--kind N]");
        }
    }
    auto function = entry<GetKeyPath32Function>(library, "GetKeyPath32");
    if (!function) {
        return bad("QMDXSC32 has no GetKeyPath32");
    }
    char path[128];
    unsigned char nsid = 0xFF;
    char description[64];
    std::memset(path, kUntouched, sizeof path);
    std::memset(description, kUntouched, sizeof description);
    const int result = function(static_cast<int>(kind), path, &nsid, description, 0);
    std::fprintf(out, "result=%d\n", result);
    if (written(description)) {
        print(out, "description", description);
    }
    if (written(path) && path[0]) {
        print(out, "path", path);
    }
    if (nsid != 0xFF) {
        std::fprintf(out, "namespace=%u\n", nsid);
    }
    return result;
}

bool parse_node(const std::string& hex, vorn_name_t& name) {
    if (hex.size() % 2 || hex.size() / 2 > sizeof name.node.bytes) {
        return false;
    }
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        long byte = 0;
        // Two digits each: no sign, blank or prefix slips through.
        if (!std::isxdigit(static_cast<unsigned char>(hex[i])) ||
            !std::isxdigit(static_cast<unsigned char>(hex[i + 1])) ||
            !number(hex.substr(i, 2), byte, 16)) {
            return false;
        }
        name.node.bytes[i / 2] = static_cast<std::uint8_t>(byte);
    }
    name.node.length = static_cast<std::uint32_t>(hex.size() / 2);
    return true;
}

int show(std::FILE* out, const Library& library, const std::vector<std::string>& arguments) {
    const char* usage =
        "usage: vornconfig show --kind N --nsid N --node HEX [--attr NAME=VALUE]...";
    long kind = 0;
    bool haveKind = false;
    long nsid = -1;
    vorn_name_t name{};
    bool haveNode = false;
    std::string block;
    for (std::size_t i = 1; i < arguments.size(); i += 2) {
        if (i + 1 >= arguments.size()) {
            return bad(usage);
        }
        const std::string& option = arguments[i];
        const std::string& value = arguments[i + 1];
        bool good = false;
        if (option == "--kind") {
            good = haveKind = number(value, kind);
        } else if (option == "--nsid") {
            good = number(value, nsid) && nsid >= 0 && nsid <= 255;
        } else if (option == "--node") {
            good = haveNode = parse_node(value, name);
        } else if (option == "--attr") {
            const auto equals = value.find('=');
            good = equals != std::string::npos && equals > 0;
            if (good) {
                block += value.substr(0, equals) + '\0' + value.substr(equals + 1) + '\0';
            }
        }
        if (!good) {
            return bad(usage);
        }
    }
    if (!haveKind || nsid < 0 || !haveNode) {
        return bad(usage);
    }
    name.nsid = static_cast<std::uint8_t>(nsid);
    block += '\0';
    auto function = entry<ShowKeyAttr32Function>(library, "ShowKeyAttr32");
    if (!function) {
        return bad("QMDXSC32 has no ShowKeyAttr32");
    }
    const int result = function(static_cast<int>(kind), &name, block.data(), 0);
    std::fprintf(out, "result=%d\n", result);
    return result;
}

} // namespace

int run_command(const Library& library, const std::vector<std::string>& arguments, std::FILE* out) {
    const std::string& command = arguments.at(0);
    if (command == "login" && arguments.size() == 1) {
        return login(out, library);
    }
    if (command == "passwd" &&
        (arguments.size() == 1 || (arguments.size() == 2 && arguments[1] == "--change"))) {
        return passwd(out, library, arguments.size() == 2);
    }
    if (command == "genkey" && arguments.size() == 1) {
        return genkey(out, library);
    }
    if (command == "addkey") {
        return addkey(out, library, arguments);
    }
    if (command == "show") {
        return show(out, library, arguments);
    }
    return bad(("unknown command: " + command).c_str());
}

void print_menu() {
    std::printf(
        "1) login\n2) passwd\n3) passwd --change\n4) genkey\n5) addkey\n6) addkey --kind 1\n"
        "Choice: ");
    std::fflush(stdout);
}

std::vector<std::string> menu_choice(int number) {
    switch (number) {
    case 1:
        return {"login"};
    case 2:
        return {"passwd"};
    case 3:
        return {"passwd", "--change"};
    case 4:
        return {"genkey"};
    case 5:
        return {"addkey"};
    case 6:
        return {"addkey", "--kind", "1"};
    default:
        return {};
    }
}

} // namespace vornconfig
