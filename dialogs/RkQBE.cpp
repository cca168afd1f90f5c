#include "dialogs/RkQBE.h"

#include <algorithm>

#include "framework/data/RadicalDM.h"
#include "framework/forms/RadicalForm.h"
#include "i18n/LangKeys.h"
#include "toolkit/data/ClientDataSet.h"
#include "toolkit/data/DataSource.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/dataaware/DBCheckBox.h"
#include "toolkit/ui/dataaware/DBComboBox.h"
#include "toolkit/ui/graphics/Canvas.h"
#include "toolkit/ui/grids/StringGrid.h"
#include "toolkit/ui/kernel/CreateControl.h"
#include "toolkit/ui/kernel/Keys.h"
#include "toolkit/ui/widgets/CheckBox.h"
#include "toolkit/ui/widgets/ComboBox.h"
#include "toolkit/ui/widgets/GlyphButton.h"
#include "toolkit/ui/widgets/Label.h"
#include "toolkit/ui/widgets/ListBox.h"
#include "toolkit/ui/widgets/Memo.h"
#include "toolkit/ui/widgets/PageControl.h"
#include "toolkit/ui/widgets/Panel.h"
#include "toolkit/ui/widgets/RadioGroup.h"

namespace {

const TLangKeys kKeys("TQBEForm",
                      {{"C_Operators", kQBEOperatorLines},
                       {"moMsgLngLines",
                        "希望您能够先输入您要找的信息!\r\n方案保存失败!\r\n方案名称\r\n创建时间\r\n方案载入失败!\r\n"
                        "确实要删除此方案吗？\r\n输入的日期信息错误, 请重新输入!\r\n输入的年月信息错误, 请重新输入!\r\n"
                        "方案名不可空白!\r\n方案名长度不可大于20!\r\n此方案名称已经存在！\r\n更改方案名失败!"},
                       {"Cells00", "查询字段"},
                       {"Cells10", "操作符"},
                       {"Cells20", "条件"}});

constexpr int kPanelHeight = 33;

TBitBtn* Button(TQBEForm* form, TWinControl* parent, const std::string& name, const std::string& caption, int left, int top) {
    auto* button = CreateControl<TBitBtn>(form, parent, name, left, top, 84, 25);
    button->SetCaption(caption);
    return button;
}

TClientDataSet* ValueDataSet(TQBEForm* form, const std::string& name) {
    auto* cds = CreateComponent<TClientDataSet>(form);
    cds->SetName(name);
    cds->FieldDefs().Add("QBE", ftString, 255);
    cds->CreateDataSet();
    cds->Append();  // the one record the value box edits
    return cds;
}

}  // namespace

void TQBEForm::Publish(TPublisher<TQBEForm>& p) {
    p.Method("FormCreate", &TQBEForm::FormCreate);
    p.Method("FormShow", &TQBEForm::FormShow);
    p.Method("FormActivate", &TQBEForm::FormActivate);
    p.Method("FormDestroy", &TQBEForm::FormDestroy);
    p.Method("btnInsertClick", &TQBEForm::btnInsertClick);
    p.Method("btnOpenClick", &TQBEForm::btnOpenClick);
    p.Method("btnDeleteClick", &TQBEForm::btnDeleteClick);
    p.Method("lstConditionEdited", &TQBEForm::lstConditionEdited);
    p.Method("ToolButton1Click", &TQBEForm::ToolButton1Click);
    p.Method("ViewIconExecute", &TQBEForm::ViewIconExecute);
    p.Method("ViewSmallIconExecute", &TQBEForm::ViewSmallIconExecute);
    p.Method("ViewListExecute", &TQBEForm::ViewListExecute);
    p.Method("ViewReportExecute", &TQBEForm::ViewReportExecute);
    p.Method("ExtPageControl1Change", &TQBEForm::ExtPageControl1Change);
    p.Method("cboFieldChange", &TQBEForm::cboFieldChange);
    p.Method("cboField2Change", &TQBEForm::cboField2Change);
    p.Method("BbAssignClick", &TQBEForm::BbAssignClick);
    p.Method("BbAssign2Click", &TQBEForm::BbAssign2Click);
    p.Method("BBClearClick", &TQBEForm::BBClearClick);
    p.Method("BBClear2Click", &TQBEForm::BBClear2Click);
    p.Method("Memo1Change", &TQBEForm::Memo1Change);
    p.Method("Memo2Change", &TQBEForm::Memo2Change);
    p.Method("chkBodyClick", &TQBEForm::chkBodyClick);
    p.Method("ListBox1DblClick", &TQBEForm::ListBox1DblClick);
    p.Method("ListBox2DblClick", &TQBEForm::ListBox2DblClick);
    p.Method("DateFieldDBComboDlgExit", &TQBEForm::DateFieldDBComboDlgExit);
    p.Method("BBOKClick", &TQBEForm::BBOKClick);
    p.Property("MasterCondition", &TQBEForm::MasterCondition);
    p.Property("DetailCondition", &TQBEForm::DetailCondition);
    p.Property("CombinedCondition", &TQBEForm::CombinedCondition);
    p.Property("OrderText", &TQBEForm::OrderText);
}

