#include "outside/appserver/SqlTokens.h"

#include <cctype>

namespace {

bool IsIdentStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_' || c == '@' || c == '#' || (c & 0x80);
}
bool IsIdentChar(char c) { return IsIdentStart(c) || std::isdigit(static_cast<unsigned char>(c)) || c == '$'; }

// Reads a delimited run ('...', "...", [...]) where a doubled closing character stands for itself.
std::size_t ReadDelimited(const std::string& s, std::size_t i, char close) {
    ++i;
    while (i < s.size()) {
        if (s[i] == close) {
            if (close != ']' && i + 1 < s.size() && s[i + 1] == close) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return s.size();  // unterminated: the database will report it
}

}  // namespace

std::string SqlUpper(std::string s) {
    for (auto& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::vector<Token> Tokenize(const std::string& s) {
    std::vector<Token> out;
    std::size_t i = 0;
    while (i < s.size()) {
        char c = s[i];
        std::size_t j = i + 1;
        Tok kind = Tok::Punct;
        if (std::isspace(static_cast<unsigned char>(c))) {
            while (j < s.size() && std::isspace(static_cast<unsigned char>(s[j]))) ++j;
            kind = Tok::Space;
        } else if (c == '-' && i + 1 < s.size() && s[i + 1] == '-') {
            while (j < s.size() && s[j] != '\n') ++j;
            kind = Tok::Comment;
        } else if (c == '/' && i + 1 < s.size() && s[i + 1] == '*') {
            auto end = s.find("*/", i + 2);
            j = end == std::string::npos ? s.size() : end + 2;
            kind = Tok::Comment;
        } else if (c == '\'') {
            j = ReadDelimited(s, i, '\'');
            kind = Tok::String;
        } else if ((c == 'N' || c == 'n') && i + 1 < s.size() && s[i + 1] == '\'') {
            // N'...' is a plain literal here; drop the prefix.
            j = ReadDelimited(s, i + 1, '\'');
            out.push_back({Tok::String, s.substr(i + 1, j - i - 1)});
            i = j;
            continue;
        } else if (c == '"' || c == '[') {
            j = ReadDelimited(s, i, c == '"' ? '"' : ']');
            kind = Tok::Quoted;
        } else if (c == '$' && i + 1 < s.size() && s[i + 1] == '$') {
            j = i + 2;
            kind = Tok::Dollars;
        } else if (std::isdigit(static_cast<unsigned char>(c)) ||
                   (c == '.' && i + 1 < s.size() && std::isdigit(static_cast<unsigned char>(s[i + 1])))) {
            while (j < s.size() && (std::isalnum(static_cast<unsigned char>(s[j])) || s[j] == '.')) ++j;
            kind = Tok::Number;
        } else if (IsIdentStart(c)) {
            while (j < s.size() && IsIdentChar(s[j])) ++j;
            kind = Tok::Ident;
        } else if (j < s.size()) {
            std::string two = s.substr(i, 2);
            if (two == "<=" || two == ">=" || two == "<>" || two == "!=" || two == "||") ++j;
        }
        out.push_back({kind, s.substr(i, j - i)});
        i = j;
    }
    return out;
}

bool IsWord(const Token& t, const char* upper) { return t.kind == Tok::Ident && SqlUpper(t.text) == upper; }
bool IsPunct(const Token& t, const char* p) { return t.kind == Tok::Punct && t.text == p; }
bool IsBlank(const Token& t) { return t.kind == Tok::Space || t.kind == Tok::Comment; }

std::size_t NextSolid(const std::vector<Token>& t, std::size_t i) {
    for (++i; i < t.size(); ++i)
        if (!IsBlank(t[i])) return i;
    return kNoToken;
}
std::size_t PrevSolid(const std::vector<Token>& t, std::size_t i) {
    while (i-- > 0)
        if (!IsBlank(t[i])) return i;
    return kNoToken;
}

std::string JoinTokens(const std::vector<Token>& tokens) {
    std::string out;
    for (const auto& x : tokens) out += x.text;
    return out;
}
