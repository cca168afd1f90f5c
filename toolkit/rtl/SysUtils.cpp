#include "toolkit/rtl/SysUtils.h"

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <limits>

#include "toolkit/rtl/Exception.h"
#include "toolkit/rtl/Format.h"
#include "toolkit/rtl/FormatSettings.h"

namespace {
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }
char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
}  // namespace

std::string Trim(const std::string& s) { return TrimLeft(TrimRight(s)); }

std::string TrimLeft(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size() && IsBlank(s[i])) ++i;
    return s.substr(i);
}

std::string TrimRight(const std::string& s) {
    std::size_t n = s.size();
    while (n > 0 && IsBlank(s[n - 1])) --n;
    return s.substr(0, n);
}

std::string UpperCase(const std::string& s) {
    std::string r = s;
    for (auto& c : r) c = UpperAscii(c);
    return r;
}

std::string LowerCase(const std::string& s) {
    std::string r = s;
    for (auto& c : r) c = LowerAscii(c);
    return r;
}

int CompareText(const std::string& a, const std::string& b) {
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        auto ca = static_cast<unsigned char>(UpperAscii(a[i]));
        auto cb = static_cast<unsigned char>(UpperAscii(b[i]));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool SameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && UpperAscii(a[i]) != UpperAscii(b[i])) return false;
    return true;
}

int CompareStr(const std::string& a, const std::string& b) {
    int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

std::string QuotedStr(const std::string& s) { return "'" + StringReplace(s, "'", "''", rfReplaceAll) + "'"; }

std::string DupeString(const std::string& s, int count) {
    std::string r;
    for (int i = 0; i < count; ++i) r += s;
    return r;
}

std::string IntToStr(std::int64_t value) { return std::to_string(value); }

std::string IntToHex(std::int64_t value, int digits) {
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, static_cast<std::uint64_t>(value), 16);
    std::string s = UpperCase(std::string(buf, r.ptr));
    if (static_cast<int>(s.size()) < digits) s.insert(0, static_cast<std::size_t>(digits) - s.size(), '0');
    return s;
}

bool TryStrToInt64(const std::string& s, std::int64_t& value) {
    std::size_t i = 0;
    while (i < s.size() && IsBlank(s[i])) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    int base = 10;
    if (i < s.size() && s[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= s.size()) return false;
    std::uint64_t magnitude = 0;
    auto r = std::from_chars(s.data() + i, s.data() + s.size(), magnitude, base);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size()) return false;
    if (base == 16 && !negative) {  // hexadecimal texts give the bit pattern ("$FFFFFFFFFFFFFFFF" is -1)
        value = static_cast<std::int64_t>(magnitude);
        return true;
    }
    constexpr auto limit = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (negative ? magnitude > limit + 1 : magnitude > limit) return false;
    value = negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
    return true;
}

bool TryStrToInt(const std::string& s, int& value) {
    std::int64_t v = 0;
    if (!TryStrToInt64(s, v)) return false;
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max()) return false;
    value = static_cast<int>(v);
    return true;
}

int StrToInt(const std::string& s) {
    int v = 0;
    if (!TryStrToInt(s, v)) throw EConvertError("'" + s + "' is not a valid integer value");
    return v;
}

std::int64_t StrToInt64(const std::string& s) {
    std::int64_t v = 0;
    if (!TryStrToInt64(s, v)) throw EConvertError("'" + s + "' is not a valid integer value");
    return v;
}

int StrToIntDef(const std::string& s, int def) {
    int v = 0;
    return TryStrToInt(s, v) ? v : def;
}

std::int64_t StrToInt64Def(const std::string& s, std::int64_t def) {
    std::int64_t v = 0;
    return TryStrToInt64(s, v) ? v : def;
}

