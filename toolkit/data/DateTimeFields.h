#pragma once
// Date and date-time fields. Values are date variants (days since 1899-12-30). Without a
// DisplayFormat the text is the run-time's short date (and long time); entry accepts
// "yyyy/mm/dd", "yyyy-mm-dd" or "yyyymmdd", optionally followed by "hh:nn[:ss]".
#include "toolkit/data/Field.h"

class TDateTimeField : public TField {
public:
    TDateTimeField() : TDateTimeField(ftDateTime) {}
    Variant Normalize(const Variant& value) const override;
    std::string AsString() const override;
    std::string DefaultText(const Variant& stored, bool displayText) const override;

protected:
    explicit TDateTimeField(TFieldType type) : TField(type) {}
    virtual std::string PlainText(double value) const;
};

class TDateField : public TDateTimeField {
public:
    TDateField() : TDateTimeField(ftDate) {}
    Variant Normalize(const Variant& value) const override;

protected:
    std::string PlainText(double value) const override;
};

// Reads a typed date or date-time (forms above); false when it is not a valid one.
bool TryTextToDateTime(const std::string& text, double& value);
