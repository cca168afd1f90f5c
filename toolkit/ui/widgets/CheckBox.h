#pragma once
// Check boxes and radio buttons. Changing the state, by code or by the user (Space, or the left
// mouse button released over the control), raises OnClick. Checking a radio button unchecks the
// other radio buttons of its parent.
#include "toolkit/ui/graphics/TextAlign.h"
#include "toolkit/ui/kernel/Controls.h"

enum TCheckBoxState {
    cbUnchecked,
    cbChecked,
    cbGrayed
};
TK_ENUM_TYPE(TCheckBoxState, "cbUnchecked", "cbChecked", "cbGrayed")

// What check boxes and radio buttons share: the side the caption stands on, the look, and Space or
// a left click as the user's way to press them.
class TCheckControl : public TWinControl {
public:
    // Which side of the box the caption is on.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);

    void CharTyped(char32_t ch) override;

protected:
    TCheckControl(TComponent* owner, int width);
    // What the user's press does.
    virtual void Press() = 0;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    // Paints the box (round for radio buttons) showing state, with the caption beside it.
    void PaintCheck(bool round, TCheckBoxState state);

private:
    TAlignment alignment_ = taRightJustify;
};

class TCustomCheckBox : public TCheckControl {
    TK_CLASS(TCustomCheckBox, TWinControl)
public:
    explicit TCustomCheckBox(TComponent* owner) : TCheckControl(owner, 97) {}

    bool Checked() const { return state_ == cbChecked; }
    void SetChecked(bool value) { SetState(value ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState state);
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool value) { allowGrayed_ = value; }

    // What a click does: unchecked, checked, then grayed when allowed.
    virtual void Toggle();

protected:
    void Press() override { Toggle(); }
    void Paint() override { PaintCheck(false, state_); }

private:
    TCheckBoxState state_ = cbUnchecked;
    bool allowGrayed_ = false;
};

class TCheckBox : public TCustomCheckBox {
    TK_CLASS_PUBLISHED(TCheckBox, TCustomCheckBox)
public:
    explicit TCheckBox(TComponent* owner) : TCustomCheckBox(owner) {}
};

class TRadioButton : public TCheckControl {
    TK_CLASS_PUBLISHED(TRadioButton, TWinControl)
public:
    explicit TRadioButton(TComponent* owner) : TCheckControl(owner, 113) {}

    bool Checked() const { return checked_; }
    void SetChecked(bool value);

protected:
    void Press() override { SetChecked(true); }
    void Paint() override { PaintCheck(true, checked_ ? cbChecked : cbUnchecked); }

private:
    bool checked_ = false;
};
