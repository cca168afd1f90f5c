// The base form's resource (status bar, tool bar, main menu), its creation and its start-up steps.
#include "framework/forms/BaseForm.h"

#include "framework/forms/FormImages.h"
#include "server/Brokers.h"
#include "server/MTDoc.h"
#include "toolkit/classes/Properties.h"
#include "toolkit/rtl/Dispatch.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/graphics/ImgList.h"
#include "toolkit/ui/widgets/Menus.h"
#include "toolkit/ui/widgets/StatusBar.h"
#include "toolkit/ui/widgets/ToolBar.h"

namespace {

TToolButton* AddButton(TfrmBase* form, TToolBar* bar, const std::string& name, const std::string& hint, int image) {
    auto* button = CreateComponent<TToolButton>(form);
    button->SetName(name);
    button->SetHint(hint);
    button->SetImageIndex(image);
    if (image < 0) button->SetStyle(tbsSeparator);
    button->SetParent(bar);
    return button;
}

TMenuItem* AddItem(TfrmBase* form, TMenuItem* parent, const std::string& name, const std::string& caption,
                   TShortCut shortCut = scNone, int image = -1) {
    auto* item = CreateComponent<TMenuItem>(form);
    item->SetName(name);
    item->SetCaption(caption);
    item->SetShortCut(shortCut);
    item->SetImageIndex(image);
    parent->Add(item);
    return item;
}

}  // namespace

void TfrmBase::Publish(TPublisher<TfrmBase>& p) {
    p.Method("FormCreate", &TfrmBase::FormCreate);
    p.Method("FormShow", &TfrmBase::FormShow);
    p.Method("FormActivate", &TfrmBase::FormActivate);
    p.Method("FormCloseQuery", &TfrmBase::FormCloseQuery);
    p.Method("FormClose", &TfrmBase::FormClose);
    p.Method("FormKeyDown", &TfrmBase::FormKeyDown);
    p.Method("miAddClick", &TfrmBase::miAddClick);
    p.Method("miQueryClick", &TfrmBase::miQueryClick);
    p.Method("miEditClick", &TfrmBase::miEditClick);
    p.Method("miDeleteClick", &TfrmBase::miDeleteClick);
    p.Method("miViewItemClick", &TfrmBase::miViewItemClick);
    p.Method("miFirstClick", &TfrmBase::miFirstClick);
    p.Method("miPriorClick", &TfrmBase::miPriorClick);
    p.Method("miNextClick", &TfrmBase::miNextClick);
    p.Method("miLastClick", &TfrmBase::miLastClick);
    p.Method("NGClick", &TfrmBase::NGClick);
    p.Method("MenuItem11Click", &TfrmBase::MenuItem11Click);
    p.Method("miToolBarClick", &TfrmBase::miToolBarClick);
    p.Method("miManagerClick", &TfrmBase::miManagerClick);
    p.Method("mnSearchClick", &TfrmBase::mnSearchClick);
    p.Method("miExitClick", &TfrmBase::miExitClick);
    p.Method("DateFieldDBComboDlgExit", &TfrmBase::DateFieldDBComboDlgExit);
    p.Method("rkSearchDialog1InitDialog", &TfrmBase::rkSearchDialog1InitDialog);
    p.Method("rkSearchDialog1SelectField", &TfrmBase::rkSearchDialog1SelectField);
    p.Method("rkSearchDialog1BeforeSearch", &TfrmBase::rkSearchDialog1BeforeSearch);
    p.Method("rkSearchDialog1AfterSearch", &TfrmBase::rkSearchDialog1AfterSearch);
    // State a host or a script reads by name.
    p.Property("EditMode", &TfrmBase::EditModeValue);
    p.Property("LastSaveFailed", &TfrmBase::LastSaveFailedValue);
    p.Property("RequiredFields", &TfrmBase::RequiredFields);
    p.Property("IsFocusPageOne", &TfrmBase::IsFocusPageOne);
    p.Property("IsKeepOnAdd", &TfrmBase::IsKeepOnAdd);
    p.Property("LastCondition", &TfrmBase::LastCondition);
    p.Property("LastOrder", &TfrmBase::LastOrder);
    p.Property("CanAdd", &TfrmBase::CanAdd);
    p.Property("CanQuery", &TfrmBase::CanQuery);
    p.Property("CanEdit", &TfrmBase::CanEdit);
    p.Property("CanDelete", &TfrmBase::CanDelete);
    p.Property("CanPrint", &TfrmBase::CanPrint);
}

