#include "toolkit/ui/widgets/ListView.h"

#include <algorithm>

#include "toolkit/rtl/ChangeValue.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/graphics/Canvas.h"
#include "toolkit/ui/graphics/ImgList.h"
#include "toolkit/ui/kernel/ComponentLink.h"
#include "toolkit/ui/kernel/MouseClick.h"

// --- TListColumn ---------------------------------------------------------------------------------------

void TListColumn::Publish(TPublisher<TListColumn>& p) {
    p.Property("Alignment", &TListColumn::Alignment, &TListColumn::SetAlignment);
    p.Property("AutoSize", &TListColumn::AutoSize, &TListColumn::SetAutoSize);
    p.Property("Caption", &TListColumn::Caption, &TListColumn::SetCaption);
    p.Property("ImageIndex", &TListColumn::ImageIndex, &TListColumn::SetImageIndex);
    p.Property("Width", &TListColumn::Width, &TListColumn::SetWidth);
}

void TListColumn::SetCaption(const std::string& caption) {
    if (ChangeValue(caption_, caption)) Changed();
}

void TListColumn::SetWidth(int width) {
    if (ChangeValue(width_, width)) Changed();
}

void TListColumn::SetAlignment(TAlignment value) {
    if (ChangeValue(alignment_, value)) Changed();
}

void TListColumn::SetAutoSize(bool value) {
    if (ChangeValue(autoSize_, value)) Changed();
}

void TListColumn::SetImageIndex(int value) {
    if (ChangeValue(imageIndex_, value)) Changed();
}

void TListColumn::Assign(const TPersistent* source) {
    if (auto* other = dynamic_cast<const TListColumn*>(source)) {
        caption_ = other->caption_;
        width_ = other->width_;
        alignment_ = other->alignment_;
        autoSize_ = other->autoSize_;
        imageIndex_ = other->imageIndex_;
        Changed();
        return;
    }
    TCollectionItem::Assign(source);
}

TListColumns::TListColumns(TListView* owner) : TCollection([] { return new TListColumn; }, owner), view_(owner) {}

void TListColumns::Update(TCollectionItem* item) {
    TCollection::Update(item);
    view_->Changed(TPropertyId::Columns);
    view_->Invalidate();
}

// --- TListItem -----------------------------------------------------------------------------------------

void TListItem::Publish(TPublisher<TListItem>& p) {
    p.Property("Caption", &TListItem::Caption, &TListItem::SetCaption);
    p.Property("Checked", &TListItem::Checked, &TListItem::SetChecked);
    p.Property("ImageIndex", &TListItem::ImageIndex, &TListItem::SetImageIndex);
    p.Property("Selected", &TListItem::Selected, &TListItem::SetSelected);
    p.Property("SubItems", &TListItem::SubItems);
}

TListItem::TListItem(TListItems* owner) : owner_(owner), subItems_(std::make_unique<TStringList>()) {
    subItems_->OnChange = [this] { Changed(ctText); };
}

TListItem::~TListItem() {
    subItems_->OnChange = nullptr;
    if (owner_) {
        auto& list = owner_->items_;
        auto it = std::find(list.begin(), list.end(), this);
        if (it != list.end()) {
            list.erase(it);
            if (owner_->view_) owner_->view_->ItemRemoved(this);
            owner_->Changed();
        }
    }
}

TListView* TListItem::ListView() const { return owner_ ? owner_->view_ : nullptr; }

int TListItem::Index() const { return owner_ ? owner_->IndexOf(this) : -1; }

void TListItem::Changed(TItemChange change) {
    if (TListView* view = ListView()) view->ItemChanged(this, change);
}

void TListItem::SetCaption(const std::string& caption) {
    if (ChangeValue(caption_, caption)) Changed(ctText);
}

void TListItem::SetSubItems(TStrings* items) {
    if (items)
        subItems_->Assign(*items);
    else
        subItems_->Clear();
}

void TListItem::SetChecked(bool value) {
    if (ChangeValue(checked_, value)) Changed(ctState);
}

