#include "toolkit/data/BooleanField.h"

#include "toolkit/rtl/SysUtils.h"

void TBooleanField::SetDisplayValues(const std::string& values) {
    displayValues_ = values;
    auto semi = values.find(';');
    trueText_ = semi == std::string::npos ? values : values.substr(0, semi);
    falseText_ = semi == std::string::npos ? "" : values.substr(semi + 1);
}

std::string TBooleanField::AsString() const {
    if (IsNull()) return "";
    return AsBoolean() ? trueText_ : falseText_;
}

std::string TBooleanField::DefaultText(const Variant& stored, bool) const {
    if (stored.IsEmptyOrNull()) return "";
    return stored.AsBool() ? trueText_ : falseText_;
}

Variant TBooleanField::Normalize(const Variant& value) const {
    if (value.IsEmptyOrNull()) return Variant::Null();
    if (!value.IsString()) return Variant(value.AsBool());
    std::string text = Trim(value.AsString());
    if (text.empty()) return Variant::Null();
    if (SameText(text, trueText_) || SameText(text, "True")) return Variant(true);
    if (SameText(text, falseText_) || SameText(text, "False")) return Variant(false);
    throw EConvertError(DataMessages::InvalidBoolean(text));
}
