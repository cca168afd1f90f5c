#pragma once
// Long text and binary fields: no size limit; binary values are byte arrays.
#include "toolkit/data/Field.h"

class TMemoField : public TField {
public:
    TMemoField() : TField(ftMemo) {}
    bool IsBlob() const override { return true; }
    Variant Normalize(const Variant& value) const override;
};

class TBlobField : public TField {
public:
    TBlobField() : TField(ftBlob) {}
    bool IsBlob() const override { return true; }
    Variant Normalize(const Variant& value) const override;
    std::string DefaultText(const Variant& stored, bool displayText) const override;
};
