#pragma once
// Check boxes and radio buttons. Changing the state, by code or by the user (Space, or the left
// mouse button released over the control), raises OnClick. Checking a radio button unchecks the
// other radio buttons of its parent.
#include "toolkit/ui/Controls.h"
#include "toolkit/ui/TextAlign.h"

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
TK_ENUM_TYPE(TCheckBoxState, "cbUnchecked", "cbChecked", "cbGrayed")

class TCustomCheckBox : public TWinControl {
    TK_CLASS(TCustomCheckBox, TWinControl)
public:
    explicit TCustomCheckBox(TComponent* owner);

    bool Checked() const { return state_ == cbChecked; }
    void SetChecked(bool value) { SetState(value ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState state);
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool value) { allowGrayed_ = value; }
    // Which side of the box the caption is on.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);

    // What a click does: unchecked, checked, then grayed when allowed.
    virtual void Toggle();
    void CharTyped(char32_t ch) override;

protected:
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Paint() override;

private:
    TCheckBoxState state_ = cbUnchecked;
    bool allowGrayed_ = false;
    TAlignment alignment_ = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
    TK_CLASS_PUBLISHED(TCheckBox, TCustomCheckBox)
public:
    explicit TCheckBox(TComponent* owner) : TCustomCheckBox(owner) {}
};

class TRadioButton : public TWinControl {
    TK_CLASS_PUBLISHED(TRadioButton, TWinControl)
public:
    explicit TRadioButton(TComponent* owner);

    bool Checked() const { return checked_; }
    void SetChecked(bool value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);

    void CharTyped(char32_t ch) override;

protected:
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Paint() override;

private:
    bool checked_ = false;
    TAlignment alignment_ = taRightJustify;
};