TfrmBase::TfrmBase(TComponent* owner) : TfrmRadical(owner) {
    BuildResource();
    OnCreate = [this](TObject* sender) { FormCreate(sender); };
    OnShow = [this](TObject* sender) { FormShow(sender); };
    OnActivate = [this](TObject* sender) { FormActivate(sender); };
    OnCloseQuery = [this](TObject* sender, bool& canClose) { FormCloseQuery(sender, canClose); };
    OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
    OnKeyDown = [this](TObject* sender, WORD& key, TShiftState shift) { FormKeyDown(sender, key, shift); };
}

TfrmBase::~TfrmBase() = default;

void TfrmBase::BuildResource() {
    SetKeyPreview(true);
    SetShowHint(true);
    SetBounds(0, 0, 760, 520);
    ImageList1 = CreateComponent<TImageList>(this);
    ImageList1->SetName("ImageList1");
    ImageList1->SetWidth(18);
    ImageList1->SetHeight(18);
    AddBaseFormImages(*ImageList1);
    BuildToolBar();
    BuildMenu();
    BuildSearch();

    Status = CreateComponent<TStatusBar>(this);
    Status->SetName("Status");
    Status->SetParent(this);
    Status->SetAlign(alBottom);
    Status->SetHeight(22);
    for (auto [text, width] : {std::pair<const char*, int>{"浏览", 40}, {"", 400}, {"单据笔数", 50}, {"0/0", 50}, {"", 60}}) {
        TStatusPanel* panel = Status->Panels()->Add();
        panel->SetText(text);
        panel->SetWidth(width);
    }
}

void TfrmBase::BuildToolBar() {
    ToolBar1 = CreateComponent<TToolBar>(this);
    ToolBar1->SetName("ToolBar1");
    ToolBar1->SetParent(this);
    ToolBar1->SetAlign(alTop);
    ToolBar1->SetHeight(28);
    ToolBar1->SetButtonWidth(25);
    ToolBar1->SetButtonHeight(24);
    ToolBar1->SetImages(ImageList1);
    ToolBar1->SetFlat(true);
    ToolBar1->SetShowHint(true);
    btnAdd = AddButton(this, ToolBar1, "btnAdd", "新增", 0);
    btnAdd->SetEnabled(false);
    btnQuery = AddButton(this, ToolBar1, "btnQuery", "查询", 1);
    btnEdit = AddButton(this, ToolBar1, "btnEdit", "更改", 2);
    btnDelete = AddButton(this, ToolBar1, "btnDelete", "删除", 3);
    btnPrint = AddButton(this, ToolBar1, "btnPrint", "打印", 4);
    ToolButton6 = AddButton(this, ToolBar1, "ToolButton6", "", -1);
    btnFirst = AddButton(this, ToolBar1, "btnFirst", "第一个", 5);
    btnPrior = AddButton(this, ToolBar1, "btnPrior", "上一个", 6);
    btnNext = AddButton(this, ToolBar1, "btnNext", "下一个", 7);
    btnLast = AddButton(this, ToolBar1, "btnLast", "最后一个", 8);
    btnReFresh = AddButton(this, ToolBar1, "btnReFresh", "重取", 9);
    ToolButton12 = AddButton(this, ToolBar1, "ToolButton12", "", -1);
    btnAdd->OnClick = [this](TObject* s) { miAddClick(s); };
    btnQuery->OnClick = [this](TObject* s) { miQueryClick(s); };
    btnEdit->OnClick = [this](TObject* s) { miEditClick(s); };
    btnDelete->OnClick = [this](TObject* s) { miDeleteClick(s); };
    btnFirst->OnClick = [this](TObject* s) { miFirstClick(s); };
    btnPrior->OnClick = [this](TObject* s) { miPriorClick(s); };
    btnNext->OnClick = [this](TObject* s) { miNextClick(s); };
    btnLast->OnClick = [this](TObject* s) { miLastClick(s); };
}

