#pragma once
// The suite's SQL as tokens: blanks, comments, string literals, names, numbers and punctuation, so that
// rewriting never touches the inside of a literal, a quoted name or a comment. Joining the texts of the
// tokens gives back the statement.
#include <cstddef>
#include <string>
#include <vector>

#include "toolkit/rtl/Visibility.h"

enum class Tok {
    Space,
    Comment,
    String,
    Ident,
    Quoted,
    Number,
    Punct,
    Dollars,
    Text
};

struct Token {
    Tok kind;
    std::string text;
};

TK_EXPORT std::vector<Token> Tokenize(const std::string& sql);
TK_EXPORT std::string JoinTokens(const std::vector<Token>& tokens);

TK_EXPORT std::string SqlUpper(std::string s);
TK_EXPORT bool IsWord(const Token& t, const char* upper);  // a name equal to the upper-case word
TK_EXPORT bool IsPunct(const Token& t, const char* p);
TK_EXPORT bool IsBlank(const Token& t);  // blanks and comments

// Index of the next (previous) token that is not blank, or kNoToken.
inline constexpr std::size_t kNoToken = static_cast<std::size_t>(-1);
TK_EXPORT std::size_t NextSolid(const std::vector<Token>& t, std::size_t i);
TK_EXPORT std::size_t PrevSolid(const std::vector<Token>& t, std::size_t i);
