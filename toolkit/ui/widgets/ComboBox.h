#pragma once
// Combo boxes: a list of Items and a text. In the editable styles (csDropDown, csSimple) the text is
// typed like an edit's; in the list styles it is always the selected item's. Up and Down select the
// neighbouring item, F4 and Alt+Down drop the list down; owner-drawn styles draw items through
// OnDrawItem. OnChange and OnSelect report what the user does, not what code sets.
#include <memory>

#include "toolkit/ui/graphics/OwnerDraw.h"
#include "toolkit/ui/kernel/Controls.h"
#include "toolkit/ui/widgets/Edit.h"

enum TComboBoxStyle {
    csDropDown,
    csSimple,
    csDropDownList,
    csOwnerDrawFixed,
    csOwnerDrawVariable
};
TK_ENUM_TYPE(TComboBoxStyle, "csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable")

class TCustomComboBox : public TWinControl {
    TK_CLASS(TCustomComboBox, TWinControl)
public:
    explicit TCustomComboBox(TComponent* owner);

    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle style);
    // Only the styles with an edit field accept typed text.
    bool Editable() const { return style_ == csDropDown || style_ == csSimple; }
    TStrings* Items() const { return items_.get(); }
    void SetItems(TStrings* items);  // copies
    int ItemIndex() const { return itemIndex_; }
    // Selects an item (-1: none) and shows its text; no OnChange.
    void SetItemIndex(int index);
    bool Sorted() const { return items_->Sorted(); }
    void SetSorted(bool value);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value) { maxLength_ = std::max(value, 0); }
    TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase value) { charCase_ = value; }
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int value) { dropDownCount_ = value; }
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int value);
    bool DroppedDown() const { return droppedDown_; }
    void SetDroppedDown(bool value);
    TTextSelection Selection() const { return sel_; }
    void SelectAll();

    // The text an item shows (data-aware combo boxes show part of the line).
    virtual std::string ItemText(int index) const;
    // The index of the item whose text is text (compared without case); -1 when none.
    int IndexOfItemText(const std::string& text) const;

    // What the user does, for renderers and scripts: picks an item (OnChange, OnSelect), types text.
    void SelectByUser(int index);
    bool TypeText(const std::string& text);

    // Draws item index on canvas in rect (the renderer calls it for owner-drawn lists).
    void PaintItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state);

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

    bool WantsKey(WORD key, TShiftState shift) const override;
    void CharTyped(char32_t ch) override;

protected:
    virtual void Change();
    virtual void Select();
    // Whether the user may change the text or the selection now (data-aware boxes edit their dataset).
    virtual bool EditCanModify() { return true; }
    // Draws one item on Canvas(): OnDrawItem in the owner-drawn styles, else the item's text.
    virtual void DrawItem(int index, const TRect& rect, TOwnerDrawState state);
    void KeyDown(WORD& key, TShiftState shift) override;
    void DoEnter() override;
    void TextChanged() override;
    void Paint() override;
    virtual void ItemsChanged();
    // Text from the user: kept, the matching item selected, OnChange raised.
    void UserText(const std::string& text);

private:
    std::unique_ptr<TStringList> items_;
    TComboBoxStyle style_ = csDropDown;
    int itemIndex_ = -1;
    int maxLength_ = 0;
    TEditCharCase charCase_ = ecNormal;
    int dropDownCount_ = 8;
    int itemHeight_ = 16;
    bool droppedDown_ = false;
    bool settingText_ = false;
    std::string searchText_;
    TTextSelection sel_;
};

class TComboBox : public TCustomComboBox {
    TK_CLASS_PUBLISHED(TComboBox, TCustomComboBox)
public:
    explicit TComboBox(TComponent* owner) : TCustomComboBox(owner) {}
};
