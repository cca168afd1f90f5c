#pragma once
// The work center's scripts: one command per line, words separated by blanks, a word in double
// quotes may hold blanks ("" inside quotes is one quote), "#" starts a comment line. A script file is
// UTF-8 (a byte-order mark is allowed) or GBK, as Chinese editors save it. The whole script is
// checked, every command and its words, before its first line runs.
#include <string>
#include <vector>

struct TScriptLine {
    int Number = 0;
    std::vector<std::string> Words;
};

// The text of a script file's bytes in UTF-8: without a byte-order mark, GBK converted; error says
// why bytes that are neither cannot be read.
std::string ScriptText(const std::string& bytes, std::string& error);

// The commands of a script text; on a syntax error (an unclosed quote) the error names the line.
std::vector<TScriptLine> ParseScript(const std::string& text, std::string& error);

// "" when every line is a known command with the words it takes, else the first problem as
// "line N: expected ..., found ...".
std::string CheckScript(const std::vector<TScriptLine>& lines);

// The options of "open PROGRAM [run-mode N] [rights N] [param TEXT]"; false with the reason in error.
struct TScriptOpenOptions {
    int RunMode = 0;
    int Rights = 0xFF;
    std::string Param;
};
bool ParseOpenOptions(const std::vector<std::string>& words, TScriptOpenOptions& options, std::string& error);
