#include "toolkit/data/NumericFields.h"

#include <cmath>
#include <limits>

#include "toolkit/data/Numbers.h"
#include "toolkit/rtl/SysUtils.h"

TNumericField::TNumericField(TFieldType type) : TField(type) { SetAlignment(taRightJustify); }

std::string TNumericField::PlainText(const Variant& stored) const { return stored.AsString(); }

std::string TNumericField::DefaultText(const Variant& stored, bool displayText) const {
    if (stored.IsEmptyOrNull()) return "";
    const std::string& format = (displayText || EditFormat().empty()) ? DisplayFormat() : EditFormat();
    if (format.empty()) return PlainText(stored);
    return FormatFloat(format, stored.AsDouble());
}

bool TNumericField::ParseNumber(const std::string& text, double& value, bool& isNull) {
    std::string t = Trim(text);
    isNull = t.empty();
    if (isNull) return true;
    return TryTextToFloat(t, value);
}

void TNumericField::DefaultSetText(const std::string& text) {
    double v = 0;
    bool isNull = false;
    if (!ParseNumber(text, v, isNull)) {
        if (DataType() == ftFloat || DataType() == ftCurrency || DataType() == ftBCD)
            throw EConvertError(DataMessages::InvalidFloat(text));
        throw EConvertError(DataMessages::InvalidInteger(text));
    }
    if (isNull)
        Clear();
    else
        SetValue(Variant(v));
}

// --- integers -------------------------------------------------------------------------------------

TIntegerField::TIntegerField(TFieldType type) : TNumericField(type) {}

void TIntegerField::TypeRange(std::int64_t& lo, std::int64_t& hi) const {
    lo = std::numeric_limits<std::int32_t>::min();
    hi = std::numeric_limits<std::int32_t>::max();
}
void TSmallintField::TypeRange(std::int64_t& lo, std::int64_t& hi) const {
    lo = -32768;
    hi = 32767;
}
void TWordField::TypeRange(std::int64_t& lo, std::int64_t& hi) const {
    lo = 0;
    hi = 65535;
}
void TLargeintField::TypeRange(std::int64_t& lo, std::int64_t& hi) const {
    lo = std::numeric_limits<std::int64_t>::min();
    hi = std::numeric_limits<std::int64_t>::max();
}

Variant TIntegerField::Normalize(const Variant& value) const {
    if (value.IsEmptyOrNull()) return Variant::Null();
    std::int64_t n = 0;
    if (value.IsString()) {
        double d = 0;
        bool isNull = false;
        std::string text = value.AsString();
        if (!ParseNumber(text, d, isNull) || (!isNull && d != std::floor(d)))
            throw EConvertError(DataMessages::InvalidInteger(text));
        if (isNull) return Variant::Null();
        n = static_cast<std::int64_t>(d);
    } else if (value.Type() == VarType::Double || value.Type() == VarType::Date) {
        n = static_cast<std::int64_t>(std::llround(value.AsDouble()));
    } else {
        n = value.AsInt64();
    }
    std::int64_t lo, hi;
    TypeRange(lo, hi);
    if (MinValue != 0 || MaxValue != 0) {
        lo = MinValue;
        hi = MaxValue;
    }
    if (n < lo || n > hi)
        throw EDatabaseError(DataMessages::FieldRangeError(static_cast<double>(n), DisplayName(), static_cast<double>(lo),
                                                           static_cast<double>(hi)));
    return Variant(static_cast<long long>(n));
}

// --- floating point -------------------------------------------------------------------------------

TFloatField::TFloatField(TFieldType type) : TNumericField(type) {}

std::string TFloatField::PlainText(const Variant& stored) const {
    if (Currency && DisplayFormat().empty()) return FormatFloat("#,##0.00", stored.AsDouble());
    return FloatToStr(stored.AsDouble());
}

Variant TFloatField::Normalize(const Variant& value) const {
    if (value.IsEmptyOrNull()) return Variant::Null();
    double d = 0;
    if (value.IsString()) {
        bool isNull = false;
        std::string text = value.AsString();
        if (!ParseNumber(text, d, isNull)) throw EConvertError(DataMessages::InvalidFloat(text));
        if (isNull) return Variant::Null();
    } else {
        d = value.AsDouble();
    }
    if ((MinValue != 0 || MaxValue != 0) && (d < MinValue || d > MaxValue))
        throw EDatabaseError(DataMessages::FieldRangeError(d, DisplayName(), MinValue, MaxValue));
    return Variant(d);
}

Variant TBCDField::Normalize(const Variant& value) const {
    Variant v = TFloatField::Normalize(value);
    if (v.IsNull()) return v;
    double d = RoundHalfAway(v.AsDouble(), Scale());
    if (BCDPrecision > 0 && BCDPrecision > Scale()) {
        double limit = std::pow(10.0, BCDPrecision - Scale());
        if (std::fabs(d) >= limit) throw EDatabaseError(DataMessages::FieldRangeError(d, DisplayName(), -limit, limit));
    }
    return Variant(d);
}
