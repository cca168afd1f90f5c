#include "tests/double/program/Tdbl01Form.h"

#include "framework/data/FieldText.h"
#include "tests/double/program/Tdbl01DataModule.h"
#include "toolkit/ui/dataaware/DBEdit.h"
#include "toolkit/ui/kernel/CreateControl.h"
#include "toolkit/ui/widgets/Label.h"
#include "toolkit/ui/widgets/PageControl.h"

namespace {

TDBEdit* AddEdit(TComponent* owner, TWinControl* page, const std::string& field, const std::string& caption, int row, int width) {
    auto* label = CreateControl<TLabel>(owner, page, "lbl" + field, 16, 19 + row * 30, 76, 18);
    label->SetCaption(caption);
    auto* edit = CreateControl<TDBEdit>(owner, page, "ed" + field, 96, 16 + row * 30, width, 22);
    edit->SetDataField(field);
    edit->SetTabStop(true);
    label->SetFocusControl(edit);
    return edit;
}

}  // namespace

void TfrmTdbl01::Publish(TPublisher<TfrmTdbl01>& p) { p.Method("FormCreate", &TfrmTdbl01::FormCreate); }

TfrmTdbl01::TfrmTdbl01(TComponent* owner) : TfrmDouble(owner) {
    SetCaption("单据测试作业");
    edMA001 = AddEdit(this, tbsHead1, "MA001", "类别(&K)", 0, 60);
    edMA002 = AddEdit(this, tbsHead1, "MA002", "单号", 1, 120);
    edMA002->SetReadOnly(true);
    edMA002->SetTabStop(false);
    edMA003 = AddEdit(this, tbsHead1, "MA003", "客户(&C)", 2, 240);
    OnCreate = [this](TObject* sender) { FormCreate(sender); };
}

TDataModuleClass TfrmTdbl01::DataModuleClass() const { return TDataModuleClass::Of<TdmTdbl01>(); }

void TfrmTdbl01::FormCreate(TObject* Sender) {
    if (!DataModule) DataModule = DataModuleClass().Create(this);
    for (TDBEdit* edit : {edMA001, edMA002, edMA003}) edit->SetDataSource(DoubleDM()->dsMain);
    static_cast<TdmTdbl01*>(DataModule)->OnCategoryChange = [this] { Renumber(); };
    TfrmDouble::FormCreate(Sender);
}

void TfrmTdbl01::ResetForm() {
    TfrmDouble::ResetForm();
    AddFocusControl = edMA001;
    EditFocusControl = edMA003;
}

bool TfrmTdbl01::DoAdd(bool reset) {
    if (!TfrmDouble::DoAdd(reset)) return false;
    DoubleDM()->SetAutoNumber(true);  // a new record clears it: this document's number is the server's
    Renumber();
    return true;
}

// The number shown is the next free one when the document is started; the server may give another.
void TfrmTdbl01::Renumber() {
    TdmDouble* dm = DoubleDM();
    if (TField* number = dm->cdsMain->FindField("MA002"); number && dm->cdsMain->State() == dsInsert)
        SetFieldText(number, NextDocumentNumber(), false);
}
