#include "toolkit/ui/widgets/CheckBox.h"

#include "toolkit/ui/graphics/Canvas.h"
#include "toolkit/ui/kernel/Hotkey.h"
#include "toolkit/ui/kernel/MouseClick.h"

void TCheckBox::Publish(TPublisher<TCheckBox>& p) {
    PublishStandardWin(p);
    p.Property("Alignment", &TCheckBox::Alignment, &TCheckBox::SetAlignment);
    p.Property("AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed);
    p.Property("Caption", &TCheckBox::Caption, &TCheckBox::SetCaption);
    p.Property("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked);
    p.Property("State", &TCheckBox::State, &TCheckBox::SetState);
}

TCheckControl::TCheckControl(TComponent* owner, int width) : TWinControl(owner) {
    SetTabStop(true);
    SetBounds(0, 0, width, 17);
    SetColor(clBtnFace);
    SetParentColor(true);
}

void TCheckControl::SetAlignment(TAlignment value) { SetProperty(alignment_, value, TPropertyId::Alignment); }

void TCheckControl::CharTyped(char32_t ch) {
    if (ch == U' ' && Enabled()) Press();
}

void TCheckControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TWinControl::MouseUp(button, shift, x, y);
    if (ClickOnRelease(*this, button, x, y)) Press();
}

void TCustomCheckBox::SetState(TCheckBoxState state) {
    if (SetProperty(state_, state, TPropertyId::Checked)) Click();
}

void TCustomCheckBox::Toggle() {
    switch (state_) {
        case cbUnchecked: SetState(cbChecked); break;
        case cbChecked: SetState(allowGrayed_ ? cbGrayed : cbUnchecked); break;
        case cbGrayed: SetState(cbUnchecked); break;
    }
}

namespace {
void PaintMark(TCanvas* canvas, const TRect& box, bool round, TCheckBoxState state) {
    canvas->Brush()->SetColor(clWindow);
    canvas->Pen()->SetColor(clBtnShadow);
    // A radio button's mark is round, a check box's square.
    if (round)
        canvas->Ellipse(box);
    else
        canvas->Rectangle(box);
    if (state == cbUnchecked) return;
    canvas->Pen()->SetColor(state == cbGrayed ? clGrayText : clWindowText);
    if (round) {
        canvas->Brush()->SetColor(state == cbGrayed ? clGrayText : clWindowText);
        canvas->Ellipse(box.Inflate(-4, -4));
        return;
    }
    canvas->MoveTo(box.Left + 3, box.Top + box.Height() / 2);
    canvas->LineTo(box.Left + box.Width() / 2, box.Bottom - 3);
    canvas->LineTo(box.Right - 3, box.Top + 3);
}
}  // namespace

void TCheckControl::PaintCheck(bool round, TCheckBoxState state) {
    TCanvas* canvas = Canvas();
    const int size = 13;
    canvas->FillRect(Bounds(0, 0, Width(), Height()));
    int top = (Height() - size) / 2;
    TRect box = alignment_ == taLeftJustify ? Bounds(Width() - size, top, size, size) : Bounds(0, top, size, size);
    TColor brush = canvas->Brush()->Color();
    PaintMark(canvas, box, round, state);
    canvas->Brush()->SetColor(brush);
    canvas->Brush()->SetStyle(bsClear);
    if (!Enabled()) canvas->Font()->SetColor(clGrayText);
    TRect text = alignment_ == taLeftJustify ? TRect{0, 0, Width() - size - 4, Height()} : TRect{size + 4, 0, Width(), Height()};
    canvas->TextRect(text, StripHotkey(Caption()), TTextFormat{tfLeft, tfVerticalCenter});
}

void TRadioButton::Publish(TPublisher<TRadioButton>& p) {
    PublishStandardWin(p);
    p.Property("Alignment", &TRadioButton::Alignment, &TRadioButton::SetAlignment);
    p.Property("Caption", &TRadioButton::Caption, &TRadioButton::SetCaption);
    p.Property("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked);
}

void TRadioButton::SetChecked(bool value) {
    if (value == checked_) return;
    checked_ = value;
    if (value && Parent()) {
        for (TControl* sibling : std::vector<TControl*>(Parent()->ControlList()))
            if (auto* radio = dynamic_cast<TRadioButton*>(sibling); radio && radio != this) radio->SetChecked(false);
    }
    Changed(TPropertyId::Checked);
    if (value) Click();
}
