// Tokens of a resource script or header, with the line each starts on. Preprocessor
// lines (#include, #define, others ignored) are handled by the parser as whole lines.
#pragma once

#include <string>
#include <vector>

namespace vorn::rc {

enum class TokenKind { word, number, text, comma, bar, directive, end };

struct Token {
    TokenKind kind;
    std::string value; // a directive's whole line after '#'
    long number = 0;
    int line = 0;
};

// Throws SyntaxError for an unterminated string or comment, or a stray character.
std::vector<Token> tokenize(const std::string& source, const std::string& file);

} // namespace vorn::rc
