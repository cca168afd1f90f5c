#include "toolkit/ui/widgets/MaskEdit.h"

#include "toolkit/rtl/ValueRollback.h"
#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/widgets/MaskedEditing.h"

void TMaskEdit::Publish(TPublisher<TMaskEdit>& p) {
    PublishStandardWin(p);
    p.Property("AutoSelect", &TMaskEdit::AutoSelect, &TMaskEdit::SetAutoSelect);
    p.Property("CharCase", &TMaskEdit::CharCase, &TMaskEdit::SetCharCase);
    p.Property("EditMask", &TMaskEdit::EditMask, &TMaskEdit::SetEditMask);
    p.Property("MaxLength", &TMaskEdit::MaxLength, &TMaskEdit::SetMaxLength);
    p.Property("ReadOnly", &TMaskEdit::ReadOnly, &TMaskEdit::SetReadOnly);
    p.Property("Text", &TMaskEdit::Text, &TMaskEdit::SetText);
    p.Property("OnChange", &TMaskEdit::OnChange);
}

void TCustomMaskEdit::SetEditMask(const std::string& value) {
    if (value == editMask_) return;
    const std::string value0 = UnmaskedText();
    editMask_ = value;
    mask_ = TEditMask(value);
    Changed(TPropertyId::EditMask);
    if (!unmasked_) SetText(MaskedEditText(mask_, value0));
}

std::string TCustomMaskEdit::UnmaskedText() const {
    if (!IsMasked() || unmasked_) return Text();
    return mask_.Unformat(Text());
}

void TCustomMaskEdit::ShowUnmasked(const std::string& text) {
    unmasked_ = true;
    TValueRollback showing(showingUnmasked_, true);
    SetText(text);
}

void TCustomMaskEdit::TextChanged() {
    if (!showingUnmasked_) unmasked_ = false;
    if (IsMasked() && !unmasked_) {
        std::string shaped = MaskedEditText(mask_, Text());
        if (shaped != Text()) {
            SetText(shaped);  // comes back here once with the shaped text
            return;
        }
    }
    TCustomEdit::TextChanged();
}

bool TCustomMaskEdit::ReplaceSelText(const std::string& text) {
    if (!IsMasked()) return TCustomEdit::ReplaceSelText(text);
    if (!EditCanModify()) {
        Application->MessageBeep();
        return false;
    }
    if (unmasked_) {
        unmasked_ = false;
        SetText(MaskedEditText(mask_, Text()));
    }
    std::string result = Text();
    TTextSelection sel = sel_;
    const bool fitted = MaskedInsert(mask_, result, sel, text);
    if (!fitted) Application->MessageBeep();
    if (result == Text() && sel.Start == sel_.Start && sel.Length == sel_.Length) return false;
    sel_ = sel;
    if (result != Text())
        UserEdit(result);
    else
        Changed(TPropertyId::Selection);
    return fitted;
}

void TCustomMaskEdit::BackspaceKey() {
    if (!IsMasked()) return TCustomEdit::BackspaceKey();
    if (!EditCanModify()) {
        Application->MessageBeep();
        return;
    }
    std::string result = Text();
    TTextSelection sel = sel_;
    MaskedBackspace(mask_, result, sel);
    sel_ = sel;
    if (result != Text())
        UserEdit(result);
    else
        Changed(TPropertyId::Selection);
}

void TCustomMaskEdit::DeleteKey() {
    if (!IsMasked()) return TCustomEdit::DeleteKey();
    if (!EditCanModify()) {
        Application->MessageBeep();
        return;
    }
    std::string result = Text();
    TTextSelection sel = sel_;
    MaskedDelete(mask_, result, sel);
    sel_ = sel;
    if (result != Text()) UserEdit(result);
}

void TCustomMaskEdit::ValidateEdit() {
    if (!IsMasked() || unmasked_ || !Modified() || MaskedTextIsBlank(mask_, Text())) return;
    const int bad = mask_.FirstInvalidPosition(Text());
    if (bad < 0) return;
    sel_ = {bad, 0};
    Changed(TPropertyId::Selection);
    throw EMaskEditError("Invalid input value.  Use escape key to abandon changes");
}

void TCustomMaskEdit::DoEnter() {
    if (unmasked_) {
        unmasked_ = false;
        SetText(MaskedEditText(mask_, Text()));
    }
    TCustomEdit::DoEnter();
}

void TCustomMaskEdit::DoExit() {
    ValidateEdit();
    TCustomEdit::DoExit();
}
