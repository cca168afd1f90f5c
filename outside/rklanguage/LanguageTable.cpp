#include "outside/rklanguage/LanguageTable.h"

#include <cstdio>
#include <functional>

#include "outside/rklanguage/ChineseScripts.h"
#include "toolkit/os/CodePage.h"

namespace {

using TPairVisitor = std::function<void(int lead, int trail)>;

void VisitBig5Pairs(const TPairVisitor& visit) {
    for (int lead = 161; lead <= 249; ++lead) {
        for (int trail = 64; trail <= 126; ++trail) visit(lead, trail);
        for (int trail = 161; trail <= 254; ++trail) visit(lead, trail);
    }
}

void VisitGbPairs(const TPairVisitor& visit) {
    for (int lead = 161; lead <= 247; ++lead)
        for (int trail = 161; trail <= 254; ++trail) visit(lead, trail);
    for (int lead = 129; lead <= 160; ++lead)
        for (int trail = 64; trail <= 254; ++trail) visit(lead, trail);
    for (int lead = 170; lead <= 254; ++lead)
        for (int trail = 64; trail <= 160; ++trail) visit(lead, trail);
    for (int lead = 168; lead <= 169; ++lead)
        for (int trail = 64; trail <= 160; ++trail) visit(lead, trail);
}

// The character of a two-byte code, or "" when the code page has none there.
std::string CharacterOf(int lead, int trail, int codePage) {
    const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
    const std::string utf8 = FromCodePageBytes(bytes, codePage);
    if (utf8.empty() || utf8.find('?') != std::string::npos || ToCodePageBytes(utf8, codePage) != bytes) return {};
    return utf8;
}

// The two-byte code of a single character in the code page, or 0.
int CodeOf(const std::string& utf8, int codePage) {
    if (utf8.empty() || !IsRepresentable(utf8, codePage)) return 0;
    const std::string bytes = ToCodePageBytes(utf8, codePage);
    if (bytes.size() != 2) return 0;
    return (static_cast<unsigned char>(bytes[0]) << 8) | static_cast<unsigned char>(bytes[1]);
}

void AppendLine(std::string& text, const char* prefix, int lead, int trail, int code) {
    char line[32];
    std::snprintf(line, sizeof line, "%s%02X%02X=$%04X\n", prefix, lead, trail, code);
    text += line;
}

}  // namespace

std::string LanguageTableText() {
    std::string text = "[BIG5]\n";
    VisitBig5Pairs([&](int lead, int trail) {
        const std::string traditional = CharacterOf(lead, trail, 950);
        AppendLine(text, "BIG5", lead, trail, traditional.empty() ? 0 : CodeOf(TraditionalToSimplified(traditional), 936));
    });
    text += "[GB]\n";
    VisitGbPairs([&](int lead, int trail) {
        const std::string simplified = CharacterOf(lead, trail, 936);
        AppendLine(text, "GB", lead, trail, simplified.empty() ? 0 : CodeOf(SimplifiedToTraditional(simplified), 950));
    });
    return text;
}
