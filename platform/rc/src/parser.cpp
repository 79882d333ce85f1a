#include "parser.h"

#include <fstream>
#include <sstream>

#include "lexer.h"
#include "symbols.h"

namespace vorn::rc {

namespace {

constexpr std::uint32_t kChild = 0x40000000;
constexpr std::uint32_t kVisible = 0x10000000;
constexpr std::uint32_t kBorder = 0x00800000;
constexpr std::uint32_t kGroup = 0x00020000;
constexpr std::uint32_t kTabStop = 0x00010000;
constexpr std::uint32_t kSetFont = 0x40;

std::string read_file(const std::string& path, const std::string& from, int line) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw SyntaxError{from, line, "cannot read " + path};
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string directory_of(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

class Parser {
public:
    Parser(std::vector<Token> tokens, std::string file, Symbols& symbols)
        : m_tokens(std::move(tokens)), m_file(std::move(file)), m_symbols(symbols) {}

    void parse_script(Script& script);
    // Only the #defines of a header matter; everything else in it is ignored.
    void parse_header();

private:
    const Token& peek() const { return m_tokens[m_at]; }
    const Token& take() { return m_tokens[m_at == m_tokens.size() - 1 ? m_at : m_at++]; }
    [[noreturn]] void fail(const std::string& why) const {
        throw SyntaxError{m_file, peek().line, why};
    }
    bool at_word(const char* word) const {
        return peek().kind == TokenKind::word && peek().value == word;
    }

    void expect_word(const char* word);
    void expect_comma();
    bool optional_comma();
    std::string text();
    long value();
    std::uint32_t styles(std::uint32_t base);
    void directive(const Token& token, bool header);
    void dialog(Script& script, long id);
    void dialog_options(Dialog& dialog);
    void control_list(Dialog& dialog);
    Control control(const std::string& keyword);
    void position(Control& control);
    void string_table(Script& script);

    std::vector<Token> m_tokens;
    std::string m_file;
    Symbols& m_symbols;
    std::size_t m_at = 0;
};

void Parser::expect_word(const char* word) {
    if (!at_word(word)) {
        fail(std::string("expected ") + word);
    }
    take();
}

void Parser::expect_comma() {
    if (peek().kind != TokenKind::comma) {
        fail("expected ','");
    }
    take();
}

bool Parser::optional_comma() {
    if (peek().kind != TokenKind::comma) {
        return false;
    }
    take();
    return true;
}

std::string Parser::text() {
    if (peek().kind != TokenKind::text) {
        fail("expected a quoted text");
    }
    return take().value;
}

long Parser::value() {
    const Token& token = peek();
    if (token.kind == TokenKind::number) {
        return take().number;
    }
    if (token.kind == TokenKind::word) {
        if (auto found = m_symbols.find(token.value)) {
            take();
            return *found;
        }
        fail("unknown name " + token.value);
    }
    fail("expected a number or a name");
}

// A | B | NOT C: added to the base, NOT takes a style away from it.
std::uint32_t Parser::styles(std::uint32_t base) {
    std::uint32_t result = base;
    do {
        if (at_word("NOT")) {
            take();
            result &= ~static_cast<std::uint32_t>(value());
        } else {
            result |= static_cast<std::uint32_t>(value());
        }
    } while (peek().kind == TokenKind::bar && (take(), true));
    return result;
}

void Parser::directive(const Token& token, bool header) {
    std::istringstream line(token.value);
    std::string name;
    line >> name;
    if (name == "include") {
        std::string quotedPath;
        line >> quotedPath;
        if (quotedPath.size() < 2 || quotedPath.front() != '"' || quotedPath.back() != '"') {
            throw SyntaxError{m_file, token.line, "#include needs a quoted file name"};
        }
        const std::string path = directory_of(m_file) + quotedPath.substr(1, quotedPath.size() - 2);
        Parser included(tokenize(read_file(path, m_file, token.line), path), path, m_symbols);
        included.parse_header();
    } else if (name == "define") {
        std::string symbol;
        line >> symbol;
        std::string rest;
        std::getline(line, rest);
        if (symbol.empty()) {
            throw SyntaxError{m_file, token.line, "#define needs a name"};
        }
        if (rest.find_first_not_of(" \t\r") == std::string::npos) {
            return; // a guard or a flag without a value
        }
        Parser expression(tokenize(rest, m_file), m_file, m_symbols);
        for (Token& part : expression.m_tokens) {
            part.line = token.line;
        }
        const long defined = static_cast<long>(expression.styles(0));
        if (expression.peek().kind != TokenKind::end) {
            expression.fail("unexpected text after the value of " + symbol);
        }
        m_symbols.define(symbol, static_cast<std::int32_t>(defined));
    } else if (name == "pragma" || (header && (name == "ifndef" || name == "endif"))) {
        return;
    } else {
        throw SyntaxError{m_file, token.line, "unsupported directive #" + name};
    }
}

void Parser::parse_header() {
    while (peek().kind != TokenKind::end) {
        const Token& token = take();
        if (token.kind == TokenKind::directive) {
            directive(token, true);
        }
    }
}

void Parser::parse_script(Script& script) {
    while (peek().kind != TokenKind::end) {
        if (peek().kind == TokenKind::directive) {
            const Token token = take();
            directive(token, false);
        } else if (at_word("LANGUAGE")) {
            take();
            value();
            expect_comma();
            value();
        } else if (at_word("STRINGTABLE")) {
            take();
            string_table(script);
        } else {
            const long id = value();
            if (at_word("DIALOGEX") || at_word("DIALOG")) {
                take();
                dialog(script, id);
            } else {
                fail("expected DIALOGEX or STRINGTABLE");
            }
        }
    }
}

void Parser::dialog(Script& script, long id) {
    for (const Dialog& existing : script.dialogs) {
        if (existing.id == id) {
            fail("dialog " + std::to_string(id) + " is defined twice");
        }
    }
    Dialog dialog;
    dialog.id = id;
    dialog.style = 0x80000000 | kBorder | 0x00080000;
    dialog.x = value();
    expect_comma();
    dialog.y = value();
    expect_comma();
    dialog.cx = value();
    expect_comma();
    dialog.cy = value();
    if (optional_comma()) {
        value(); // help id
    }
    dialog_options(dialog);
    control_list(dialog);
    script.dialogs.push_back(std::move(dialog));
}

void Parser::dialog_options(Dialog& dialog) {
    bool styled = false;
    for (;;) {
        if (at_word("STYLE")) {
            take();
            dialog.style = styles(styled ? dialog.style : 0) | (dialog.style & kSetFont);
            styled = true;
        } else if (at_word("EXSTYLE")) {
            take();
            dialog.exStyle = styles(0);
        } else if (at_word("CAPTION")) {
            take();
            dialog.caption = text();
        } else if (at_word("FONT")) {
            take();
            dialog.pointSize = value();
            expect_comma();
            dialog.fontName = text();
            while (optional_comma()) {
                value(); // weight, italic, character set
            }
            dialog.style |= kSetFont;
        } else if (at_word("LANGUAGE")) {
            take();
            value();
            expect_comma();
            value();
        } else {
            return;
        }
    }
}

void Parser::control_list(Dialog& dialog) {
    expect_word("BEGIN");
    while (!at_word("END")) {
        if (peek().kind != TokenKind::word) {
            fail(peek().kind == TokenKind::end ? "END is missing" : "expected a control");
        }
        const std::string keyword = take().value;
        dialog.controls.push_back(control(keyword));
    }
    take();
}

void Parser::position(Control& control) {
    control.x = value();
    expect_comma();
    control.y = value();
    expect_comma();
    control.cx = value();
    expect_comma();
    control.cy = value();
}

Control Parser::control(const std::string& keyword) {
    Control control;
    std::uint32_t base = kChild | kVisible;
    const bool labelled =
        keyword == "LTEXT" || keyword == "PUSHBUTTON" || keyword == "DEFPUSHBUTTON";
    if (keyword == "LTEXT") {
        control.className = "static";
        base |= kGroup;
    } else if (keyword == "EDITTEXT") {
        control.className = "edit";
        base |= kBorder | kTabStop;
    } else if (keyword == "PUSHBUTTON" || keyword == "DEFPUSHBUTTON") {
        control.className = "button";
        base |= kTabStop | (keyword == "DEFPUSHBUTTON" ? 1 : 0);
    } else if (keyword == "COMBOBOX") {
        control.className = "combobox";
        base |= kTabStop;
    } else if (keyword == "CONTROL") {
        control.text = text();
        expect_comma();
        control.id = value();
        expect_comma();
        control.className = text();
        expect_comma();
        control.style = styles(base);
        expect_comma();
        position(control);
        if (optional_comma()) {
            control.exStyle = styles(0);
        }
        return control;
    } else {
        m_at--;
        fail("unknown control " + keyword);
    }
    if (labelled) {
        control.text = text();
        expect_comma();
    }
    control.id = value();
    expect_comma();
    position(control);
    control.style = base;
    if (optional_comma()) {
        control.style = styles(base);
        if (control.className == "combobox" && (control.style & 3) == 0) {
            control.style |= 1; // a simple combo box unless a kind is named
        }
        if (optional_comma()) {
            control.exStyle = styles(0);
        }
    } else if (control.className == "combobox") {
        control.style |= 1;
    }
    return control;
}

void Parser::string_table(Script& script) {
    while (at_word("LANGUAGE") || at_word("DISCARDABLE")) {
        if (take().value == "LANGUAGE") {
            value();
            expect_comma();
            value();
        }
    }
    expect_word("BEGIN");
    while (!at_word("END")) {
        if (peek().kind == TokenKind::end) {
            fail("END is missing");
        }
        StringResource entry;
        const int line = peek().line;
        entry.id = value();
        optional_comma();
        entry.text = text();
        for (const StringResource& existing : script.strings) {
            if (existing.id == entry.id) {
                throw SyntaxError{m_file, line,
                                  "string " + std::to_string(entry.id) + " is defined twice"};
            }
        }
        script.strings.push_back(std::move(entry));
    }
    take();
}

} // namespace

Script parse_file(const std::string& path) {
    Symbols symbols;
    Script script;
    Parser parser(tokenize(read_file(path, path, 0), path), path, symbols);
    parser.parse_script(script);
    return script;
}

} // namespace vorn::rc
