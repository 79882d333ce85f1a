// vornrc: compiles a resource script into C++ data.
// Usage: vornrc <script.rc> <output.cpp>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "emitter.h"
#include "parser.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: vornrc <script.rc> <output.cpp>\n");
        return 2;
    }
    try {
        const vorn::rc::Script script = vorn::rc::parse_file(argv[1]);
        std::ostringstream text;
        vorn::rc::emit_cpp(script, argv[1], text);
        std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
        out << text.str();
        if (!out.flush()) {
            std::fprintf(stderr, "vornrc: cannot write %s\n", argv[2]);
            return 1;
        }
    } catch (const vorn::rc::SyntaxError& error) {
        std::fprintf(stderr, "%s:%d: error: %s\n", error.file.c_str(), error.line,
                     error.why.c_str());
        return 1;
    }
    return 0;
}