TQBEForm::TQBEForm(TComponent* owner) : TRKForm(owner) {
    SetName("QBEForm");
    SetCaption("设置查询条件");
    SetBorderStyle(bsDialog);
    SetPosition(poOwnerFormCenter);
    SetBounds(0, 0, 548, 448);

    Panel2 = CreateControl<TPanel>(this, this, "Panel2", 0, 0, 540, kPanelHeight);
    lblTopRow = CreateControl<TLabel>(this, Panel2, "lblTopRow", 10, 9, 96, 18);
    lblTopRow->SetCaption("总信息笔数限制");
    cbTopRow = CreateControl<TComboBox>(this, Panel2, "cbTopRow", 110, 5, 80, 22);
    for (const char* rows : {"500", "0", "100", "200", "1000", "1500"}) cbTopRow->Items()->Add(rows);
    cbTopRow->SetStyle(csDropDownList);
    cbTopRow->SetItemIndex(0);
    lblTopRow->SetFocusControl(cbTopRow);
    chkBody = CreateControl<TCheckBox>(this, Panel2, "chkBody", 220, 7, 180, 20);
    chkBody->SetCaption("含单身筛选条件");
    chkBody->SetVisible(false);

    ExtPageControl1 = CreateControl<TExtPageControl>(this, this, "ExtPageControl1", 4, kPanelHeight + 4, 532, 336);
    auto page = [this](const std::string& name, const std::string& caption) {
        auto* sheet = CreateComponent<TTabSheet>(this);
        sheet->SetName(name);
        sheet->SetCaption(caption);
        sheet->SetPageControl(ExtPageControl1);
        return sheet;
    };
    TabSheet1 = page("TabSheet1", "一般选项");
    TabSheet2 = page("TabSheet2", "高级设置");
    TabSheet3 = page("TabSheet3", "单身设置");

    sg1 = CreateControl<TStringGrid>(this, TabSheet1, "sg1", 4, 4, 516, 296);
    sg1->SetColCount(4);
    sg1->SetRowCount(2);
    sg1->SetFixedCols(0);
    sg1->SetFixedRows(1);
    const int widths[] = {131, 88, 187, 32};
    for (int col = 0; col < 4; ++col) sg1->SetColWidths(col, widths[col]);
    sg1->SetDefaultRowHeight(22);
    sg1->SetOptions({goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goEditing, goTabs});

    for (bool detail : {false, true}) {
        TTabSheet* sheet = detail ? TabSheet3 : TabSheet2;
        const std::string n = detail ? "2" : "";
        auto* field = CreateControl<TComboBox>(this, sheet, "cboField" + n, 8, 8, 170, 22);
        field->SetStyle(csOwnerDrawFixed);
        auto* op = CreateControl<TComboBox>(this, sheet, "CbOperator" + n, 182, 8, 96, 22);
        op->SetStyle(csDropDownList);
        auto* value = CreateControl<TDBComboBox>(this, sheet, "cboValue" + n, 282, 8, 146, 22);
        auto* check = CreateControl<TDBCheckBox>(this, sheet, "ckbValue" + n, 282, 10, 146, 20);
        check->SetVisible(false);
        auto* logic = CreateControl<TRadioGroup>(this, sheet, "rgLogic" + n, 8, 34, 170, 42);
        logic->SetCaption("条件关系");
        logic->SetColumns(2);
        logic->Items()->Add("AND");
        logic->Items()->Add("OR");
        logic->SetEnabled(false);
        auto* assign = Button(this, sheet, "BbAssign" + n, "添加(&A)", 436, 6);
        auto* clear = Button(this, sheet, "BBClear" + n, "清除(&L)", 436, 38);
        auto* memo = CreateControl<TMemo>(this, sheet, "Memo" + std::string(detail ? "2" : "1"), 8, 82, detail ? 512 : 300, 216);
        memo->SetScrollBars(ssBoth);
        memo->SetWordWrap(false);
        auto* cds = ValueDataSet(this, "cdsTemp" + n);
        auto* source = CreateComponent<TDataSource>(this);
        source->SetName("dsTemp" + n);
        source->SetDataSet(cds);
        value->SetDataSource(source);
        value->SetDataField("QBE");
        check->SetDataSource(source);
        check->SetDataField("QBE");
        check->SetCaption("");
        if (detail) {
            cboField2 = field, CbOperator2 = op, cboValue2 = value, ckbValue2 = check, rgLogic2 = logic;
            BbAssign2 = assign, BBClear2 = clear, Memo2 = memo, cdsTemp2 = cds, dsTemp2 = source;
        } else {
            cboField = field, CbOperator = op, cboValue = value, ckbValue = check, rgLogic = logic;
            BbAssign = assign, BBClear = clear, Memo1 = memo, cdsTemp = cds, dsTemp = source;
        }
    }
    lblSort = CreateControl<TLabel>(this, TabSheet2, "lblSort", 316, 84, 200, 18);
    lblSort->SetCaption("排序字段 (打勾为递减)");
    ListBox1 = CreateControl<TListBox>(this, TabSheet2, "ListBox1", 316, 104, 90, 194);
    ListBox1->SetMultiSelect(true);
    SpeedButton1 = CreateControl<TSpeedButton>(this, TabSheet2, "SpeedButton1", 410, 150, 24, 24);
    SpeedButton1->SetCaption(">");
    SpeedButton2 = CreateControl<TSpeedButton>(this, TabSheet2, "SpeedButton2", 410, 190, 24, 24);
    SpeedButton2->SetCaption("<");
    ListBox2 = CreateControl<TCheckListBox>(this, TabSheet2, "ListBox2", 438, 104, 82, 194);

    moMsgLNG = CreateControl<TMemo>(this, this, "moMsgLNG", 0, 0, 10, 10);
    moMsgLNG->SetVisible(false);
    cdsConvert_ = ValueDataSet(this, "cdsConvert");

    BBOK = Button(this, this, "BBOK", "确定(&O)", 356, 384);
    BBOK->SetModalResult(mrOk);
    BBCancel = Button(this, this, "BBCancel", "取消(&C)", 446, 384);
    BBCancel->SetModalResult(mrCancel);
    BBCancel->SetCancel(true);
    CreateSchemePanel();

    WireHandlers();
    OnCreate = [this](TObject* sender) { FormCreate(sender); };
    OnShow = [this](TObject* sender) { FormShow(sender); };
    OnActivate = [this](TObject* sender) { FormActivate(sender); };
    OnDestroy = [this](TObject* sender) { FormDestroy(sender); };
    OnKeyPress = [this](TObject* sender, char32_t& key) { FormKeyPress(sender, key); };
}

