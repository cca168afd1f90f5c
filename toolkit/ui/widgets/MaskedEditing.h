#pragma once
// Typing into a text shaped by an edit mask (toolkit/data/EditMask.h), as masked edits and grid
// editors do: the text always has one character per mask position, typed characters overwrite the
// position at the caret (literals are skipped, a character that does not fit is refused), and deleting
// puts the blank character back without moving the literals.
#include <string>

#include "toolkit/data/EditMask.h"
#include "toolkit/ui/widgets/TextEditing.h"

// The edit text of a value: a text already shaped by the mask (one character per position, the
// literals in place) stays as it is; any other is formatted by the mask.
std::string MaskedEditText(const TEditMask& mask, const std::string& value);
// Types ch at the caret (a selection is blanked first); the caret moves past the position and the
// literals after it. False, text and selection unchanged, when no position is left or ch does not fit.
bool MaskedType(const TEditMask& mask, std::string& text, TTextSelection& sel, const std::string& ch);
// Types each character of insert in turn (a paste); false when a character was refused (the
// characters before it stay).
bool MaskedInsert(const TEditMask& mask, std::string& text, TTextSelection& sel, const std::string& insert);
// Backspace: blanks the selection, or the first editable position before the caret, where the caret
// then stands.
void MaskedBackspace(const TEditMask& mask, std::string& text, TTextSelection& sel);
// Delete: blanks the selection, or the position after the caret (a literal there stays).
void MaskedDelete(const TEditMask& mask, std::string& text, TTextSelection& sel);
// Whether the text holds nothing but literals and blanks (an untouched masked text).
bool MaskedTextIsBlank(const TEditMask& mask, const std::string& text);
