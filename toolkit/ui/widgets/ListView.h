#pragma once
// List views: items with a caption, sub-items (the report view's further columns), an image, a
// check mark and a data pointer, shown as large icons (rows of cells, caption under the image), small
// icons (rows of cells, caption beside it), a list (columns filled top to bottom) or a report with
// Columns. The arrow keys, Home and End move the selection (OnSelectItem, OnChange); Space toggles the check mark with
// Checkboxes; F2 starts editing the selected item's caption unless ReadOnly, Enter ends it
// (OnEdited may change the text), Escape cancels it.
#include <functional>
#include <memory>
#include <vector>

#include "toolkit/classes/Collection.h"
#include "toolkit/ui/graphics/TextAlign.h"
#include "toolkit/ui/kernel/Controls.h"
#include "toolkit/ui/kernel/UpdateBatch.h"
#include "toolkit/ui/widgets/CaptionEditingControl.h"

class TListView;
class TListItems;
class TImageList;

class TListColumn : public TCollectionItem {
    TK_CLASS_PUBLISHED(TListColumn, TCollectionItem)
public:
    TListColumn() = default;
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    int Width() const { return width_; }
    void SetWidth(int width);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    void Assign(const TPersistent* source) override;
    std::string DisplayName() const override { return caption_.empty() ? ClassName() : caption_; }

private:
    std::string caption_;
    int width_ = 50;
    TAlignment alignment_ = taLeftJustify;
    bool autoSize_ = false;
    int imageIndex_ = -1;
};

class TListColumns : public TCollection {
    TK_CLASS(TListColumns, TCollection)
public:
    explicit TListColumns(TListView* owner);
    TListColumn* Add() { return static_cast<TListColumn*>(TCollection::Add()); }
    TListColumn* Items(int index) const { return static_cast<TListColumn*>(TCollection::Items(index)); }

protected:
    void Update(TCollectionItem* item) override;

private:
    TListView* view_;
};

enum TItemChange {
    ctText,
    ctImage,
    ctState
};
TK_ENUM_TYPE(TItemChange, "ctText", "ctImage", "ctState")

class TListItem : public TPersistent {
    TK_CLASS_PUBLISHED(TListItem, TPersistent)
public:
    explicit TListItem(TListItems* owner);
    ~TListItem() override;

    TListItems* Owner() const { return owner_; }
    TListView* ListView() const;
    int Index() const;
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    TStrings* SubItems() const { return subItems_.get(); }
    void SetSubItems(TStrings* items);
    bool Checked() const { return checked_; }
    void SetChecked(bool value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    bool Selected() const { return selected_; }
    void SetSelected(bool value);
    bool Focused() const;
    void SetFocused(bool value);
    void* Data = nullptr;

    // Starts editing the caption (false when the view is read-only or OnEditing refuses).
    bool EditCaption();
    void Delete();
    void Assign(const TPersistent* source) override;

private:
    friend class TListView;
    friend class TListItems;
    void Changed(TItemChange change);
    TListItems* owner_;
    std::string caption_;
    std::unique_ptr<TStringList> subItems_;
    bool checked_ = false;
    int imageIndex_ = -1;
    bool selected_ = false;
};

class TListItems : public TPersistent, public IIndexedItems {
    TK_CLASS(TListItems, TPersistent)
public:
    explicit TListItems(TListView* owner) : view_(owner) {}
    ~TListItems() override;

    TListView* Owner() const { return view_; }
    int Count() const { return static_cast<int>(items_.size()); }
    TListItem* Item(int index) const;  // EListError when out of range
    TListItem* operator[](int index) const { return Item(index); }
    TListItem* Add();
    TListItem* Insert(int index);
    void Delete(int index);
    void Clear();
    int IndexOf(const TListItem* item) const;
    void BeginUpdate() { batch_.Begin(); }
    void EndUpdate() {
        if (batch_.End()) Changed();
    }
    void Assign(const TPersistent* source) override;