TQBEForm::~TQBEForm() = default;

void TQBEForm::WireHandlers() {
    ExtPageControl1->OnChange = [this](TObject* s) { ExtPageControl1Change(s); };
    cbTopRow->OnKeyPress = [this](TObject* s, char32_t& k) { cbTopRowKeyPress(s, k); };
    chkBody->OnClick = [this](TObject* s) { chkBodyClick(s); };
    cboField->OnChange = [this](TObject* s) { cboFieldChange(s); };
    cboField2->OnChange = [this](TObject* s) { cboField2Change(s); };
    cboField->OnDrawItem =
        cboField2->OnDrawItem = [this](TWinControl* c, int i, TRect r, TOwnerDrawState st) { cboFieldDrawItem(c, i, r, st); };
    BbAssign->OnClick = [this](TObject* s) { BbAssignClick(s); };
    BbAssign2->OnClick = [this](TObject* s) { BbAssign2Click(s); };
    BBClear->OnClick = [this](TObject* s) { BBClearClick(s); };
    BBClear2->OnClick = [this](TObject* s) { BBClear2Click(s); };
    Memo1->OnChange = [this](TObject* s) { Memo1Change(s); };
    Memo2->OnChange = [this](TObject* s) { Memo2Change(s); };
    ListBox1->OnDblClick = SpeedButton1->OnClick = [this](TObject* s) { ListBox1DblClick(s); };
    ListBox2->OnDblClick = SpeedButton2->OnClick = [this](TObject* s) { ListBox2DblClick(s); };
    ListBox1->OnMouseMove =
        ListBox2->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { ListBox1MouseMove(s, sh, x, y); };
    BBOK->OnClick = [this](TObject* s) { BBOKClick(s); };
    sg1->OnSelectCell = [this](TObject* s, int c, int r, bool& can) { sg1SelectCell(s, c, r, can); };
    sg1->OnKeyDown = [this](TObject* s, WORD& k, TShiftState sh) { sg1KeyDown(s, k, sh); };
    sg1->OnValidateEdit = [this](TObject* s, int c, int r, std::string& v, bool& ok) { sg1ValidateEdit(s, c, r, v, ok); };
    sg1->OnDrawCell = [this](TObject* s, int c, int r, TRect rect, TGridDrawState st) { sg1DrawCell(s, c, r, rect, st); };
    sg1->OnPickListClick = [this](TObject*, int c, int r, const std::string& v) {
        if (c == 0) sg1PickListClick(r, v);
    };
    ListBox2->SetDragMode(dmAutomatic);
    ListBox2->OnDragOver = [this](TObject*, TObject* source, int, int, TDragState, bool& accept) { accept = source == ListBox2; };
    ListBox2->OnDragDrop = [this](TObject*, TObject* source, int x, int y) {
        if (source == ListBox2) MoveSortItem(ListBox2->ItemIndex(), ListBox2->ItemAtPos({x, y}, false));
    };
    sg1->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { sg1MouseDown(s, b, sh, x, y); };
    sg1->OnMouseWheel = [this](TObject*, TShiftState, int, TPoint, bool&) { RemoveEmptyRows(); };
}

