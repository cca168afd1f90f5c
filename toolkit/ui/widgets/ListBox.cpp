#include "toolkit/ui/widgets/ListBox.h"

#include "toolkit/ui/graphics/Canvas.h"
#include "toolkit/ui/kernel/MouseClick.h"

namespace {
void PublishListBox(auto& p) {
    p.Property("Columns", &TCustomListBox::Columns, &TCustomListBox::SetColumns);
    p.Property("ExtendedSelect", &TCustomListBox::ExtendedSelect, &TCustomListBox::SetExtendedSelect);
    p.Property("ItemHeight", &TCustomListBox::ItemHeight, &TCustomListBox::SetItemHeight);
    p.Property("ItemIndex", &TCustomListBox::ItemIndex, &TCustomListBox::SetItemIndex);
    p.Property("Items", &TCustomListBox::Items);
    p.Property("MultiSelect", &TCustomListBox::MultiSelect, &TCustomListBox::SetMultiSelect);
    p.Property("Sorted", &TCustomListBox::Sorted, &TCustomListBox::SetSorted);
    p.Property("Style", &TCustomListBox::Style, &TCustomListBox::SetStyle);
    p.Property("OnDrawItem", &TCustomListBox::OnDrawItem);
    p.Property("OnMeasureItem", &TCustomListBox::OnMeasureItem);
}
}  // namespace

void TListBox::Publish(TPublisher<TListBox>& p) {
    PublishStandardWin(p);
    PublishListBox(p);
}

void TCheckListBox::Publish(TPublisher<TCheckListBox>& p) {
    PublishStandardWin(p);
    PublishListBox(p);
    p.Property("OnClickCheck", &TCheckListBox::OnClickCheck);
}

TCustomListBox::TCustomListBox(TComponent* owner) : TWinControl(owner), items_(std::make_unique<TStringList>()) {
    SetTabStop(true);
    SetBounds(0, 0, 121, 97);
    items_->OnChange = [this] { ItemsChanged(); };
}

void TCustomListBox::SetItems(TStrings* items) {
    if (items)
        items_->Assign(*items);
    else
        items_->Clear();
}

void TCustomListBox::ItemsChanged() {
    // Selection marks belong to positions; a changed list keeps those that still exist.
    selected_.resize(static_cast<std::size_t>(items_->Count()), false);
    if (itemIndex_ >= items_->Count()) itemIndex_ = -1;
    topIndex_ = std::clamp(topIndex_, 0, std::max(items_->Count() - 1, 0));
    Changed(TPropertyId::Items);
}

void TCustomListBox::SetItemIndex(int index) {
    if (index < -1 || index >= Count()) index = -1;
    if (!multiSelect_) std::fill(selected_.begin(), selected_.end(), false);
    itemIndex_ = index;
    if (index >= 0) {
        if (!multiSelect_) selected_[static_cast<std::size_t>(index)] = true;
        ScrollInView(index);
    }
    Changed(TPropertyId::ItemIndex);
}

void TCustomListBox::SetMultiSelect(bool value) {
    if (value == multiSelect_) return;
    multiSelect_ = value;
    if (!value) {
        std::fill(selected_.begin(), selected_.end(), false);
        if (itemIndex_ >= 0) selected_[static_cast<std::size_t>(itemIndex_)] = true;
    }
    Changed(TPropertyId::MultiSelect);
}

bool TCustomListBox::Selected(int index) const {
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return selected_[static_cast<std::size_t>(index)];
}

void TCustomListBox::SetSelected(int index, bool value) {
    Selected(index);
    if (!multiSelect_) {
        SetItemIndex(value ? index : (itemIndex_ == index ? -1 : itemIndex_));
        return;
    }
    selected_[static_cast<std::size_t>(index)] = value;
    Changed(TPropertyId::Selected);
}

int TCustomListBox::SelCount() const {
    if (!multiSelect_) return -1;
    return static_cast<int>(std::count(selected_.begin(), selected_.end(), true));
}

void TCustomListBox::ClearSelection() {
    std::fill(selected_.begin(), selected_.end(), false);
    if (!multiSelect_) itemIndex_ = -1;
    Changed(TPropertyId::Selected);
}

void TCustomListBox::SelectAll() {
    if (!multiSelect_) return;
    std::fill(selected_.begin(), selected_.end(), true);
    Changed(TPropertyId::Selected);
}

void TCustomListBox::SetSorted(bool value) {
    items_->SetSorted(value);
    ItemsChanged();
}

void TCustomListBox::SetStyle(TListBoxStyle style) { SetProperty(style_, style, TPropertyId::Style); }

void TCustomListBox::SetItemHeight(int value) {
    if (value <= 0 || value == itemHeight_) return;
    itemHeight_ = value;
    Changed(TPropertyId::ItemHeight);
}

void TCustomListBox::SetColumns(int value) {
    if (value < 0 || value == columns_) return;
    columns_ = value;
    Changed(TPropertyId::Columns);
}

void TCustomListBox::SetTopIndex(int value) {
    value = std::clamp(value, 0, std::max(Count() - 1, 0));
    SetProperty(topIndex_, value, TPropertyId::TopIndex);
}

int TCustomListBox::VisibleItems() const { return std::max(1, Height() / itemHeight_); }

void TCustomListBox::ScrollInView(int index) {
    if (index < topIndex_)
        SetTopIndex(index);
    else if (index >= topIndex_ + VisibleItems())
        SetTopIndex(index - VisibleItems() + 1);
}

int TCustomListBox::ItemAtPos(TPoint pos, bool existing) const {
    if (pos.X < 0 || pos.X >= Width() || pos.Y < 0) return -1;
    int index = topIndex_ + pos.Y / itemHeight_;
    if (index < Count()) return index;
    return existing ? -1 : Count();
}

