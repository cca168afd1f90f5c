#pragma once
// Data-aware labels: the caption is the field's display text.
#include "toolkit/ui/DBControlLink.h"
#include "toolkit/ui/Label.h"

class TDBText : public TCustomLabel {
    TK_CLASS_PUBLISHED(TDBText, TCustomLabel)
public:
    explicit TDBText(TComponent* owner);

    TDataSource* DataSource() const { return data_.DataSource(); }
    void SetDataSource(TDataSource* source) { data_.SetDataSource(source); }
    const std::string& DataField() const { return data_.DataField(); }
    void SetDataField(const std::string& name) { data_.SetDataField(name); }
    TField* Field() const { return data_.Field(); }

private:
    TFieldControlLink data_;
};
