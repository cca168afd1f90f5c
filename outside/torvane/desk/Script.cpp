#include "outside/torvane/desk/Script.h"

#include <sstream>

std::vector<TScriptLine> ParseScript(const std::string& text, std::string& error) {
    std::vector<TScriptLine> lines;
    std::istringstream in(text);
    std::string raw;
    int number = 0;
    while (std::getline(in, raw)) {
        ++number;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        TScriptLine line{number, {}};
        std::size_t i = 0;
        while (i < raw.size()) {
            while (i < raw.size() && (raw[i] == ' ' || raw[i] == '\t')) ++i;
            if (i >= raw.size()) break;
            if (line.Words.empty() && raw[i] == '#') break;
            std::string word;
            if (raw[i] == '"') {
                bool closed = false;
                for (++i; i < raw.size(); ++i) {
                    if (raw[i] == '"') {
                        if (i + 1 < raw.size() && raw[i + 1] == '"') {
                            word += '"';
                            ++i;
                            continue;
                        }
                        closed = true;
                        ++i;
                        break;
                    }
                    word += raw[i];
                }
                if (!closed) {
                    error = "line " + std::to_string(number) + ": the quote is not closed";
                    return {};
                }
            } else {
                while (i < raw.size() && raw[i] != ' ' && raw[i] != '\t') word += raw[i++];
            }
            line.Words.push_back(word);
        }
        if (!line.Words.empty()) lines.push_back(std::move(line));
    }
    return lines;
}
