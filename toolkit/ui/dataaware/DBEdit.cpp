#include "toolkit/ui/dataaware/DBEdit.h"

namespace {
template <class P, class C>
void PublishDataText(P& p) {
    p.Property("DataField", &C::DataField, &C::SetDataField);
    p.Property("DataSource", &C::DataSource, &C::SetDataSource);
    p.Property("AutoSelect", &C::AutoSelect, &C::SetAutoSelect);
    p.Property("CharCase", &C::CharCase, &C::SetCharCase);
    p.Property("MaxLength", &C::MaxLength, &C::SetMaxLength);
    p.Property("ReadOnly", &C::ReadOnly, &C::SetReadOnly);
    p.Property("OnChange", &C::OnChange);
}
}  // namespace

void TDBEdit::Publish(TPublisher<TDBEdit>& p) {
    PublishStandardWin(p);
    PublishDataText<TPublisher<TDBEdit>, TDBEdit>(p);
    p.Property("PasswordChar", &TDBEdit::PasswordChar, &TDBEdit::SetPasswordChar);
    p.Property("Text", &TDBEdit::Text);
}

void TDBMemo::Publish(TPublisher<TDBMemo>& p) {
    PublishStandardWin(p);
    PublishDataText<TPublisher<TDBMemo>, TDBMemo>(p);
    p.Property("Alignment", &TDBMemo::Alignment, &TDBMemo::SetAlignment);
    p.Property("Lines", &TDBMemo::Lines);
    p.Property("ScrollBars", &TDBMemo::ScrollBars, &TDBMemo::SetScrollBars);
    p.Property("WantReturns", &TDBMemo::WantReturns, &TDBMemo::SetWantReturns);
    p.Property("WantTabs", &TDBMemo::WantTabs, &TDBMemo::SetWantTabs);
    p.Property("WordWrap", &TDBMemo::WordWrap, &TDBMemo::SetWordWrap);
}
