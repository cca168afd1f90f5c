#pragma once
// List boxes: Items with one current item (ItemIndex) or, with MultiSelect, any number selected.
// Up, Down, Home, End, PgUp and PgDn move the current item; a click picks the item under the
// mouse (Ctrl+click toggles it in a multi-select list). A selection change by the user raises
// OnClick. Check list boxes add a check mark per item (kept in the line's object, so it moves
// with the line), toggled by Space or a click in the mark, reported by OnClickCheck.
#include <memory>
#include <vector>

#include "toolkit/ui/graphics/OwnerDraw.h"
#include "toolkit/ui/kernel/Controls.h"

enum TListBoxStyle {
    lbStandard,
    lbOwnerDrawFixed,
    lbOwnerDrawVariable
};
TK_ENUM_TYPE(TListBoxStyle, "lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable")

class TCustomListBox : public TWinControl {
    TK_CLASS(TCustomListBox, TWinControl)
public:
    explicit TCustomListBox(TComponent* owner);

    TStrings* Items() const { return items_.get(); }
    void SetItems(TStrings* items);
    int Count() const { return items_->Count(); }
    int ItemIndex() const { return itemIndex_; }
    // Makes index current (and, in a single-select list, the one selected); -1 for none.
    void SetItemIndex(int index);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool value);
    bool ExtendedSelect() const { return extendedSelect_; }
    void SetExtendedSelect(bool value) { extendedSelect_ = value; }
    bool Selected(int index) const;
    void SetSelected(int index, bool value);
    int SelCount() const;
    void ClearSelection();
    void SelectAll();
    bool Sorted() const { return items_->Sorted(); }
    void SetSorted(bool value);
    TListBoxStyle Style() const { return style_; }
    void SetStyle(TListBoxStyle style);
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int value);
    int Columns() const { return columns_; }
    void SetColumns(int value);
    int TopIndex() const { return topIndex_; }
    void SetTopIndex(int value);
    // The item at a point of the client area; with existing false a point below the items gives
    // Count, with existing true -1.
    int ItemAtPos(TPoint pos, bool existing) const;
    TRect ItemRect(int index) const;

    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

    // Draws item index on canvas in rect (the renderer calls it for owner-drawn lists).
    void PaintItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state);

    bool WantsKey(WORD key, TShiftState shift) const override;

protected:
    virtual void DrawItem(int index, const TRect& rect, TOwnerDrawState state);
    // The user moved the current item: selection follows, OnClick reports it.
    void MoveByUser(int index, TShiftState shift);
    void KeyDown(WORD& key, TShiftState shift) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void Paint() override;
    virtual void ItemsChanged();
    int VisibleItems() const;
    void ScrollInView(int index);

private:
    std::unique_ptr<TStringList> items_;
    std::vector<bool> selected_;
    int itemIndex_ = -1;
    bool multiSelect_ = false;
    bool extendedSelect_ = true;
    TListBoxStyle style_ = lbStandard;
    int itemHeight_ = 16;
    int columns_ = 0;
    int topIndex_ = 0;
};

class TListBox : public TCustomListBox {
    TK_CLASS_PUBLISHED(TListBox, TCustomListBox)
public:
    explicit TListBox(TComponent* owner) : TCustomListBox(owner) {}
};

class TCheckListBox : public TCustomListBox {
    TK_CLASS_PUBLISHED(TCheckListBox, TCustomListBox)
public:
    explicit TCheckListBox(TComponent* owner) : TCustomListBox(owner) {}

    bool Checked(int index) const;
    // Sets the mark by code (no OnClickCheck).
    void SetChecked(int index, bool value);
    // The user toggles the mark of an item (OnClickCheck).
    void ToggleByUser(int index);

    TNotifyEvent OnClickCheck;

    void CharTyped(char32_t ch) override;

protected:
    void DrawItem(int index, const TRect& rect, TOwnerDrawState state) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
};
