#pragma once
// The "Language" table file: the GB <-> BIG5 code tables of the table-driven conversion, made from the
// same character mappings as the library's conversions.
//
//   [BIG5]
//   BIG5A140=$A1A1     one line per BIG5 index, in index order: the GB code of that BIG5 character
//   ...
//   [GB]
//   GBA1A1=$A1A1       one line per GB index, in index order: the BIG5 code of that GB character
//
// Characters 2 to 5 of a value are the other code page's two bytes in hexadecimal; "$0000" means no
// character (a slot without a character, or one the other code page lacks).
//
// BIG5 index order: lead bytes 161..249, each with trail bytes 64..126 then 161..254.
// GB index order: lead bytes 161..247 with trail bytes 161..254; then lead bytes 129..160 with trail
// bytes 64..254; then lead bytes 170..254 with trail bytes 64..160; then lead bytes 168 and 169 with
// trail bytes 64..160.
#include <string>

// The whole file's text.
std::string LanguageTableText();
