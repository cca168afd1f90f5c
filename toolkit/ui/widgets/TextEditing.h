#pragma once
// Editing a one-line UTF-8 text with a caret and a selection counted in characters, as edits, combo
// boxes and grid editors do when keys reach them.
#include <string>

#include "toolkit/ui/kernel/Keys.h"

struct TTextSelection {
    int Start = 0;   // caret position when Length is 0
    int Length = 0;  // characters selected after Start
};

// Clamps the selection to the text.
void ClampSelection(const std::string& text, TTextSelection& sel);
std::string SelectedText(const std::string& text, const TTextSelection& sel);
// Replaces the selection with insert; the caret ends after it.
std::string ReplaceSelection(const std::string& text, TTextSelection& sel, const std::string& insert);
// Backspace: deletes the selection, or the character before the caret.
std::string BackspaceText(const std::string& text, TTextSelection& sel);
// Delete: deletes the selection, or the character after the caret.
std::string DeleteText(const std::string& text, TTextSelection& sel);
// Caret keys (Left, Right, Home, End; with Shift extending the selection). False for other keys.
bool MoveCaret(const std::string& text, TTextSelection& sel, WORD key, TShiftState shift);
// The character typed as UTF-8.
std::string CharToUtf8(char32_t ch);
