#include "toolkit/data/EditMask.h"

#include <cctype>

#include "toolkit/rtl/SysUtils.h"

namespace {
bool IsAsciiLetter(const std::string& ch) { return ch.size() == 1 && std::isalpha(static_cast<unsigned char>(ch[0])); }
bool IsDigit(const std::string& ch) { return ch.size() == 1 && std::isdigit(static_cast<unsigned char>(ch[0])); }
// Letters of other scripts (Chinese and so on) count as letters, as they do for the classic mask.
bool IsLetter(const std::string& ch) { return IsAsciiLetter(ch) || (ch.size() > 1); }
}  // namespace

TEditMask::TEditMask(const std::string& editMask) {
    // Split off ";save;blank" from the end; a "\;" inside the mask is a literal semicolon.
    std::string mask = editMask;
    std::vector<std::size_t> semis;
    for (std::size_t i = 0; i < editMask.size(); ++i) {
        if (editMask[i] == '\\') {
            ++i;
            continue;
        }
        if (editMask[i] == ';') semis.push_back(i);
    }
    if (semis.size() >= 2) {
        std::size_t a = semis[semis.size() - 2], b = semis.back();
        mask = editMask.substr(0, a);
        std::string save = editMask.substr(a + 1, b - a - 1);
        saveLiterals_ = save != "0";
        std::string blank = editMask.substr(b + 1);
        blank_ = blank.empty() ? " " : Utf8Chars(blank)[0];
    } else if (semis.size() == 1) {
        mask = editMask.substr(0, semis[0]);
        saveLiterals_ = editMask.substr(semis[0] + 1) != "0";
    }
    int shift = 0;
    std::vector<std::string> chars = Utf8Chars(mask);
    for (std::size_t i = 0; i < chars.size(); ++i) {
        const std::string& c = chars[i];
        if (c == "!") continue;
        if (c == "<" && i + 1 < chars.size() && chars[i + 1] == ">") {
            shift = 0;
            ++i;
            continue;
        }
        if (c == ">") {
            shift = 1;
            continue;
        }
        if (c == "<") {
            shift = -1;
            continue;
        }
        Position p;
        p.caseShift = shift;
        if (c == "\\" && i + 1 < chars.size()) {
            p.literal = chars[++i];
        } else if (c == "_") {
            p.literal = " ";
        } else if (c.size() == 1 && std::string("LlAaCc09#").find(c[0]) != std::string::npos) {
            p.kind = c[0];
        } else {
            p.literal = c;
        }
        positions_.push_back(p);
    }
}

bool TEditMask::Accepts(std::size_t pos, const std::string& ch) const {
    if (pos >= positions_.size()) return false;
    const Position& p = positions_[pos];
    switch (p.kind) {
        case 0: return ch == p.literal;
        case 'L':
        case 'l': return IsLetter(ch);
        case 'A':
        case 'a': return IsLetter(ch) || IsDigit(ch);
        case 'C':
        case 'c': return !ch.empty();
        case '0':
        case '9': return IsDigit(ch);
        case '#': return IsDigit(ch) || ch == "+" || ch == "-";
    }
    return false;
}

std::string TEditMask::Convert(std::size_t pos, const std::string& ch) const {
    if (pos >= positions_.size() || ch.size() != 1) return ch;
    int shift = positions_[pos].caseShift;
    unsigned char c = static_cast<unsigned char>(ch[0]);
    if (shift > 0) return std::string(1, static_cast<char>(std::toupper(c)));
    if (shift < 0) return std::string(1, static_cast<char>(std::tolower(c)));
    return ch;
}

std::string TEditMask::Format(const std::string& value) const {
    if (positions_.empty()) return value;
    std::vector<std::string> chars = Utf8Chars(value);
    std::size_t v = 0;
    std::string out;
    for (std::size_t pos = 0; pos < positions_.size(); ++pos) {
        const Position& p = positions_[pos];
        if (p.kind == 0) {
            out += p.literal;
            if (saveLiterals_ && v < chars.size() && chars[v] == p.literal) ++v;
            continue;
        }
        if (v < chars.size()) {
            // A literal typed early (the "." of "12.5" in "###.##") leaves the positions before it blank.
            if (saveLiterals_ && !Accepts(pos, chars[v]) && chars[v] != " ") {
                std::size_t next = pos;
                while (next < positions_.size() && positions_[next].kind != 0) ++next;
                if (next < positions_.size() && positions_[next].literal == chars[v]) {
                    out += blank_;
                    continue;
                }
            }
            const std::string& c = chars[v++];
            out += (c == " " ? blank_ : Convert(pos, c));
        } else {
            out += blank_;
        }
    }
    return out;
}

std::string TEditMask::Unformat(const std::string& editText) const {
    if (positions_.empty()) return editText;
    std::vector<std::string> chars = Utf8Chars(editText);
    std::string out;
    for (std::size_t pos = 0; pos < positions_.size(); ++pos) {
        const Position& p = positions_[pos];
        std::string c = pos < chars.size() ? chars[pos] : blank_;
        if (p.kind == 0) {
            if (saveLiterals_) out += p.literal;
            continue;
        }
        out += (c == blank_ ? std::string(" ") : c);
    }
    return out;
}

int TEditMask::FirstInvalidPosition(const std::string& editText) const {
    std::vector<std::string> chars = Utf8Chars(editText);
    for (std::size_t pos = 0; pos < positions_.size(); ++pos) {
        const Position& p = positions_[pos];
        if (p.kind == 0) continue;
        std::string c = pos < chars.size() ? chars[pos] : blank_;
        bool blank = c == blank_ || c == " ";
        if (blank) {
            if (p.Required()) return static_cast<int>(pos);
            continue;
        }
        if (!Accepts(pos, c)) return static_cast<int>(pos);
    }
    return -1;
}

std::string FormatMaskText(const std::string& editMask, const std::string& value) { return TEditMask(editMask).Format(value); }
