#include "toolkit/data/BlobFields.h"

Variant TMemoField::Normalize(const Variant& value) const {
    if (value.IsEmptyOrNull()) return Variant::Null();
    return Variant(value.AsString());
}

Variant TBlobField::Normalize(const Variant& value) const {
    if (value.IsEmptyOrNull()) return Variant::Null();
    return Variant(value.AsBytes());
}

std::string TBlobField::DefaultText(const Variant& stored, bool displayText) const {
    if (stored.IsEmptyOrNull()) return "";
    return displayText ? "(BLOB)" : stored.AsString();
}
