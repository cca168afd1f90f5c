#include "env/VariantCodePage.h"

#include <functional>

#include "env/Log.h"
#include "env/VariantElements.h"
#include "toolkit/os/CodePage.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

using ElementConversion = std::function<void(Variant&)>;

Variant Convert(const Variant& value, const ElementConversion& convert, const char* alertPrefix) {
    Variant result = value.Deref();
    try {
        ForEachVariantElement(result, convert);
        return result;
    } catch (const std::exception& e) {
        WriteAlert("libstrs", std::string(alertPrefix) + e.what(), "D");
        return value.Deref();
    }
}

}  // namespace

Variant VariantToCodePage(const Variant& value, int codePage) {
    return Convert(
        value,
        [codePage](Variant& v) {
            if (v.IsString()) v = ToCodePage(v.AsString(), codePage);
        },
        "LINE[2735] ");
}

Variant VariantFromCodePage(const Variant& value, int codePage) {
    return Convert(
        value,
        [codePage](Variant& v) {
            if (v.Type() == VarType::Bytes) {
                const Bytes bytes = v.AsBytes();
                v = FromCodePageBytes(std::string(bytes.begin(), bytes.end()), codePage);
            } else if (v.IsString()) {
                const std::string s = v.AsString();
                if (!IsValidUtf8(s)) v = FromCodePageBytes(s, codePage);
            }
        },
        "LINE[115] ");
}
