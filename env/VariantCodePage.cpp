#include "env/VariantCodePage.h"

#include <functional>

#include "env/Log.h"
#include "toolkit/os/CodePage.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

using ElementConversion = std::function<void(Variant&)>;

// Applies convert to every non-array element, following nested arrays.
void ForEachElement(Variant& value, const ElementConversion& convert)
{
    if (!value.IsArray()) {
        convert(value);
        return;
    }
    if (value.DimCount() == 2) {
        for (int i = value.Low(1); i <= value.High(1); ++i)
            for (int j = value.Low(2); j <= value.High(2); ++j)
                ForEachElement(value.At(i, j), convert);
        return;
    }
    for (int i = value.Low(1); i <= value.High(1); ++i)
        ForEachElement(value[i], convert);
}

Variant Convert(const Variant& value, const ElementConversion& convert, const char* alertPrefix)
{
    Variant result = value.Deref();
    try {
        ForEachElement(result, convert);
        return result;
    } catch (const std::exception& e) {
        WriteAlert("libstrs", std::string(alertPrefix) + e.what(), "D");
        return value.Deref();
    }
}

}  // namespace

Variant VariantToCodePage(const Variant& value, int codePage)
{
    return Convert(value, [codePage](Variant& v) {
        if (v.IsString())
            v = ToCodePage(v.AsString(), codePage);
    }, "LINE[2735] ");
}

Variant VariantFromCodePage(const Variant& value, int codePage)
{
    return Convert(value, [codePage](Variant& v) {
        if (v.Type() == VarType::Bytes) {
            const Bytes bytes = v.AsBytes();
            v = FromCodePageBytes(std::string(bytes.begin(), bytes.end()), codePage);
        } else if (v.IsString()) {
            const std::string s = v.AsString();
            if (!IsValidUtf8(s))
                v = FromCodePageBytes(s, codePage);
        }
    }, "LINE[115] ");
}