void TListItem::SetImageIndex(int value) {
    if (ChangeValue(imageIndex_, value)) Changed(ctImage);
}

void TListItem::SetSelected(bool value) {
    if (value == selected_) return;
    if (TListView* view = ListView())
        view->ItemSelected(this, value);
    else
        selected_ = value;
}

bool TListItem::Focused() const { return ListView() && ListView()->ItemFocused() == this; }

void TListItem::SetFocused(bool value) {
    if (TListView* view = ListView()) view->SetItemFocused(value ? this : (Focused() ? nullptr : view->ItemFocused()));
}

bool TListItem::EditCaption() {
    TListView* view = ListView();
    return view && view->BeginEdit(this, caption_);
}

void TListItem::Delete() { delete this; }

void TListItem::Assign(const TPersistent* source) {
    if (auto* other = dynamic_cast<const TListItem*>(source)) {
        caption_ = other->caption_;
        subItems_->Assign(*other->subItems_);
        checked_ = other->checked_;
        imageIndex_ = other->imageIndex_;
        Data = other->Data;
        Changed(ctText);
        return;
    }
    TPersistent::Assign(source);
}

// --- TListItems ----------------------------------------------------------------------------------------

TListItems::~TListItems() {
    view_ = nullptr;
    while (!items_.empty()) {
        TListItem* item = items_.back();
        items_.pop_back();
        item->owner_ = nullptr;
        delete item;
    }
}

TListItem* TListItems::Item(int index) const {
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return items_[static_cast<std::size_t>(index)];
}

TListItem* TListItems::Add() { return Insert(Count()); }

TListItem* TListItems::Insert(int index) {
    auto* item = new TListItem(this);
    items_.insert(items_.begin() + std::clamp(index, 0, Count()), item);
    Changed();
    return item;
}

void TListItems::Delete(int index) { delete Item(index); }

void TListItems::Clear() {
    if (items_.empty()) return;
    BeginUpdate();
    while (!items_.empty()) delete items_.back();
    EndUpdate();
}

int TListItems::IndexOf(const TListItem* item) const {
    auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TListItems::Assign(const TPersistent* source) {
    auto* other = dynamic_cast<const TListItems*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    BeginUpdate();
    Clear();
    for (TListItem* item : other->items_) Add()->Assign(item);
    EndUpdate();
}

void TListItems::Changed() {
    if (batch_.TellNow() && view_) {
        view_->Changed(TPropertyId::Items);
        view_->Invalidate();
    }
}

// --- TListView -----------------------------------------------------------------------------------------

void TListView::Publish(TPublisher<TListView>& p) {
    PublishStandardWin(p);
    p.Property("Checkboxes", &TListView::Checkboxes, &TListView::SetCheckboxes);
    p.Property("Columns", &TListView::Columns, &TListView::SetColumns);
    p.Property("GridLines", &TListView::GridLines, &TListView::SetGridLines);
    p.Property("HideSelection", &TListView::HideSelection, &TListView::SetHideSelection);
    p.Property("Items", &TListView::Items, &TListView::SetItems);
    p.Property("LargeImages", &TListView::LargeImages, &TListView::SetLargeImages);
    p.Property("MultiSelect", &TListView::MultiSelect, &TListView::SetMultiSelect);
    p.Property("ReadOnly", &TListView::ReadOnly, &TListView::SetReadOnly);
    p.Property("RowSelect", &TListView::RowSelect, &TListView::SetRowSelect);
    p.Property("ShowColumnHeaders", &TListView::ShowColumnHeaders, &TListView::SetShowColumnHeaders);
    p.Property("SmallImages", &TListView::SmallImages, &TListView::SetSmallImages);
    p.Property("ViewStyle", &TListView::ViewStyle, &TListView::SetViewStyle);
    p.Property("OnChange", &TListView::OnChange);
    p.Property("OnColumnClick", &TListView::OnColumnClick);
    p.Property("OnCompare", &TListView::OnCompare);
    p.Property("OnEdited", &TListView::OnEdited);
    p.Property("OnEditing", &TListView::OnEditing);
    p.Property("OnSelectItem", &TListView::OnSelectItem);
}

TListView::TListView(TComponent* owner)
    : TCaptionEditingControl(owner), columns_(new TListColumns(this)), items_(new TListItems(this)) {
    SetTabStop(true);
    SetBounds(0, 0, 250, 150);
}

TListView::~TListView() { items_->view_ = nullptr; }

void TListView::SetViewStyle(TViewStyle value) {
    if (SetProperty(viewStyle_, value, TPropertyId::ViewStyle)) Invalidate();
}

void TListView::SetRowSelect(bool value) { SetProperty(rowSelect_, value, TPropertyId::RowSelect); }

void TListView::SetMultiSelect(bool value) {
    if (value == multiSelect_) return;
    multiSelect_ = value;
    if (!value) {
        TListItem* keep = Selected();
        for (TListItem* item : items_->items_)
            if (item != keep && item->selected_) ItemSelected(item, false);
    }
    Changed(TPropertyId::MultiSelect);
}

void TListView::SetCheckboxes(bool value) { SetProperty(checkboxes_, value, TPropertyId::Checkboxes); }

void TListView::SetGridLines(bool value) { SetProperty(gridLines_, value, TPropertyId::GridLines); }

void TListView::SetShowColumnHeaders(bool value) { SetProperty(showColumnHeaders_, value, TPropertyId::ShowColumnHeaders); }

void TListView::SetSmallImages(TImageList* images) { SetComponentLink(*this, smallImages_, images); }

void TListView::SetLargeImages(TImageList* images) { SetComponentLink(*this, largeImages_, images); }

void TListView::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == smallImages_) smallImages_ = nullptr;
    if (component == largeImages_) largeImages_ = nullptr;
}

