#pragma once
// Accelerator characters in captions: "&File" underlines F and answers Alt+F; "&&" is a plain "&".
#include <string>

#include "toolkit/ui/kernel/Keys.h"

std::string StripHotkey(const std::string& caption);
// The upper-case accelerator character, or 0 when the caption has none.
char32_t GetHotkey(const std::string& caption);
// True when key (a letter or digit key) is the caption's accelerator.
bool IsAccel(WORD key, const std::string& caption);
