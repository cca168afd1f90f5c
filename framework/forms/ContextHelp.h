#pragma once
// Context help (F1): the help base of a program and the context string of the focused control.
#include <string>

class TWinControl;

// Prefix by the fourth character of the program id ("I" 11, "Q" 14, "A" 64, "M" 84) followed by its
// last two characters; empty when the program has no help.
std::string HelpBase(const std::string& programId);

// base + "0000" for the window; for a focused control: its own help keyword, or base + "1" + the
// field code of a control bound to a field of cdsMain, or base + "2" + the field code of a grid's
// selected column (field codes are the three characters from the third of a field name whose third
// character is a digit).
std::string HelpContextString(const std::string& base, const TWinControl* activeControl);
