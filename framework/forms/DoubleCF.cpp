// The master-detail form's resource (body grid under a splitter, the extra tool buttons and menus),
// its creation and show, the layout of header and body, and what its data module asks of it.
#include "framework/forms/DoubleCF.h"

#include "framework/forms/FormImages.h"
#include "server/Brokers.h"
#include "server/MTDoc.h"
#include "toolkit/classes/Properties.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/graphics/ImgList.h"
#include "toolkit/ui/grids/DBGrids.h"
#include "toolkit/ui/widgets/ExtCtrls.h"
#include "toolkit/ui/widgets/Image.h"
#include "toolkit/ui/widgets/Menus.h"
#include "toolkit/ui/widgets/PageControl.h"
#include "toolkit/ui/widgets/Panel.h"
#include "toolkit/ui/widgets/Splitter.h"
#include "toolkit/ui/widgets/StatusBar.h"
#include "toolkit/ui/widgets/ToolBar.h"

namespace {

constexpr TColor kBodyGridColor = static_cast<TColor>(15532027);
constexpr int kDefaultHeadHeight = 230;

template <class T>
T* Make(TComponent* owner, const std::string& name) {
    T* component = CreateComponent<T>(owner);
    component->SetName(name);
    return component;
}

TMenuItem* Item(TComponent* owner, TMenuItem* parent, const std::string& name, const std::string& caption,
                TShortCut shortCut = scNone) {
    auto* item = Make<TMenuItem>(owner, name);
    item->SetCaption(caption);
    item->SetShortCut(shortCut);
    if (parent) parent->Add(item);
    return item;
}

}  // namespace

void TfrmDouble::Publish(TPublisher<TfrmDouble>& p) {
    p.Method("FormCreate", &TfrmDouble::FormCreate);
    p.Method("FormShow", &TfrmDouble::FormShow);
    p.Method("FormDestroy", &TfrmDouble::FormDestroy);
    p.Method("FormKeyDown", &TfrmDouble::FormKeyDown);
    p.Method("FormKeyPress", &TfrmDouble::FormKeyPress);
    p.Method("pgHeadChange", &TfrmDouble::pgHeadChange);
    p.Method("pgHeadResize", &TfrmDouble::pgHeadResize);
    p.Method("gdBody1Enter", &TfrmDouble::gdBody1Enter);
    p.Method("gdBody1Exit", &TfrmDouble::gdBody1Exit);
    p.Method("gdBody1KeyDown", &TfrmDouble::gdBody1KeyDown);
    p.Method("gdBody1TitleButtonClick", &TfrmDouble::gdBody1TitleButtonClick);
    p.Method("btnReFreshClick", &TfrmDouble::btnReFreshClick);
    p.Method("mnuCopyClick", &TfrmDouble::mnuCopyClick);
    p.Method("btnAttachClick", &TfrmDouble::btnAttachClick);
    p.Method("miBodyToExcelClick", &TfrmDouble::miBodyToExcelClick);
    p.Method("miBodyToExcel2Click", &TfrmDouble::miBodyToExcel2Click);
    p.Property("StatusBodyFields", &TfrmDouble::StatusBodyFields);
    p.Property("BodyRequired", &TfrmDouble::BodyRequired);
    p.Property("KeepPosition", &TfrmDouble::KeepPosition);
    p.Property("SavedHeadHeight", &TfrmDouble::SavedHeadHeight);
    p.Property("AttachmentsEnabled", &TfrmDouble::AttachmentsEnabled);
    p.Property("ConfirmField", &TfrmDouble::ConfirmField);
}

TfrmDouble::TfrmDouble(TComponent* owner) : TfrmSingle(owner) {
    BuildDoubleResource();
    BuildDoubleMenus();
    OnCreate = [this](TObject* sender) { FormCreate(sender); };
    OnShow = [this](TObject* sender) { FormShow(sender); };
    OnDestroy = [this](TObject* sender) { FormDestroy(sender); };
    OnKeyDown = [this](TObject* sender, WORD& key, TShiftState shift) { FormKeyDown(sender, key, shift); };
    OnKeyPress = [this](TObject* sender, char32_t& key) { FormKeyPress(sender, key); };
}

TfrmDouble::~TfrmDouble() = default;

