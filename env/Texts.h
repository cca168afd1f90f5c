#pragma once
// Token, fill and small comparison helpers shared by the whole framework. Texts are UTF-8; widths
// count characters (code points), not bytes.
#include <string>
#include <string_view>

#include "toolkit/rtl/Variant.h"

// Fills on the left (PadLeft) or right (PadRight) up to width characters; longer texts stay as they are.
std::string PadLeft(std::string_view text, int width, char fill = ' ');
std::string PadRight(std::string_view text, int width, char fill = ' ');

// The n-th field (from 1) of a separated text; empty when there are fewer fields.
std::string Field(std::string_view text, std::string_view separator, int n);
// Number of separators + 1; 0 for the empty text.
int CountFields(std::string_view text, std::string_view separator);
// Removes and returns the part before the first separator; text keeps what follows it.
// Without a separator the whole text is returned and text becomes empty.
std::string TakeField(std::string& text, std::string_view separator);

// The number with at least width digits ("%.*d").
std::string ZeroPad(int width, long long number);

// Replaces every occurrence of oldText (compared without ASCII case) by newText in one pass;
// nothing is replaced when the two are equal ignoring case. trim trims the result.
std::string ReplaceAllText(std::string_view text, std::string_view oldText, std::string_view newText, bool trim = false);

// a when flag, else b.
Variant Choose(bool flag, const Variant& a, const Variant& b);
bool IsEmptyOrNull(const Variant& value);
// True exactly for "127.0.0.1": other addresses go through the remote connection.
bool IsLocalAddress(std::string_view address);
