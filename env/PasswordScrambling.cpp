#include "env/PasswordScrambling.h"

#include <cstdint>

#include "env/Log.h"
#include "toolkit/os/CodePage.h"
#include "toolkit/rtl/Exception.h"

namespace {

constexpr int kPasswordCodePage = 936;

std::uint8_t RotateRight(std::uint8_t b, unsigned n) { return static_cast<std::uint8_t>((b >> n) | (b << ((8 - n) & 7))); }
std::uint8_t RotateLeft(std::uint8_t b, unsigned n) { return static_cast<std::uint8_t>((b << n) | (b >> ((8 - n) & 7))); }

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string DecodeError() {
    ReportError(nullptr, EncodePassword("DecodeSQLSa"), "解析 Sa 时发生错误!");
    return kPasswordErrorMarker;
}

}  // namespace

std::string EncodePassword(const std::string& text) {
    static constexpr char hex[] = "0123456789abcdef";
    const std::string bytes = ToCodePageBytes(text.empty() ? std::string(kEmptyPasswordMarker) : text, kPasswordCodePage);
    std::string result;
    result.reserve(bytes.size() * 2);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const std::uint8_t b = RotateRight(static_cast<std::uint8_t>(bytes[i]), static_cast<unsigned>((i + 1) % 8));
        result += hex[b >> 4];
        result += hex[b & 0x0F];
    }
    return result;
}

std::string DecodeSQLSa(const std::string& text) {
    std::string bytes;
    bytes.reserve(text.size() / 2);
    for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
        const int hi = HexDigit(text[i]);
        const int lo = HexDigit(text[i + 1]);
        if (hi < 0 || lo < 0) return DecodeError();
        const auto b = static_cast<std::uint8_t>(hi * 16 + lo);
        bytes += static_cast<char>(RotateLeft(b, static_cast<unsigned>((i / 2 + 1) % 8)));
    }
    try {
        const std::string decoded = FromCodePageBytes(bytes, kPasswordCodePage);
        // Bytes that are no code-page text cannot come from EncodePassword.
        if (ToCodePageBytes(decoded, kPasswordCodePage) != bytes) return DecodeError();
        return decoded == kEmptyPasswordMarker ? std::string() : decoded;
    } catch (const Exception&) {
        return DecodeError();
    }
}
