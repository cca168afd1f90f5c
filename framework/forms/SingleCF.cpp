// The single-table form's resource (pages, browse grid, extra tool buttons and menus), its creation,
// show and close, and what its data module asks of it.
#include "framework/forms/SingleCF.h"

#include "framework/forms/ColorConditions.h"
#include "framework/forms/FormImages.h"
#include "server/Brokers.h"
#include "server/MTDoc.h"
#include "toolkit/classes/Properties.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/dialogs/Dialogs.h"
#include "toolkit/ui/graphics/ImgList.h"
#include "toolkit/ui/grids/DBGrids.h"
#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/widgets/Menus.h"
#include "toolkit/ui/widgets/PageControl.h"
#include "toolkit/ui/widgets/Panel.h"
#include "toolkit/ui/widgets/StatusBar.h"
#include "toolkit/ui/widgets/ToolBar.h"

namespace {

// The hints the window gives its two extra buttons when it is shown: keyed texts, so that a language
// file's hints are not overwritten by the built-in ones.
const TLangKeys kShowKeys("TfrmSingle", {{"sColorQueryHint", "颜色筛选"}, {"sCalculatorHint", "计算器"}});

constexpr TColor kBrowseGridColor = static_cast<TColor>(15532027);

template <class T>
T* Make(TComponent* owner, const std::string& name) {
    T* component = CreateComponent<T>(owner);
    component->SetName(name);
    return component;
}

TMenuItem* Item(TComponent* owner, TMenuItem* parent, const std::string& name, const std::string& caption,
                TShortCut shortCut = scNone, int image = -1) {
    auto* item = Make<TMenuItem>(owner, name);
    item->SetCaption(caption);
    item->SetShortCut(shortCut);
    item->SetImageIndex(image);
    if (parent) parent->Add(item);
    return item;
}

TToolButton* Button(TfrmSingle* form, const std::string& name, const std::string& hint, int image) {
    auto* button = Make<TToolButton>(form, name);
    button->SetHint(hint);
    button->SetImageIndex(image);
    button->SetParent(form->ToolBar1);
    return button;
}

}  // namespace

void TfrmSingle::Publish(TPublisher<TfrmSingle>& p) {
    p.Method("FormCreate", &TfrmSingle::FormCreate);
    p.Method("FormShow", &TfrmSingle::FormShow);
    p.Method("FormDestroy", &TfrmSingle::FormDestroy);
    p.Method("FormKeyDown", &TfrmSingle::FormKeyDown);
    p.Method("FormKeyPress", &TfrmSingle::FormKeyPress);
    p.Method("FormResize", &TfrmSingle::FormResize);
    p.Method("FormClose", &TfrmSingle::FormClose);
    p.Method("pgHeadChange", &TfrmSingle::pgHeadChange);
    p.Method("pgHeadChanging", &TfrmSingle::pgHeadChanging);
    p.Method("miOKClick", &TfrmSingle::miOKClick);
    p.Method("miCancelClick", &TfrmSingle::miCancelClick);
    p.Method("miPrintClick", &TfrmSingle::miPrintClick);
    p.Method("miPreviewClick", &TfrmSingle::miPreviewClick);
    p.Method("MenuItem1Click", &TfrmSingle::MenuItem1Click);
    p.Method("popPrintPopup", &TfrmSingle::popPrintPopup);
    p.Method("MenuItemVoucherFormatClick", &TfrmSingle::MenuItemVoucherFormatClick);
    p.Method("miTable2ExcelClick", &TfrmSingle::miTable2ExcelClick);
    p.Method("miTable2Excel2Click", &TfrmSingle::miTable2Excel2Click);
    p.Method("P1Click", &TfrmSingle::P1Click);
    p.Method("miBBPrintClick", &TfrmSingle::miBBPrintClick);
    p.Method("miBBSelectAllClick", &TfrmSingle::miBBSelectAllClick);
    p.Method("miBBUnSelectAllClick", &TfrmSingle::miBBUnSelectAllClick);
    p.Method("btnCalcClick", &TfrmSingle::btnCalcClick);
    p.Method("miCaclClick", &TfrmSingle::miCaclClick);
    p.Method("miOptionsClick", &TfrmSingle::miOptionsClick);
    p.Method("btnColorQueryClick", &TfrmSingle::btnColorQueryClick);
    p.Method("gdHeadDblClick", &TfrmSingle::gdHeadDblClick);
    p.Method("gdHeadKeyDown", &TfrmSingle::gdHeadKeyDown);
    p.Method("gdHeadColEnter", &TfrmSingle::gdHeadColEnter);
    p.Property("ReportName", &TfrmSingle::ReportName);
    p.Property("IsColorManage", &TfrmSingle::IsColorManage);
    p.Property("CloseAfterSave", &TfrmSingle::CloseAfterSave);
    p.Property("ActivePageIndex", &TfrmSingle::ActivePageIndexValue);
    p.Property("GeneratedNumber", &TfrmSingle::GeneratedNumberValue);
}