TListItem* TListView::Selected() const {
    for (TListItem* item : items_->items_)
        if (item->selected_) return item;
    return nullptr;
}

void TListView::SetSelected(TListItem* item) {
    for (TListItem* other : std::vector<TListItem*>(items_->items_))
        if (other != item && other->selected_) ItemSelected(other, false);
    if (item) {
        ItemSelected(item, true);
        SetItemFocused(item);
    }
}

int TListView::ItemIndex() const {
    TListItem* item = Selected();
    return item ? item->Index() : -1;
}

void TListView::SetItemIndex(int index) { SetSelected(index >= 0 && index < items_->Count() ? items_->Item(index) : nullptr); }

void TListView::SetItemFocused(TListItem* item) { SetProperty(focused_, item, TPropertyId::ItemFocused); }

int TListView::SelCount() const {
    return static_cast<int>(
        std::count_if(items_->items_.begin(), items_->items_.end(), [](TListItem* i) { return i->selected_; }));
}

void TListView::ClearSelection() { SetSelected(nullptr); }

void TListView::SelectAll() {
    if (!multiSelect_) return;
    for (TListItem* item : items_->items_)
        if (!item->selected_) ItemSelected(item, true);
}

TListItem* TListView::GetNextSelected(TListItem* start) const {
    int from = start ? start->Index() + 1 : 0;
    for (int i = from; i < items_->Count(); ++i)
        if (items_->Item(i)->selected_) return items_->Item(i);
    return nullptr;
}

TListItem* TListView::FindCaption(int startIndex, const std::string& caption, bool partial, bool inclusive) const {
    int from = inclusive ? startIndex : startIndex + 1;
    for (int i = std::max(from, 0); i < items_->Count(); ++i) {
        const std::string& c = items_->Item(i)->Caption();
        if (partial ? StartsText(caption, c) : SameText(caption, c)) return items_->Item(i);
    }
    return nullptr;
}

void TListView::AlphaSort() {
    CustomSort([this](TListItem* a, TListItem* b) {
        int result = CompareText(a->Caption(), b->Caption());
        if (OnCompare) OnCompare(this, a, b, 0, result);
        return result;
    });
}

