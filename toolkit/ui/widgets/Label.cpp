#include "toolkit/ui/widgets/Label.h"

#include "toolkit/rtl/ChangeValue.h"
#include "toolkit/ui/graphics/Canvas.h"
#include "toolkit/ui/kernel/Hotkey.h"

void TLabel::Publish(TPublisher<TLabel>& p) {
    PublishStandard(p);
    p.Property("Alignment", &TLabel::Alignment, &TLabel::SetAlignment);
    p.Property("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize);
    p.Property("Caption", &TLabel::Caption, &TLabel::SetCaption);
    p.Property("FocusControl", &TLabel::FocusControl, &TLabel::SetFocusControl);
    p.Property("Layout", &TLabel::Layout, &TLabel::SetLayout);
    p.Property("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar);
    p.Property("Transparent", &TLabel::Transparent, &TLabel::SetTransparent);
    p.Property("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap);
}

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 65, 17);
    SetColor(clBtnFace);
    SetParentColor(true);
}

void TCustomLabel::SetAlignment(TAlignment value) { SetProperty(alignment_, value, TPropertyId::Alignment); }

void TCustomLabel::SetLayout(TTextLayout value) { SetProperty(layout_, value, TPropertyId::Layout); }

void TCustomLabel::SetAutoSize(bool value) {
    if (ChangeValue(autoSize_, value)) AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool value) { SetProperty(wordWrap_, value, TPropertyId::WordWrap); }

void TCustomLabel::SetTransparent(bool value) { SetProperty(transparent_, value, TPropertyId::Transparent); }

void TCustomLabel::SetShowAccelChar(bool value) {
    if (value == showAccelChar_) return;
    showAccelChar_ = value;
    AdjustBounds();
    Changed(TPropertyId::Caption);
}

void TCustomLabel::SetFocusControl(TWinControl* control) {
    if (control == focusControl_) return;
    if (focusControl_) focusControl_->RemoveFreeNotification(this);
    focusControl_ = control;
    if (control) control->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == focusControl_) focusControl_ = nullptr;
}

bool TCustomLabel::DialogKey(WORD key, TShiftState shift) {
    if (!shift.Contains(ssAlt) || !showAccelChar_ || !focusControl_ || !IsAccel(key, Caption())) return false;
    if (!Visible() || !focusControl_->CanFocus()) return false;
    focusControl_->SetFocus();
    return true;
}

std::string TCustomLabel::DisplayCaption() const { return showAccelChar_ ? StripHotkey(Caption()) : Caption(); }

void TCustomLabel::TextChanged() {
    TGraphicControl::TextChanged();
    AdjustBounds();
}

void TCustomLabel::FontChanged() {
    TGraphicControl::FontChanged();
    AdjustBounds();
}

void TCustomLabel::AdjustBounds() {
    if (!autoSize_ || wordWrap_) return;
    TSize size = Canvas()->TextExtent(DisplayCaption());
    int left = Left();
    if (alignment_ == taRightJustify)
        left = Left() + Width() - size.cx;
    else if (alignment_ == taCenter)
        left = Left() + (Width() - size.cx) / 2;
    SetBounds(left, Top(), size.cx, size.cy);
}

void TCustomLabel::Paint() {
    TCanvas* canvas = Canvas();
    TRect client = Bounds(0, 0, Width(), Height());
    if (!transparent_) canvas->FillRect(client);
    canvas->Brush()->SetStyle(bsClear);
    TTextFormat format;
    format.Include(alignment_ == taRightJustify ? tfRight : alignment_ == taCenter ? tfCenter : tfLeft);
    format.Include(layout_ == tlBottom ? tfBottom : layout_ == tlCenter ? tfVerticalCenter : tfTop);
    if (!Enabled()) canvas->Font()->SetColor(clGrayText);
    canvas->TextRect(client, DisplayCaption(), format);
}
