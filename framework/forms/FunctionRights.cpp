#include "framework/forms/FunctionRights.h"

#include <vector>

#include "toolkit/rtl/SysUtils.h"

namespace {

TFunctionRights Range(int first, int last) {
    TFunctionRights set;
    for (int e = first; e <= last; ++e) set.Include(e);
    return set;
}

// The character at a 1-based position, or 0 beyond the text.
char At(const std::string& text, std::size_t position) { return position <= text.size() ? text[position - 1] : '\0'; }

}  // namespace

TFunctionRights InitialFunctionRights() { return Range(0, 63) - Range(15, 21) - Range(60, 63); }

TCommandRights InitialCommandRights() { return Range(0, 8); }

TFunctionRights ParsePowerData(const std::string& powerData) {
    TFunctionRights rights = Range(15, 29);
    if (powerData.empty()) return rights;

    std::vector<std::string> parts = SplitString(powerData, ',');
    parts.resize(std::max<std::size_t>(parts.size(), 6));
    rights = Range(0, 14);  // the parsed rights replace the placeholder 15..29
    if (parts[1] == "Y" || parts[1] == "y") rights.Include(30);
    if (parts[2] == "Y" || parts[2] == "y") rights.Include(31);
    rights.Include(37);

    const std::string& command = parts[3];
    static constexpr int kCommandElements[] = {-1, -1, 38, 39, 40, 41, 42, -1, -1, 36, 43, 44, 45};
    for (std::size_t pos = 2; pos <= 12; ++pos)
        if (kCommandElements[pos] >= 0 && At(command, pos) == 'Y') rights.Include(kCommandElements[pos]);
    if (At(command, 7) == 'Y') rights.Include(32);
    if (At(command, 7) == 'R') rights.Include(34);
    if (At(command, 8) == 'Y') rights.Include(33);
    if (At(command, 8) == 'R') rights.Include(35);

    for (std::size_t pos = 1; pos <= 7; ++pos) {
        if (At(parts[4], pos) == 'Y') rights.Include(45 + static_cast<int>(pos));
        if (At(parts[5], pos) == 'Y') rights.Include(52 + static_cast<int>(pos));
    }
    return rights;
}
