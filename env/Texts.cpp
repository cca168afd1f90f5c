#include "env/Texts.h"

#include <algorithm>
#include <cstdio>

#include "toolkit/rtl/SysUtils.h"

std::string PadLeft(std::string_view text, int width, char fill) {
    const std::size_t n = Utf8Length(text);
    if (width <= 0 || n >= static_cast<std::size_t>(width)) return std::string(text);
    return std::string(static_cast<std::size_t>(width) - n, fill) + std::string(text);
}

std::string PadRight(std::string_view text, int width, char fill) {
    const std::size_t n = Utf8Length(text);
    if (width <= 0 || n >= static_cast<std::size_t>(width)) return std::string(text);
    return std::string(text) + std::string(static_cast<std::size_t>(width) - n, fill);
}

std::string Field(std::string_view text, std::string_view separator, int n) {
    if (n < 1 || text.empty()) return {};
    if (separator.empty()) return n == 1 ? std::string(text) : std::string();
    std::size_t start = 0;
    for (int i = 1; i < n; ++i) {
        const std::size_t pos = text.find(separator, start);
        if (pos == std::string_view::npos) return {};
        start = pos + separator.size();
    }
    const std::size_t end = text.find(separator, start);
    return std::string(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
}

int CountFields(std::string_view text, std::string_view separator) {
    if (text.empty()) return 0;
    if (separator.empty()) return 1;
    int count = 1;
    for (std::size_t pos = text.find(separator); pos != std::string_view::npos;
         pos = text.find(separator, pos + separator.size()))
        ++count;
    return count;
}

std::string TakeField(std::string& text, std::string_view separator) {
    const std::size_t pos = separator.empty() ? std::string::npos : text.find(separator);
    std::string head;
    if (pos == std::string::npos) {
        head.swap(text);
        return head;
    }
    head = text.substr(0, pos);
    text.erase(0, pos + separator.size());
    return head;
}

std::string ZeroPad(int width, long long number) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*lld", std::clamp(width, 0, 40), number);
    return buf;
}

std::string ReplaceAllText(std::string_view text, std::string_view oldText, std::string_view newText, bool trim) {
    std::string result;
    if (oldText.empty() || SameText(std::string(oldText), std::string(newText))) {
        result = text;
    } else {
        const std::string upperText = UpperCase(std::string(text)), upperOld = UpperCase(std::string(oldText));
        std::size_t start = 0;
        for (std::size_t pos = upperText.find(upperOld); pos != std::string::npos; pos = upperText.find(upperOld, start)) {
            result.append(text.substr(start, pos - start)).append(newText);
            start = pos + oldText.size();
        }
        result.append(text.substr(start));
    }
    return trim ? Trim(result) : result;
}

Variant Choose(bool flag, const Variant& a, const Variant& b) { return flag ? a : b; }

bool IsEmptyOrNull(const Variant& value) { return value.IsEmptyOrNull(); }

bool IsLocalAddress(std::string_view address) { return address == "127.0.0.1"; }
