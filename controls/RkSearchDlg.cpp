#include "controls/RkSearchDlg.h"

#include "controls/RkSearch.h"
#include "toolkit/data/DataSet.h"
#include "toolkit/rtl/Format.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/dialogs/Dialogs.h"
#include "toolkit/ui/graphics/Canvas.h"
#include "toolkit/ui/grids/DBGrid.h"
#include "toolkit/ui/kernel/CreateControl.h"
#include "toolkit/ui/widgets/Button.h"
#include "toolkit/ui/widgets/CheckBox.h"
#include "toolkit/ui/widgets/ComboBox.h"
#include "toolkit/ui/widgets/GroupBox.h"
#include "toolkit/ui/widgets/Label.h"

namespace {}  // namespace

void TfrmSearchDlg::Publish(TPublisher<TfrmSearchDlg>& p) {
    p.Method("FormShow", &TfrmSearchDlg::FormShow);
    p.Method("FormActivate", &TfrmSearchDlg::FormActivate);
    p.Method("cbbTextKeyDown", &TfrmSearchDlg::cbbTextKeyDown);
    p.Method("cbbFieldsChange", &TfrmSearchDlg::cbbFieldsChange);
    p.Method("cbbFieldsDrawItem", &TfrmSearchDlg::cbbFieldsDrawItem);
    p.Method("rbBeginningClick", &TfrmSearchDlg::rbBeginningClick);
    p.Method("btnNextClick", &TfrmSearchDlg::btnNextClick);
    p.Method("btnCloseClick", &TfrmSearchDlg::btnCloseClick);
}

TfrmSearchDlg::TfrmSearchDlg(TComponent* owner) : TForm(owner) {
    SetName("frmSearchDlg");
    SetBorderStyle(bsDialog);
    SetFormStyle(fsStayOnTop);
    SetPosition(poDesktopCenter);
    SetBounds(0, 0, 470, 236);

    lblSearchText = CreateControl<TLabel>(this, this, "lblSearchText", 10, 14, 86, 16);
    cbbText = CreateControl<TComboBox>(this, this, "cbbText", 100, 10, 256, 22);
    cbbText->SetStyle(csSimple);
    lblSearchText->SetFocusControl(cbbText);
    grpFields = CreateControl<TGroupBox>(this, this, "grpFields", 8, 40, 348, 52);
    cbbFields = CreateControl<TComboBox>(this, grpFields, "cbbFields", 10, 20, 328, 22);
    cbbFields->SetStyle(csOwnerDrawFixed);
    grpOptions = CreateControl<TGroupBox>(this, this, "grpOptions", 8, 98, 170, 64);
    chkCase = CreateControl<TCheckBox>(this, grpOptions, "chkCase", 10, 18, 152, 18);
    chkWholeWords = CreateControl<TCheckBox>(this, grpOptions, "chkWholeWords", 10, 40, 152, 18);
    grpDirection = CreateControl<TGroupBox>(this, this, "grpDirection", 186, 98, 170, 64);
    rbForward = CreateControl<TRadioButton>(this, grpDirection, "rbForward", 10, 18, 152, 18);
    rbBackward = CreateControl<TRadioButton>(this, grpDirection, "rbBackward", 10, 40, 152, 18);
    grpOrigin = CreateControl<TGroupBox>(this, this, "grpOrigin", 8, 168, 348, 44);
    rbCursor = CreateControl<TRadioButton>(this, grpOrigin, "rbCursor", 10, 18, 160, 18);
    rbBeginning = CreateControl<TRadioButton>(this, grpOrigin, "rbBeginning", 176, 18, 164, 18);
    btnNext = CreateControl<TButton>(this, this, "btnNext", 366, 10, 90, 25);
    btnNext->SetDefault(true);
    btnClose = CreateControl<TButton>(this, this, "btnClose", 366, 42, 90, 25);
    btnClose->SetCancel(true);

    // The captions a dialog without texts of its own shows.
    TRkUserDialogInfo texts;
    SetCaption("Search text");
    lblSearchText->SetCaption(texts.LblSearchText);
    grpFields->SetCaption(texts.GrpFields);
    grpOptions->SetCaption(texts.GrpOptions);
    chkCase->SetCaption(texts.ChkCaseSentitive);
    chkWholeWords->SetCaption(texts.ChkWholeWords);
    grpDirection->SetCaption(texts.GrpDirection);
    rbForward->SetCaption(texts.RbForward);
    rbBackward->SetCaption(texts.RbBackward);
    grpOrigin->SetCaption(texts.GrpOrigin);
    rbCursor->SetCaption(texts.RbFromCursor);
    rbBeginning->SetCaption(texts.RbFromBeginning);
    btnNext->SetCaption(texts.BtnNext);
    btnClose->SetCaption(texts.BtnClose);

    OnShow = [this](TObject* s) { FormShow(s); };
    OnActivate = [this](TObject* s) { FormActivate(s); };
    cbbText->OnKeyDown = [this](TObject* s, WORD& key, TShiftState shift) { cbbTextKeyDown(s, key, shift); };
    cbbFields->OnChange = [this](TObject* s) { cbbFieldsChange(s); };
    cbbFields->OnDrawItem = [this](TWinControl* c, int i, TRect r, TOwnerDrawState st) { cbbFieldsDrawItem(c, i, r, st); };
    rbBeginning->OnClick = [this](TObject* s) { rbBeginningClick(s); };
    rbCursor->OnClick = [this](TObject* s) { rbBeginningClick(s); };
    btnNext->OnClick = [this](TObject* s) { btnNextClick(s); };
    btnClose->OnClick = [this](TObject* s) { btnCloseClick(s); };
}