void TListView::CustomSort(const std::function<int(TListItem*, TListItem*)>& compare) {
    std::stable_sort(items_->items_.begin(), items_->items_.end(), [&](TListItem* a, TListItem* b) { return compare(a, b) < 0; });
    items_->Changed();
}

void TListView::ClickColumn(int index) {
    if (index < 0 || index >= columns_->Count()) return;
    if (OnColumnClick) OnColumnClick(this, columns_->Items(index));
}

int TListView::RowHeight() const {
    return std::max(HeadlessTextExtent(*Font(), "Wg").cy + 4, smallImages_ ? smallImages_->Height() + 2 : 0);
}

int TListView::HeaderHeight() const { return viewStyle_ == vsReport && showColumnHeaders_ ? RowHeight() + 2 : 0; }

TListItem* TListView::GetItemAt(int x, int y) const {
    if (x < 0 || x >= Width() || y < HeaderHeight()) return nullptr;
    if (viewStyle_ == vsReport) {
        int index = topIndex_ + (y - HeaderHeight()) / RowHeight();
        return index >= 0 && index < items_->Count() ? items_->Item(index) : nullptr;
    }
    for (int i = 0; i < items_->Count(); ++i)
        if (ItemRect(i).Contains({x, y})) return items_->Item(i);
    return nullptr;
}

const TImageList* TListView::ImagesShown() const {
    if (viewStyle_ == vsIcon) return largeImages_ ? largeImages_ : smallImages_;
    return smallImages_;
}

TSize TListView::CellSize() const {
    const int textHeight = HeadlessTextExtent(*Font(), "Wg").cy;
    const TImageList* images = ImagesShown();
    if (viewStyle_ == vsIcon) {
        // Room for the image with the caption centred under it.
        const int imageHeight = images ? images->Height() : 32;
        return {std::max(70, (images ? images->Width() : 32) + 24), imageHeight + textHeight + 12};
    }
    int widest = 0;
    for (TListItem* item : items_->items_) widest = std::max(widest, HeadlessTextExtent(*Font(), item->Caption()).cx);
    const int image = images ? images->Width() + 2 : 0;
    return {std::max(48, widest + image + (checkboxes_ ? 16 : 0) + 12), RowHeight()};
}

int TListView::CellsPerLine() const {
    const TSize cell = CellSize();
    // A list fills columns top to bottom; the icon styles fill rows left to right.
    if (viewStyle_ == vsList) return std::max(1, Height() / cell.cy);
    return std::max(1, Width() / cell.cx);
}

TRect TListView::ItemRect(int index) const {
    if (viewStyle_ == vsReport) {
        const int rowHeight = RowHeight();
        return Bounds(0, HeaderHeight() + (index - topIndex_) * rowHeight, Width(), rowHeight);
    }
    const TSize cell = CellSize();
    const int perLine = CellsPerLine();
    const int line = index / perLine, place = index % perLine;
    if (viewStyle_ == vsList) return Bounds(line * cell.cx, place * cell.cy, cell.cx, cell.cy);
    return Bounds(place * cell.cx, line * cell.cy, cell.cx, cell.cy);
}

void TListView::ItemChanged(TListItem* item, TItemChange change) {
    Changed(TPropertyId::Items);
    Invalidate();
    if (OnChange) OnChange(this, item, change);
}

void TListView::ItemSelected(TListItem* item, bool selected) {
    if (item->selected_ == selected) return;
    if (selected && !multiSelect_) {
        for (TListItem* other : items_->items_)
            if (other != item && other->selected_) ItemSelected(other, false);
    }
    item->selected_ = selected;
    Changed(TPropertyId::Selected);
    Invalidate();
    if (OnChange) OnChange(this, item, ctState);
    if (OnSelectItem) OnSelectItem(this, item, selected);
}

void TListView::ItemRemoved(TListItem* item) {
    if (focused_ == item) focused_ = nullptr;
    ForgetEdit(item);
}

