#include "toolkit/ui/graphics/Colors.h"

#include <array>

#include "toolkit/rtl/SysUtils.h"

namespace {
const std::vector<TTypeInfo::Ident>& ColorIdents() {
    // The first name of a value is the one ColorToString gives.
    static const std::vector<TTypeInfo::Ident> idents = {
        {clBlack, "clBlack"},
        {clMaroon, "clMaroon"},
        {clGreen, "clGreen"},
        {clOlive, "clOlive"},
        {clNavy, "clNavy"},
        {clPurple, "clPurple"},
        {clTeal, "clTeal"},
        {clGray, "clGray"},
        {clSilver, "clSilver"},
        {clRed, "clRed"},
        {clLime, "clLime"},
        {clYellow, "clYellow"},
        {clBlue, "clBlue"},
        {clFuchsia, "clFuchsia"},
        {clAqua, "clAqua"},
        {clWhite, "clWhite"},
        {clMoneyGreen, "clMoneyGreen"},
        {clSkyBlue, "clSkyBlue"},
        {clCream, "clCream"},
        {clMedGray, "clMedGray"},
        {clActiveBorder, "clActiveBorder"},
        {clActiveCaption, "clActiveCaption"},
        {clAppWorkSpace, "clAppWorkSpace"},
        {clBackground, "clBackground"},
        {clBtnFace, "clBtnFace"},
        {clBtnHighlight, "clBtnHighlight"},
        {clBtnShadow, "clBtnShadow"},
        {clBtnText, "clBtnText"},
        {clCaptionText, "clCaptionText"},
        {clDefault, "clDefault"},
        {clGradientActiveCaption, "clGradientActiveCaption"},
        {clGradientInactiveCaption, "clGradientInactiveCaption"},
        {clGrayText, "clGrayText"},
        {clHighlight, "clHighlight"},
        {clHighlightText, "clHighlightText"},
        {clHotLight, "clHotLight"},
        {clInactiveBorder, "clInactiveBorder"},
        {clInactiveCaption, "clInactiveCaption"},
        {clInactiveCaptionText, "clInactiveCaptionText"},
        {clInfoBk, "clInfoBk"},
        {clInfoText, "clInfoText"},
        {clMenu, "clMenu"},
        {clMenuBar, "clMenuBar"},
        {clMenuHighlight, "clMenuHighlight"},
        {clMenuText, "clMenuText"},
        {clNone, "clNone"},
        {clScrollBar, "clScrollBar"},
        {cl3DDkShadow, "cl3DDkShadow"},
        {cl3DLight, "cl3DLight"},
        {clWindow, "clWindow"},
        {clWindowFrame, "clWindowFrame"},
        {clWindowText, "clWindowText"},
        {clLtGray, "clLtGray"},
        {clDkGray, "clDkGray"},
    };
    return idents;
}
}  // namespace

const TTypeInfo& TypeInfoOf(const TColor*) {
    static const TTypeInfo info = TTypeInfo::NamedInteger("TColor", ColorIdents());
    return info;
}

bool IdentToColor(std::string_view ident, TColor& color) {
    std::int64_t v = 0;
    if (!TypeInfoOf(static_cast<const TColor*>(nullptr)).IdentToInt(ident, v)) return false;
    color = static_cast<TColor>(v);
    return true;
}

bool ColorToIdent(TColor color, std::string& ident) {
    return TypeInfoOf(static_cast<const TColor*>(nullptr)).IntToIdent(color, ident);
}

std::string ColorToString(TColor color) {
    std::string ident;
    if (ColorToIdent(color, ident)) return ident;
    return "$" + IntToHex(static_cast<std::uint32_t>(color), 8);
}

TColor StringToColor(const std::string& text) {
    TColor color;
    if (IdentToColor(Trim(text), color)) return color;
    // Colours are 32-bit patterns: "$80000005" is a system colour, not an overflow.
    std::int64_t v = StrToInt64(text);
    if (v < -0x80000000LL || v > 0xFFFFFFFFLL) throw EConvertError("'" + text + "' is not a valid integer value");
    return static_cast<TColor>(static_cast<std::int32_t>(static_cast<std::uint32_t>(v)));
}

std::int32_t ColorToRGB(TColor color) {
    static constexpr std::array<std::int32_t, 31> system = {
        0xC8D0D4, 0xA56E3A, 0x6A240A, 0x808080, 0xC8D0D4, 0xFFFFFF, 0x000000, 0x000000, 0x000000, 0xFFFFFF, 0xC8D0D4,
        0xC8D0D4, 0x808080, 0x6A240A, 0xFFFFFF, 0xC8D0D4, 0x808080, 0x808080, 0x000000, 0xC8D0D4, 0xFFFFFF, 0x404040,
        0xC8D0D4, 0x000000, 0xE1FFFF, 0xB5B5B5, 0x800000, 0xF0CAA6, 0xC0C0C0, 0xC56A31, 0xC8D0D4,
    };
    if (color < 0) {
        std::size_t index = static_cast<std::size_t>(color & 0xFF);
        return index < system.size() ? system[index] : 0;
    }
    return color;
}
