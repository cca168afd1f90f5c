#include "toolkit/ui/widgets/TextEditing.h"

#include <algorithm>
#include <cstdlib>

#include "toolkit/rtl/SysUtils.h"

namespace {
int CharCount(const std::string& text) { return static_cast<int>(Utf8Length(text)); }

// Byte offset of character index i.
std::size_t ByteOffset(const std::string& text, int index) {
    std::size_t at = 0;
    for (int i = 0; i < index && at < text.size(); ++i)
        at += static_cast<std::size_t>(Utf8CharLength(static_cast<unsigned char>(text[at])));
    return std::min(at, text.size());
}
}  // namespace

void ClampSelection(const std::string& text, TTextSelection& sel) {
    int n = CharCount(text);
    sel.Start = std::clamp(sel.Start, 0, n);
    sel.Length = std::clamp(sel.Length, 0, n - sel.Start);
}

std::string SelectedText(const std::string& text, const TTextSelection& sel) {
    TTextSelection s = sel;
    ClampSelection(text, s);
    std::size_t from = ByteOffset(text, s.Start);
    std::size_t to = ByteOffset(text, s.Start + s.Length);
    return text.substr(from, to - from);
}

std::string ReplaceSelection(const std::string& text, TTextSelection& sel, const std::string& insert) {
    ClampSelection(text, sel);
    std::size_t from = ByteOffset(text, sel.Start);
    std::size_t to = ByteOffset(text, sel.Start + sel.Length);
    std::string result = text.substr(0, from) + insert + text.substr(to);
    sel.Start += CharCount(insert);
    sel.Length = 0;
    return result;
}

std::string BackspaceText(const std::string& text, TTextSelection& sel) {
    ClampSelection(text, sel);
    if (sel.Length == 0) {
        if (sel.Start == 0) return text;
        --sel.Start;
        sel.Length = 1;
    }
    return ReplaceSelection(text, sel, "");
}

std::string DeleteText(const std::string& text, TTextSelection& sel) {
    ClampSelection(text, sel);
    if (sel.Length == 0) {
        if (sel.Start >= CharCount(text)) return text;
        sel.Length = 1;
    }
    return ReplaceSelection(text, sel, "");
}

bool MoveCaret(const std::string& text, TTextSelection& sel, WORD key, TShiftState shift) {
    ClampSelection(text, sel);
    int n = CharCount(text);
    // The anchor stays where the selection began; the caret is its other end.
    bool extend = shift.Contains(ssShift);
    int anchor = sel.Start;
    int caret = sel.Start + sel.Length;
    switch (key) {
        case VK_LEFT: caret = (!extend && sel.Length > 0) ? sel.Start : std::max(caret - 1, 0); break;
        case VK_RIGHT: caret = (!extend && sel.Length > 0) ? caret : std::min(caret + 1, n); break;
        case VK_HOME: caret = 0; break;
        case VK_END: caret = n; break;
        default: return false;
    }
    if (!extend) anchor = caret;
    sel.Start = std::min(anchor, caret);
    sel.Length = std::abs(caret - anchor);
    return true;
}

std::string CharToUtf8(char32_t ch) {
    std::string s;
    if (ch < 0x80) {
        s += static_cast<char>(ch);
    } else if (ch < 0x800) {
        s += static_cast<char>(0xC0 | (ch >> 6));
        s += static_cast<char>(0x80 | (ch & 0x3F));
    } else if (ch < 0x10000) {
        s += static_cast<char>(0xE0 | (ch >> 12));
        s += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (ch & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (ch >> 18));
        s += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (ch & 0x3F));
    }
    return s;
}
