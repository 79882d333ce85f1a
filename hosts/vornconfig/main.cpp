// vornconfig: the host configuration program. Loads QMDXSC32 and calls one of its
// exports; exits 0, 1 or 2 for the results 0, 1 and -1 (64 for a bad command line,
// 3 when the library cannot be loaded). Without a subcommand it shows a menu on the
// terminal, or reads one numbered choice where standard input is no terminal.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

#include "commands.h"
#include "library.h"
#include "menu.h"

namespace {

constexpr int kUsage = 64;
constexpr int kNoLibrary = 3;

const char* const kUsageText =
    "usage: vornconfig login | passwd [--change] | genkey | addkey [--kind N] |\n"
    "       show --kind N --nsid N --node HEX [--attr NAME=VALUE]...\n";

int exit_code(int result) {
    switch (result) {
    case 0:
        return 0;
    case 1:
        return 1;
    case -2:
        return kUsage;
    default:
        return 2;
    }
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (!arguments.empty() && (arguments[0] == "--help" || arguments[0] == "-h")) {
        std::fputs(kUsageText, stdout);
        return 0;
    }
    const std::string path = vornconfig::Library::default_path();
    if (arguments.empty() && isatty(STDIN_FILENO)) {
        const vornconfig::Library library(path);
        if (!library.loaded()) {
            std::fprintf(stderr, "vornconfig: cannot load QMDXSC32 (%s): %s\n", path.c_str(),
                         library.error().c_str());
            return kNoLibrary;
        }
        return vornconfig::run_menu(library);
    }
    if (arguments.empty()) {
        vornconfig::print_menu();
        char line[32];
        if (!std::fgets(line, sizeof line, stdin)) {
            std::fputs("\n", stdout);
            return kUsage;
        }
        arguments = vornconfig::menu_choice(std::atoi(line));
        if (arguments.empty()) {
            std::fputs("vornconfig: no such choice\n", stderr);
            return kUsage;
        }
    }
    const vornconfig::Library library(path);
    if (!library.loaded()) {
        std::fprintf(stderr, "vornconfig: cannot load QMDXSC32 (%s): %s\n", path.c_str(),
                     library.error().c_str());
        return kNoLibrary;
    }
    return exit_code(vornconfig::run_command(library, arguments));
}
