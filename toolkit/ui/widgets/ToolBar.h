#pragma once
// Tool bars: a row of tool buttons laid out left to right in their order (Index). A button shows
// an image of the bar's image list; a check button stays down (grouped check buttons side by side
// act as radio buttons); a drop-down button pops its DropdownMenu from its arrow; a separator
// leaves a gap. Clicking (the left button released over it, or Click) raises OnClick, or clicks
// the button's MenuItem when it has no handler.
#include <vector>

#include "toolkit/ui/kernel/GraphicControl.h"

class TToolBar;
class TImageList;
class TPopupMenu;
class TMenuItem;

enum TToolButtonStyle {
    tbsButton,
    tbsCheck,
    tbsDropDown,
    tbsSeparator,
    tbsDivider
};
TK_ENUM_TYPE(TToolButtonStyle, "tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator", "tbsDivider")

class TToolButton : public TGraphicControl {
    TK_CLASS_PUBLISHED(TToolButton, TGraphicControl)
public:
    explicit TToolButton(TComponent* owner);
    ~TToolButton() override;
    void BeforeDestruction() override;

    TToolBar* ToolBar() const { return toolBar_; }
    TToolButtonStyle Style() const { return style_; }
    void SetStyle(TToolButtonStyle value);
    bool IsSeparator() const { return style_ == tbsSeparator || style_ == tbsDivider; }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    bool Down() const { return down_; }
    void SetDown(bool value);
    bool Grouped() const { return grouped_; }
    void SetGrouped(bool value) { grouped_ = value; }
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value) { allowAllUp_ = value; }
    bool Marked() const { return marked_; }
    void SetMarked(bool value);
    bool Indeterminate() const { return indeterminate_; }
    void SetIndeterminate(bool value);
    bool Wrap() const { return wrap_; }
    void SetWrap(bool value);
    TPopupMenu* DropdownMenu() const { return dropdownMenu_; }
    void SetDropdownMenu(TPopupMenu* menu);
    TMenuItem* MenuItem() const { return menuItem_; }
    void SetMenuItem(TMenuItem* item);
    // Position on the bar; setting it moves the button.
    int Index() const;
    void SetIndex(int index);

    void Click() override;
    // The drop-down arrow was pressed: the menu pops up below the button. False without a menu.
    bool CheckMenuDropdown();

    void SetParent(TWinControl* parent) override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Paint() override;
    void TextChanged() override;

private:
    friend class TToolBar;
    void UpdateGroup();

    TToolBar* toolBar_ = nullptr;
    TToolButtonStyle style_ = tbsButton;
    int imageIndex_ = -1;
    bool down_ = false;
    bool grouped_ = false;
    bool allowAllUp_ = false;
    bool marked_ = false;
    bool indeterminate_ = false;
    bool wrap_ = false;
    TPopupMenu* dropdownMenu_ = nullptr;
    TMenuItem* menuItem_ = nullptr;
};

class TToolBar : public TWinControl {
    TK_CLASS_PUBLISHED(TToolBar, TWinControl)
public:
    explicit TToolBar(TComponent* owner);

    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    TToolButton* Buttons(int index) const;  // EListError when out of range
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);
    TImageList* DisabledImages() const { return disabledImages_; }
    void SetDisabledImages(TImageList* images);
    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int value);
    int ButtonHeight() const { return buttonHeight_; }
    void SetButtonHeight(int value);
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    bool ShowCaptions() const { return showCaptions_; }
    void SetShowCaptions(bool value);
    bool List() const { return list_; }
    void SetList(bool value);
    bool Wrapable() const { return wrapable_; }
    void SetWrapable(bool value);
    int Indent() const { return indent_; }
    void SetIndent(int value);
    // Places the buttons again (after buttons were added, moved or resized).
    void ArrangeButtons();

    void Notification(TComponent* component, TOperation operation) override;

protected:
    void Paint() override;
    void SizeChanged() override;

private:
    friend class TToolButton;
    void InsertButton(TToolButton* button);
    void RemoveButton(TToolButton* button);

    std::vector<TToolButton*> buttons_;
    TImageList* images_ = nullptr;
    TImageList* disabledImages_ = nullptr;
    int buttonWidth_ = 23;
    int buttonHeight_ = 22;
    bool flat_ = false;
    bool showCaptions_ = false;
    bool list_ = false;
    bool wrapable_ = true;
    int indent_ = 0;
};