void TfrmBase::BuildMenu() {
    MainMenu = CreateComponent<TMainMenu>(this);
    MainMenu->SetName("MainMenu");
    MainMenu->SetOwnerDraw(true);
    MainMenu->SetImages(ImageList1);
    TMenuItem* root = MainMenu->Items();
    MenuItem1 = AddItem(this, root, "MenuItem1", "资料(&D)");
    MenuItem1->SetGroupIndex(11);
    miAdd = AddItem(this, MenuItem1, "miAdd", "新增(&A)", ShortCut(VK_F5, {}), 0);
    miQuery = AddItem(this, MenuItem1, "miQuery", "查询(&Q)", ShortCut(VK_F6, {}), 1);
    miEdit = AddItem(this, MenuItem1, "miEdit", "更改(&E)", ShortCut(VK_F7, {}), 2);
    miDelete = AddItem(this, MenuItem1, "miDelete", "删除(&D)", ShortCut(VK_F8, {}), 3);
    miViewItem = AddItem(this, MenuItem1, "miViewItem", "查看文档(&V)", ShortCut(VK_F10, {}));
    miViewItem->SetVisible(false);
    N1 = AddItem(this, MenuItem1, "N1", "-");
    miFirst = AddItem(this, MenuItem1, "miFirst", "第一个(&F)", ShortCut('H', {ssCtrl}), 5);
    miPrior = AddItem(this, MenuItem1, "miPrior", "上一个(&P)", scNone, 6);
    miNext = AddItem(this, MenuItem1, "miNext", "下一个(&N)", scNone, 7);
    miLast = AddItem(this, MenuItem1, "miLast", "最后一个(&L)", ShortCut('E', {ssCtrl}), 8);
    N2 = AddItem(this, MenuItem1, "N2", "-");
    NG = AddItem(this, MenuItem1, "NG", "保存视图(&G)");
    MenuItem11 = AddItem(this, root, "MenuItem11", "功能(&F)");
    MenuItem11->SetGroupIndex(12);
    miToolBar = AddItem(this, MenuItem11, "miToolBar", "工具栏(&S)", ShortCut('S', {ssCtrl}));
    miToolBar->SetChecked(true);
    miManager = AddItem(this, MenuItem11, "miManager", "管理字段(&M)", ShortCut('M', {ssCtrl}));
    N3 = AddItem(this, MenuItem11, "N3", "-");
    mnSearch = AddItem(this, MenuItem11, "mnSearch", "快速定位(&F)", ShortCut('F', {ssCtrl}));
    MenuItem16 = AddItem(this, root, "MenuItem16", "退出(&X)");
    MenuItem16->SetGroupIndex(100);
    miExit = AddItem(this, MenuItem16, "miExit", "退出(&X)");

    miAdd->OnClick = [this](TObject* s) { miAddClick(s); };
    miQuery->OnClick = [this](TObject* s) { miQueryClick(s); };
    miEdit->OnClick = [this](TObject* s) { miEditClick(s); };
    miDelete->OnClick = [this](TObject* s) { miDeleteClick(s); };
    miViewItem->OnClick = [this](TObject* s) { miViewItemClick(s); };
    miFirst->OnClick = [this](TObject* s) { miFirstClick(s); };
    miPrior->OnClick = [this](TObject* s) { miPriorClick(s); };
    miNext->OnClick = [this](TObject* s) { miNextClick(s); };
    miLast->OnClick = [this](TObject* s) { miLastClick(s); };
    NG->OnClick = [this](TObject* s) { NGClick(s); };
    MenuItem11->OnClick = [this](TObject* s) { MenuItem11Click(s); };
    miToolBar->OnClick = [this](TObject* s) { miToolBarClick(s); };
    miManager->OnClick = [this](TObject* s) { miManagerClick(s); };
    mnSearch->OnClick = [this](TObject* s) { mnSearchClick(s); };
    miExit->OnClick = [this](TObject* s) { miExitClick(s); };
    SetMenu(MainMenu);
}

TDataModuleClass TfrmBase::DataModuleClass() const { return TDataModuleClass::Of<TdmBase>(); }

