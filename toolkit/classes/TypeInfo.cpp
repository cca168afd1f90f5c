#include "toolkit/classes/TypeInfo.h"

#include "toolkit/classes/ComponentErrors.h"
#include "toolkit/rtl/SysUtils.h"

const char* TypeKindName(TTypeKind kind) {
    switch (kind) {
        case tkInteger: return "tkInteger";
        case tkInt64: return "tkInt64";
        case tkString: return "tkString";
        case tkEnumeration: return "tkEnumeration";
        case tkSet: return "tkSet";
        case tkBoolean: return "tkBoolean";
        case tkFloat: return "tkFloat";
        case tkClass: return "tkClass";
        case tkStrings: return "tkStrings";
        case tkMethod: return "tkMethod";
        case tkUnknown: break;
    }
    return "tkUnknown";
}

TTypeInfo TTypeInfo::Simple(std::string name, TTypeKind kind) {
    TTypeInfo t;
    t.Name = std::move(name);
    t.Kind = kind;
    return t;
}

TTypeInfo TTypeInfo::Enumeration(std::string name, std::vector<std::string> names) {
    TTypeInfo t = Simple(std::move(name), tkEnumeration);
    t.EnumNames = std::move(names);
    return t;
}

TTypeInfo TTypeInfo::NamedInteger(std::string name, std::vector<Ident> idents) {
    TTypeInfo t = Simple(std::move(name), tkInteger);
    t.Idents = std::move(idents);
    return t;
}

std::string TTypeInfo::EnumName(std::int64_t value) const {
    if (value >= 0 && value < static_cast<std::int64_t>(EnumNames.size())) return EnumNames[static_cast<std::size_t>(value)];
    return IntToStr(value);
}

std::optional<std::int64_t> TTypeInfo::EnumValue(std::string_view name) const {
    std::string wanted = Trim(std::string(name));
    for (std::size_t i = 0; i < EnumNames.size(); ++i)
        if (SameText(EnumNames[i], wanted)) return static_cast<std::int64_t>(i);
    return std::nullopt;
}

std::string TTypeInfo::SetToString(std::uint64_t bits, bool brackets) const {
    std::string text;
    for (unsigned i = 0; i < 64; ++i) {
        if ((bits & (std::uint64_t{1} << i)) == 0) continue;
        if (!text.empty()) text += ',';
        text += ElementType ? ElementType->EnumName(i) : IntToStr(i);
    }
    return brackets ? "[" + text + "]" : text;
}

std::uint64_t TTypeInfo::StringToSet(std::string_view text) const {
    std::string s = Trim(std::string(text));
    if (!s.empty() && s.front() == '[') s.erase(0, 1);
    if (!s.empty() && s.back() == ']') s.pop_back();
    std::uint64_t bits = 0;
    if (Trim(s).empty()) return bits;
    for (const std::string& part : SplitString(s, ',')) {
        std::optional<std::int64_t> v = ElementType ? ElementType->EnumValue(part) : std::nullopt;
        if (!v) {
            std::int64_t n = 0;
            if (!ElementType && TryStrToInt64(Trim(part), n)) v = n;
        }
        if (!v || *v < 0 || *v >= 64) throw EPropertyConvertError("Invalid property element: " + Trim(part));
        bits |= std::uint64_t{1} << *v;
    }
    return bits;
}

bool TTypeInfo::IdentToInt(std::string_view ident, std::int64_t& value) const {
    std::string wanted(ident);
    for (const auto& [v, name] : Idents) {
        if (SameText(name, wanted)) {
            value = v;
            return true;
        }
    }
    return false;
}

bool TTypeInfo::IntToIdent(std::int64_t value, std::string& ident) const {
    for (const auto& [v, name] : Idents) {
        if (v == value) {
            ident = name;
            return true;
        }
    }
    return false;
}

namespace tk_detail {
const TTypeInfo& BooleanType() {
    static const TTypeInfo t = TTypeInfo::Simple("Boolean", tkBoolean);
    return t;
}
const TTypeInfo& IntegerType() {
    static const TTypeInfo t = TTypeInfo::Simple("Integer", tkInteger);
    return t;
}
const TTypeInfo& Int64Type() {
    static const TTypeInfo t = TTypeInfo::Simple("Int64", tkInt64);
    return t;
}
const TTypeInfo& FloatType() {
    static const TTypeInfo t = TTypeInfo::Simple("Double", tkFloat);
    return t;
}
const TTypeInfo& StringType() {
    static const TTypeInfo t = TTypeInfo::Simple("String", tkString);
    return t;
}
const TTypeInfo& StringsType() {
    static const TTypeInfo t = TTypeInfo::Simple("TStrings", tkStrings);
    return t;
}
}  // namespace tk_detail