std::string TfrmSearchDlg::SelectedFieldName() const {
    int index = cbbFields->ItemIndex();
    return index >= 0 && index < static_cast<int>(FieldNames.size()) ? FieldNames[index] : std::string();
}

void TfrmSearchDlg::ApplyUserIntl() {
    TRkUserIntl* intl = Dialog ? Dialog->UserIntl() : nullptr;
    if (!intl) return;
    SetFont(intl->DialogFont());
    const TRkUserDialogInfo& texts = *intl->UserDialogInfo();
    btnClose->SetCaption(texts.BtnClose);
    btnNext->SetCaption(texts.BtnNext);
    chkCase->SetCaption(texts.ChkCaseSentitive);
    chkWholeWords->SetCaption(texts.ChkWholeWords);
    grpDirection->SetCaption(texts.GrpDirection);
    grpFields->SetCaption(texts.GrpFields);
    grpOptions->SetCaption(texts.GrpOptions);
    grpOrigin->SetCaption(texts.GrpOrigin);
    lblSearchText->SetCaption(texts.LblSearchText);
    rbBackward->SetCaption(texts.RbBackward);
    rbForward->SetCaption(texts.RbForward);
    rbCursor->SetCaption(texts.RbFromCursor);
    rbBeginning->SetCaption(texts.RbFromBeginning);
}

void TfrmSearchDlg::FormShow(TObject* Sender) {
    ApplyUserIntl();
    cbbFields->SetItemHeight(cbbFields->Canvas()->TextHeight("A") + 2);
    if (Dialog && Dialog->OnInitDialog) Dialog->OnInitDialog(this);
}

void TfrmSearchDlg::FormActivate(TObject* Sender) {
    if (cbbText->CanFocus()) cbbText->SetFocus();
}

void TfrmSearchDlg::cbbTextKeyDown(TObject* Sender, WORD& Key, TShiftState Shift) {
    if (Key == VK_ESCAPE) {
        Key = 0;
        btnClose->Click();
    } else if (Key == VK_RETURN) {
        Key = 0;
        btnNext->Click();
    }
}

void TfrmSearchDlg::cbbFieldsChange(TObject* Sender) {
    int index = cbbFields->ItemIndex();
    if (!Dialog || !Dialog->OnSelectField || index < 0) return;
    Dialog->OnSelectField(this, SelectedFieldName(), cbbFields->Items()->Strings(index));
}

void TfrmSearchDlg::cbbFieldsDrawItem(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State) {
    TCanvas* canvas = cbbFields->Canvas();
    FillItemBackground(*canvas, Rect, State);
    canvas->TextRect(Rect, Rect.Left + 2, Rect.Top + 1, cbbFields->Items()->Strings(Index));
}

void TfrmSearchDlg::rbBeginningClick(TObject* Sender) {
    // Exactly one origin stays chosen.
    if (Sender == rbBeginning)
        rbCursor->SetChecked(!rbBeginning->Checked());
    else if (Sender == rbCursor)
        rbBeginning->SetChecked(!rbCursor->Checked());
}

void TfrmSearchDlg::btnNextClick(TObject* Sender) {
    if (!Dialog) return;
    try {
        if (Dialog->BeforeSearch) Dialog->BeforeSearch(this);
    } catch (const EAbort&) {
        return;  // the handler told the user already
    }
    const std::string text = cbbText->Text();
    if (Dialog->ShowMessages && text.empty()) {
        MessageDlg(Dialog->Messages().SearchedTextBlank, mtError, {mbOK});
        if (cbbText->CanFocus()) cbbText->SetFocus();
        return;
    }
    TDataSet* dataSet = Grid ? Grid->DataSet() : nullptr;
    if (!dataSet || !dataSet->Active()) throw ESearchError(TRkUserMessages::DataSourceInactive);
    const std::string field = SelectedFieldName();
    const bool backward = rbBackward->Checked();
    const bool whole = chkWholeWords->Checked();
    const bool matchCase = chkCase->Checked();
    if (rbBeginning->Checked()) {
        bool found = FindText(Grid, field, text, true, backward, whole, matchCase);
        rbCursor->SetChecked(true);
        if (found) return;
    }
    bool found = FindText(Grid, field, text, false, backward, whole, matchCase);
    if (Dialog->AfterSearch) Dialog->AfterSearch(this, found);
    if (!found && Dialog->ShowMessages)
        MessageDlg(Format(Dialog->Messages().SearchedTextNotFound, {text}), mtInformation, {mbOK});
}

void TfrmSearchDlg::btnCloseClick(TObject* Sender) { Close(); }