void TfrmDouble::BuildDoubleResource() {
    AddDoubleFormImages(*ImageList1);

    // Header pages at the top, the splitter, the body below.
    pgHead->SetAlign(alTop);
    pgHead->SetHeight(kDefaultHeadHeight);
    pgHead->OnResize = [this](TObject* s) { pgHeadResize(s); };
    ImgConfirm = Make<TImage>(this, "ImgConfirm");
    ImgConfirm->SetParent(tbsHead1);
    ImgConfirm->SetBounds(tbsHead1->Width() - 56, 4, 48, 49);
    ImgConfirm->SetTransparent(true);

    sprBody = Make<TSplitter>(this, "sprBody");
    sprBody->SetParent(this);
    sprBody->SetTop(pgHead->Top() + pgHead->Height());
    sprBody->SetAlign(alTop);
    sprBody->SetHeight(1);

    pnlFoot = Make<TPanel>(this, "pnlFoot");
    pnlFoot->SetParent(this);
    pnlFoot->SetAlign(alBottom);
    pnlFoot->SetHeight(40);
    pnlFoot->SetVisible(false);

    pgBody = Make<TPageControl>(this, "pgBody");
    pgBody->SetParent(this);
    pgBody->SetAlign(alClient);
    tbsBody1 = Make<TTabSheet>(this, "tbsBody1");
    tbsBody1->SetCaption("单身");
    tbsBody1->SetPageControl(pgBody);
    tbsBody1->SetTabVisible(false);
    gdBody1 = Make<TDBGrid>(this, "gdBody1");
    gdBody1->SetParent(tbsBody1);
    gdBody1->SetAlign(alClient);
    gdBody1->SetReadOnly(true);
    gdBody1->SetOptions(gdBody1->Options() + TDBGridOptions{dgIndicator, dgTabs});
    gdBody1->SetTitleButtons(true);
    gdBody1->SetColor(kBodyGridColor);
    gdBody1->SetTitleImageList(SortMapList);
    gdBody1->OnEnter = [this](TObject* s) { gdBody1Enter(s); };
    gdBody1->OnExit = [this](TObject* s) { gdBody1Exit(s); };
    gdBody1->OnKeyDown = [this](TObject* s, WORD& key, TShiftState shift) { gdBody1KeyDown(s, key, shift); };
    gdBody1->OnTitleButtonClick = [this](TObject* s, const std::string& field) { gdBody1TitleButtonClick(s, field); };
    gdBody1->OnTitleClick = [this](TColumn* column) {
        if (column) gdBody1TitleButtonClick(gdBody1, column->FieldName());
    };

    // After the cancel button: the workflow drop-down and the attachments.
    btnFlow = Make<TToolButton>(this, "btnFlow");
    btnFlow->SetImageIndex(kImageFlow);
    btnFlow->SetStyle(tbsDropDown);
    btnFlow->SetParent(ToolBar1);
    btnAttach = Make<TToolButton>(this, "btnAttach");
    btnAttach->SetHint("附件");
    btnAttach->SetImageIndex(kImageAttach);
    btnAttach->SetParent(ToolBar1);
    btnAttach->OnClick = [this](TObject* s) { btnAttachClick(s); };
    btnReFresh->SetEnabled(true);
    btnReFresh->OnClick = [this](TObject* s) { btnReFreshClick(s); };
    ToolBar1->ArrangeButtons();
}

void TfrmDouble::BuildDoubleMenus() {
    DropDownPopupMenu = Make<TPopupMenu>(this, "DropDownPopupMenu");
    mnuMessageCenter = Item(this, DropDownPopupMenu->Items(), "mnuMessageCenter", "消息中心");
    mnuAttach = Item(this, DropDownPopupMenu->Items(), "mnuAttach", "附件");
    mnuAttach->SetVisible(false);
    mnuCopy = Item(this, DropDownPopupMenu->Items(), "mnuCopy", "复制单据");
    mnuCopy->SetImageIndex(kImageCopy);
    mnuCopy->OnClick = [this](TObject* s) { mnuCopyClick(s); };
    btnFlow->SetDropdownMenu(DropDownPopupMenu);
    miCopy = Item(this, nullptr, "miCopy", "复制单据(&Y)", ShortCut('D', {ssCtrl}));
    MenuItem1->Insert(MenuItem1->IndexOf(miDelete) + 1, miCopy);
    miCopy->OnClick = [this](TObject* s) { mnuCopyClick(s); };
    btnFlow->OnClick = [this](TObject* s) { mnuCopyClick(s); };

    miBodyToExcel = Item(this, miExport, "miBodyToExcel", "单身资料转Excel（含格式）", ShortCut(VK_F3, {ssCtrl}));
    miBodyToExcel2 = Item(this, miExport, "miBodyToExcel2", "单身资料转Excel（不含格式）", ShortCut(VK_F4, {ssCtrl}));
    miBodyToExcel->SetVisible(false);
    miBodyToExcel2->SetVisible(false);
    miBodyToExcel->OnClick = [this](TObject* s) { miBodyToExcelClick(s); };
    miBodyToExcel2->OnClick = [this](TObject* s) { miBodyToExcel2Click(s); };
}

TDataModuleClass TfrmDouble::DataModuleClass() const { return TDataModuleClass::Of<TdmDouble>(); }

// --- Creation, initialisation, show ---------------------------------------------------------------

void TfrmDouble::FormCreate(TObject* Sender) {
    if (!DataModule) DataModule = DataModuleClass().Create(this);
    if (TdmDouble* dm = DoubleDM()) gdBody1->SetDataSource(dm->dsBody1);
    ConfirmAfterSave = 2;
    SavedHeadHeight = pgHead->Height();
    TfrmSingle::FormCreate(Sender);
}