void TListView::MoveSelection(int index, TShiftState shift) {
    if (items_->Count() == 0) return;
    index = std::clamp(index, 0, items_->Count() - 1);
    TListItem* item = items_->Item(index);
    if (multiSelect_ && shift.Contains(ssCtrl)) {
        ItemSelected(item, !item->selected_);
        SetItemFocused(item);
    } else {
        SetSelected(item);
    }
    // Only the report scrolls by rows; the other styles place every item in its cell.
    if (viewStyle_ != vsReport) return;
    int visible = std::max(1, (Height() - HeaderHeight()) / RowHeight());
    if (index < topIndex_)
        topIndex_ = index;
    else if (index >= topIndex_ + visible)
        topIndex_ = index - visible + 1;
}

void TListView::KeyDown(WORD& key, TShiftState shift) {
    TWinControl::KeyDown(key, shift);
    if (key == 0) return;
    if (IsEditing() && key == VK_DELETE) {
        // The editor starts with its whole text selected: Delete clears it.
        SetEditText(std::string());
        key = 0;
    }
    if (EditKeyDown(key)) return;
    int current = focused_ ? focused_->Index() : ItemIndex();
    int page = std::max(1, (Height() - HeaderHeight()) / RowHeight());
    // Steps of the arrow keys: across a line of cells or along one.
    const int across = viewStyle_ == vsReport ? 1 : CellsPerLine();
    const int vertical = viewStyle_ == vsIcon || viewStyle_ == vsSmallIcon ? across : 1;
    const int horizontal = viewStyle_ == vsList ? across : 1;
    switch (key) {
        case VK_UP: MoveSelection(current - vertical, shift); break;
        case VK_LEFT: MoveSelection(current - horizontal, shift); break;
        case VK_DOWN: MoveSelection(current + vertical, shift); break;
        case VK_RIGHT: MoveSelection(current + horizontal, shift); break;
        case VK_HOME: MoveSelection(0, shift); break;
        case VK_END: MoveSelection(items_->Count() - 1, shift); break;
        case VK_PRIOR: MoveSelection(current - page, shift); break;
        case VK_NEXT: MoveSelection(current + page, shift); break;
        case VK_F2:
            if (TListItem* item = Selected()) item->EditCaption();
            break;
        default: return;
    }
    key = 0;
}

void TListView::CharTyped(char32_t ch) {
    if (EditCharTyped(ch)) return;
    if (ch == U' ' && checkboxes_) {
        if (TListItem* item = focused_ ? focused_ : Selected()) item->SetChecked(!item->Checked());
    }
}

void TListView::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    FocusOnPress(*this, button);
    if (button == mbLeft) {
        if (viewStyle_ == vsReport && y < HeaderHeight()) {
            int left = 0;
            for (int i = 0; i < columns_->Count(); ++i) {
                left += columns_->Items(i)->Width();
                if (x < left) {
                    ClickColumn(i);
                    break;
                }
            }
        } else if (TListItem* item = GetItemAt(x, y)) {
            if (checkboxes_ && x < 16) item->SetChecked(!item->Checked());
            MoveSelection(item->Index(), shift);
        }
    }
    TWinControl::MouseDown(button, shift, x, y);
}

