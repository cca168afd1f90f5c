#pragma once
// Text, number and file helpers with the classic run-time names. Strings are UTF-8; positions and
// counts of Pos/Copy are 1-based byte positions as in the classic run-time; case folding is ASCII.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/rtl/Exception.h"  // the errors these functions raise

// Blanks are every byte up to and including ' ' (control characters too).
std::string Trim(const std::string& s);
std::string TrimLeft(const std::string& s);
std::string TrimRight(const std::string& s);
std::string UpperCase(const std::string& s);
std::string LowerCase(const std::string& s);
bool SameText(const std::string& a, const std::string& b);
int CompareText(const std::string& a, const std::string& b);  // ASCII case folded, <0 / 0 / >0
int CompareStr(const std::string& a, const std::string& b);   // bytes
std::string QuotedStr(const std::string& s);                  // 'a''b'
std::string DupeString(const std::string& s, int count);

std::string IntToStr(std::int64_t value);
std::string IntToHex(std::int64_t value, int digits);
// Integers: optional blanks before, sign, decimal or hexadecimal ("$1F", "0x1F"). StrToInt raises
// EConvertError "'<s>' is not a valid integer value" (also when out of the 32-bit range).
int StrToInt(const std::string& s);
std::int64_t StrToInt64(const std::string& s);
int StrToIntDef(const std::string& s, int def);
std::int64_t StrToInt64Def(const std::string& s, std::int64_t def);
bool TryStrToInt(const std::string& s, int& value);
bool TryStrToInt64(const std::string& s, std::int64_t& value);
// Floats: blanks around, sign, digits with DecimalSeparator, exponent. StrToFloat raises
// EConvertError "'<s>' is not a valid floating point value".
double StrToFloat(const std::string& s);
double StrToFloatDef(const std::string& s, double def);
bool TryStrToFloat(const std::string& s, double& value);
std::string FloatToStr(double value);  // 15 significant digits: "0.1", "1E20"
bool StrToBool(const std::string& s);  // "true"/"false" or a number; else EConvertError

enum TReplaceFlag : unsigned {
    rfReplaceAll = 1,
    rfIgnoreCase = 2
};
using TReplaceFlags = unsigned;
std::string StringReplace(const std::string& s, const std::string& oldPattern, const std::string& newPattern,
                          TReplaceFlags flags);
int Pos(const std::string& sub, const std::string& s);                      // 0 when absent
std::string Copy(const std::string& s, int index, int count = 0x7fffffff);  // clamps like the classic one
bool StartsText(const std::string& prefix, const std::string& s);
bool EndsText(const std::string& suffix, const std::string& s);
std::vector<std::string> SplitString(const std::string& s, char delimiter);  // "" gives one empty part

// UTF-8.
int Utf8CharLength(unsigned char leadByte);              // 1..4; 1 for a stray byte
std::size_t Utf8Length(std::string_view s);              // characters
std::vector<std::string> Utf8Chars(std::string_view s);  // one string per character
bool IsValidUtf8(std::string_view s);
// Calls f(character) for each character of s, in order.
template <typename F>
void ForEachUtf8Char(std::string_view s, F&& f) {
    std::size_t i = 0;
    while (i < s.size()) {
        std::size_t n = static_cast<std::size_t>(Utf8CharLength(static_cast<unsigned char>(s[i])));
        if (i + n > s.size()) n = s.size() - i;
        f(s.substr(i, n));
        i += n;
    }
}
std::string Utf8Copy(const std::string& s, int index, int count);  // 1-based, in characters

// Files. Paths use '/'; NormalizePath turns configured Windows-style '\' separators into '/'.
constexpr char PathDelim = '/';
std::string NormalizePath(const std::string& path);
std::string ExtractFileName(const std::string& path);
std::string ExtractFilePath(const std::string& path);  // with the trailing delimiter
std::string ExtractFileDir(const std::string& path);   // without it
std::string ExtractFileExt(const std::string& path);   // ".txt" or ""
std::string ChangeFileExt(const std::string& path, const std::string& ext);
std::string IncludeTrailingPathDelimiter(const std::string& path);
std::string ExcludeTrailingPathDelimiter(const std::string& path);
bool FileExists(const std::string& path);  // a regular file (after following links)
bool DirectoryExists(const std::string& path);
bool ForceDirectories(const std::string& path);  // creates missing parents; true when it exists at the end
bool DeleteFile(const std::string& path);
bool RenameFile(const std::string& oldName, const std::string& newName);
std::string GetCurrentDir();
