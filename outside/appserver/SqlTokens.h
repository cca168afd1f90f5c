#pragma once
// The suite's SQL as tokens: blanks, comments, string literals, names, numbers and punctuation, so that
// rewriting never touches the inside of a literal, a quoted name or a comment. Joining the texts of the
// tokens gives back the statement.
#include <cstddef>
#include <string>
#include <vector>

enum class Tok { Space, Comment, String, Ident, Quoted, Number, Punct, Dollars, Text };

struct Token {
    Tok kind;
    std::string text;
};

std::vector<Token> Tokenize(const std::string& sql);
std::string JoinTokens(const std::vector<Token>& tokens);

std::string SqlUpper(std::string s);
bool IsWord(const Token& t, const char* upper);   // a name equal to the upper-case word
bool IsPunct(const Token& t, const char* p);
bool IsBlank(const Token& t);                     // blanks and comments

// Index of the next (previous) token that is not blank, or kNoToken.
inline constexpr std::size_t kNoToken = static_cast<std::size_t>(-1);
std::size_t NextSolid(const std::vector<Token>& t, std::size_t i);
std::size_t PrevSolid(const std::vector<Token>& t, std::size_t i);
