#include "toolkit/ui/widgets/Button.h"

#include "toolkit/ui/graphics/Canvas.h"
#include "toolkit/ui/kernel/Forms.h"
#include "toolkit/ui/kernel/Hotkey.h"
#include "toolkit/ui/kernel/MouseClick.h"

void TButton::Publish(TPublisher<TButton>& p) {
    PublishStandardWin(p);
    p.Property("Caption", &TButton::Caption, &TButton::SetCaption);
    p.Property("Cancel", &TButton::Cancel, &TButton::SetCancel);
    p.Property("Default", &TButton::Default, &TButton::SetDefault);
    p.Property("ModalResult", &TButton::ModalResult, &TButton::SetModalResult);
}

TButton::TButton(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    SetColor(clBtnFace);
    SetBounds(0, 0, 75, 25);
}

void TButton::SetDefault(bool value) { SetProperty(default_, value, TPropertyId::Default); }

void TButton::Click() {
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
    TWinControl::Click();
}

bool TButton::DialogKey(WORD key, TShiftState shift) {
    if (shift.Contains(ssAlt) && !shift.Contains(ssCtrl) && CanFocus() && IsAccel(key, Caption())) {
        SetFocus();
        Click();
        return true;
    }
    if (!shift.Empty() || !CanFocus()) return false;
    bool press = false;
    if (key == VK_RETURN) {
        TCustomForm* form = GetParentForm(this);
        TWinControl* focused = form ? form->ActiveControl() : nullptr;
        press = dynamic_cast<TButton*>(focused) ? focused == this : default_;
    } else if (key == VK_ESCAPE) {
        press = cancel_;
    }
    if (press) Click();
    return press;
}

void TButton::CharTyped(char32_t ch) {
    if (ch == U' ') Click();
}

void TButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TWinControl::MouseUp(button, shift, x, y);
    if (ClickOnRelease(*this, button, x, y)) Click();
}

void TButton::Paint() {
    TCanvas* canvas = Canvas();
    TRect client = Bounds(0, 0, Width(), Height());
    canvas->FillRect(client);
    canvas->Brush()->SetColor(default_ ? clWindowFrame : clBtnShadow);
    canvas->FrameRect(client);
    canvas->Brush()->SetStyle(bsClear);
    if (!Enabled()) canvas->Font()->SetColor(clGrayText);
    canvas->TextRect(client, StripHotkey(Caption()), TTextFormat{tfCenter, tfVerticalCenter});
}
