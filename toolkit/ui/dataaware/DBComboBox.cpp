#include "toolkit/ui/dataaware/DBComboBox.h"

#include "toolkit/rtl/ChangeValue.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/rtl/ValueRollback.h"

void TDBComboBox::Publish(TPublisher<TDBComboBox>& p) {
    PublishStandardWin(p);
    p.Property("DataField", &TDBComboBox::DataField, &TDBComboBox::SetDataField);
    p.Property("DataSource", &TDBComboBox::DataSource, &TDBComboBox::SetDataSource);
    p.Property("DropDownCount", &TDBComboBox::DropDownCount, &TDBComboBox::SetDropDownCount);
    p.Property("ItemHeight", &TDBComboBox::ItemHeight, &TDBComboBox::SetItemHeight);
    p.Property("Items", &TDBComboBox::Items);
    p.Property("MapList", &TDBComboBox::MapList, &TDBComboBox::SetMapList);
    p.Property("ReadOnly", &TDBComboBox::ReadOnly, &TDBComboBox::SetReadOnly);
    p.Property("Sorted", &TDBComboBox::Sorted, &TDBComboBox::SetSorted);
    p.Property("Style", &TDBComboBox::Style, &TDBComboBox::SetStyle);
    p.Property("Text", &TDBComboBox::Text);
    p.Property("OnChange", &TDBComboBox::OnChange);
    p.Property("OnCloseUp", &TDBComboBox::OnCloseUp);
    p.Property("OnDrawItem", &TDBComboBox::OnDrawItem);
    p.Property("OnDropDown", &TDBComboBox::OnDropDown);
    p.Property("OnSelect", &TDBComboBox::OnSelect);
}

TDBComboBox::TDBComboBox(TComponent* owner)
    : TDataAwareEditor<TCustomComboBox>(
          owner, [this] { ShowField(); }, [this] { WriteField(); }) {}

void TDBComboBox::SetMapList(bool value) {
    if (ChangeValue(mapList_, value)) ItemsChanged();
}

std::string TDBComboBox::ItemText(int index) const {
    const std::string& line = (*Items())[index];
    std::size_t tab = line.find('\t');
    return mapList_ && tab != std::string::npos ? line.substr(0, tab) : line;
}

std::string TDBComboBox::ItemValue(int index) const {
    const std::string& line = (*Items())[index];
    std::size_t tab = line.find('\t');
    return mapList_ && tab != std::string::npos ? line.substr(tab + 1) : line;
}

int TDBComboBox::IndexOfValue(const std::string& value) const {
    for (int i = 0; i < Items()->Count(); ++i)
        if (ItemValue(i) == value) return i;
    for (int i = 0; i < Items()->Count(); ++i)
        if (SameText(ItemValue(i), value)) return i;
    return -1;
}

std::string TDBComboBox::Value() const {
    if (ItemIndex() >= 0 && ItemText(ItemIndex()) == Text()) return ItemValue(ItemIndex());
    int index = IndexOfItemText(Text());
    return index >= 0 ? ItemValue(index) : Text();
}

void TDBComboBox::ShowField() {
    if (data_.IsModified()) return;
    TValueRollback showing(showingField_, true);
    TField* field = data_.Field();
    std::string value = field ? field->Text() : std::string();
    int index = field ? IndexOfValue(value) : -1;
    if (index >= 0) {
        SetItemIndex(index);
    } else {
        SetItemIndex(-1);
        if (Editable()) SetText(value);
    }
}

void TDBComboBox::WriteField() {
    if (TField* field = data_.Field()) field->SetText(Value());
}

void TDBComboBox::WriteOrKeep() {
    try {
        data_.UpdateRecord();
    } catch (...) {
        SelectAll();
        throw;
    }
}

bool TDBComboBox::EditCanModify() { return !ReadOnly() && data_.BeginChange(); }

void TDBComboBox::Change() {
    if (!data_.Showing() && !showingField_) data_.Modified();
    TCustomComboBox::Change();
}

bool TDBComboBox::WantsKey(WORD key, TShiftState shift) const {
    if (key == VK_ESCAPE && data_.IsModified()) return true;
    return TCustomComboBox::WantsKey(key, shift);
}

void TDBComboBox::KeyDown(WORD& key, TShiftState shift) {
    if (key == VK_ESCAPE && data_.IsModified() && !DroppedDown()) {
        data_.Reset();
        SelectAll();
        key = 0;
        return;
    }
    TCustomComboBox::KeyDown(key, shift);
    if (key == VK_RETURN && shift.Empty()) WriteOrKeep();
}

void TDBComboBox::DoEnter() {
    ShowField();
    TCustomComboBox::DoEnter();
}

void TDBComboBox::DoExit() {
    WriteOrKeep();
    TCustomComboBox::DoExit();
}

void TDBComboBox::ItemsChanged() {
    TCustomComboBox::ItemsChanged();
    if (!data_.IsModified() && !showingField_ && !ComponentState().Contains(csDestroying)) ShowField();
}
