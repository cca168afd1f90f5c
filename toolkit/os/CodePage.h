#pragma once
// Code pages at the edges of the system (in memory every text is UTF-8), converted with iconv.
// Code page numbers: 936 (GBK), 950 (BIG5), 437, 54936 (GB18030), 65001 (UTF-8), 1200/1201 (UTF-16
// little/big endian), other n as "CP<n>".
// An unsupported number raises EConvertError "Code page <n> is not supported". Thread-safe.
#include <cstddef>
#include <string>

// The configured ANSI code page: registry value ANSICodePage under "Software\RKT\Vandril"
// (default 936, also when the value is not a number).
int SystemCodePage();

// UTF-8 to the code page's bytes; characters the code page lacks (and invalid UTF-8 bytes) become '?'.
std::string ToCodePageBytes(const std::string& utf8, int codePage);
// The code page's bytes to UTF-8; invalid or incomplete byte sequences become '?'.
std::string FromCodePageBytes(const std::string& bytes, int codePage);
// UTF-8 kept, characters the code page lacks replaced by '?' (what a round trip through it gives).
std::string ToCodePage(const std::string& utf8, int codePage);
// Length of the text in the code page's bytes (ToCodePageBytes(utf8, cp).size()).
std::size_t CodePageByteLength(const std::string& utf8, int codePage);
// The longest prefix of utf8 whose code-page form fits in maxBytes; never splits a character.
std::string TruncateToBytes(const std::string& utf8, std::size_t maxBytes, int codePage);
// Whether every character of utf8 exists in the code page.
bool IsRepresentable(const std::string& utf8, int codePage);
