#include "toolkit/ui/dataaware/DBCheckBox.h"

#include "toolkit/rtl/SysUtils.h"

void TDBCheckBox::Publish(TPublisher<TDBCheckBox>& p) {
    PublishStandardWin(p);
    p.Property("Alignment", &TDBCheckBox::Alignment, &TDBCheckBox::SetAlignment);
    p.Property("AllowGrayed", &TDBCheckBox::AllowGrayed, &TDBCheckBox::SetAllowGrayed);
    p.Property("Caption", &TDBCheckBox::Caption, &TDBCheckBox::SetCaption);
    p.Property("DataField", &TDBCheckBox::DataField, &TDBCheckBox::SetDataField);
    p.Property("DataSource", &TDBCheckBox::DataSource, &TDBCheckBox::SetDataSource);
    p.Property("ReadOnly", &TDBCheckBox::ReadOnly, &TDBCheckBox::SetReadOnly);
    p.Property("ValueChecked", &TDBCheckBox::ValueChecked, &TDBCheckBox::SetValueChecked);
    p.Property("ValueUnchecked", &TDBCheckBox::ValueUnchecked, &TDBCheckBox::SetValueUnchecked);
}

TDBCheckBox::TDBCheckBox(TComponent* owner)
    : TDataAwareEditor<TCustomCheckBox>(
          owner, [this] { ShowField(); }, [this] { WriteField(); }) {
    SetState(cbGrayed);
}

void TDBCheckBox::SetValueChecked(const std::string& value) {
    valueChecked_ = value;
    ShowField();
}

void TDBCheckBox::SetValueUnchecked(const std::string& value) {
    valueUnchecked_ = value;
    ShowField();
}

namespace {
bool InValues(const std::string& text, const std::string& values) {
    for (const std::string& v : SplitString(values, ';'))
        if (SameText(v, text)) return true;
    return false;
}

std::string FirstValue(const std::string& values) { return SplitString(values, ';').front(); }
}  // namespace

TCheckBoxState TDBCheckBox::FieldState() const {
    TField* field = data_.Field();
    if (!field || field->IsNull()) return cbGrayed;
    if (field->DataType() == ftBoolean) return field->AsBoolean() ? cbChecked : cbUnchecked;
    std::string text = field->Text();
    if (InValues(text, valueChecked_)) return cbChecked;
    if (InValues(text, valueUnchecked_)) return cbUnchecked;
    return cbGrayed;
}

void TDBCheckBox::ShowField() {
    if (data_.IsModified()) return;
    SetState(FieldState());
}

void TDBCheckBox::WriteField() {
    TField* field = data_.Field();
    if (!field) return;
    if (State() == cbGrayed)
        field->Clear();
    else if (field->DataType() == ftBoolean)
        field->SetAsBoolean(Checked());
    else
        field->SetText(FirstValue(Checked() ? valueChecked_ : valueUnchecked_));
}

void TDBCheckBox::Toggle() {
    if (ReadOnly() || !data_.BeginChange()) return;
    TCustomCheckBox::Toggle();
    data_.Modified();
}

void TDBCheckBox::DoExit() {
    data_.UpdateRecord();
    TCustomCheckBox::DoExit();
}

void TDBRadioGroup::Publish(TPublisher<TDBRadioGroup>& p) {
    PublishStandardWin(p);
    p.Property("Caption", &TDBRadioGroup::Caption, &TDBRadioGroup::SetCaption);
    p.Property("Columns", &TDBRadioGroup::Columns, &TDBRadioGroup::SetColumns);
    p.Property("DataField", &TDBRadioGroup::DataField, &TDBRadioGroup::SetDataField);
    p.Property("DataSource", &TDBRadioGroup::DataSource, &TDBRadioGroup::SetDataSource);
    p.Property("Items", &TDBRadioGroup::Items);
    p.Property("ReadOnly", &TDBRadioGroup::ReadOnly, &TDBRadioGroup::SetReadOnly);
    p.Property("Values", &TDBRadioGroup::Values);
}

TDBRadioGroup::TDBRadioGroup(TComponent* owner)
    : TDataAwareEditor<TCustomRadioGroup>(
          owner, [this] { ShowField(); },
          [this] {
              if (TField* field = data_.Field()) field->SetText(Value());
          }),
      values_(std::make_unique<TStringList>()) {
    values_->OnChange = [this] { ShowField(); };
    Items()->OnChange = [this, previous = Items()->OnChange] {
        if (previous) previous();
        ShowField();
    };
}

TDBRadioGroup::~TDBRadioGroup() {
    values_->OnChange = nullptr;
    Items()->OnChange = nullptr;
}

void TDBRadioGroup::SetValues(TStrings* values) {
    if (values)
        values_->Assign(*values);
    else
        values_->Clear();
}

std::string TDBRadioGroup::ItemValue(int index) const { return index < values_->Count() ? (*values_)[index] : (*Items())[index]; }

std::string TDBRadioGroup::Value() const { return ItemIndex() >= 0 ? ItemValue(ItemIndex()) : std::string(); }

void TDBRadioGroup::SetValue(const std::string& value) {
    int found = -1;
    for (int i = 0; i < Items()->Count() && found < 0; ++i)
        if (ItemValue(i) == value) found = i;
    bool saved = showingField_;
    showingField_ = true;
    SetItemIndex(found);
    showingField_ = saved;
}

void TDBRadioGroup::ShowField() {
    if (data_.IsModified() || ComponentState().Contains(csDestroying)) return;
    TField* field = data_.Field();
    SetValue(field ? field->Text() : std::string());
}

bool TDBRadioGroup::CanModify() { return !ReadOnly() && data_.BeginChange(); }

void TDBRadioGroup::Click() {
    if (!showingField_ && !data_.Showing()) data_.Modified();
    TCustomRadioGroup::Click();
}

void TDBRadioGroup::DoExit() {
    data_.UpdateRecord();
    TCustomRadioGroup::DoExit();
}
