#include "dialogs/RkCopy.h"

#include <algorithm>

#include "controls/RkLookupButton.h"
#include "framework/forms/RadicalForm.h"
#include "toolkit/data/ClientDataSet.h"
#include "toolkit/data/DataSource.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/dataaware/DBEdit.h"
#include "toolkit/ui/dialogs/Dialogs.h"
#include "toolkit/ui/kernel/CreateControl.h"
#include "toolkit/ui/kernel/Keys.h"
#include "toolkit/ui/widgets/Edit.h"
#include "toolkit/ui/widgets/GlyphButton.h"
#include "toolkit/ui/widgets/GroupBox.h"
#include "toolkit/ui/widgets/Label.h"
#include "toolkit/ui/widgets/PageControl.h"

namespace {

constexpr int kRowHeight = 26;
constexpr const char* kNotBlank = " 不可空白 !";

TBitBtn* Button(TfrmCopy* form, const std::string& name, const std::string& caption, int left, int top) {
    auto* button = CreateControl<TBitBtn>(form, form, name, left, top, 90, 25);
    button->SetCaption(caption);
    return button;
}

}  // namespace

void TfrmCopy::Publish(TPublisher<TfrmCopy>& p) {
    p.Property("AllowEmpty", &TfrmCopy::AllowEmpty);
    p.Method("BBOKClick", &TfrmCopy::BBOKClick);
    p.Method("BBPriorClick", &TfrmCopy::BBPriorClick);
    p.Method("FormCloseQuery", &TfrmCopy::FormCloseQuery);
    p.Method("FormKeyDown", &TfrmCopy::FormKeyDown);
}

TfrmCopy::TfrmCopy(TComponent* owner) : TRKForm(owner) {
    SetName("frmCopy");
    SetCaption("复制");
    SetBorderStyle(bsDialog);
    SetPosition(poOwnerFormCenter);
    const int groupHeight = kCopyKeyFields * kRowHeight + 28;
    SetBounds(0, 0, 396, groupHeight + 96);

    pgCopy = CreateControl<TPageControl>(this, this, "pgCopy", 4, 4, 380, groupHeight + 16);
    tbsSource = CreateComponent<TTabSheet>(this);
    tbsSource->SetName("tbsSource");
    tbsSource->SetPageControl(pgCopy);
    tbsSource->SetTabVisible(false);
    tbsDest = CreateComponent<TTabSheet>(this);
    tbsDest->SetName("tbsDest");
    tbsDest->SetPageControl(pgCopy);
    tbsDest->SetTabVisible(false);

    gbSource = CreateControl<TGroupBox>(this, tbsSource, "gbSource", 4, 4, 364, groupHeight);
    gbSource->SetCaption("来源");
    gbDest = CreateControl<TGroupBox>(this, tbsDest, "gbDest", 4, 4, 364, groupHeight);
    gbDest->SetCaption("目的");
    for (int i = 0; i < kCopyKeyFields; ++i) {
        const std::string n = std::to_string(i + 1);
        const int top = 20 + i * kRowHeight;
        lblSource[i] = CreateControl<TLabel>(this, gbSource, "lblSource" + n, 12, top + 3, 110, 18);
        edSource[i] = CreateControl<TEdit>(this, gbSource, "edSource" + n, 126, top, 200, 22);
        lblDest[i] = CreateControl<TLabel>(this, gbDest, "lblDest" + n, 12, top + 3, 110, 18);
        edDest[i] = CreateControl<TDBEdit>(this, gbDest, "edDest" + n, 126, top, 200, 22);
        btnDest[i] = CreateComponent<TRkLookupButton>(this);
        btnDest[i]->SetName("btnDest" + n);
        btnDest[i]->SetEdit(edDest[i]);
        for (TControl* control :
             {static_cast<TControl*>(lblSource[i]), static_cast<TControl*>(edSource[i]), static_cast<TControl*>(lblDest[i]),
              static_cast<TControl*>(edDest[i]), static_cast<TControl*>(btnDest[i])})
            control->SetVisible(false);
    }

    const int buttons = groupHeight + 28;
    BBPrior = Button(this, "BBPrior", "上一步(&P)", 96, buttons);
    BBOK = Button(this, "BBOK", "下一步(&N)", 192, buttons);
    BBOK->SetDefault(true);
    BBCancel = Button(this, "BBCancel", "取消(&C)", 288, buttons);
    BBCancel->SetCancel(true);
    BBCancel->SetModalResult(mrCancel);

    BBOK->OnClick = [this](TObject* sender) { BBOKClick(sender); };
    BBPrior->OnClick = [this](TObject* sender) { BBPriorClick(sender); };
    OnCloseQuery = [this](TObject* sender, bool& canClose) { FormCloseQuery(sender, canClose); };
    OnKeyDown = [this](TObject* sender, WORD& key, TShiftState shift) { FormKeyDown(sender, key, shift); };
    ShowSourcePage();
}

TCodeConverter* TfrmCopy::Converter() const {
    auto* owner = dynamic_cast<TRKForm*>(Owner());
    return owner ? owner->RkConverter : RkConverter;
}

bool TfrmCopy::OnSourcePage() const { return pgCopy->ActivePage() == tbsSource; }