// --- Creation, showing and activation -------------------------------------------------------------

void TQBEForm::FormCreate(TObject* Sender) {
    TRKForm::FormCreate(Sender);
    LoadLanguageTexts();
    for (bool detail : {false, true}) {
        TValuePage page = Page(detail);
        page.op->Items()->Clear();
        for (int i = 0; i < std::min(9, Operators.Count()); ++i) page.op->Items()->Add(OperatorLabel(i));
        page.op->SetItemIndex(0);
        page.logic->SetItemIndex(0);
    }
    ExtPageControl1->SetActivePage(TabSheet1);
    TabSheet3->SetTabVisible(false);
    LogicPicks.Clear();
    LogicPicks.Add("AND");
    LogicPicks.Add("OR");
    sg1->ColumnPickList(1)->Assign(Operators);
    sg1->ColumnPickList(3)->Assign(LogicPicks);
    sg1->SetCells(3, 1, "AND");
    const bool western = SysCodePage() != "936" && SysCodePage() != "950" && UICodePage() != "936" && UICodePage() != "950";
    LabelWidth = western ? 22 : 14;
    const int height = western ? Canvas()->TextHeight("Test") + 5 : Canvas()->TextHeight("测试") + 2;
    cboField->SetItemHeight(height);
    cboField2->SetItemHeight(height);
}

void TQBEForm::LoadLanguageTexts() {
    Operators.SetText(LangText(kKeys, "C_Operators", true));
    sg1->SetCells(0, 0, LangText(kKeys, "Cells00", true));
    sg1->SetCells(1, 0, LangText(kKeys, "Cells10", true));
    sg1->SetCells(2, 0, LangText(kKeys, "Cells20", true));
    moMsgLNG->Lines()->SetText(LangText(kKeys, "moMsgLngLines", true));
}

std::string TQBEForm::MessageLine(int line) const {
    return line >= 0 && line < moMsgLNG->Lines()->Count() ? (*moMsgLNG->Lines())[line] : std::string();
}

