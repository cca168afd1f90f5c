#include "toolkit/ui/widgets/ComboBox.h"

#include "toolkit/rtl/SysUtils.h"
#include "toolkit/rtl/ValueRollback.h"
#include "toolkit/ui/graphics/Canvas.h"
#include "toolkit/ui/kernel/Application.h"

void TComboBox::Publish(TPublisher<TComboBox>& p) {
    PublishStandardWin(p);
    p.Property("CharCase", &TComboBox::CharCase, &TComboBox::SetCharCase);
    p.Property("DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount);
    p.Property("ItemHeight", &TComboBox::ItemHeight, &TComboBox::SetItemHeight);
    p.Property("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex);
    p.Property("Items", &TComboBox::Items);
    p.Property("MaxLength", &TComboBox::MaxLength, &TComboBox::SetMaxLength);
    p.Property("Sorted", &TComboBox::Sorted, &TComboBox::SetSorted);
    p.Property("Style", &TComboBox::Style, &TComboBox::SetStyle);
    p.Property("Text", &TComboBox::Text, &TComboBox::SetText);
    p.Property("OnChange", &TComboBox::OnChange);
    p.Property("OnCloseUp", &TComboBox::OnCloseUp);
    p.Property("OnDrawItem", &TComboBox::OnDrawItem);
    p.Property("OnDropDown", &TComboBox::OnDropDown);
    p.Property("OnMeasureItem", &TComboBox::OnMeasureItem);
    p.Property("OnSelect", &TComboBox::OnSelect);
}

TCustomComboBox::TCustomComboBox(TComponent* owner) : TWinControl(owner), items_(std::make_unique<TStringList>()) {
    SetTabStop(true);
    SetBounds(0, 0, 145, 21);
    items_->OnChange = [this] { ItemsChanged(); };
}

void TCustomComboBox::SetStyle(TComboBoxStyle style) {
    if (style == style_) return;
    style_ = style;
    if (!Editable()) {
        settingText_ = true;
        SetText(itemIndex_ >= 0 ? ItemText(itemIndex_) : std::string());
        settingText_ = false;
    }
    Changed(TPropertyId::Style);
}

void TCustomComboBox::SetItems(TStrings* items) {
    if (items)
        items_->Assign(*items);
    else
        items_->Clear();
}

void TCustomComboBox::SetItemIndex(int index) {
    if (index < -1 || index >= items_->Count()) index = -1;
    itemIndex_ = index;
    {
        TValueRollback setting(settingText_, true);
        SetText(index >= 0 ? ItemText(index) : std::string());
    }
    sel_ = {0, static_cast<int>(Utf8Length(Text()))};
    Changed(TPropertyId::ItemIndex);
}

void TCustomComboBox::SetSorted(bool value) {
    items_->SetSorted(value);
    ItemsChanged();
}

void TCustomComboBox::SetItemHeight(int value) {
    if (value <= 0 || value == itemHeight_) return;
    itemHeight_ = value;
    Changed(TPropertyId::ItemHeight);
}

void TCustomComboBox::SetDroppedDown(bool value) {
    if (value == droppedDown_) return;
    if (value && OnDropDown) OnDropDown(this);
    droppedDown_ = value;
    Changed(TPropertyId::DroppedDown);
    if (!value && OnCloseUp) OnCloseUp(this);
}

void TCustomComboBox::SelectAll() {
    sel_ = {0, static_cast<int>(Utf8Length(Text()))};
    Changed(TPropertyId::Selection);
}

std::string TCustomComboBox::ItemText(int index) const { return (*items_)[index]; }

int TCustomComboBox::IndexOfItemText(const std::string& text) const {
    for (int i = 0; i < items_->Count(); ++i)
        if (SameText(ItemText(i), text)) return i;
    return -1;
}

void TCustomComboBox::TextChanged() {
    if (!settingText_) {
        // Text set by code selects the item that shows it; a list style shows nothing else.
        int index = IndexOfItemText(Text());
        if (!Editable() && index < 0 && !Text().empty()) {
            settingText_ = true;
            SetText("");
            settingText_ = false;
        }
        if (index != itemIndex_) {
            itemIndex_ = index;
            Changed(TPropertyId::ItemIndex);
        }
        sel_ = {};
    }
    TWinControl::TextChanged();
    Changed(TPropertyId::Text);
}

void TCustomComboBox::ItemsChanged() {
    if (itemIndex_ >= items_->Count()) itemIndex_ = -1;
    std::string shown = itemIndex_ >= 0 ? ItemText(itemIndex_) : std::string();
    if ((!Editable() || itemIndex_ >= 0) && shown != Text()) {
        TValueRollback setting(settingText_, true);
        SetText(shown);
    }
    Changed(TPropertyId::Items);
}

void TCustomComboBox::UserText(const std::string& text) {
    {
        TValueRollback setting(settingText_, true);
        SetText(text);
    }
    int index = IndexOfItemText(text);
    if (index != itemIndex_) {
        itemIndex_ = index;
        Changed(TPropertyId::ItemIndex);
    }
    Change();
}

void TCustomComboBox::SelectByUser(int index) {
    if (index < 0 || index >= items_->Count() || index == itemIndex_) return;
    if (!EditCanModify()) {
        Application->MessageBeep();
        return;
    }
    SetItemIndex(index);
    Change();
    Select();
}

bool TCustomComboBox::TypeText(const std::string& text) {
    if (!Editable()) {
        for (const std::string& ch : Utf8Chars(text)) {
            searchText_ = ch;
            int n = items_->Count();
            for (int step = 1; step <= n; ++step) {
                int i = (std::max(itemIndex_, -1) + step) % n;
                if (StartsText(searchText_, ItemText(i))) {
                    SelectByUser(i);
                    break;
                }
            }
        }
        return true;
    }
    if (!EditCanModify()) {
        Application->MessageBeep();
        return false;
    }
    std::string typed = charCase_ == ecUpperCase ? UpperCase(text) : charCase_ == ecLowerCase ? LowerCase(text) : text;
    TTextSelection sel = sel_;
    ClampSelection(Text(), sel);
    if (maxLength_ > 0 &&
        Utf8Length(Text()) - static_cast<std::size_t>(sel.Length) + Utf8Length(typed) > static_cast<std::size_t>(maxLength_)) {
        Application->MessageBeep();
        return false;
    }
    std::string result = ReplaceSelection(Text(), sel, typed);
    UserText(result);
    sel_ = sel;
    return true;
}

void TCustomComboBox::CharTyped(char32_t ch) {
    if (ch == 0x08) {
        if (!Editable()) return;
        if (!EditCanModify()) {
            Application->MessageBeep();
            return;
        }
        TTextSelection sel = sel_;
        std::string result = BackspaceText(Text(), sel);
        if (result != Text()) UserText(result);
        sel_ = sel;
        return;
    }
    if (ch < 0x20 || ch == 0x7F) return;
    TypeText(CharToUtf8(ch));
}

bool TCustomComboBox::WantsKey(WORD key, TShiftState shift) const {
    if (key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT) return true;
    return droppedDown_ && (key == VK_RETURN || key == VK_ESCAPE);
}

void TCustomComboBox::KeyDown(WORD& key, TShiftState shift) {
    TWinControl::KeyDown(key, shift);
    if (key == 0) return;
    if (key == VK_F4 || (key == VK_DOWN && shift.Contains(ssAlt))) {
        SetDroppedDown(!droppedDown_);
        key = 0;
        return;
    }
    if (droppedDown_ && (key == VK_RETURN || key == VK_ESCAPE)) {
        SetDroppedDown(false);
        key = 0;
        return;
    }
    int n = items_->Count();
    switch (key) {
        case VK_UP:
            if (itemIndex_ > 0) SelectByUser(itemIndex_ - 1);
            key = 0;
            return;
        case VK_DOWN:
            if (itemIndex_ + 1 < n) SelectByUser(itemIndex_ + 1);
            key = 0;
            return;
        default: break;
    }
    if (!Editable()) {
        if (key == VK_HOME && n > 0)
            SelectByUser(0);
        else if (key == VK_END && n > 0)
            SelectByUser(n - 1);
        else if ((key == VK_LEFT || key == VK_RIGHT) && n > 0)
            SelectByUser(std::clamp(itemIndex_ + (key == VK_LEFT ? -1 : 1), 0, n - 1));
        return;
    }
    if (key == VK_DELETE && shift.Empty()) {
        if (!EditCanModify()) return;
        TTextSelection sel = sel_;
        std::string result = DeleteText(Text(), sel);
        if (result != Text()) UserText(result);
        sel_ = sel;
        return;
    }
    if (MoveCaret(Text(), sel_, key, shift)) Changed(TPropertyId::Selection);
}

void TCustomComboBox::DoEnter() {
    if (Editable()) SelectAll();
    TWinControl::DoEnter();
}

void TCustomComboBox::Change() {
    if (OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
    if (OnSelect) OnSelect(this);
}

void TCustomComboBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
    bool ownerDraw = style_ == csOwnerDrawFixed || style_ == csOwnerDrawVariable;
    if (ownerDraw && OnDrawItem) {
        OnDrawItem(this, index, rect, state);
        return;
    }
    TCanvas* canvas = Canvas();
    FillItemBackground(*canvas, rect, state);
    if (index >= 0 && index < items_->Count()) canvas->TextOut(rect.Left + 2, rect.Top, ItemText(index));
}

void TCustomComboBox::PaintItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state) {
    PaintWith(canvas, [&] { DrawItem(index, rect, state); });
}

void TCustomComboBox::Paint() {
    TCanvas* canvas = Canvas();
    TRect client = Bounds(0, 0, Width(), Height());
    canvas->FillRect(client);
    canvas->Brush()->SetColor(clBtnShadow);
    canvas->FrameRect(client);
    canvas->Brush()->SetColor(Color());
    // A simple combo box has no drop-down button: its text takes the whole width.
    const int button = style_ == csSimple ? 0 : 16;
    TRect textArea{2, 2, Width() - 2 - button, Height() - 2};
    bool ownerDraw = style_ == csOwnerDrawFixed || style_ == csOwnerDrawVariable;
    if (ownerDraw) {
        TOwnerDrawState state{odComboBoxEdit};
        if (Focused()) state.Include(odFocused);
        if (!Enabled()) state.Include(odDisabled);
        DrawItem(itemIndex_, textArea, state);
    } else {
        canvas->Brush()->SetStyle(bsClear);
        canvas->TextRect(textArea, Text(), TTextFormat{tfLeft, tfVerticalCenter});
    }
    if (button == 0) return;
    canvas->Brush()->SetColor(clBtnFace);
    canvas->FillRect({Width() - 2 - button, 2, Width() - 2, Height() - 2});
}