TfrmSingle::TfrmSingle(TComponent* owner) : TfrmBase(owner) {
    BuildSingleResource();
    BuildSingleMenus();
    OnCreate = [this](TObject* sender) { FormCreate(sender); };
    OnShow = [this](TObject* sender) { FormShow(sender); };
    OnDestroy = [this](TObject* sender) { FormDestroy(sender); };
    OnKeyDown = [this](TObject* sender, WORD& key, TShiftState shift) { FormKeyDown(sender, key, shift); };
    OnKeyPress = [this](TObject* sender, char32_t& key) { FormKeyPress(sender, key); };
    OnResize = [this](TObject* sender) { FormResize(sender); };
    OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
}

TfrmSingle::~TfrmSingle() = default;

void TfrmSingle::BuildSingleResource() {
    imgSingle = Make<TImageList>(this, "imgSingle");
    imgSingle->SetWidth(18);
    imgSingle->SetHeight(18);
    AddSingleFormImages(*imgSingle);
    ImageList1->AddImages(imgSingle);

    btnQuery->SetStyle(tbsDropDown);
    btnPrint->SetStyle(tbsDropDown);
    btnReFresh->SetEnabled(false);
    btnOK = Button(this, "btnOK", "保存", kImageSave);
    btnCancel = Button(this, "btnCancel", "取消", kImageCancel);
    btnColorQuery = Button(this, "btnColorQuery", "颜色筛选", kImageColorFilter);
    btnColorQuery->SetStyle(tbsDropDown);
    btnColorQuery->SetVisible(false);
    btnCalc = Button(this, "btnCalc", "计算器", kImageCalculator);
    btnOK->OnClick = [this](TObject* s) { miOKClick(s); };
    btnCancel->OnClick = [this](TObject* s) { miCancelClick(s); };
    btnColorQuery->OnClick = [this](TObject* s) { btnColorQueryClick(s); };
    btnCalc->OnClick = [this](TObject* s) { btnCalcClick(s); };
    btnPrint->OnClick = [this](TObject* s) { miPrintClick(s); };
    ToolBar1->ArrangeButtons();

    pnlHead = Make<TPanel>(this, "pnlHead");
    pnlHead->SetParent(this);
    pnlHead->SetAlign(alTop);
    pnlHead->SetHeight(60);
    pnlHead->SetVisible(false);

    pgHead = Make<TExtPageControl>(this, "pgHead");
    pgHead->SetParent(this);
    pgHead->SetAlign(alClient);
    pgHead->SetTabHeight(20);
    pgHead->SetTabWidth(80);
    auto sheet = [this](const std::string& name, const std::string& caption) {
        auto* page = Make<TTabSheet>(this, name);
        page->SetCaption(caption);
        page->SetPageControl(pgHead);
        return page;
    };
    tbsHead1 = sheet("tbsHead1", "详细字段");
    tbsUDF = sheet("tbsUDF", "自定义信息");
    tbsBrowse = sheet("tbsBrowse", "信息浏览");
    pgHead->OnChanging = [this](TObject* s, bool& allow) { pgHeadChanging(s, allow); };
    pgHead->OnChange = [this](TObject* s) { pgHeadChange(s); };

    SortMapList = Make<TImageList>(this, "SortMapList");
    SortMapList->SetWidth(9);
    SortMapList->SetHeight(9);
    gdHead = Make<TDBGrid>(this, "gdHead");
    gdHead->SetParent(tbsBrowse);
    gdHead->SetAlign(alClient);
    gdHead->SetReadOnly(true);
    gdHead->SetOptions((gdHead->Options() - TDBGridOptions{dgEditing}) + TDBGridOptions{dgMultiSelect});
    gdHead->SetTitleButtons(true);
    gdHead->SetColor(kBrowseGridColor);
    gdHead->SetTitleImageList(SortMapList);
    gdHead->ControlType()->Add("MultiSelected;CheckBox;Y;N");
    gdHead->OnDblClick = [this](TObject* s) { gdHeadDblClick(s); };
    gdHead->OnKeyDown = [this](TObject* s, WORD& key, TShiftState shift) { gdHeadKeyDown(s, key, shift); };
    gdHead->OnTitleClick = [this](TColumn* column) { gdHeadTitleClick(column); };
    gdHead->OnColEnter = [this](TObject* s) { gdHeadColEnter(s); };

    const int widths[] = {45, 280, 65, 50, 50};
    for (int i = 0; i < Status->Panels()->Count() && i < 5; ++i) Status->Panels()->Items(i)->SetWidth(widths[i]);
    Status->Panels()->Items(0)->SetText("浏览");
}

