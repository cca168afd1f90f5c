#include "programs/tdef05/Tdef05Form.h"

#include "controls/RkBtnDBEdit.h"
#include "programs/tdef05/Tdef05DataModule.h"
#include "toolkit/classes/Properties.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/dataaware/DBComboBox.h"
#include "toolkit/ui/dataaware/DBEdit.h"
#include "toolkit/ui/dataaware/DBText.h"
#include "toolkit/ui/kernel/CreateControl.h"
#include "toolkit/ui/widgets/Label.h"
#include "toolkit/ui/widgets/PageControl.h"

namespace {

// Document types: the edit page's texts, the browse grid's texts (they differ for 3 and 4).
constexpr const char* kDocumentTypes[][2] = {{"1:主档单头", "1:主档单头"},     {"2:主档单身", "2:主档单身"},
                                             {"3:交易单头", "3:交易单头档"},   {"4:交易单身", "4:交易单身档"},
                                             {"5:交易纪录档", "5:交易纪录档"}, {"6:月档或统计档", "6:月档或统计档"},
                                             {"7:系统文档", "7:系统文档"},     {"8:其他", "8:其他"}};
constexpr const char* kFieldTypes[] = {"C:Char", "N:Numeric", "V:Varchar", "D:Datetime", "T:Text", "I:Image", "Z:Int"};

constexpr int kLabelLeft = 16, kEditLeft = 96, kRowTop = 16, kRowHeight = 30;

TLabel* FieldLabel(TComponent* owner, TWinControl* page, const std::string& field, const std::string& text, int left, int row) {
    auto* label = CreateControl<TLabel>(owner, page, "lbl" + field, left, kRowTop + row * kRowHeight + 3, 76, 18);
    label->SetCaption(text);
    return label;
}

// "3:交易单头" -> "3:交易单头\t3": the text shown, a tab, the value stored.
std::string Item(const std::string& text) { return text + "\t" + text.substr(0, text.find(':')); }

}  // namespace

void TfrmTdef05::Publish(TPublisher<TfrmTdef05>& p) { p.Method("FormCreate", &TfrmTdef05::FormCreate); }

TfrmTdef05::TfrmTdef05(TComponent* owner) : TfrmDouble(owner) {
    SetCaption(kTdef05Caption);
    VersionText = "870519-0.00.00";
    VersionText = "880310-0.00.01";
    VersionText = kTdef05Version;

    lblMC001 = FieldLabel(this, tbsHead1, "MC001", "文档编号", kLabelLeft, 0);
    edMC001 = CreateControl<TDBEdit>(this, tbsHead1, "edMC001", kEditLeft, kRowTop, 110, 22);
    lblMC002 = FieldLabel(this, tbsHead1, "MC002", "文件名", 240, 0);
    edMC002 = CreateControl<TDBEdit>(this, tbsHead1, "edMC002", 320, kRowTop, 200, 22);
    lblMC003 = FieldLabel(this, tbsHead1, "MC003", "类型", kLabelLeft, 1);
    cboMC003 = CreateControl<TDBComboBox>(this, tbsHead1, "cboMC003", kEditLeft, kRowTop + kRowHeight, 150, 22);
    lblMC004 = FieldLabel(this, tbsHead1, "MC004", "系统编号", kLabelLeft, 2);
    edMC004 = CreateControl<TRkBtnDBEdit>(this, tbsHead1, "edMC004", kEditLeft, kRowTop + 2 * kRowHeight, 60, 22);
    btnMC004 = edMC004->Button();
    txtMC004 = CreateControl<TDBText>(this, tbsHead1, "txtMC004", kEditLeft + 90, kRowTop + 2 * kRowHeight + 3, 200, 18);
    lblMC005 = FieldLabel(this, tbsHead1, "MC005", "备注", kLabelLeft, 3);
    edMC005 = CreateControl<TRkBtnDBEdit>(this, tbsHead1, "edMC005", kEditLeft, kRowTop + 3 * kRowHeight, 400, 22);
    btnMC005 = edMC005->Button();

    edMC004->SetHint("[F2]系统信息查询");
    edMC004->SetButtonHint("系统信息查询");
    edMC005->SetHint("[F2]常用语查询");
    edMC005->SetButtonHint("常用语查询");
    for (TWinControl* edit : std::initializer_list<TWinControl*>{edMC004, edMC005}) edit->SetShowHint(true);
    lblMC001->SetFocusControl(edMC001);
    lblMC002->SetFocusControl(edMC002);
    lblMC003->SetFocusControl(cboMC003);
    lblMC004->SetFocusControl(edMC004);
    lblMC005->SetFocusControl(edMC005);

    // The combo boxes: the edit page's, and the in-grid editors of the browse and body grids.
    cboMC003->SetStyle(csDropDownList);
    cboMC003->SetMapList(true);
    cboMC003G = CreateControl<TDBComboBox>(this, nullptr, "cboMC003G", 0, 0, 150, 22);
    cboMC003G->SetMapList(true);
    cboMC003G->SetVisible(false);
    for (const auto& type : kDocumentTypes) {
        cboMC003->Items()->Add(Item(type[0]));
        cboMC003G->Items()->Add(Item(type[1]));
    }
    cboMD005G = CreateControl<TDBComboBox>(this, nullptr, "cboMD005G", 0, 0, 120, 22);
    cboMD005G->SetMapList(true);
    cboMD005G->SetVisible(false);
    for (const char* type : kFieldTypes) cboMD005G->Items()->Add(Item(type));

    OnCreate = [this](TObject* sender) { FormCreate(sender); };
}