TdmBase* TfrmBase::BaseDM() const { return dynamic_cast<TdmBase*>(DataModule); }

TClientDataSet* TfrmBase::MainDataSet() const {
    TdmBase* dm = BaseDM();
    return dm ? dm->cdsMain : nullptr;
}

std::string TfrmBase::StatusText(int panel) const {
    return panel < Status->Panels()->Count() ? Status->Panels()->Items(panel)->Text() : std::string();
}

void TfrmBase::SetStatusText(int panel, const std::string& text) {
    if (panel < Status->Panels()->Count()) Status->Panels()->Items(panel)->SetText(text);
}

// --- Creation and start-up ----------------------------------------------------------------------

void TfrmBase::FormCreate(TObject* Sender) {
    TfrmRadical::FormCreate(Sender);
    ApplyRights();
}

void TfrmBase::FormShow(TObject* Sender) { TfrmRadical::FormShow(Sender); }

void TfrmBase::FormClose(TObject* Sender, TCloseAction& Action) {
    TfrmRadical::FormClose(Sender, Action);
    if (QueryForm && QueryForm->Owner() == this) {
        TCustomForm* query = QueryForm;
        QueryForm = nullptr;
        QueryDialog = nullptr;
        query->Free();
    }
}

void TfrmBase::ResetForm() {
    TfrmRadical::ResetForm();
    ItemDocumentFlag = true;
    LastSaveFailed = false;
}

void TfrmBase::LoadRights() {
    TfrmRadical::LoadRights();
    TdmBase* dm = BaseDM();
    if (!dm || !dm->MIDAS.Connected()) return;
    AfterDataOpen();
    ProgramHook63();
}

void TfrmBase::AfterDataOpen() {
    TdmBase* dm = BaseDM();
    if (!dm) return;
    dm->SetFieldManagement(false);
    ShowMode(1);
    RecordChanged(dm->cdsMain);
    SetStatusText(4, dm->MIDAS.Address + " - " + IntToStr(dm->MIDAS.Port));
}

void TfrmBase::ProgramHook63() {
    if (RunMode != 10) LoadRequiredFields();
    LoadGridViews();
    InitAfterDataModule();
}

// --- Grid views ---------------------------------------------------------------------------------

void TfrmBase::SaveGridViews() {
    TdmBase* dm = BaseDM();
    if (!dm) return;
    const std::string file = ProgramId() + "C.ugs";
    for (TComponent* component : dm->ComponentList())
        if (auto* dataSet = dynamic_cast<TClientDataSet*>(component); dataSet && dataSet->Active())
            dm->SaveGridView(dataSet, file);
}

void TfrmBase::LoadGridViews() {
    TdmBase* dm = BaseDM();
    if (!dm) return;
    const std::string file = ProgramId() + "C.ugs";
    for (TComponent* component : dm->ComponentList())
        if (auto* dataSet = dynamic_cast<TClientDataSet*>(component); dataSet && dataSet->Active()) {
            try {
                dm->LoadGridView(dataSet, file);
            } catch (const std::exception&) {
                // A damaged view file leaves the columns as designed.
            }
        }
}

// --- The per-user settings document -------------------------------------------------------------

TMT_Doc* TfrmBase::GetUserDocument() {
    if (userDocumentLoaded_) return userDocument_.get();
    userDocumentLoaded_ = true;
    userDocument_ = std::make_unique<TMT_Doc>();
    userDocument_->Converter = [this](const std::string& text) { return RkConverter->ToDisplayText(text); };
    TdmBase* dm = BaseDM();
    if (!dm || !dm->AppServer.IsDispatch() || !Brokers) return userDocument_.get();
    try {
        std::string text = VarToStr(OleCall(dm->AppServer, "GetFormat", {Brokers->CompanyId, Brokers->ProgramId}));
        if (!Trim(text).empty()) userDocument_->LoadText(text);
    } catch (const std::exception&) {
        // No document or a damaged one: the empty document.
        userDocument_ = std::make_unique<TMT_Doc>();
        userDocument_->Converter = [this](const std::string& t) { return RkConverter->ToDisplayText(t); };
    }
    return userDocument_.get();
}
