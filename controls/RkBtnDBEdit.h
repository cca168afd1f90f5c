#pragma once
// A data-aware edit with its lookup button, for fields that have a lookup window (F2): the button
// stands at the edit's right, follows the edit's place, size, Enabled and Visible, and opens the edit's
// lookup as F2 does (a handler of the button's own, Button()->OnClick, replaces that). Naming the edit "edXXX" names the button "btnXXX"
// (language files reach its hint by that name); ButtonHint is the button's hint. The edit types by its
// field's edit mask (date fields), as every data-aware edit does.
#include <string>

#include "controls/RkLookupButton.h"
#include "toolkit/ui/dataaware/DBEdit.h"

class TRkBtnDBEdit : public TDBEdit {
    TK_CLASS_PUBLISHED(TRkBtnDBEdit, TDBEdit)
public:
    explicit TRkBtnDBEdit(TComponent* owner);
    ~TRkBtnDBEdit() override;

    TRkLookupButton* Button() const { return button_; }
    std::string ButtonHint() const;
    void SetButtonHint(const std::string& hint);

    void SetName(const std::string& name) override;
    void SetParent(TWinControl* parent) override;
    void SetBounds(int left, int top, int width, int height) override;

protected:
    void VisibleChanged() override;
    void EnabledChanged() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    TRkLookupButton* button_ = nullptr;
};