    int IndexedItemCount() const override { return Count(); }
    TObject* IndexedItem(int index) const override { return Item(index); }

private:
    friend class TListItem;
    friend class TListView;
    void Changed();
    TListView* view_;
    std::vector<TListItem*> items_;
    TUpdateBatch batch_;
};

enum TViewStyle {
    vsIcon,
    vsSmallIcon,
    vsList,
    vsReport
};
TK_ENUM_TYPE(TViewStyle, "vsIcon", "vsSmallIcon", "vsList", "vsReport")

using TLVChangeEvent = std::function<void(TObject* Sender, TListItem* Item, TItemChange Change)>;
using TLVSelectItemEvent = std::function<void(TObject* Sender, TListItem* Item, bool Selected)>;
using TLVEditingEvent = TCaptionEditingControl<TListItem>::TEditingEvent;
using TLVEditedEvent = TCaptionEditingControl<TListItem>::TEditedEvent;
using TLVColumnClickEvent = std::function<void(TObject* Sender, TListColumn* Column)>;
using TLVCompareEvent = std::function<void(TObject* Sender, TListItem* Item1, TListItem* Item2, int Data, int& Compare)>;

class TListView : public TCaptionEditingControl<TListItem> {
    TK_CLASS_PUBLISHED(TListView, TWinControl)
public:
    explicit TListView(TComponent* owner);
    ~TListView() override;

    TListColumns* Columns() const { return columns_.get(); }
    void SetColumns(TListColumns* columns) { columns_->Assign(columns); }
    TListItems* Items() const { return items_.get(); }
    void SetItems(TListItems* items) { items_->Assign(items); }
    TViewStyle ViewStyle() const { return viewStyle_; }
    void SetViewStyle(TViewStyle value);
    bool RowSelect() const { return rowSelect_; }
    void SetRowSelect(bool value);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool value);
    bool Checkboxes() const { return checkboxes_; }
    void SetCheckboxes(bool value);
    bool GridLines() const { return gridLines_; }
    void SetGridLines(bool value);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value) { hideSelection_ = value; }
    bool ShowColumnHeaders() const { return showColumnHeaders_; }
    void SetShowColumnHeaders(bool value);
    TImageList* SmallImages() const { return smallImages_; }
    void SetSmallImages(TImageList* images);
    TImageList* LargeImages() const { return largeImages_; }
    void SetLargeImages(TImageList* images);

    // The first selected item (nullptr when none); setting selects only that one.
    TListItem* Selected() const;
    void SetSelected(TListItem* item);
    int ItemIndex() const;
    void SetItemIndex(int index);
    TListItem* ItemFocused() const { return focused_; }
    void SetItemFocused(TListItem* item);
    int SelCount() const;
    void ClearSelection();
    void SelectAll();
    // The next item after start (nullptr: from the top) that is selected, for walking a multi-selection.
    TListItem* GetNextSelected(TListItem* start) const;
    TListItem* FindCaption(int startIndex, const std::string& caption, bool partial, bool inclusive) const;
    // Sorts the items: by caption, or by compare (negative when the first goes first).
    void AlphaSort();
    void CustomSort(const std::function<int(TListItem*, TListItem*)>& compare);

    // The item whose caption is being edited (IsEditing, EditText, EndEdit come with the base).
    TListItem* EditingItem() const { return editing_; }
    // A click on a column header (OnColumnClick).
    void ClickColumn(int index);
    // The item at a point, nullptr when none.
    TListItem* GetItemAt(int x, int y) const;
    // Where item index is drawn in the current view style (client coordinates).
    TRect ItemRect(int index) const;

    TLVChangeEvent OnChange;
    TLVSelectItemEvent OnSelectItem;
    TLVColumnClickEvent OnColumnClick;
    TLVCompareEvent OnCompare;

    void CharTyped(char32_t ch) override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void KeyDown(WORD& key, TShiftState shift) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void Paint() override;
    // One item drawn in its cell (icon, small-icon and list styles) with the canvas' colours.
    void PaintCell(TCanvas* canvas, int index);
    void StoreEditedText(TListItem* item, const std::string& text) override { item->SetCaption(text); }
    int RowHeight() const;
    int HeaderHeight() const;

private:
    friend class TListItem;
    friend class TListItems;
    friend class TListColumns;
    void ItemChanged(TListItem* item, TItemChange change);
    void ItemSelected(TListItem* item, bool selected);
    void ItemRemoved(TListItem* item);
    void MoveSelection(int index, TShiftState shift);
    // The cell of one item in the icon, small-icon and list styles, and how many fit in a line.
    TSize CellSize() const;
    int CellsPerLine() const;
    const TImageList* ImagesShown() const;

    TOwnedPtr<TListColumns> columns_;
    TOwnedPtr<TListItems> items_;
    TViewStyle viewStyle_ = vsIcon;
    bool rowSelect_ = false;
    bool multiSelect_ = false;
    bool checkboxes_ = false;
    bool gridLines_ = false;
    bool hideSelection_ = true;
    bool showColumnHeaders_ = true;
    TImageList* smallImages_ = nullptr;
    TImageList* largeImages_ = nullptr;
    TListItem* focused_ = nullptr;
    int topIndex_ = 0;
};
