#include "toolkit/ui/kernel/Hotkey.h"

std::string StripHotkey(const std::string& caption) {
    std::string result;
    result.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            // "&&" is a plain "&"; a single "&" only marks the next character.
            if (i + 1 < caption.size() && caption[i + 1] == '&') {
                result += '&';
                ++i;
            }
            continue;
        }
        result += caption[i];
    }
    return result;
}

char32_t GetHotkey(const std::string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        char next = caption[i + 1];
        if (next == '&') {
            ++i;
            continue;
        }
        if (static_cast<unsigned char>(next) >= 0x80) return 0;
        return static_cast<char32_t>(next >= 'a' && next <= 'z' ? next - 'a' + 'A' : next);
    }
    return 0;
}

bool IsAccel(WORD key, const std::string& caption) {
    char32_t hot = GetHotkey(caption);
    return hot != 0 && hot == key;
}
