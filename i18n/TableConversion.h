#pragma once
// The table-driven GB <-> BIG5 conversion of the broker's messages, on the tables of the text file
// "Language" (format in outside/rklanguage/LanguageTable.h). The file is looked for in the client path
// of the client configuration, then beside the running program; without it the message "Can't find
// file Language !!" is shown once per attempt, every pair goes through the code-page conversion, and
// the next conversion looks for the file again. The tables, once read, stay for the process.
//
// The work happens on code-page bytes: a GB text's bytes (code page 936) become BIG5 bytes (950) and
// back. The UTF-8 forms convert what the source code page can express and keep the rest unchanged.
#include <string>

// Index of a two-byte character in the tables, or -1 (lead byte a, trail byte b):
// BIG5: 157a + b - 25341 for b in 64..126, 157a + b - 25375 for b in 161..254 (a >= 128).
int Big5Index(unsigned char lead, unsigned char trail);
// GB: 94a + b - 15295 for a in 161..169 or 176..247 with b in 161..254; otherwise with c = b - 64:
// c + 191a - 16461 for a in 129..160 and c <= 190; c + 97a - 2200 for a in 170..254 and c <= 96;
// c + 97a + 6239 for a in 168, 169 and c <= 96.
int GbIndex(unsigned char lead, unsigned char trail);

// Byte forms: the byte 128 (the euro sign of 936) and the pair 163, 225 (950's) map onto each other,
// a pair with a table code takes it, any other pair goes through the code-page conversion, single
// bytes (a lone high byte at the end too) are copied.
std::string GbBytesToBig5ByTable(const std::string& gbBytes);
std::string Big5BytesToGbByTable(const std::string& big5Bytes);

// UTF-8 forms (simplified -> traditional and back).
std::string GBToBig5ByTable(const std::string& text);
std::string Big5ToGBByTable(const std::string& text);

// Forgets the tables read (tests that move the file).
void ResetLanguageTables();
