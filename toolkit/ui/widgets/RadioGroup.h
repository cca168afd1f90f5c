#pragma once
// Radio groups: one radio button per line of Items, in Columns columns; ItemIndex is the checked
// one. The buttons are real controls inside the group (they take the focus; only the checked one
// is a tab stop). A change of ItemIndex, by code or by the user, raises OnClick.
#include <memory>
#include <vector>

#include "toolkit/ui/widgets/CheckBox.h"
#include "toolkit/ui/widgets/GroupBox.h"

class TCustomRadioGroup : public TCustomGroupBox {
    TK_CLASS(TCustomRadioGroup, TCustomGroupBox)
public:
    explicit TCustomRadioGroup(TComponent* owner);
    ~TCustomRadioGroup() override;

    TStrings* Items() const { return items_.get(); }
    void SetItems(TStrings* items);
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);
    int Columns() const { return columns_; }
    void SetColumns(int value);  // 1 to 16
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    TRadioButton* Buttons(int index) const;

    void SetBounds(int left, int top, int width, int height) override;

protected:
    // Whether the user may change the selection (a data-aware group asks its dataset).
    virtual bool CanModify() { return true; }
    void EnabledChanged() override;
    void ItemsChanged();
    void ArrangeButtons();
    void ButtonClicked(TRadioButton* button);

private:
    std::unique_ptr<TStringList> items_;
    std::vector<TRadioButton*> buttons_;
    int itemIndex_ = -1;
    int columns_ = 1;
    bool updating_ = false;
};

class TRadioGroup : public TCustomRadioGroup {
    TK_CLASS_PUBLISHED(TRadioGroup, TCustomRadioGroup)
public:
    explicit TRadioGroup(TComponent* owner) : TCustomRadioGroup(owner) {}
};