bool TfrmCopy::PrepareFields(TClientDataSet* dataSet, TDataSource* source, const std::string& keyFields) {
    std::vector<std::string> keys;
    for (const std::string& item : SplitString(keyFields, ','))
        if (!Trim(item).empty()) keys.push_back(Trim(item));
    fieldCount_ = 0;
    for (std::size_t i = 0; i < keys.size() && i < edDest.size(); ++i) {
        edDest[i]->SetDataSource(source);
        edDest[i]->SetDataField(keys[i]);
        TField* field = dataSet ? dataSet->FindField(keys[i]) : nullptr;
        if (!field) {
            MessageDlg("Error happend in RkCopy.pas", mtError, {mbOK});
            return false;
        }
        lblSource[i]->SetCaption(field->DisplayLabel());
        lblDest[i]->SetCaption(field->DisplayLabel());
        edSource[i]->SetText(Converter()->ToDisplayText(field->AsString()));
        for (TControl* control : {static_cast<TControl*>(lblSource[i]), static_cast<TControl*>(edSource[i]),
                                  static_cast<TControl*>(lblDest[i]), static_cast<TControl*>(edDest[i])})
            control->SetVisible(true);
        btnDest[i]->SetVisible(i + 1 < keys.size() || keys.size() == 1);
        ++fieldCount_;
    }
    // The window as high as the key fields need.
    const int groupHeight = std::max(1, fieldCount_) * kRowHeight + 28;
    gbSource->SetHeight(groupHeight);
    gbDest->SetHeight(groupHeight);
    pgCopy->SetHeight(groupHeight + 16);
    for (TBitBtn* button : {BBPrior, BBOK, BBCancel}) button->SetTop(groupHeight + 28);
    SetHeight(groupHeight + 96);
    ShowSourcePage();
    return true;
}

void TfrmCopy::ShowSourcePage() {
    pgCopy->SetActivePage(tbsSource);
    BBOK->SetModalResult(mrNone);
    BBPrior->SetEnabled(false);
    if (edSource[0]->Visible() && Visible()) SetActiveControl(edSource[0]);
}

void TfrmCopy::ShowDestPage() {
    pgCopy->SetActivePage(tbsDest);
    BBOK->SetModalResult(mrOk);
    BBPrior->SetEnabled(true);
    if (edDest[0]->Visible() && edDest[0]->CanFocus()) SetActiveControl(edDest[0]);
}

void TfrmCopy::RefuseEmpty(TLabel* label, TWinControl* edit) {
    MessageDlg(label->Caption() + Converter()->ToDisplayText(kNotBlank), mtError, {mbOK});
    if (edit->CanFocus()) SetActiveControl(edit);
}

void TfrmCopy::BBOKClick(TObject* /*Sender*/) {
    if (!OnSourcePage()) return;  // on the destination page the button closes the window with OK
    std::vector<std::string> values;
    for (int i = 0; i < fieldCount_; ++i) {
        const std::string value = Converter()->ToProgramText(edSource[i]->Text());
        if (Trim(value).empty()) {
            RefuseEmpty(lblSource[i], edSource[i]);
            return;
        }
        values.push_back(value);
    }
    auto* source = dynamic_cast<ICopySource*>(Owner());
    if (!source || !source->LoadCopySource(values, Data)) return;
    SourceKeys = values;
    ShowDestPage();
}

void TfrmCopy::BBPriorClick(TObject* /*Sender*/) { ShowSourcePage(); }

void TfrmCopy::FormCloseQuery(TObject* /*Sender*/, bool& CanClose) {
    if (ModalResult() != mrOk) return;
    // What was typed into a destination edit goes into its field first (the field may refuse it).
    try {
        if (TDataSource* bound = edDest[0]->DataSource(); bound && bound->DataSet()) bound->DataSet()->UpdateRecord();
    } catch (const std::exception&) {
        CanClose = false;
        return;
    }
    std::vector<std::string> source, dest;
    for (int i = 0; i < fieldCount_; ++i) {
        const std::string from = Converter()->ToProgramText(edSource[i]->Text());
        const std::string to = Converter()->ToProgramText(edDest[i]->Text());
        if (!AllowEmpty && (Trim(from).empty() || Trim(to).empty())) {
            CanClose = false;
            RefuseEmpty(lblDest[i], edDest[i]);
            return;
        }
        source.push_back(from);
        dest.push_back(to);
    }
    SourceKeys = source;
    DestKeys = dest;
}

void TfrmCopy::FormKeyDown(TObject* /*Sender*/, WORD& Key, TShiftState Shift) {
    TWinControl* active = ActiveControl();
    const bool inEdit = dynamic_cast<TCustomEdit*>(active) != nullptr;
    if (Key == VK_UP || Key == VK_DOWN || (Key == VK_RETURN && inEdit)) {
        SelectNext(active, Key != VK_UP, true);
        Key = 0;
    } else if (Key == VK_F2) {
        if (auto* owner = dynamic_cast<TfrmRadical*>(Owner())) owner->OnF2Key(Key, active);
        Key = 0;
    }
}

bool ExecuteCopy(TCustomForm* owner, TClientDataSet* dataSet, TDataSource* source, bool allowEmpty, const std::string& keyFields,
                 TCopyData& data) {
    if (owner && owner->WindowState() == wsMinimized) owner->SetWindowState(wsNormal);
    TOwnedPtr<TfrmCopy> form(CreateComponent<TfrmCopy>(owner));
    form->AllowEmpty = allowEmpty;
    if (TCodeConverter* converter = form->Converter()) converter->ConvertForm(form.get());
    if (!form->PrepareFields(dataSet, source, keyFields)) return false;
    if (form->ShowModal() != mrOk) return false;
    data = form->Data;
    return true;
}

void RegisterCopyDialog() { SetCopyDialogRunner(ExecuteCopy); }