void TfrmSingle::BuildSingleMenus() {
    mnCondition = Make<TPopupMenu>(this, "mnCondition");
    popPrint = Make<TPopupMenu>(this, "popPrint");
    ppDirectPrint = Item(this, popPrint->Items(), "ppDirectPrint", "直接打印");
    ppPreview = Item(this, popPrint->Items(), "ppPreview", "打印预览");
    Item(this, popPrint->Items(), "ppLine", "-");
    ppFormat = Item(this, popPrint->Items(), "ppFormat", "凭证格式");
    ppDirectPrint->OnClick = [this](TObject* s) { miPrintClick(s); };
    ppPreview->OnClick = [this](TObject* s) { miPreviewClick(s); };
    popPrint->OnPopup = [this](TObject* s) { popPrintPopup(s); };
    btnPrint->SetDropdownMenu(popPrint);
    pmColorCondition = Make<TPopupMenu>(this, "pmColorCondition");
    btnColorQuery->SetDropdownMenu(pmColorCondition);

    pmMultiSelect = Make<TPopupMenu>(this, "pmMultiSelect");
    Item(this, pmMultiSelect->Items(), "pmSelectAll", "全选")->OnClick = [this](TObject* s) { miBBSelectAllClick(s); };
    Item(this, pmMultiSelect->Items(), "pmUnSelectAll", "全不选")->OnClick = [this](TObject* s) { miBBUnSelectAllClick(s); };
    gdHead->SetPopupMenu(pmMultiSelect);

    pmLookup = Make<TPopupMenu>(this, "pmLookup");
    for (auto [name, caption, message] : {std::tuple<const char*, const char*, UINT>{"pmF2", "F2 查询窗口", UM_F2KEY},
                                          {"pmF3", "F3 查询窗口", UM_F3KEY},
                                          {"pmF4", "F4 查询窗口", UM_F4KEY}}) {
        UINT msg = message;
        Item(this, pmLookup->Items(), name, caption)->OnClick = [this, msg](TObject*) {
            TWinControl* control = ActiveControl();
            Perform(msg, control ? static_cast<WPARAM>(control->Handle()) : 0);
        };
    }
    tbsHead1->SetPopupMenu(pmLookup);

    // The data menu: print commands after the document viewer.
    const int afterView = MenuItem1->IndexOf(miViewItem) + 1;
    miPreview = Item(this, nullptr, "miPreview", "预览(&B)");
    miPrint = Item(this, nullptr, "miPrint", "打印(&T)", scNone, 4);
    miFormat = Item(this, nullptr, "miFormat", "凭证格式");
    MenuItem1->Insert(afterView, miPreview);
    MenuItem1->Insert(afterView + 1, miPrint);
    MenuItem1->Insert(afterView + 2, miFormat);
    miPreview->OnClick = [this](TObject* s) { miPreviewClick(s); };
    miPrint->OnClick = [this](TObject* s) { miPrintClick(s); };
    MenuItem1->OnClick = [this](TObject* s) { MenuItem1Click(s); };
    miPrior->SetShortCut(ShortCut('P', {ssCtrl}));
    miNext->SetShortCut(ShortCut('N', {ssCtrl}));

    Item(this, MenuItem11, "N4", "-");
    miOK = Item(this, MenuItem11, "miOK", "确定", ShortCut(VK_F12, {}), kImageSave);
    miCancel = Item(this, MenuItem11, "miCancel", "取消", scNone, kImageCancel);
    miOK->OnClick = [this](TObject* s) { miOKClick(s); };
    miCancel->OnClick = [this](TObject* s) { miCancelClick(s); };

    TMenuItem* root = MainMenu->Items();
    const int beforeExit = root->IndexOf(MenuItem16);
    miExport = Item(this, nullptr, "miExport", "汇出(&E)");
    miTable2Excel = Item(this, miExport, "miTable2Excel", "资料转Excel(含格式)", ShortCut(VK_F1, {ssCtrl}));
    miTable2Excel2 = Item(this, miExport, "miTable2Excel2", "资料转Excel(不含格式)", ShortCut(VK_F2, {ssCtrl}));
    miTable2Excel->OnClick = [this](TObject* s) { miTable2ExcelClick(s); };
    miTable2Excel2->OnClick = [this](TObject* s) { miTable2Excel2Click(s); };
    P1 = Item(this, nullptr, "P1", "整批处理(&P)");
    miBBPrint = Item(this, P1, "miBBPrint", "整批打印");
    miBBSelectAll = Item(this, P1, "miBBSelectAll", "全选");
    miBBUnSelectAll = Item(this, P1, "miBBUnSelectAll", "全不选");
    P1->OnClick = [this](TObject* s) { P1Click(s); };
    miBBPrint->OnClick = [this](TObject* s) { miBBPrintClick(s); };
    miBBSelectAll->OnClick = [this](TObject* s) { miBBSelectAllClick(s); };
    miBBUnSelectAll->OnClick = [this](TObject* s) { miBBUnSelectAllClick(s); };
    miTools = Item(this, nullptr, "miTools", "工具(&T)");
    miCacl = Item(this, miTools, "miCacl", "计算器", scNone, kImageCalculator);
    miOptions = Item(this, miTools, "miOptions", "选项(&O)");
    miCacl->OnClick = [this](TObject* s) { miCaclClick(s); };
    miOptions->OnClick = [this](TObject* s) { miOptionsClick(s); };
    root->Insert(beforeExit, miExport);
    root->Insert(beforeExit + 1, P1);
    root->Insert(beforeExit + 2, miTools);
}

