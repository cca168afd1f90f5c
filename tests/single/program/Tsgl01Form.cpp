#include "tests/single/program/Tsgl01Form.h"

#include "framework/data/FieldText.h"
#include "tests/single/program/Tsgl01DataModule.h"
#include "toolkit/ui/dataaware/DBEdit.h"
#include "toolkit/ui/widgets/Label.h"
#include "toolkit/ui/widgets/PageControl.h"

void TfrmTsgl01::Publish(TPublisher<TfrmTsgl01>& p) { p.Method("FormCreate", &TfrmTsgl01::FormCreate); }

TfrmTsgl01::TfrmTsgl01(TComponent* owner) : TfrmSingle(owner) {
    SetCaption("单表测试作业");
    tbsHead2 = CreateComponent<TTabSheet>(this);
    tbsHead2->SetName("tbsHead2");
    tbsHead2->SetCaption("其他信息");
    tbsHead2->SetPageControl(pgHead);
    tbsHead2->SetPageIndex(1);
    edMA001 = AddEdit(tbsHead1, "MA001", "类别(&K)", 0, 60);
    edMA002 = AddEdit(tbsHead1, "MA002", "单号", 1, 120);
    edMA002->SetReadOnly(true);
    edMA002->SetTabStop(false);
    edMA003 = AddEdit(tbsHead1, "MA003", "名称(&N)", 2, 240);
    edMA004 = AddEdit(tbsHead1, "MA004", "数量(&Q)", 3, 100);
    edMA005 = AddEdit(tbsHead1, "MA005", "金额(&A)", 4, 120);
    edMA006 = AddEdit(tbsHead1, "MA006", "比率(&R)", 5, 100);
    edMA007 = AddEdit(tbsHead2, "MA007", "日期(&D)", 0, 120);
    edMA008 = AddEdit(tbsHead2, "MA008", "备注(&M)", 1, 300);
    edUDF01 = AddEdit(tbsHead2, "UDF01", "自定义项1", 2, 200);
    edUDF51 = AddEdit(tbsHead2, "UDF51", "自定义项51", 3, 120);
    OnCreate = [this](TObject* sender) { FormCreate(sender); };
}

TDBEdit* TfrmTsgl01::AddEdit(TWinControl* page, const std::string& field, const std::string& caption, int row, int width) {
    auto* label = CreateComponent<TLabel>(this);
    label->SetName("lbl" + field);
    label->SetCaption(caption);
    label->SetBounds(16, 18 + row * 30, 84, 20);
    label->SetParent(page);
    auto* edit = CreateComponent<TDBEdit>(this);
    edit->SetName("ed" + field);
    edit->SetDataField(field);
    edit->SetBounds(104, 16 + row * 30, width, 22);
    edit->SetTabStop(true);
    edit->SetParent(page);
    label->SetFocusControl(edit);
    return edit;
}

TDataModuleClass TfrmTsgl01::DataModuleClass() const { return TDataModuleClass::Of<TdmTsgl01>(); }

void TfrmTsgl01::FormCreate(TObject* Sender) {
    if (!DataModule) DataModule = DataModuleClass().Create(this);
    for (TDBEdit* edit : {edMA001, edMA002, edMA003, edMA004, edMA005, edMA006, edMA007, edMA008, edUDF01, edUDF51})
        edit->SetDataSource(SingleDM()->dsMain);
    static_cast<TdmTsgl01*>(DataModule)->OnCategoryChange = [this] { Renumber(); };
    TfrmSingle::FormCreate(Sender);
}

void TfrmTsgl01::ResetForm() {
    TfrmSingle::ResetForm();
    SetRequiredFields("cdsMain:MA003");
    AddFocusControl = edMA001;
    EditFocusControl = edMA003;
}

bool TfrmTsgl01::DoAdd(bool reset) {
    if (!TfrmSingle::DoAdd(reset)) return false;
    Renumber();
    return true;
}

// Numbers run per category and date: the server hands out the next free one.
void TfrmTsgl01::Renumber() {
    TdmSingle* dm = SingleDM();
    if (TField* number = dm->cdsMain->FindField("MA002"); number && dm->cdsMain->State() == dsInsert)
        SetFieldText(number, NextDocumentNumber(), false);
}

bool TfrmTsgl01::DoPrint(bool preview) {
    Printed.push_back((preview ? "preview:" : "") + CurrentKeyText());
    return true;
}
