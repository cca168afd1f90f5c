#pragma once
// A field whose value is a nested dataset: a client dataset whose DataSetField is this field shows
// the detail rows of the parent's current record.
#include "toolkit/data/Field.h"

class TDataSetField : public TField {
public:
    TDataSetField() : TField(ftDataSet) {}
    ~TDataSetField() override;

    TDataSet* NestedDataSet() const { return nested_; }
    // Position of this field among the parent's dataset fields (the parent assigns it on open).
    int NestedIndex() const { return nestedIndex_; }
    void SetNestedIndex(int index) { nestedIndex_ = index; }
    Variant Normalize(const Variant& value) const override;
    std::string DefaultText(const Variant& stored, bool displayText) const override;

private:
    friend class TDataSet;
    TDataSet* nested_ = nullptr;
    int nestedIndex_ = -1;
};

// The field as a dataset field, or null. Only fields of type ftDataSet are cast: the per-field walks
// on every scroll and post stay cheap for the plain fields, which are most of them.
inline TDataSetField* AsDataSetField(TField* field) {
    return field && field->DataType() == ftDataSet ? dynamic_cast<TDataSetField*>(field) : nullptr;
}