void TfrmDouble::ResetForm() {
    TfrmSingle::ResetForm();
    AttachmentsEnabled = true;
    BodyTitleSortEnabled = true;
    SavedHeadHeight = pgHead->Height();
    if (TdmDouble* dm = DoubleDM()) dm->SetMultiSelectedVisible(true);
}

void TfrmDouble::InitAfterDataModule() {
    TfrmSingle::InitAfterDataModule();
    KeepPosition = true;
    TdmDouble* dm = DoubleDM();
    if (!dm) return;
    if (pnlHead->Visible()) ImgConfirm->SetParent(pnlHead);
    ImgConfirm->SetLeft(ImgConfirm->Parent()->Width() - 56);
    if (QueryDialog && Brokers)
        QueryDialog->SetDetailSource(dm->cdsBody1, Brokers->ProgramInfo.Values("D11_TABLE"), "", dm->BodyExtraColumns,
                                     dm->BodyKeyFields);
    LoadAttachmentKeys();
    if (Brokers) BodyRequired = Brokers->BodyRequired;
    LabelBodyUserFields();
    ApplyBodyTitleColors();
    IndexBody();
    UpdateLayout();
}

void TfrmDouble::FormShow(TObject* Sender) {
    TfrmSingle::FormShow(Sender);
    AllowBodyChanges(EditMode != emBrowse);
    UpdateCommandStates();
}

void TfrmDouble::FormDestroy(TObject* Sender) {
    gdBody1->SetDataSource(nullptr);
    TfrmSingle::FormDestroy(Sender);
}

// --- Layout ---------------------------------------------------------------------------------------

bool TfrmDouble::BrowsePageShowing() const { return pgHead->ActivePage() == tbsBrowse; }

bool TfrmDouble::BodyGridShowing() const { return pgBody->Visible() && gdBody1->Visible(); }

void TfrmDouble::UpdateLayout() {
    if (layingOut_) return;
    layingOut_ = true;
    const bool browsing = BrowsePageShowing();
    sprBody->SetVisible(!browsing);
    pgBody->SetVisible(!browsing);
    if (browsing) {
        pgHead->SetAlign(alClient);
    } else {
        pgHead->SetAlign(alTop);
        if (SavedHeadHeight > 0) pgHead->SetHeight(SavedHeadHeight);
        sprBody->SetTop(pgHead->Top() + pgHead->Height());
    }
    layingOut_ = false;
    if (TdmDouble* dm = DoubleDM()) dm->ShowRecordCounts();
}

void TfrmDouble::pgHeadChange(TObject* Sender) {
    TfrmSingle::pgHeadChange(Sender);
    UpdateLayout();
}

void TfrmDouble::ShowBrowsePage() {
    TfrmSingle::ShowBrowsePage();
    UpdateLayout();
}

void TfrmDouble::pgHeadResize(TObject* /*Sender*/) {
    // The height the user gives the header pages while the body shows is the one they come back to.
    if (!layingOut_ && !BrowsePageShowing() && pgHead->Align() == alTop) SavedHeadHeight = pgHead->Height();
}

void TfrmDouble::EnterBody(bool firstColumn) {
    if (BrowsePageShowing() && pgHead->PageCount() > 0) pgHead->ChangeActivePageByUser(pgHead->Pages(0));
    pgBody->SetActivePage(tbsBody1);
    UpdateLayout();
    if (gdBody1->CanFocus()) gdBody1->SetFocus();
    if (firstColumn) BodyGridToFirstColumn();
}

void TfrmDouble::BodyGridToFirstColumn() {
    for (int i = 0; i < gdBody1->Columns()->Count(); ++i)
        if (gdBody1->Columns()->Items(i)->Visible() && !gdBody1->Columns()->Items(i)->ReadOnly()) {
            gdBody1->SetSelectedIndex(i);
            return;
        }
}

void TfrmDouble::RefreshBody() {
    if (TdmDouble* dm = DoubleDM(); dm && dm->cdsBody1->Active()) dm->cdsBody1->Resync();
    gdBody1->Invalidate();
}

void TfrmDouble::ApplyBodyUserDefaults() {
    if (TMT_Doc* document = GetUserDocument()) {
        try {
            document->ApplyGridDefaults(*gdBody1);
        } catch (const std::exception&) {
            // A default the field refuses leaves the field empty.
        }
    }
}

void TfrmDouble::BodyDataChanged() {
    TdmDouble* dm = DoubleDM();
    if (!dm || StatusBodyFields.empty()) return;
    std::string text;
    for (const std::string& item : SplitString(StatusBodyFields, ',')) {
        TField* field = dm->cdsBody1->Active() ? dm->cdsBody1->FindField(Trim(item)) : nullptr;
        if (field) text += (text.empty() ? "" : " ") + field->DisplayText();
    }
    SetStatusText(1, text);
}
