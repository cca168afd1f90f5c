#pragma once
// Parts of a statement that a client sends (a data request's condition and order, the condition of
// GetBaseLimitedRecs) and the server places inside its own statement. Such a part must be one whole
// expression: every parenthesis it opens closed again and none closed that it did not open, no
// statement separator, no comment (which could hide the rest of the server's statement) and no
// unterminated literal. Otherwise EDatabaseError names what is wrong.
#include <string>

void CheckClientFragment(const std::string& text, const char* what);
