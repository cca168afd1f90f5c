#include "toolkit/data/Field.h"

#include "toolkit/data/DataSet.h"

TField::TField(TFieldType type) : dataType_(type) {}

TField::~TField() = default;

int TField::DataSize() const {
    // Bytes of the value in a record buffer, as the classic run-time counts them.
    switch (dataType_) {
        case ftString: return size_ + 1;
        case ftSmallint:
        case ftWord:
        case ftBoolean: return 2;
        case ftInteger:
        case ftDate: return 4;
        case ftLargeint:
        case ftFloat:
        case ftCurrency:
        case ftDateTime: return 8;
        case ftBCD: return 34;
        default: return 0;
    }
}

int TField::Index() const {
    if (!dataSet_) return -1;
    const auto& list = dataSet_->FieldList();
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i] == this) return static_cast<int>(i);
    return -1;
}

void TField::SetIndex(int index) {
    if (dataSet_) dataSet_->MoveField(this, index);
}

int TField::DefaultDisplayWidth() const {
    switch (dataType_) {
        case ftString: return size_ > 0 ? size_ : 20;
        case ftBoolean: return 5;
        case ftDateTime: return 18;
        default: return 10;
    }
}

int TField::DisplayWidth() const { return displayWidth_ > 0 ? displayWidth_ : DefaultDisplayWidth(); }

void TField::SetVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    if (dataSet_ && dataSet_->Active()) dataSet_->DataEvent(deLayoutChange);
}

void TField::SetDisplayFormat(const std::string& format) {
    displayFormat_ = format;
    if (dataSet_ && dataSet_->Active()) dataSet_->DataEvent(deDataSetChange);
}

bool TField::CanModify() const {
    if (readOnly_ || !dataSet_ || !dataSet_->CanModify()) return false;
    return fieldKind_ == fkData || fieldKind_ == fkInternalCalc;
}

Variant TField::Value() const {
    if (!dataSet_) return Variant::Null();
    const Variant& v = dataSet_->GetFieldData(this);
    if (v.IsEmpty()) return Variant::Null();
    return v;
}

bool TField::IsNull() const { return !dataSet_ || dataSet_->GetFieldData(this).IsEmptyOrNull(); }

void TField::SetValue(const Variant& value) {
    if (!dataSet_) DatabaseError("Field '" + fieldName_ + "' has no dataset");
    dataSet_->SetFieldData(this, Normalize(value));
}

Variant TField::Normalize(const Variant& value) const {
    if (value.IsEmptyOrNull()) return Variant::Null();
    return value.Deref();
}

std::string TField::AsString() const {
    const Variant v = Value();
    if (v.IsNull()) return "";
    return v.AsString();
}

void TField::SetAsString(const std::string& text) { SetValue(Variant(text)); }

int TField::AsInteger() const { return static_cast<int>(AsLargeInt()); }

std::int64_t TField::AsLargeInt() const {
    const Variant v = Value();
    if (v.IsNull()) return 0;
    try {
        return v.AsInt64();
    } catch (const EVariantError&) {
        throw EConvertError(DataMessages::InvalidInteger(v.AsString()));
    }
}

double TField::AsFloat() const {
    const Variant v = Value();
    if (v.IsNull()) return 0;
    try {
        return v.AsDouble();
    } catch (const EVariantError&) {
        throw EConvertError(DataMessages::InvalidFloat(v.AsString()));
    }
}

bool TField::AsBoolean() const {
    const Variant v = Value();
    if (v.IsNull()) return false;
    try {
        return v.AsBool();
    } catch (const EVariantError&) {
        throw EConvertError(DataMessages::InvalidBoolean(v.AsString()));
    }
}

double TField::AsDateTime() const {
    const Variant v = Value();
    if (v.IsNull()) return 0;
    try {
        return v.AsDateTime();
    } catch (const EVariantError&) {
        throw EConvertError(DataMessages::InvalidDate(v.AsString()));
    }
}

Variant TField::OldValue() const {
    if (!dataSet_) return Variant::Null();
    return dataSet_->GetFetchedFieldData(this);
}

Variant TField::CurValue() const {
    if (!dataSet_) return Variant::Null();
    return dataSet_->GetOldFieldData(this);
}

std::string TField::DefaultText(const Variant& stored, bool) const {
    if (stored.IsEmptyOrNull()) return "";
    return stored.AsString();
}

std::string TField::GetText(bool displayText) const {
    if (OnGetText) {
        std::string text;
        OnGetText(const_cast<TField*>(this), text, displayText);
        return text;
    }
    if (IsNull()) return "";
    return DefaultText(Value(), displayText);
}

void TField::SetText(const std::string& text) {
    if (!OnSetText) {
        DefaultSetText(text);
        return;
    }
    // A handler that assigned part of the change and then aborted leaves the old value.
    Variant before = dataSet_ ? dataSet_->GetFieldData(this) : Variant();
    try {
        OnSetText(this, text);
    } catch (const EAbort&) {
        if (dataSet_ && dataSet_->GetFieldData(this) != before) dataSet_->RestoreFieldData(this, before);
        throw;
    }
}

void TField::FocusControl() {
    if (!dataSet_) return;
    TField* self = this;
    dataSet_->DataEvent(deFocusControl, &self);
}

void TField::Publish(TPublisher<TField>& p) {
    p.Property("FieldName", &TField::FieldName, &TField::SetFieldName);
    p.Property("DisplayLabel", &TField::DisplayLabel, &TField::SetDisplayLabel);
    p.Property("DisplayWidth", &TField::DisplayWidth, &TField::SetDisplayWidth);
    p.Property("Visible", &TField::Visible, &TField::SetVisible);
    p.Property("ReadOnly", &TField::ReadOnly, &TField::SetReadOnly);
    p.Property("Required", &TField::Required, &TField::SetRequired);
    p.Property("EditMask", &TField::EditMask, &TField::SetEditMask);
    p.Property("DisplayFormat", &TField::DisplayFormat, &TField::SetDisplayFormat);
}