void TListView::Paint() {
    TCanvas* canvas = Canvas();
    canvas->FillRect(Bounds(0, 0, Width(), Height()));
    int rowHeight = RowHeight();
    int top = HeaderHeight();
    if (top > 0) {
        int left = 0;
        for (int i = 0; i < columns_->Count(); ++i) {
            TListColumn* column = columns_->Items(i);
            TRect r{left, 0, left + column->Width(), top};
            canvas->Brush()->SetColor(clBtnFace);
            canvas->FillRect(r);
            canvas->Brush()->SetStyle(bsClear);
            canvas->TextRect(r.Inflate(-2, 0), column->Caption(), TTextFormat{tfLeft, tfVerticalCenter});
            left += column->Width();
        }
    }
    TColor background = Color();
    if (viewStyle_ != vsReport) {
        for (int i = 0; i < items_->Count(); ++i) {
            const TRect cell = ItemRect(i);
            if (cell.Left >= Width() || cell.Top >= Height()) continue;
            const bool highlight = items_->Item(i)->Selected() && (Focused() || !hideSelection_);
            canvas->Brush()->SetColor(highlight ? clHighlight : background);
            canvas->Font()->SetColor(highlight ? clHighlightText : Font()->Color());
            PaintCell(canvas, i);
        }
        return;
    }
    for (int i = topIndex_; i < items_->Count(); ++i) {
        int y = top + (i - topIndex_) * rowHeight;
        if (y >= Height()) break;
        TListItem* item = items_->Item(i);
        bool highlight = item->Selected() && (Focused() || !hideSelection_);
        canvas->Brush()->SetColor(highlight ? clHighlight : background);
        canvas->Font()->SetColor(highlight ? clHighlightText : Font()->Color());
        int left = 2;
        if (checkboxes_) {
            canvas->TextOut(left, y, item->Checked() ? "[x]" : "[ ]");
            left += 16;
        }
        if (smallImages_ && item->ImageIndex() >= 0) {
            smallImages_->Draw(canvas, left, y + 1, item->ImageIndex());
            left += smallImages_->Width() + 2;
        }
        const std::string& caption = ShownCaption(item, item->Caption());
        if (columns_->Count() > 0) {
            int colLeft = 0;
            for (int c = 0; c < columns_->Count(); ++c) {
                TListColumn* column = columns_->Items(c);
                TRect r{c == 0 ? left : colLeft + 2, y, colLeft + column->Width(), y + rowHeight};
                std::string text = c == 0 ? caption : (c - 1 < item->SubItems()->Count() ? (*item->SubItems())[c - 1] : "");
                TTextFormat format{tfVerticalCenter};
                format.Include(column->Alignment() == taRightJustify ? tfRight
                               : column->Alignment() == taCenter     ? tfCenter
                                                                     : tfLeft);
                if (c == 0 || (rowSelect_ && highlight)) canvas->FillRect(r);
                canvas->TextRect(r, text, format);
                colLeft += column->Width();
            }
        } else {
            TRect r{left, y, Width(), y + rowHeight};
            canvas->FillRect(r);
            canvas->TextRect(r, caption, TTextFormat{tfLeft, tfVerticalCenter});
        }
    }
}

void TListView::PaintCell(TCanvas* canvas, int index) {
    TListItem* item = items_->Item(index);
    const TRect cell = ItemRect(index);
    const TImageList* images = ImagesShown();
    const bool image = images && item->ImageIndex() >= 0;
    const TColor text = canvas->Font()->Color(), brush = canvas->Brush()->Color();
    canvas->Brush()->SetColor(Color());
    if (viewStyle_ == vsIcon) {
        const int imageHeight = images ? images->Height() : 32;
        if (image) images->Draw(canvas, cell.Left + (cell.Width() - images->Width()) / 2, cell.Top + 4, item->ImageIndex());
        TRect r{cell.Left + 2, cell.Top + 6 + imageHeight, cell.Right - 2, cell.Bottom};
        canvas->Brush()->SetColor(brush);
        canvas->FillRect(r);
        canvas->TextRect(r, ShownCaption(item, item->Caption()), TTextFormat{tfCenter, tfTop});
        return;
    }
    int left = cell.Left + 2;
    if (checkboxes_) {
        canvas->TextOut(left, cell.Top, item->Checked() ? "[x]" : "[ ]");
        left += 16;
    }
    if (image) {
        images->Draw(canvas, left, cell.Top + (cell.Height() - images->Height()) / 2, item->ImageIndex());
        left += images->Width() + 2;
    }
    canvas->Brush()->SetColor(brush);
    canvas->Font()->SetColor(text);
    TRect r{left, cell.Top, cell.Right - 2, cell.Bottom};
    canvas->FillRect(r);
    canvas->TextRect(r, ShownCaption(item, item->Caption()), TTextFormat{tfLeft, tfVerticalCenter});
}
