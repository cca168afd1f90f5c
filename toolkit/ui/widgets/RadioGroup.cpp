#include "toolkit/ui/widgets/RadioGroup.h"

#include "toolkit/ui/graphics/Canvas.h"

void TRadioGroup::Publish(TPublisher<TRadioGroup>& p) {
    PublishStandardWin(p);
    p.Property("Caption", &TRadioGroup::Caption, &TRadioGroup::SetCaption);
    p.Property("Columns", &TRadioGroup::Columns, &TRadioGroup::SetColumns);
    p.Property("ItemIndex", &TRadioGroup::ItemIndex, &TRadioGroup::SetItemIndex);
    p.Property("Items", &TRadioGroup::Items);
}

TCustomRadioGroup::TCustomRadioGroup(TComponent* owner) : TCustomGroupBox(owner), items_(std::make_unique<TStringList>()) {
    SetTabStop(true);
    items_->OnChange = [this] { ItemsChanged(); };
}

TCustomRadioGroup::~TCustomRadioGroup() { items_->OnChange = nullptr; }

void TCustomRadioGroup::SetItems(TStrings* items) {
    if (items)
        items_->Assign(*items);
    else
        items_->Clear();
}

TRadioButton* TCustomRadioGroup::Buttons(int index) const {
    if (index < 0 || index >= ButtonCount()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return buttons_[static_cast<std::size_t>(index)];
}

void TCustomRadioGroup::ItemsChanged() {
    if (ComponentState().Contains(csDestroying)) return;
    updating_ = true;
    while (static_cast<int>(buttons_.size()) > items_->Count()) {
        TRadioButton* button = buttons_.back();
        buttons_.pop_back();
        button->Free();
    }
    while (static_cast<int>(buttons_.size()) < items_->Count()) {
        auto* button = CreateComponent<TRadioButton>(this);
        button->SetParent(this);
        button->OnClick = [this, button](TObject*) { ButtonClicked(button); };
        buttons_.push_back(button);
    }
    for (int i = 0; i < ButtonCount(); ++i) {
        TRadioButton* button = buttons_[static_cast<std::size_t>(i)];
        button->SetCaption((*items_)[i]);
        button->SetEnabled(Enabled());
    }
    if (itemIndex_ >= ButtonCount()) itemIndex_ = -1;
    for (int i = 0; i < ButtonCount(); ++i) {
        buttons_[static_cast<std::size_t>(i)]->SetChecked(i == itemIndex_);
        buttons_[static_cast<std::size_t>(i)]->SetTabStop(i == itemIndex_ || (itemIndex_ < 0 && i == 0));
    }
    updating_ = false;
    ArrangeButtons();
    Changed(TPropertyId::Items);
}

void TCustomRadioGroup::SetItemIndex(int index) {
    if (index < -1 || index >= ButtonCount()) index = -1;
    if (index == itemIndex_) return;
    updating_ = true;
    itemIndex_ = index;
    for (int i = 0; i < ButtonCount(); ++i) {
        buttons_[static_cast<std::size_t>(i)]->SetChecked(i == index);
        buttons_[static_cast<std::size_t>(i)]->SetTabStop(i == index || (index < 0 && i == 0));
    }
    updating_ = false;
    Changed(TPropertyId::ItemIndex);
    Click();
}

void TCustomRadioGroup::ButtonClicked(TRadioButton* button) {
    if (updating_) return;
    int index = -1;
    for (int i = 0; i < ButtonCount(); ++i)
        if (buttons_[static_cast<std::size_t>(i)] == button) index = i;
    if (index == itemIndex_) return;
    if (!CanModify()) {
        // Put the check back where the data says it is.
        updating_ = true;
        button->SetChecked(false);
        if (itemIndex_ >= 0) buttons_[static_cast<std::size_t>(itemIndex_)]->SetChecked(true);
        updating_ = false;
        return;
    }
    SetItemIndex(index);
}

void TCustomRadioGroup::SetColumns(int value) {
    value = std::clamp(value, 1, 16);
    if (value == columns_) return;
    columns_ = value;
    ArrangeButtons();
    Changed(TPropertyId::Columns);
}

void TCustomRadioGroup::SetBounds(int left, int top, int width, int height) {
    TCustomGroupBox::SetBounds(left, top, width, height);
    ArrangeButtons();
}

void TCustomRadioGroup::EnabledChanged() {
    TCustomGroupBox::EnabledChanged();
    for (TRadioButton* button : buttons_) button->SetEnabled(Enabled());
}

void TCustomRadioGroup::ArrangeButtons() {
    if (buttons_.empty()) return;
    int rows = (ButtonCount() + columns_ - 1) / columns_;
    int captionHeight = 16;
    int columnWidth = std::max((Width() - 10) / columns_, 1);
    int rowHeight = std::max((Height() - captionHeight - 4) / std::max(rows, 1), 1);
    for (int i = 0; i < ButtonCount(); ++i) {
        int column = i / rows;
        int row = i % rows;
        buttons_[static_cast<std::size_t>(i)]->SetBounds(8 + column * columnWidth, captionHeight + row * rowHeight,
                                                         columnWidth - 8, std::min(rowHeight, 20));
    }
}
