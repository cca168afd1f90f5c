#include "toolkit/ui/widgets/MaskedEditing.h"

#include <vector>

#include "toolkit/rtl/SysUtils.h"

namespace {

bool IsShaped(const TEditMask& mask, const std::vector<std::string>& cells) {
    if (cells.size() != mask.Positions().size()) return false;
    for (std::size_t pos = 0; pos < cells.size(); ++pos)
        if (mask.IsLiteral(pos) && cells[pos] != mask.Positions()[pos].literal) return false;
    return true;
}

// The text as one character per mask position.
std::vector<std::string> Cells(const TEditMask& mask, const std::string& text) {
    std::vector<std::string> cells = Utf8Chars(text);
    if (!IsShaped(mask, cells)) cells = Utf8Chars(mask.Format(text));
    cells.resize(mask.Positions().size(), mask.Blank());
    return cells;
}

std::string Join(const std::vector<std::string>& cells) {
    std::string text;
    for (const std::string& cell : cells) text += cell;
    return text;
}

void BlankRange(const TEditMask& mask, std::vector<std::string>& cells, std::size_t from, std::size_t to) {
    for (std::size_t pos = from; pos < to && pos < cells.size(); ++pos)
        if (!mask.IsLiteral(pos)) cells[pos] = mask.Blank();
}

std::size_t SkipLiterals(const TEditMask& mask, std::size_t pos) {
    while (pos < mask.Positions().size() && mask.IsLiteral(pos)) ++pos;
    return pos;
}

}  // namespace

std::string MaskedEditText(const TEditMask& mask, const std::string& value) {
    if (mask.IsEmpty()) return value;
    return Join(Cells(mask, value));
}

bool MaskedType(const TEditMask& mask, std::string& text, TTextSelection& sel, const std::string& ch) {
    std::vector<std::string> cells = Cells(mask, text);
    ClampSelection(Join(cells), sel);
    std::size_t pos = static_cast<std::size_t>(sel.Start);
    // A literal typed just after the caret skipped it is taken as that literal ("2024/" stays at the month).
    if (sel.Length == 0 && pos > 0 && mask.IsLiteral(pos - 1) && mask.Positions()[pos - 1].literal == ch) return true;
    // A typed literal jumps to that literal ("/" in a date moves on to the month).
    std::size_t literal = pos;
    while (literal < cells.size() && !(mask.IsLiteral(literal) && mask.Positions()[literal].literal == ch)) ++literal;
    if (literal < cells.size() && !mask.Accepts(SkipLiterals(mask, pos), ch)) {
        BlankRange(mask, cells, pos, static_cast<std::size_t>(sel.Start + sel.Length));
        text = Join(cells);
        sel = {static_cast<int>(SkipLiterals(mask, literal + 1)), 0};
        return true;
    }
    pos = SkipLiterals(mask, pos);
    if (pos >= cells.size() || !mask.Accepts(pos, ch)) return false;
    BlankRange(mask, cells, static_cast<std::size_t>(sel.Start), static_cast<std::size_t>(sel.Start + sel.Length));
    cells[pos] = mask.Convert(pos, ch);
    text = Join(cells);
    sel = {static_cast<int>(SkipLiterals(mask, pos + 1)), 0};
    return true;
}

bool MaskedInsert(const TEditMask& mask, std::string& text, TTextSelection& sel, const std::string& insert) {
    for (const std::string& ch : Utf8Chars(insert))
        if (!MaskedType(mask, text, sel, ch)) return false;
    return true;
}

void MaskedBackspace(const TEditMask& mask, std::string& text, TTextSelection& sel) {
    std::vector<std::string> cells = Cells(mask, text);
    ClampSelection(Join(cells), sel);
    if (sel.Length > 0) {
        BlankRange(mask, cells, static_cast<std::size_t>(sel.Start), static_cast<std::size_t>(sel.Start + sel.Length));
        sel.Length = 0;
    } else {
        int pos = sel.Start - 1;
        while (pos >= 0 && mask.IsLiteral(static_cast<std::size_t>(pos))) --pos;
        if (pos < 0) return;
        cells[static_cast<std::size_t>(pos)] = mask.Blank();
        sel.Start = pos;
    }
    text = Join(cells);
}

void MaskedDelete(const TEditMask& mask, std::string& text, TTextSelection& sel) {
    std::vector<std::string> cells = Cells(mask, text);
    ClampSelection(Join(cells), sel);
    std::size_t to = static_cast<std::size_t>(sel.Start + (sel.Length > 0 ? sel.Length : 1));
    BlankRange(mask, cells, static_cast<std::size_t>(sel.Start), to);
    sel.Length = 0;
    text = Join(cells);
}

bool MaskedTextIsBlank(const TEditMask& mask, const std::string& text) {
    std::vector<std::string> cells = Cells(mask, text);
    for (std::size_t pos = 0; pos < cells.size(); ++pos)
        if (!mask.IsLiteral(pos) && cells[pos] != mask.Blank() && cells[pos] != " ") return false;
    return true;
}
