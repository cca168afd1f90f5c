#pragma once
// The reversible scrambling of the passwords stored in the server configuration. The algorithm
// works on 8-bit codes: a text is scrambled as its code-page-936 bytes, so Chinese passwords round
// trip (characters outside code page 936 cannot be stored and come back as "?").
#include <string>

// Marker stored in place of an empty password.
inline constexpr const char* kEmptyPasswordMarker = "RK_Say_NoPassWord_ThePassWordIsEmpty";
// Result of decoding a text that is not a scrambled password.
inline constexpr const char* kPasswordErrorMarker = "RK_Say_Password_Error";

// Each byte at position i (from 1) rotated right by i mod 8 bits, as two lower-case hex digits.
std::string EncodePassword(const std::string& text);
// The reverse; the empty-password marker decodes to "". A text that is not hexadecimal, or does not
// decode to code-page-936 text, gives kPasswordErrorMarker and an error report. An odd last
// character is ignored.
std::string DecodeSQLSa(const std::string& text);