TRect TCustomListBox::ItemRect(int index) const { return Bounds(0, (index - topIndex_) * itemHeight_, Width(), itemHeight_); }

void TCustomListBox::MoveByUser(int index, TShiftState shift) {
    if (Count() == 0) return;
    index = std::clamp(index, 0, Count() - 1);
    if (multiSelect_ && shift.Contains(ssCtrl)) {
        itemIndex_ = index;
        selected_[static_cast<std::size_t>(index)] = !selected_[static_cast<std::size_t>(index)];
        ScrollInView(index);
        Changed(TPropertyId::Selected);
    } else if (multiSelect_ && shift.Contains(ssShift) && itemIndex_ >= 0) {
        int from = std::min(itemIndex_, index), to = std::max(itemIndex_, index);
        for (int i = from; i <= to; ++i) selected_[static_cast<std::size_t>(i)] = true;
        itemIndex_ = index;
        ScrollInView(index);
        Changed(TPropertyId::Selected);
    } else {
        if (multiSelect_) std::fill(selected_.begin(), selected_.end(), false);
        SetItemIndex(index);
        if (multiSelect_) selected_[static_cast<std::size_t>(index)] = true;
    }
    Click();
}

bool TCustomListBox::WantsKey(WORD key, TShiftState shift) const {
    return key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT;
}

void TCustomListBox::KeyDown(WORD& key, TShiftState shift) {
    TWinControl::KeyDown(key, shift);
    if (key == 0 || Count() == 0) return;
    int page = VisibleItems();
    int target;
    switch (key) {
        case VK_UP:
        case VK_LEFT: target = itemIndex_ - 1; break;
        case VK_DOWN:
        case VK_RIGHT: target = itemIndex_ + 1; break;
        case VK_HOME: target = 0; break;
        case VK_END: target = Count() - 1; break;
        case VK_PRIOR: target = itemIndex_ - page; break;
        case VK_NEXT: target = itemIndex_ + page; break;
        default: return;
    }
    MoveByUser(target, shift - ssCtrl);
    key = 0;
}

void TCustomListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    FocusOnPress(*this, button);
    if (button == mbLeft) {
        int index = ItemAtPos({x, y}, true);
        if (index >= 0) MoveByUser(index, shift);
    }
    TWinControl::MouseDown(button, shift, x, y);
}

void TCustomListBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
    if (style_ != lbStandard && OnDrawItem) {
        OnDrawItem(this, index, rect, state);
        return;
    }
    TCanvas* canvas = Canvas();
    FillItemBackground(*canvas, rect, state);
    canvas->TextOut(rect.Left + 2, rect.Top, (*items_)[index]);
}

void TCustomListBox::PaintItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state) {
    PaintWith(canvas, [&] { DrawItem(index, rect, state); });
}

void TCustomListBox::Paint() {
    TCanvas* canvas = Canvas();
    canvas->FillRect(Bounds(0, 0, Width(), Height()));
    TColor color = Color();
    TColor fontColor = Font()->Color();
    for (int i = topIndex_; i < Count() && (i - topIndex_) * itemHeight_ < Height(); ++i) {
        TOwnerDrawState state;
        if (selected_[static_cast<std::size_t>(i)]) state.Include(odSelected);
        if (i == itemIndex_ && Focused()) state.Include(odFocused);
        if (!Enabled()) state.Include(odDisabled);
        canvas->Brush()->SetColor(color);
        canvas->Font()->SetColor(fontColor);
        DrawItem(i, ItemRect(i), state);
    }
}

// --- TCheckListBox ------------------------------------------------------------------------------------

namespace {
// The object that marks a checked line.
char checkedMark;
}  // namespace

bool TCheckListBox::Checked(int index) const { return Items()->Objects(index) == &checkedMark; }

void TCheckListBox::SetChecked(int index, bool value) {
    if (Checked(index) == value) return;
    Items()->SetObjects(index, value ? &checkedMark : nullptr);
    Changed(TPropertyId::Checked);
}

void TCheckListBox::ToggleByUser(int index) {
    if (index < 0 || index >= Count() || !Enabled()) return;
    SetChecked(index, !Checked(index));
    if (OnClickCheck) OnClickCheck(this);
}

void TCheckListBox::CharTyped(char32_t ch) {
    if (ch == U' ') ToggleByUser(ItemIndex());
}

void TCheckListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    int index = ItemAtPos({x, y}, true);
    TCustomListBox::MouseDown(button, shift, x, y);
    if (button == mbLeft && index >= 0 && x < ItemHeight()) ToggleByUser(index);
}

void TCheckListBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
    TCanvas* canvas = Canvas();
    TRect box = Bounds(rect.Left + 2, rect.Top + 2, rect.Height() - 4, rect.Height() - 4);
    TColor brush = canvas->Brush()->Color();
    canvas->FillRect({rect.Left, rect.Top, rect.Left + rect.Height(), rect.Bottom});
    canvas->Brush()->SetColor(clWindowText);
    canvas->FrameRect(box);
    if (Checked(index)) {
        canvas->Pen()->SetColor(clWindowText);
        canvas->MoveTo(box.Left + 2, box.Top + box.Height() / 2);
        canvas->LineTo(box.Left + box.Width() / 2, box.Bottom - 2);
        canvas->LineTo(box.Right - 2, box.Top + 2);
    }
    canvas->Brush()->SetColor(brush);
    TCustomListBox::DrawItem(index, {rect.Left + rect.Height(), rect.Top, rect.Right, rect.Bottom}, state);
}