TDataModuleClass TfrmSingle::DataModuleClass() const { return TDataModuleClass::Of<TdmSingle>(); }

// --- Creation, initialisation, show, close ------------------------------------------------------

void TfrmSingle::FormCreate(TObject* Sender) {
    if (!DataModule) DataModule = DataModuleClass().Create(this);
    if (TdmSingle* dm = SingleDM()) gdHead->SetDataSource(dm->dsMain);
    TfrmBase::FormCreate(Sender);
}

void TfrmSingle::ResetForm() {
    TfrmBase::ResetForm();
    if (Brokers) ReportName = Trim(Brokers->ReportName);
}

void TfrmSingle::InitAfterDataModule() {
    TdmSingle* dm = SingleDM();
    if (!dm) return;
    EnsureQueryDialog();
    QueryDialog->SetMasterSource(dm->cdsMain, dm->MainTable, SqlType != 0, dm->HeaderExtraColumns, dm->KeyFields);
    tbsUDF->SetTabVisible(false);
    IsColorManage = ReadInputSetting("InputSettings003", "IsColorManage", false);
    FastInputEnabled = ReadInputSetting("InputSettings004", "FastInputEnabled", true);
    ReportName = Brokers ? Trim(Brokers->ReportName) : std::string();
    AddRequiredCombos();
    ApplyFieldColors();
    SetUpPages();
}

void TfrmSingle::FormShow(TObject* Sender) {
    TfrmBase::FormShow(Sender);
    LoadSavedConditions();
    btnColorQuery->SetHint(LangText(kShowKeys, "sColorQueryHint", true));
    btnCalc->SetHint(LangText(kShowKeys, "sCalculatorHint", true));
    LoadColorRules();
    btnColorQuery->SetVisible(IsColorManage && btnQuery->Visible() && ColorQuery);
    UpdateCommandStates();
    if (CloseWhenShown) Application->PostMessage(Handle(), WM_CLOSE);
}

