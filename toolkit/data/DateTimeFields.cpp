#include "toolkit/data/DateTimeFields.h"

#include <cmath>
#include <cstdio>

#include "toolkit/rtl/DateTime.h"
#include "toolkit/rtl/SysUtils.h"

bool TryTextToDateTime(const std::string& text, double& value) {
    std::string t = Trim(text);
    int y = 0, m = 0, d = 0, hh = 0, nn = 0, ss = 0, used = 0;
    std::string datePart = t, timePart;
    auto space = t.find(' ');
    if (space != std::string::npos) {
        datePart = t.substr(0, space);
        timePart = Trim(t.substr(space + 1));
    }
    char sep1 = 0, sep2 = 0;
    if (datePart.size() == 8 && datePart.find_first_not_of("0123456789") == std::string::npos) {
        y = std::stoi(datePart.substr(0, 4));
        m = std::stoi(datePart.substr(4, 2));
        d = std::stoi(datePart.substr(6, 2));
    } else if (std::sscanf(datePart.c_str(), "%d%c%d%c%d%n", &y, &sep1, &m, &sep2, &d, &used) != 5 ||
               used != static_cast<int>(datePart.size()) || sep1 != sep2 || (sep1 != '/' && sep1 != '-' && sep1 != '.')) {
        return false;
    }
    TDateTime date = 0, time = 0;
    if (!TryEncodeDate(y, m, d, date)) return false;
    if (!timePart.empty()) {
        int n = std::sscanf(timePart.c_str(), "%d:%d:%d%n", &hh, &nn, &ss, &used);
        if (n == 2) {
            n = std::sscanf(timePart.c_str(), "%d:%d%n", &hh, &nn, &used);
            ss = 0;
        }
        if (n < 2 || used != static_cast<int>(timePart.size()) || !TryEncodeTime(hh, nn, ss, 0, time)) return false;
    }
    value = date + time;
    return true;
}

namespace {
Variant ToDateVariant(const Variant& value, bool dateOnly) {
    if (value.IsEmptyOrNull()) return Variant::Null();
    double v = 0;
    if (value.IsString()) {
        std::string text = value.AsString();
        if (Trim(text).empty()) return Variant::Null();
        if (!TryTextToDateTime(text, v)) throw EConvertError(DataMessages::InvalidDate(text));
    } else {
        v = value.AsDouble();
    }
    if (dateOnly) v = std::floor(v);
    return Variant::Date(v);
}
}  // namespace

Variant TDateTimeField::Normalize(const Variant& value) const { return ToDateVariant(value, false); }
Variant TDateField::Normalize(const Variant& value) const { return ToDateVariant(value, true); }

std::string TDateTimeField::PlainText(double value) const {
    return value == std::floor(value) ? DateToStr(value) : DateTimeToStr(value);
}
std::string TDateField::PlainText(double value) const { return DateToStr(value); }

std::string TDateTimeField::AsString() const {
    if (IsNull()) return "";
    return PlainText(Value().AsDouble());
}

std::string TDateTimeField::DefaultText(const Variant& stored, bool) const {
    if (stored.IsEmptyOrNull()) return "";
    if (!DisplayFormat().empty()) return FormatDateTime(DisplayFormat(), stored.AsDouble());
    return PlainText(stored.AsDouble());
}
