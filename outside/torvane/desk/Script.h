#pragma once
// The work center's scripts: one command per line, words separated by blanks, a word in double
// quotes may hold blanks ("" inside quotes is one quote), "#" starts a comment line.
#include <string>
#include <vector>

struct TScriptLine {
    int Number = 0;
    std::vector<std::string> Words;
};

// The commands of a script text; on a syntax error (an unclosed quote) the error names the line.
std::vector<TScriptLine> ParseScript(const std::string& text, std::string& error);