bool TryStrToFloat(const std::string& text, double& value) {
    std::string s = Trim(text);
    // Accept only the classic grammar: sign, digits with one decimal separator, optional exponent.
    // from_chars alone would also take "inf", "nan" and hexadecimal forms.
    std::string plain;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-') plain += '-';
        ++i;
    }
    bool digits = false, point = false;
    for (; i < s.size(); ++i) {
        char c = s[i];
        if (c >= '0' && c <= '9') {
            digits = true;
            plain += c;
        } else if (c == FormatSettings().DecimalSeparator && !point) {
            point = true;
            plain += '.';
        } else {
            break;
        }
    }
    if (!digits) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        plain += 'e';
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) plain += s[i++];
        bool expDigits = false;
        for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
            expDigits = true;
            plain += s[i];
        }
        if (!expDigits) return false;
    }
    if (i != s.size()) return false;
    double v = 0;
    auto r = std::from_chars(plain.data(), plain.data() + plain.size(), v);
    if (r.ec != std::errc() || r.ptr != plain.data() + plain.size()) return false;
    value = v;
    return true;
}

double StrToFloat(const std::string& s) {
    double v = 0;
    if (!TryStrToFloat(s, v)) throw EConvertError("'" + s + "' is not a valid floating point value");
    return v;
}

double StrToFloatDef(const std::string& s, double def) {
    double v = 0;
    return TryStrToFloat(s, v) ? v : def;
}

std::string FloatToStr(double value) { return FloatToStrGeneral(value, 15); }

bool StrToBool(const std::string& s) {
    if (SameText(s, "true")) return true;
    if (SameText(s, "false")) return false;
    double d = 0;
    if (TryStrToFloat(s, d)) return d != 0;
    throw EConvertError("'" + s + "' is not a valid boolean value");
}

namespace {
std::size_t FindFrom(const std::string& s, const std::string& pattern, std::size_t from, bool ignoreCase) {
    if (!ignoreCase) return s.find(pattern, from);
    if (pattern.empty()) return from <= s.size() ? from : std::string::npos;
    for (std::size_t i = from; i + pattern.size() <= s.size(); ++i) {
        std::size_t k = 0;
        while (k < pattern.size() && UpperAscii(s[i + k]) == UpperAscii(pattern[k])) ++k;
        if (k == pattern.size()) return i;
    }
    return std::string::npos;
}
}  // namespace

std::string StringReplace(const std::string& s, const std::string& oldPattern, const std::string& newPattern,
                          TReplaceFlags flags) {
    if (oldPattern.empty()) return s;
    std::string result;
    std::size_t from = 0;
    while (true) {
        std::size_t at = FindFrom(s, oldPattern, from, (flags & rfIgnoreCase) != 0);
        if (at == std::string::npos) break;
        result.append(s, from, at - from);
        result += newPattern;
        from = at + oldPattern.size();
        if (!(flags & rfReplaceAll)) break;
    }
    result.append(s, from, std::string::npos);
    return result;
}

int Pos(const std::string& sub, const std::string& s) {
    if (sub.empty()) return 0;
    std::size_t at = s.find(sub);
    return at == std::string::npos ? 0 : static_cast<int>(at) + 1;
}

std::string Copy(const std::string& s, int index, int count) {
    if (index < 1) index = 1;
    if (count <= 0 || static_cast<std::size_t>(index) > s.size()) return {};
    return s.substr(static_cast<std::size_t>(index) - 1, static_cast<std::size_t>(count));
}

bool StartsText(const std::string& prefix, const std::string& s) {
    return prefix.size() <= s.size() && SameText(s.substr(0, prefix.size()), prefix);
}

bool EndsText(const std::string& suffix, const std::string& s) {
    return suffix.size() <= s.size() && SameText(s.substr(s.size() - suffix.size()), suffix);
}

std::vector<std::string> SplitString(const std::string& s, char delimiter) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    while (true) {
        std::size_t at = s.find(delimiter, from);
        parts.push_back(s.substr(from, at == std::string::npos ? std::string::npos : at - from));
        if (at == std::string::npos) break;
        from = at + 1;
    }
    return parts;
}