std::string TQBEForm::OperatorLabel(int index) const {
    if (index < 0 || index >= Operators.Count()) return "";
    const std::string& line = Operators[index];
    return line.substr(0, line.find('\t'));
}

void TQBEForm::FormShow(TObject* Sender) {
    TRKForm::FormShow(Sender);
    // The field and operator boxes as wide as their longest item; the value box takes what is left.
    for (bool detail : {false, true}) {
        TValuePage page = Page(detail);
        auto widest = [this](TComboBox* box, int extra) {
            int width = box->Width();
            for (int i = 0; i < box->Items()->Count(); ++i)
                width = std::max(width, Canvas()->TextWidth(TabExpanded(box->ItemText(i))) + extra);
            return width;
        };
        const int fieldWidth = std::min(widest(page.field, 60), 300), opWidth = std::min(widest(page.op, 5), 140);
        page.field->SetWidth(fieldWidth);
        page.op->SetBounds(page.field->Left() + fieldWidth + 4, page.op->Top(), opWidth, page.op->Height());
        const int valueLeft = page.op->Left() + opWidth + 4;
        const int valueWidth = std::max(80, page.assign->Left() - 6 - valueLeft);
        page.value->SetBounds(valueLeft, page.value->Top(), valueWidth, page.value->Height());
        page.check->SetBounds(valueLeft, page.check->Top(), valueWidth, page.check->Height());
    }
    if (UICodePage() == "950") cbTopRow->SetStyle(csDropDown);
    sg1->SetLeftCol(0);  // the key rows were placed before the grid had its size
    if (ExtPageControl1->ActivePage() == TabSheet1) SetActiveControl(sg1);
}

void TQBEForm::FormActivate(TObject* Sender) {
    if (!activated_) {
        activated_ = true;
        ExtPageControl1->SetActivePage(TabSheet1);
        if (!Panel2->Visible() || !DetailDataSet) Memo1->SetHeight(Memo1->Height() + 10);
    }
    if (chkBody->Visible()) {
        if (ExtPageControl1->ActivePage() == TabSheet3) ExtPageControl1->SetActivePage(TabSheet2);
        TabSheet3->SetTabVisible(false);
        chkBody->SetChecked(false);
    }
    UpdateDefaultButton();
}

void TQBEForm::FormDestroy(TObject* Sender) {
    FieldNames.Clear();
    DetailFieldNames.Clear();
    GridFields.Clear();
}

void TQBEForm::UpdateDefaultButton() {
    TTabSheet* page = ExtPageControl1->ActivePage();
    BBOK->SetDefault(page == TabSheet2 || page == TabSheet3);
}

void TQBEForm::ExtPageControl1Change(TObject* Sender) { UpdateDefaultButton(); }

void TQBEForm::FormKeyPress(TObject* Sender, char32_t& Key) {
    if (Key != U'\x1b') return;
    Key = 0;
    SetModalResult(mrCancel);
}

void TQBEForm::cbTopRowKeyPress(TObject* Sender, char32_t& Key) {
    if (!(Key >= U'0' && Key <= U'9') && Key != U'\b') Key = 0;
}

// --- The maintenance window's calls ----------------------------------------------------------------

void TQBEForm::SetMasterSource(TClientDataSet* dataSet, const std::string& table, bool hideRowLimit,
                               const std::string& fieldExprs, const std::string& keyFields) {
    MasterDataSet = dataSet;
    MasterTable = table;
    MasterKeyFields = keyFields;
    MasterFieldExprs = SameText(Trim(table), "ATTACH") ? kAttachFieldExprs : Trim(fieldExprs);
    BuildFieldLists();
    if (hideRowLimit && Panel2->Visible()) {
        Panel2->SetVisible(false);
        for (TControl* control :
             {static_cast<TControl*>(ExtPageControl1), static_cast<TControl*>(BBOK), static_cast<TControl*>(BBCancel)})
            control->SetTop(control->Top() - kPanelHeight);
        SetHeight(Height() - kPanelHeight);
    }
    ExtPageControl1->SetActivePage(TabSheet1);
    BuildGridFields();
    if (!Translated) {
        RkConverter->ConvertFormWithList(this, Variant());
        Translated = true;
    }
    LoadKeyRows();
    InitSchemeColumns();
    try {
        LoadSchemes();
    } catch (const std::exception&) {
        // Without the server's schemes the list stays empty; the query itself works.
    }
}

