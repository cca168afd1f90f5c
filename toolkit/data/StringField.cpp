#include "toolkit/data/StringField.h"

#include "toolkit/os/CodePage.h"

int TStringField::DatabaseCodePage = 936;

std::string FitToFieldSize(const std::string& text, int maxBytes, int codePage) {
    // A code page never needs more bytes than UTF-8 for the same text, so short texts skip iconv.
    if (maxBytes <= 0 || text.size() <= static_cast<std::size_t>(maxBytes)) return text;
    return TruncateToBytes(text, static_cast<std::size_t>(maxBytes), codePage);
}

Variant TStringField::Normalize(const Variant& value) const {
    if (value.IsEmptyOrNull()) return Variant::Null();
    return Variant(FitToFieldSize(value.AsString(), Size(), DatabaseCodePage));
}
