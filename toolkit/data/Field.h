#pragma once
// A field of a dataset: one column's value in the dataset's active record, its display and entry
// rules and its events. The value lives in the dataset's record buffers; the field only knows how to
// read, convert and check it.
#include <cstdint>
#include <string>

#include "toolkit/classes/Component.h"
#include "toolkit/data/DataTypes.h"
#include "toolkit/rtl/Variant.h"

class TDataSet;

// Fields publish their display properties so language files and settings can set them by name.
class TField : public TPersistent {
    TK_CLASS_PUBLISHED(TField, TPersistent)
public:
    explicit TField(TFieldType type);
    ~TField() override;
    TField(const TField&) = delete;
    TField& operator=(const TField&) = delete;

    // Identity and layout.
    TDataSet* DataSet() const { return dataSet_; }
    TFieldType DataType() const { return dataType_; }
    const std::string& FieldName() const { return fieldName_; }
    void SetFieldName(const std::string& name) { fieldName_ = name; }
    TFieldKind FieldKind() const { return fieldKind_; }
    void SetFieldKind(TFieldKind kind) { fieldKind_ = kind; }
    bool Calculated() const { return fieldKind_ == fkCalculated || fieldKind_ == fkLookup; }
    bool Lookup() const { return fieldKind_ == fkLookup; }
    int FieldNo() const { return fieldNo_; }  // 1-based among the dataset's data fields; 0 otherwise
    int Index() const;                        // position in the dataset's Fields
    void SetIndex(int index);
    int Size() const { return size_; }
    void SetSize(int size) { size_ = size; }
    virtual int DataSize() const;  // strings: Size + 1; numbers and dates: their width
    virtual bool IsBlob() const { return false; }

    // Display and entry properties.
    std::string DisplayLabel() const { return displayLabel_.empty() ? fieldName_ : displayLabel_; }
    void SetDisplayLabel(const std::string& label) { displayLabel_ = label; }
    std::string DisplayName() const { return DisplayLabel(); }
    int DisplayWidth() const;
    void SetDisplayWidth(int width) { displayWidth_ = width; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool Required() const { return required_; }
    void SetRequired(bool required) { required_ = required; }
    const std::string& EditMask() const { return editMask_; }
    void SetEditMask(const std::string& mask) { editMask_ = mask; }
    const std::string& DisplayFormat() const { return displayFormat_; }
    void SetDisplayFormat(const std::string& format);
    const std::string& EditFormat() const { return editFormat_; }
    void SetEditFormat(const std::string& format) { editFormat_ = format; }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a) { alignment_ = a; }
    std::intptr_t Tag() const { return tag_; }
    void SetTag(std::intptr_t tag) { tag_ = tag; }
    const std::string& Origin() const { return origin_; }
    void SetOrigin(const std::string& origin) { origin_ = origin; }
    // Lookup fields: the value is LookupResultField of the row of LookupDataSet whose LookupKeyFields
    // equal this dataset's KeyFields.
    TDataSet* LookupDataSet = nullptr;
    std::string KeyFields, LookupKeyFields, LookupResultField;

    // Whether the field can be written now (dataset editable, field not read-only).
    bool CanModify() const;

    // Values. Reading an inactive or empty dataset gives Null.
    Variant Value() const;
    void SetValue(const Variant& value);
    Variant AsVariant() const { return Value(); }
    void SetAsVariant(const Variant& value) { SetValue(value); }
    bool IsNull() const;
    void Clear() { SetValue(Variant::Null()); }
    virtual std::string AsString() const;
    virtual void SetAsString(const std::string& text);
    virtual int AsInteger() const;
    virtual void SetAsInteger(int value) { SetValue(Variant(value)); }
    virtual std::int64_t AsLargeInt() const;
    virtual void SetAsLargeInt(std::int64_t value) { SetValue(Variant(static_cast<long long>(value))); }
    virtual double AsFloat() const;
    virtual void SetAsFloat(double value) { SetValue(Variant(value)); }
    double AsCurrency() const { return AsFloat(); }
    void SetAsCurrency(double value) { SetAsFloat(value); }
    virtual bool AsBoolean() const;
    virtual void SetAsBoolean(bool value) { SetValue(Variant(value)); }
    virtual double AsDateTime() const;
    virtual void SetAsDateTime(double value) { SetValue(Variant::Date(value)); }
    // Value before the pending edit / as fetched before logged changes / as it is being written.
    Variant OldValue() const;
    Variant NewValue() const { return Value(); }
    Variant CurValue() const;

    // Text for editing and for display; both go through OnGetText when it is set.
    std::string Text() const { return GetText(false); }
    std::string DisplayText() const { return GetText(true); }
    // Entry of text: OnSetText when set, else the kind's own parsing (numbers accept edit text).
    void SetText(const std::string& text);

    void FocusControl();

    TFieldNotifyEvent OnValidate;
    TFieldNotifyEvent OnChange;
    TFieldGetTextEvent OnGetText;
    TFieldSetTextEvent OnSetText;

    // Used by the dataset: converts an assigned value to the stored form (raising the kind's
    // conversion error), and the default text of a stored value.
    virtual Variant Normalize(const Variant& value) const;
    virtual std::string DefaultText(const Variant& stored, bool displayText) const;
    virtual void DefaultSetText(const std::string& text) { SetAsString(text); }

    // Set by the dataset that owns the field.
    void Bind(TDataSet* dataSet, int slot, int fieldNo) {
        dataSet_ = dataSet;
        slot_ = slot;
        fieldNo_ = fieldNo;
    }
    int Slot() const { return slot_; }

protected:
    std::string GetText(bool displayText) const;
    void SetDefaultAlignment(TAlignment a) { alignment_ = a; }
    int DefaultDisplayWidth() const;

private:
    TDataSet* dataSet_ = nullptr;
    TFieldType dataType_;
    TFieldKind fieldKind_ = fkData;
    std::string fieldName_;
    std::string displayLabel_;
    int fieldNo_ = 0;
    int slot_ = -1;
    int size_ = 0;
    int displayWidth_ = 0;
    bool visible_ = true;
    bool readOnly_ = false;
    bool required_ = false;
    std::string editMask_;
    std::string displayFormat_;
    std::string editFormat_;
    TAlignment alignment_ = taLeftJustify;
    std::intptr_t tag_ = 0;
    std::string origin_;
};
