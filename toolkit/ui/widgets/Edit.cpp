#include "toolkit/ui/widgets/Edit.h"

#include "toolkit/rtl/SysUtils.h"
#include "toolkit/rtl/ValueRollback.h"
#include "toolkit/ui/graphics/Canvas.h"
#include "toolkit/ui/kernel/Application.h"

void TEdit::Publish(TPublisher<TEdit>& p) {
    PublishStandardWin(p);
    p.Property("AutoSelect", &TEdit::AutoSelect, &TEdit::SetAutoSelect);
    p.Property("CharCase", &TEdit::CharCase, &TEdit::SetCharCase);
    p.Property("MaxLength", &TEdit::MaxLength, &TEdit::SetMaxLength);
    p.Property("PasswordChar", &TEdit::PasswordChar, &TEdit::SetPasswordChar);
    p.Property("ReadOnly", &TEdit::ReadOnly, &TEdit::SetReadOnly);
    p.Property("Text", &TEdit::Text, &TEdit::SetText);
    p.Property("OnChange", &TEdit::OnChange);
}

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    SetBounds(0, 0, 121, 21);
    SetCursor(crIBeam);
}

void TCustomEdit::SetMaxLength(int value) { maxLength_ = std::max(value, 0); }

void TCustomEdit::SetReadOnly(bool value) { SetProperty(readOnly_, value, TPropertyId::ReadOnly); }

void TCustomEdit::SetCharCase(TEditCharCase value) {
    if (value == charCase_) return;
    charCase_ = value;
    SetText(ApplyCharCase(Text()));
    Changed(TPropertyId::CharCase);
}

void TCustomEdit::SetPasswordChar(const std::string& value) { SetProperty(passwordChar_, value, TPropertyId::PasswordChar); }

std::string TCustomEdit::ApplyCharCase(const std::string& text) const {
    switch (charCase_) {
        case ecUpperCase: return UpperCase(text);
        case ecLowerCase: return LowerCase(text);
        default: return text;
    }
}

void TCustomEdit::SetSelStart(int value) {
    sel_.Start = value;
    sel_.Length = 0;
    ClampSelection(Text(), sel_);
    Changed(TPropertyId::Selection);
}

void TCustomEdit::SetSelLength(int value) {
    sel_.Length = value;
    ClampSelection(Text(), sel_);
    Changed(TPropertyId::Selection);
}

void TCustomEdit::SetSelText(const std::string& text) {
    TTextSelection sel = sel_;
    std::string result = ReplaceSelection(Text(), sel, text);
    sel_ = sel;
    UserEdit(result);
}

void TCustomEdit::SelectAll() {
    sel_ = {0, static_cast<int>(Utf8Length(Text()))};
    Changed(TPropertyId::Selection);
}

void TCustomEdit::ClearSelection() { SetSelText(""); }

std::string TCustomEdit::DisplayText() const {
    if (passwordChar_.empty()) return Text();
    return DupeString(passwordChar_, static_cast<int>(Utf8Length(Text())));
}

bool TCustomEdit::EditCanModify() { return !readOnly_; }

void TCustomEdit::Change() {
    if (OnChange) OnChange(this);
}

void TCustomEdit::TextChanged() {
    std::string cased = ApplyCharCase(Text());
    if (cased != Text()) {
        SetText(cased);  // comes back here once with the converted text
        return;
    }
    if (!userEditing_) {
        // Text set by code: caret at the start, nothing modified.
        sel_ = {};
        modified_ = false;
    }
    TWinControl::TextChanged();
    Change();
}

void TCustomEdit::UserEdit(const std::string& text) {
    // The caller has placed the caret; the text change must not move it.
    TTextSelection sel = sel_;
    {
        TValueRollback modified(modified_, true);
        TValueRollback editing(userEditing_, true);
        SetText(text);
        modified.Dismiss();
    }
    sel_ = sel;
    ClampSelection(Text(), sel_);
    Changed(TPropertyId::Selection);
}

bool TCustomEdit::ReplaceSelText(const std::string& text) {
    if (!EditCanModify()) {
        Application->MessageBeep();
        return false;
    }
    std::string typed = ApplyCharCase(text);
    TTextSelection sel = sel_;
    ClampSelection(Text(), sel);
    if (maxLength_ > 0) {
        std::size_t after = Utf8Length(Text()) - static_cast<std::size_t>(sel.Length) + Utf8Length(typed);
        if (after > static_cast<std::size_t>(maxLength_)) {
            Application->MessageBeep();
            return false;
        }
    }
    std::string result = ReplaceSelection(Text(), sel, typed);
    sel_ = sel;
    UserEdit(result);
    return true;
}

bool TCustomEdit::WantsKey(WORD key, TShiftState shift) const {
    return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
}

void TCustomEdit::CharTyped(char32_t ch) {
    if (ch == 0x08) {
        BackspaceKey();
        return;
    }
    if (ch < 0x20 || ch == 0x7F) return;  // Enter, Escape, Tab and control characters type nothing
    ReplaceSelText(CharToUtf8(ch));
}

void TCustomEdit::BackspaceKey() {
    if (!EditCanModify()) {
        Application->MessageBeep();
        return;
    }
    TTextSelection sel = sel_;
    std::string result = BackspaceText(Text(), sel);
    sel_ = sel;
    if (result != Text()) UserEdit(result);
}

void TCustomEdit::DeleteKey() {
    if (!EditCanModify()) {
        Application->MessageBeep();
        return;
    }
    TTextSelection sel = sel_;
    std::string result = DeleteText(Text(), sel);
    sel_ = sel;
    if (result != Text()) UserEdit(result);
}

void TCustomEdit::KeyDown(WORD& key, TShiftState shift) {
    TWinControl::KeyDown(key, shift);
    if (key == 0) return;
    if (key == VK_DELETE && shift.Empty()) {
        DeleteKey();
        return;
    }
    if (MoveCaret(Text(), sel_, key, shift)) Changed(TPropertyId::Selection);
}

void TCustomEdit::DoEnter() {
    if (autoSelect_) SelectAll();
    TWinControl::DoEnter();
}

TRect TCustomEdit::PaintBox(TCanvas& canvas) {
    TRect client = Bounds(0, 0, Width(), Height());
    canvas.FillRect(client);
    canvas.Brush()->SetColor(clBtnShadow);
    canvas.FrameRect(client);
    canvas.Brush()->SetStyle(bsClear);
    if (!Enabled()) canvas.Font()->SetColor(clGrayText);
    return client;
}

void TCustomEdit::Paint() {
    TCanvas* canvas = Canvas();
    TRect client = PaintBox(*canvas);
    canvas->TextRect(client.Inflate(-2, -1), DisplayText(), TTextFormat{tfLeft, tfVerticalCenter});
}
