#pragma once
// Number fields. DisplayText uses DisplayFormat, Text (editing) uses EditFormat and falls back to
// DisplayFormat; both are FormatFloat patterns. Typed text may carry thousands separators.
// MinValue/MaxValue (both 0: no check) and the type's own range are enforced on assignment.
#include "toolkit/data/Field.h"

class TNumericField : public TField {
public:
    explicit TNumericField(TFieldType type);
    std::string DefaultText(const Variant& stored, bool displayText) const override;
    void DefaultSetText(const std::string& text) override;

protected:
    // Reads a number from text as the user may type it; empty text is null.
    static bool ParseNumber(const std::string& text, double& value, bool& isNull);
    virtual std::string PlainText(const Variant& stored) const;
};

class TIntegerField : public TNumericField {
public:
    TIntegerField() : TIntegerField(ftInteger) {}
    std::int64_t MinValue = 0, MaxValue = 0;
    Variant Normalize(const Variant& value) const override;

protected:
    explicit TIntegerField(TFieldType type);
    virtual void TypeRange(std::int64_t& lo, std::int64_t& hi) const;
};

class TSmallintField : public TIntegerField {
public:
    TSmallintField() : TIntegerField(ftSmallint) {}

protected:
    void TypeRange(std::int64_t& lo, std::int64_t& hi) const override;
};

class TWordField : public TIntegerField {
public:
    TWordField() : TIntegerField(ftWord) {}

protected:
    void TypeRange(std::int64_t& lo, std::int64_t& hi) const override;
};

class TLargeintField : public TIntegerField {
public:
    TLargeintField() : TIntegerField(ftLargeint) {}

protected:
    void TypeRange(std::int64_t& lo, std::int64_t& hi) const override;
};

class TFloatField : public TNumericField {
public:
    TFloatField() : TFloatField(ftFloat) {}
    double MinValue = 0, MaxValue = 0;
    int Precision = 15;
    bool Currency = false;  // without a DisplayFormat, shows two decimals with thousands grouping
    Variant Normalize(const Variant& value) const override;

protected:
    explicit TFloatField(TFieldType type);
    std::string PlainText(const Variant& stored) const override;
};

class TCurrencyField : public TFloatField {
public:
    TCurrencyField() : TFloatField(ftCurrency) { Currency = true; }
};

// Fixed-point numbers: Precision total digits, Scale decimals (values are rounded to Scale).
class TBCDField : public TFloatField {
public:
    TBCDField() : TFloatField(ftBCD) {}
    int Scale() const { return Size(); }
    void SetScale(int scale) { SetSize(scale); }
    int BCDPrecision = 18;
    Variant Normalize(const Variant& value) const override;
};
