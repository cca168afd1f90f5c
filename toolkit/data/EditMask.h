#pragma once
// Edit masks of the classic masked edit: "mask;save-literals;blank", for example "99:99;1; ",
// "99;1; " or "!9999/99/99;1;_". Shared by fields (EditMask property), masked edit controls and the
// framework's field handlers.
//
// Mask characters: L letter, l optional letter, A letter or digit, a optional letter or digit,
// C any character, c optional any, 0 digit, 9 optional digit, # optional digit or sign,
// > upper-case what follows, < lower-case what follows, <> no case change, \ the next character is
// a literal, _ a blank literal, ! leading blanks for optional characters (accepted, no effect here).
// Every other character is a literal. Texts are UTF-8; a position holds one character.
#include <string>
#include <vector>

class TEditMask {
public:
    struct Position {
        char kind = 0;        // mask character, or 0 for a literal
        std::string literal;  // the literal character (UTF-8)
        int caseShift = 0;    // 1 upper, -1 lower, 0 none
        bool Required() const { return kind == 'L' || kind == 'A' || kind == 'C' || kind == '0'; }
    };

    TEditMask() = default;
    explicit TEditMask(const std::string& editMask);

    bool IsEmpty() const { return positions_.empty(); }
    bool SaveLiterals() const { return saveLiterals_; }
    const std::string& Blank() const { return blank_; }
    const std::vector<Position>& Positions() const { return positions_; }
    bool IsLiteral(std::size_t pos) const { return pos < positions_.size() && positions_[pos].kind == 0; }

    // Whether a typed character fits mask position pos (literals accept only themselves).
    bool Accepts(std::size_t pos, const std::string& ch) const;
    // The character as stored at pos after the case conversion of the mask.
    std::string Convert(std::size_t pos, const std::string& ch) const;

    // Edit text shown for a field value. When literals are saved the value is expected with them
    // (a literal missing in the value is added); otherwise the value holds only the typed characters.
    // Unfilled positions show the blank character.
    std::string Format(const std::string& value) const;
    // The value to store for an edit text: literals kept or dropped as the mask says, blank
    // characters stored as spaces.
    std::string Unformat(const std::string& editText) const;
    // Checks an edit text: required positions filled with a fitting character, optional ones
    // blank or fitting. Gives the first bad position (-1 when valid).
    int FirstInvalidPosition(const std::string& editText) const;
    bool IsValid(const std::string& editText) const { return FirstInvalidPosition(editText) < 0; }

private:
    std::vector<Position> positions_;
    bool saveLiterals_ = true;
    std::string blank_ = "_";
};

// The classic free function: the value formatted by the mask for display.
std::string FormatMaskText(const std::string& editMask, const std::string& value);
