#include "toolkit/data/DataSetField.h"

#include "toolkit/data/DataSet.h"

TDataSetField::~TDataSetField() {
    if (nested_) nested_->SetDataSetField(nullptr);
}

Variant TDataSetField::Normalize(const Variant&) const { throw EDatabaseError(DataMessages::FieldReadOnly(DisplayName())); }

std::string TDataSetField::DefaultText(const Variant&, bool) const { return "(DATASET)"; }
