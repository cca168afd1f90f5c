#include "toolkit/ui/CheckBox.h"

#include "toolkit/ui/Canvas.h"
#include "toolkit/ui/Hotkey.h"

void TCheckBox::Publish(TPublisher<TCheckBox>& p) {
    PublishStandardWin(p);
    p.Property("Alignment", &TCheckBox::Alignment, &TCheckBox::SetAlignment);
    p.Property("AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed);
    p.Property("Caption", &TCheckBox::Caption, &TCheckBox::SetCaption);
    p.Property("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked);
    p.Property("State", &TCheckBox::State, &TCheckBox::SetState);
}

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    SetBounds(0, 0, 97, 17);
    SetColor(clBtnFace);
    SetParentColor(true);
}

void TCustomCheckBox::SetState(TCheckBoxState state) {
    if (state == state_) return;
    state_ = state;
    Changed("Checked");
    Click();
}

void TCustomCheckBox::SetAlignment(TAlignment value) {
    if (value == alignment_) return;
    alignment_ = value;
    Changed("Alignment");
}

void TCustomCheckBox::Toggle() {
    switch (state_) {
        case cbUnchecked: SetState(cbChecked); break;
        case cbChecked: SetState(allowGrayed_ ? cbGrayed : cbUnchecked); break;
        case cbGrayed: SetState(cbUnchecked); break;
    }
}

void TCustomCheckBox::CharTyped(char32_t ch) {
    if (ch == U' ' && Enabled()) Toggle();
}

void TCustomCheckBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TWinControl::MouseUp(button, shift, x, y);
    if (button == mbLeft && Enabled() && Bounds(0, 0, Width(), Height()).Contains({x, y})) {
        if (CanFocus() && GetParentForm(this)) SetFocus();
        Toggle();
    }
}

namespace {
void PaintMark(TCanvas* canvas, const TRect& box, bool round, TCheckBoxState state) {
    canvas->Brush()->SetColor(clWindow);
    canvas->Pen()->SetColor(clBtnShadow);
    canvas->Rectangle(box);
    if (state == cbUnchecked) return;
    canvas->Pen()->SetColor(state == cbGrayed ? clGrayText : clWindowText);
    if (round) {
        canvas->Brush()->SetColor(state == cbGrayed ? clGrayText : clWindowText);
        canvas->FillRect(box.Inflate(-4, -4));
        return;
    }
    canvas->MoveTo(box.Left + 3, box.Top + box.Height() / 2);
    canvas->LineTo(box.Left + box.Width() / 2, box.Bottom - 3);
    canvas->LineTo(box.Right - 3, box.Top + 3);
}

void PaintCheckControl(TControl& control, TCanvas* canvas, bool round, TCheckBoxState state, TAlignment alignment) {
    int size = 13;
    TRect client = Bounds(0, 0, control.Width(), control.Height());
    canvas->FillRect(client);
    int top = (control.Height() - size) / 2;
    TRect box = alignment == taLeftJustify ? Bounds(control.Width() - size, top, size, size) : Bounds(0, top, size, size);
    TColor brush = canvas->Brush()->Color();
    PaintMark(canvas, box, round, state);
    canvas->Brush()->SetColor(brush);
    canvas->Brush()->SetStyle(bsClear);
    if (!control.Enabled()) canvas->Font()->SetColor(clGrayText);
    TRect text = alignment == taLeftJustify ? TRect{0, 0, control.Width() - size - 4, control.Height()}
                                            : TRect{size + 4, 0, control.Width(), control.Height()};
    canvas->TextRect(text, StripHotkey(control.Caption()), TTextFormat{tfLeft, tfVerticalCenter});
}
}  // namespace

void TCustomCheckBox::Paint() { PaintCheckControl(*this, Canvas(), false, state_, alignment_); }

void TRadioButton::Publish(TPublisher<TRadioButton>& p) {
    PublishStandardWin(p);
    p.Property("Alignment", &TRadioButton::Alignment, &TRadioButton::SetAlignment);
    p.Property("Caption", &TRadioButton::Caption, &TRadioButton::SetCaption);
    p.Property("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked);
}

TRadioButton::TRadioButton(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    SetBounds(0, 0, 113, 17);
    SetColor(clBtnFace);
    SetParentColor(true);
}

void TRadioButton::SetChecked(bool value) {
    if (value == checked_) return;
    checked_ = value;
    if (value && Parent()) {
        for (TControl* sibling : std::vector<TControl*>(Parent()->ControlList()))
            if (auto* radio = dynamic_cast<TRadioButton*>(sibling); radio && radio != this) radio->SetChecked(false);
    }
    Changed("Checked");
    if (value) Click();
}

void TRadioButton::SetAlignment(TAlignment value) {
    if (value == alignment_) return;
    alignment_ = value;
    Changed("Alignment");
}

void TRadioButton::CharTyped(char32_t ch) {
    if (ch == U' ' && Enabled()) SetChecked(true);
}

void TRadioButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TWinControl::MouseUp(button, shift, x, y);
    if (button == mbLeft && Enabled() && Bounds(0, 0, Width(), Height()).Contains({x, y})) {
        if (CanFocus() && GetParentForm(this)) SetFocus();
        SetChecked(true);
    }
}

void TRadioButton::Paint() { PaintCheckControl(*this, Canvas(), true, checked_ ? cbChecked : cbUnchecked, alignment_); }