void TQBEForm::SetDetailSource(TClientDataSet* dataSet, const std::string& table, const std::string& suffix,
                               const std::string& fieldExprs, const std::string& keyFields) {
    DetailDataSet = dataSet;
    DetailTable = table;
    if (!Trim(suffix).empty()) DetailTableSuffix = suffix;
    DetailFieldExprs = Trim(fieldExprs);
    DetailKeyFields = keyFields;
    chkBody->SetVisible(Panel2->Visible());
    BuildDetailFieldLists();
}

bool TQBEForm::Execute(std::string& condition, std::string& order) {
    if (ShowModal() != mrOk) return false;
    condition = RkConverter->ToProgramText(GetCondition());
    order = GetOrder();
    return true;
}

std::string TQBEForm::GetCondition() const { return chkBody->Checked() && !builtOnGrid_ ? CombinedCondition : MasterCondition; }

std::string TQBEForm::GetOrder() const { return Trim(OrderText).empty() ? MasterKeyFields : OrderText; }

void TQBEForm::SetRowLimit(int rows) {
    const std::string text = IntToStr(rows);
    int index = cbTopRow->Items()->IndexOf(text);
    if (index < 0) {
        cbTopRow->Items()->Insert(0, text);
        index = 0;
    }
    cbTopRow->SetItemIndex(index);
}

int TQBEForm::GetRowLimit() const { return StrToIntDef(Trim(cbTopRow->Text()), 500); }

// --- OK ---------------------------------------------------------------------------------------------

void TQBEForm::BBOKClick(TObject* Sender) {
    try {
        DoCondition();
    } catch (const EAbort&) {
        SetModalResult(mrNone);  // the grid refused the cell being edited (and said why): the dialog stays
    }
}

void TQBEForm::DoCondition() {
    TTabSheet* page = ExtPageControl1->ActivePage();
    if (page == TabSheet1 || !page) {
        if (sg1->EditorMode()) {
            sg1->SetEditorMode(false);
            if (sg1->EditorMode()) Abort();
        }
        MasterCondition = GridCondition();
        OrderText.clear();
        builtOnGrid_ = true;
        return;
    }
    builtOnGrid_ = false;
    if (chkBody->Checked()) {
        MasterCondition = Trim(Memo1->Text());
        DetailCondition = Trim(Memo2->Text());
        TQBEDetailSource source{MasterTable, MasterKeyFields, DetailTable, DetailKeyFields, DatabasePrefix(), DetailTableSuffix};
        CombinedCondition = QBEDetailCondition(MasterCondition, DetailCondition, source);
    } else {
        MasterCondition = Memo1->Text();
    }
    std::vector<TQBESortItem> items;
    for (int i = 0; i < ListBox2->Count(); ++i) {
        const std::string& line = (*ListBox2->Items())[i];
        const std::size_t tab = line.find('\t');
        items.push_back({tab == std::string::npos ? Trim(line) : Trim(line.substr(tab + 1)), ListBox2->Checked(i)});
    }
    OrderText = QBEOrderText(items, MasterTable, MasterFieldExprs);
}

// --- The maintenance window ------------------------------------------------------------------------

TfrmRadical* TQBEForm::MaintenanceForm() const { return dynamic_cast<TfrmRadical*>(Owner()); }

TdmRadical* TQBEForm::DataModuleOf(TDataSet* dataSet) const {
    if (dataSet)
        if (auto* dm = dynamic_cast<TdmRadical*>(dataSet->Owner())) return dm;
    TfrmRadical* form = MaintenanceForm();
    return form ? dynamic_cast<TdmRadical*>(form->DataModule) : nullptr;
}

int TQBEForm::DatabaseKind() const {
    TfrmRadical* form = MaintenanceForm();
    return form ? form->SqlType : 0;
}

std::string TQBEForm::DatabasePrefix() const {
    TfrmRadical* form = MaintenanceForm();
    return form && !Trim(form->DatabaseName).empty() ? Trim(form->DatabaseName) + ".." : std::string();
}

// --- Registration -----------------------------------------------------------------------------------

void RegisterQueryDialog() {
    SetQueryDialogMaker([](TComponent* owner) -> IQueryDialog* { return CreateComponent<TQBEForm>(owner); });
}
