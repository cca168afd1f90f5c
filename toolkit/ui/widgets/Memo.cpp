#include "toolkit/ui/widgets/Memo.h"

#include "toolkit/rtl/ValueRollback.h"
#include "toolkit/ui/graphics/Canvas.h"

void TMemo::Publish(TPublisher<TMemo>& p) {
    PublishStandardWin(p);
    p.Property("Alignment", &TMemo::Alignment, &TMemo::SetAlignment);
    p.Property("Lines", &TMemo::Lines);
    p.Property("MaxLength", &TMemo::MaxLength, &TMemo::SetMaxLength);
    p.Property("ReadOnly", &TMemo::ReadOnly, &TMemo::SetReadOnly);
    p.Property("ScrollBars", &TMemo::ScrollBars, &TMemo::SetScrollBars);
    p.Property("WantReturns", &TMemo::WantReturns, &TMemo::SetWantReturns);
    p.Property("WantTabs", &TMemo::WantTabs, &TMemo::SetWantTabs);
    p.Property("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap);
    p.Property("OnChange", &TMemo::OnChange);
}

namespace {
std::string JoinLines(const TStrings& lines) {
    std::string text;
    for (int i = 0; i < lines.Count(); ++i) {
        if (i > 0) text += "\r\n";
        text += lines[i];
    }
    return text;
}
}  // namespace

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner), lines_(std::make_unique<TStringList>()) {
    SetBounds(0, 0, 185, 89);
    SetAutoSelect(false);
    lines_->OnChange = [this] {
        if (syncing_) return;
        TValueRollback syncing(syncing_, true);
        SetText(JoinLines(*lines_));
    };
}

void TCustomMemo::SetLines(TStrings* lines) {
    if (lines)
        lines_->Assign(*lines);
    else
        lines_->Clear();
}

void TCustomMemo::SetWordWrap(bool value) { SetProperty(wordWrap_, value, TPropertyId::WordWrap); }

void TCustomMemo::SetScrollBars(TScrollStyle value) { SetProperty(scrollBars_, value, TPropertyId::ScrollBars); }

void TCustomMemo::SetAlignment(TAlignment value) { SetProperty(alignment_, value, TPropertyId::Alignment); }

void TCustomMemo::TextChanged() {
    if (!syncing_) {
        syncing_ = true;
        lines_->SetText(Text());
        syncing_ = false;
    }
    TCustomEdit::TextChanged();
}

bool TCustomMemo::WantsKey(WORD key, TShiftState shift) const {
    if (key == VK_RETURN) return wantReturns_;
    if (key == VK_TAB) return wantTabs_ && !shift.Contains(ssCtrl);
    if (key == VK_ESCAPE) return false;
    return TCustomEdit::WantsKey(key, shift);
}

void TCustomMemo::CharTyped(char32_t ch) {
    if (ch == U'\r') {
        if (wantReturns_) ReplaceSelText("\r\n");
        return;
    }
    if (ch == U'\t') {
        if (wantTabs_) ReplaceSelText("\t");
        return;
    }
    TCustomEdit::CharTyped(ch);
}

void TCustomMemo::Paint() {
    TCanvas* canvas = Canvas();
    TRect client = PaintBox(*canvas);
    int lineHeight = canvas->TextHeight("Wg");
    for (int i = 0; i < lines_->Count(); ++i) {
        int y = 2 + i * lineHeight;
        if (y >= Height()) break;
        canvas->TextRect(client.Inflate(-2, -2), 2, y, (*lines_)[i]);
    }
}
