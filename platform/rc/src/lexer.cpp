#include "lexer.h"

#include <cctype>
#include <cstdlib>

#include "script.h"

namespace vorn::rc {

namespace {

struct Reader {
    const std::string& source;
    const std::string& file;
    std::size_t at = 0;
    int line = 1;
    bool lineStart = true;

    bool done() const { return at >= source.size(); }
    char peek(std::size_t ahead = 0) const {
        return at + ahead < source.size() ? source[at + ahead] : '\0';
    }
    char take() {
        const char c = source[at++];
        if (c == '\n') {
            ++line;
            lineStart = true;
        }
        return c;
    }
    [[noreturn]] void fail(const std::string& why) const { throw SyntaxError{file, line, why}; }
};

void skip_comment(Reader& in) {
    if (in.peek(1) == '/') {
        while (!in.done() && in.peek() != '\n') {
            in.take();
        }
        return;
    }
    const int startLine = in.line;
    in.take();
    in.take();
    while (!(in.peek() == '*' && in.peek(1) == '/')) {
        if (in.done()) {
            throw SyntaxError{in.file, startLine, "comment is not closed"};
        }
        in.take();
    }
    in.take();
    in.take();
}

char escape(Reader& in) {
    const char c = in.take();
    switch (c) {
    case 'n':
        return '\n';
    case 't':
        return '\t';
    case 'r':
        return '\r';
    case 'a':
        return '\a';
    case '0':
        return '\0';
    case '\\':
    case '"':
        return c;
    default:
        in.fail(std::string("unknown escape \\") + c);
    }
}

std::string quoted(Reader& in) {
    const int startLine = in.line;
    in.take();
    std::string text;
    for (;;) {
        if (in.done() || in.peek() == '\n') {
            throw SyntaxError{in.file, startLine, "string is not closed"};
        }
        const char c = in.take();
        if (c == '"') {
            if (in.peek() == '"') { // "" is one quote inside a string
                text += in.take();
                continue;
            }
            return text;
        }
        text += c == '\\' ? escape(in) : c;
    }
}

} // namespace

std::vector<Token> tokenize(const std::string& source, const std::string& file) {
    Reader in{source, file};
    std::vector<Token> tokens;
    while (!in.done()) {
        const char c = in.peek();
        if (c == '\n') {
            in.take();
            continue;
        }
        if (std::isspace(static_cast<unsigned char>(c))) {
            in.take();
            continue;
        }
        if (c == '/' && (in.peek(1) == '/' || in.peek(1) == '*')) {
            skip_comment(in);
            continue;
        }
        const bool atLineStart = in.lineStart;
        in.lineStart = false;
        const int line = in.line;
        if (c == '#' && atLineStart) {
            in.take();
            std::string text;
            while (!in.done() && in.peek() != '\n') {
                text += in.take();
            }
            tokens.push_back({TokenKind::directive, text, 0, line});
        } else if (c == '"') {
            tokens.push_back({TokenKind::text, quoted(in), 0, line});
        } else if (c == ',') {
            in.take();
            tokens.push_back({TokenKind::comma, ",", 0, line});
        } else if (c == '|') {
            in.take();
            tokens.push_back({TokenKind::bar, "|", 0, line});
        } else if (std::isdigit(static_cast<unsigned char>(c)) ||
                   (c == '-' && std::isdigit(static_cast<unsigned char>(in.peek(1))))) {
            std::string text(1, in.take());
            while (std::isalnum(static_cast<unsigned char>(in.peek()))) {
                text += in.take();
            }
            if (text.back() == 'L' || text.back() == 'l') {
                text.pop_back();
            }
            char* end = nullptr;
            const long value = std::strtol(text.c_str(), &end, 0);
            if (*end != '\0') {
                in.fail("bad number " + text);
            }
            tokens.push_back({TokenKind::number, text, value, line});
        } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
            std::string text;
            while (std::isalnum(static_cast<unsigned char>(in.peek())) || in.peek() == '_') {
                text += in.take();
            }
            tokens.push_back({TokenKind::word, text, 0, line});
        } else {
            in.fail(std::string("unexpected character '") + c + "'");
        }
    }
    tokens.push_back({TokenKind::end, "", 0, in.line});
    return tokens;
}

} // namespace vorn::rc
