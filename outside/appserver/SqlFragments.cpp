#include "outside/appserver/SqlFragments.h"

#include "outside/appserver/SqlTokens.h"
#include "toolkit/rtl/Exception.h"

namespace {

// The tokenizer runs an unterminated literal to the end of the text; inside a closed one the closing
// character appears only doubled.
bool Terminated(const Token& t) {
    if (t.kind != Tok::String && t.kind != Tok::Quoted) return true;
    char close = t.text[0] == '[' ? ']' : t.text[0];
    if (t.text.size() < 2 || t.text.back() != close) return false;
    if (close == ']') return true;
    std::string inner = t.text.substr(1, t.text.size() - 2);
    for (std::size_t i = 0; i < inner.size(); ++i) {
        if (inner[i] != close) continue;
        if (i + 1 >= inner.size() || inner[i + 1] != close) return false;
        ++i;
    }
    return true;
}

}  // namespace

void CheckClientFragment(const std::string& text, const char* what) {
    auto refuse = [&](const std::string& why) {
        throw EDatabaseError(std::string("The ") + what + " must be one whole expression (" + why + "): " + text);
    };
    int depth = 0;
    for (const Token& t : Tokenize(text)) {
        if (t.kind == Tok::Comment) refuse("no comments");
        if (IsPunct(t, ";")) refuse("no statement separator");
        if (!Terminated(t)) refuse("a literal is not closed");
        if (IsPunct(t, "(")) ++depth;
        if (IsPunct(t, ")") && --depth < 0) refuse("a parenthesis closes what it did not open");
    }
    if (depth != 0) refuse("a parenthesis is not closed");
}