int Utf8CharLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 1;
}

std::size_t Utf8Length(std::string_view s) {
    std::size_t n = 0;
    ForEachUtf8Char(s, [&](std::string_view) { ++n; });
    return n;
}

std::vector<std::string> Utf8Chars(std::string_view s) {
    std::vector<std::string> chars;
    ForEachUtf8Char(s, [&](std::string_view c) { chars.emplace_back(c); });
    return chars;
}

bool IsValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        auto lead = static_cast<unsigned char>(s[i]);
        int n = Utf8CharLength(lead);
        if (n == 1 && lead >= 0x80) return false;
        if (i + static_cast<std::size_t>(n) > s.size()) return false;
        std::uint32_t cp = n == 1 ? lead : (lead & (0xFF >> (n + 1)));
        for (int k = 1; k < n; ++k) {
            auto c = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            if ((c & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        // Overlong forms, surrogates and values beyond U+10FFFF are not UTF-8.
        static const std::uint32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < minimum[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += static_cast<std::size_t>(n);
    }
    return true;
}

std::string Utf8Copy(const std::string& s, int index, int count) {
    if (index < 1) index = 1;
    std::string r;
    int i = 0;
    ForEachUtf8Char(s, [&](std::string_view c) {
        ++i;
        if (i >= index && i < static_cast<long long>(index) + count) r.append(c);
    });
    return r;
}

std::string NormalizePath(const std::string& path) {
    std::string r = path;
    for (auto& c : r)
        if (c == '\\') c = '/';
    return r;
}

namespace {
std::size_t LastDelimiter(const std::string& path) { return path.find_last_of("/\\"); }
}  // namespace

std::string ExtractFileName(const std::string& path) {
    std::size_t at = LastDelimiter(path);
    return at == std::string::npos ? path : path.substr(at + 1);
}

std::string ExtractFilePath(const std::string& path) {
    std::size_t at = LastDelimiter(path);
    return at == std::string::npos ? std::string() : path.substr(0, at + 1);
}

std::string ExtractFileDir(const std::string& path) {
    std::size_t at = LastDelimiter(path);
    if (at == std::string::npos) return {};
    if (at == 0) return path.substr(0, 1);  // the root stays "/"
    return path.substr(0, at);
}

std::string ExtractFileExt(const std::string& path) {
    std::size_t at = path.find_last_of("./\\");
    if (at == std::string::npos || path[at] != '.') return {};
    return path.substr(at);
}

std::string ChangeFileExt(const std::string& path, const std::string& ext) {
    std::size_t at = path.find_last_of("./\\");
    if (at == std::string::npos || path[at] != '.') return path + ext;
    return path.substr(0, at) + ext;
}

std::string IncludeTrailingPathDelimiter(const std::string& path) {
    if (!path.empty() && (path.back() == '/' || path.back() == '\\')) return path;
    return path + PathDelim;
}

std::string ExcludeTrailingPathDelimiter(const std::string& path) {
    std::string r = path;
    while (r.size() > 1 && (r.back() == '/' || r.back() == '\\')) r.pop_back();
    return r;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool ForceDirectories(const std::string& path) {
    std::string dir = ExcludeTrailingPathDelimiter(NormalizePath(path));
    if (dir.empty()) return false;
    if (DirectoryExists(dir)) return true;
    std::string parent = ExtractFileDir(dir);
    if (!parent.empty() && parent != dir && !ForceDirectories(parent)) return false;
    return ::mkdir(dir.c_str(), 0777) == 0 || (errno == EEXIST && DirectoryExists(dir));
}

bool DeleteFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool RenameFile(const std::string& oldName, const std::string& newName) {
    return ::rename(oldName.c_str(), newName.c_str()) == 0;
}

std::string GetCurrentDir() {
    std::string buf(4096, '\0');
    if (!::getcwd(buf.data(), buf.size())) return {};
    buf.resize(std::strlen(buf.c_str()));
    return buf;
}
