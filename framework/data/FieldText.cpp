#include "framework/data/FieldText.h"

#include "toolkit/data/Field.h"
#include "toolkit/data/StringField.h"
#include "toolkit/rtl/SysUtils.h"

TReadOnlyLift::TReadOnlyLift(TField* field) : field_(field), readOnly_(field && field->ReadOnly()) {
    if (readOnly_) field_->SetReadOnly(false);
}

TReadOnlyLift::~TReadOnlyLift() {
    if (readOnly_) field_->SetReadOnly(true);
}

namespace {

bool TakesEditText(TFieldType type) {
    return type == ftSmallint || type == ftInteger || type == ftWord || type == ftLargeint || type == ftFloat ||
           type == ftCurrency || type == ftBCD;
}

}  // namespace

void SetFieldText(TField* field, const std::string& text, bool asEditText) {
    if (!field) return;
    TReadOnlyLift lift(field);
    if (asEditText && TakesEditText(field->DataType())) {
        field->SetText(text);
        return;
    }
    if (field->DataType() == ftMemo) {
        field->SetAsString(text);
        return;
    }
    field->SetAsString(FitToFieldSize(text, field->Size(), TStringField::DatabaseCodePage));
}

void AssignFieldValue(TField* field, const Variant& value) {
    if (!field) return;
    TReadOnlyLift lift(field);
    field->SetValue(value);
}

bool ValidTimeText(const std::string& text) {
    if (text.empty()) return true;
    std::vector<std::string> parts = SplitString(text, ':');
    if (parts.size() != 3) return false;
    std::int64_t value[3];
    for (int i = 0; i < 3; ++i)
        if (!TryStrToInt64(Trim(parts[i]), value[i]) || value[i] < 0) return false;
    return value[1] < 60 && value[2] < 60;
}
