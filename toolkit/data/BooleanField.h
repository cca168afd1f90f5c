#pragma once
// True/false fields. DisplayValues "yes;no" names the texts shown and accepted (default "True;False").
#include "toolkit/data/Field.h"

class TBooleanField : public TField {
public:
    TBooleanField() : TField(ftBoolean) {}
    const std::string& DisplayValues() const { return displayValues_; }
    void SetDisplayValues(const std::string& values);

    std::string AsString() const override;
    Variant Normalize(const Variant& value) const override;
    std::string DefaultText(const Variant& stored, bool displayText) const override;

private:
    std::string displayValues_ = "True;False";
    std::string trueText_ = "True", falseText_ = "False";
};
