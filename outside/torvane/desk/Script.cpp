#include "outside/torvane/desk/Script.h"

#include <sstream>

#include "toolkit/os/CodePage.h"

namespace {

// Whether the bytes are well-formed UTF-8 (no overlong forms, no surrogates, nothing past U+10FFFF).
bool IsUtf8(const std::string& bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(bytes[at]); };
        const unsigned char lead = byte(i);
        std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || i + length > bytes.size()) return false;
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            if ((byte(i + k) & 0xC0) != 0x80) return false;
            code = (code << 6) | (byte(i + k) & 0x3F);
        }
        const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        i += length;
    }
    return true;
}

}  // namespace

std::string ScriptText(const std::string& bytes, std::string& error) {
    static const std::string kByteOrderMark = "\xEF\xBB\xBF";
    std::string text = bytes.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0 ? bytes.substr(kByteOrderMark.size()) : bytes;
    if (IsUtf8(text)) return text;
    // Not UTF-8: GBK when it reads back to the same bytes.
    std::string gbk = FromCodePageBytes(text, 936);
    if (ToCodePageBytes(gbk, 936) == text) return gbk;
    error = "the script is neither UTF-8 nor GBK text";
    return {};
}

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