void TfrmSingle::FormDestroy(TObject* Sender) { TfrmRadical::FormDestroy(Sender); }

void TfrmSingle::FormResize(TObject* Sender) {
    TfrmRadical::FormResize(Sender);
    if (Status->Panels()->Count() > 1) Status->Panels()->Items(1)->SetWidth(std::max(0, Width() - 290));
}

void TfrmSingle::FormClose(TObject* Sender, TCloseAction& Action) {
    TfrmBase::FormClose(Sender, Action);
    ResultCode = (RunMode == 7 || RunMode == 8) ? 1 : 2;
    Action = caFree;
}

void TfrmSingle::SetUpPages() {
    if (pgHead->PageCount() > 0) pgHead->SetActivePage(pgHead->Pages(0));
    PageLastControls.clear();
    FinalControl = nullptr;
    for (TTabSheet* page : DetailPages()) {
        std::vector<TWinControl*> order;
        page->GetTabOrderList(order);
        TWinControl* last = nullptr;
        for (TWinControl* control : order)
            if (control->Visible() && control->Enabled() && control->TabStop()) last = control;
        PageLastControls.push_back(last ? last->Name() : std::string());
        if (last) FinalControl = last;
        if (PageLastControls.size() == 16) break;
    }
}

std::vector<TTabSheet*> TfrmSingle::DetailPages() const {
    std::vector<TTabSheet*> pages;
    for (int i = 0; i < pgHead->PageCount(); ++i) {
        TTabSheet* page = pgHead->Pages(i);
        if (page != tbsUDF && page != tbsBrowse) pages.push_back(page);
    }
    return pages;
}

int TfrmSingle::ActivePageIndexValue() const { return pgHead->ActivePageIndex(); }

TField* TfrmSingle::FindFieldOfTable(const std::string& table, const std::string& fieldName) {
    TdmSingle* dm = SingleDM();
    if (!dm || !Brokers || !SameText(table, Brokers->ProgramInfo.Values("M11_TABLE"))) return nullptr;
    return dm->cdsMain->FindField(fieldName);
}

std::string TfrmSingle::ApprovalSetting5() { return Brokers ? Brokers->ApprovalSetting5 : std::string(); }
std::string TfrmSingle::ApprovalSetting6() { return Brokers ? Brokers->ApprovalSetting6 : std::string(); }

// --- What the data module asks ------------------------------------------------------------------

void TfrmSingle::ReopenColorRows(bool inserted) {
    if (inserted)
        OpenColorRowsForCurrent();
    else
        OpenColorRows(LastCondition, LastOrder);
}

bool TfrmSingle::HeaderRowSelected(TBookmark bookmark) const {
    return bookmark != 0 && gdHead->SelectedRows().Contains(bookmark);
}

void TfrmSingle::HeaderDataSetOpening() { gdHead->SelectedRows().Clear(); }

void TfrmSingle::ApplyUserDefaults() {
    if (TMT_Doc* document = GetUserDocument()) {
        try {
            document->ApplyComponentDefaults(*this);
        } catch (const std::exception&) {
            // A default the field refuses leaves the field empty.
        }
    }
}

TUDFRules TfrmSingle::UDFDefinitions(const std::string& level, const std::string& selector) {
    if (!Brokers || !SingleDM()) return {};
    TDataSet* main = SingleDM()->cdsMain;
    const auto key = std::make_pair(level, selector);
    auto kept = udfDefinitions_.find(key);
    if (kept == udfDefinitions_.end())
        kept = udfDefinitions_.emplace(key, LoadUDFDefinitions(*Brokers, Brokers->ProgramId, level, selector, main)).first;
    // The fields are looked up again: the main dataset may have been reopened with new ones since.
    TUDFRules rules = kept->second;
    for (TUDFRule& rule : rules)
        for (TUDFRelatedField& related : rule.RelatedFields) related.Field = main->FindField(related.FieldName);
    return rules;
}

void TfrmSingle::ShowSaveError(const std::string& text) { ShowErrorBox(text); }

void TfrmSingle::ShowErrorBox(const std::string& text) {
    TMessageDlgRequest request;
    request.Text = text;
    request.Caption = Caption();
    request.DlgType = mtError;
    request.Buttons = {mbOK};
    MessageDlg(request);
}