TDataModuleClass TfrmTdef05::DataModuleClass() const { return TDataModuleClass::Of<TdmTdef05>(); }

void TfrmTdef05::FormCreate(TObject* Sender) {
    // The data module comes first: a stand-alone start runs inside the inherited handler.
    if (!DataModule) DataModule = DataModuleClass().Create(this);
    TdmDouble* dm = DoubleDM();
    auto bind = [dm](auto* control, const char* field) {
        control->SetDataSource(dm->dsMain);
        control->SetDataField(field);
    };
    bind(edMC001, "MC001");
    bind(edMC002, "MC002");
    bind(cboMC003, "MC003");
    bind(edMC004, "MC004");
    bind(txtMC004, "MC004C");
    bind(edMC005, "MC005");
    bind(cboMC003G, "MC003");
    cboMD005G->SetDataField("MD005");
    cboMD005G->SetDataSource(dm->dsBody1);
    TfrmDouble::FormCreate(Sender);
}

void TfrmTdef05::ResetForm() {
    TfrmDouble::ResetForm();
    AddFocusControl = edMC001;
    EditFocusControl = edMC002;
    TdmDouble* dm = DoubleDM();
    dm->SetBodyAutoNumber(false);
    SetRequiredFields("CdsMain:MC003,MC004;cdsBody1:MD003,MD005");
    dm->SetDigitFieldGroup(1, "CdsBody1:MD006");
}

void TfrmTdef05::OnF2Key(WORD& key, TWinControl* control) {
    TfrmDouble::OnF2Key(key, control);
    if (key == 0 || !control) return;
    TField* field = ControlField(control);
    if (!field) return;
    if (SameText(field->FieldName(), "MC004"))
        F2Lookup(field, "", false, false, Variant(), "ADMMA", "01");
    else if (SameText(field->FieldName(), "MC005"))
        PhraseLookup(field);
}

void TfrmTdef05::OrderBodyByLine() {
    TdmDouble* dm = DoubleDM();
    for (TClientDataSet* body : {dm->cdsBody1, dm->BodyClone}) {
        if (!body || !body->Active()) continue;
        body->SetIndexName("");
        body->SetIndexFieldNames("MD001;MD002");
    }
}

bool TfrmTdef05::DoAdd(bool reset) {
    if (!TfrmDouble::DoAdd(reset)) return false;
    OrderBodyByLine();
    return true;
}

bool TfrmTdef05::DoEdit() {
    TdmDouble* dm = DoubleDM();
    const TBookmark line = dm && dm->cdsBody1->Active() ? dm->cdsBody1->GetBookmark() : 0;
    if (!TfrmDouble::DoEdit()) return false;
    OrderBodyByLine();
    dm->cdsBody1->First();
    if (line && dm->cdsBody1->BookmarkValid(line)) dm->cdsBody1->GotoBookmark(line);
    return true;
}
