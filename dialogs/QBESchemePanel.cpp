// The saved schemes of the query dialog: the list on the left ("查询方案"), saving what the current
// page holds under a name, opening, deleting, and running a scheme for the window's scheme menu.
#include "dialogs/DocuCondition.h"
#include "dialogs/RkQBE.h"
#include "framework/data/RadicalDM.h"
#include "framework/forms/FormImages.h"
#include "framework/forms/RadicalForm.h"
#include "server/Brokers.h"
#include "toolkit/classes/Properties.h"
#include "toolkit/data/ClientDataSet.h"
#include "toolkit/rtl/DateTime.h"
#include "toolkit/rtl/Dispatch.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/graphics/ImgList.h"
#include "toolkit/ui/grids/StringGrid.h"
#include "toolkit/ui/kernel/CreateControl.h"
#include "toolkit/ui/widgets/CheckBox.h"
#include "toolkit/ui/widgets/ComboBox.h"
#include "toolkit/ui/widgets/GlyphButton.h"
#include "toolkit/ui/widgets/Label.h"
#include "toolkit/ui/widgets/ListBox.h"
#include "toolkit/ui/widgets/ListView.h"
#include "toolkit/ui/widgets/Memo.h"
#include "toolkit/ui/widgets/Menus.h"
#include "toolkit/ui/widgets/PageControl.h"
#include "toolkit/ui/widgets/Panel.h"
#include "toolkit/ui/widgets/ToolBar.h"

namespace {

constexpr int kSchemePanelWidth = 168;
constexpr int kFieldCol = 0, kOperatorCol = 1, kValueCol = 2, kLogicCol = 3;
constexpr int kSchemeNameLength = 20;  // characters
// The view styles in the order the tool button cycles through them, with their handlers' names.
const char* const kViewHandlers[] = {"ViewIconExecute", "ViewSmallIconExecute", "ViewListExecute", "ViewReportExecute"};
constexpr int kViewStyles = 4;

int Utf8Length(const std::string& text) {
    int count = 0;
    for (unsigned char c : text) count += (c & 0xC0) != 0x80;
    return count;
}

TBitBtn* SchemeButton(TQBEForm* form, const std::string& name, const std::string& caption, int top) {
    auto* button = CreateControl<TBitBtn>(form, form->pnlCondition, name, 8, top, 72, 25);
    button->SetCaption(caption);
    return button;
}

}  // namespace

void TQBEForm::CreateSchemePanel() {
    // The dialog grows to the left by the panel; what it held moves right.
    for (TControl* control : {static_cast<TControl*>(Panel2), static_cast<TControl*>(ExtPageControl1),
                              static_cast<TControl*>(BBOK), static_cast<TControl*>(BBCancel)})
        control->SetLeft(control->Left() + kSchemePanelWidth);
    SetWidth(Width() + kSchemePanelWidth);
    pnlCondition = CreateControl<TPanel>(this, this, "pnlCondition", 0, 0, kSchemePanelWidth - 4, 412);
    lblCondition = CreateControl<TLabel>(this, pnlCondition, "lblCondition", 8, 8, 110, 18);
    lblCondition->SetCaption("查询方案");
    lstCondition = CreateControl<TListView>(this, pnlCondition, "lstCondition", 8, 28, kSchemePanelWidth - 20, 300);
    lstCondition->SetViewStyle(vsReport);
    lstCondition->SetRowSelect(true);
    CreateViewStyleMenu();
    btnInsert = SchemeButton(this, "btnInsert", "保存(&N)", 336);
    btnOpen = SchemeButton(this, "btnOpen", "开启(&O)", 366);
    btnDelete = SchemeButton(this, "btnDelete", "删除(&D)", 336);
    btnDelete->SetLeft(84);
    btnInsert->OnClick = [this](TObject* s) { btnInsertClick(s); };
    btnOpen->OnClick = [this](TObject* s) { btnOpenClick(s); };
    btnDelete->OnClick = [this](TObject* s) { btnDeleteClick(s); };
    lstCondition->OnDblClick = [this](TObject* s) { btnOpenClick(s); };
    lstCondition->OnEdited = [this](TObject* s, TListItem* item, std::string& text) { lstConditionEdited(s, item, text); };
}

void TQBEForm::CreateViewStyleMenu() {
    ImageList1 = CreateComponent<TImageList>(this);
    ImageList1->SetName("ImageList1");
    ImageList1->SetWidth(18);
    ImageList1->SetHeight(18);
    AddSchemeImages(*ImageList1);
    ImageList2 = CreateComponent<TImageList>(this);
    ImageList2->SetName("ImageList2");
    ImageList2->SetWidth(36);
    ImageList2->SetHeight(36);
    AddSchemeImages(*ImageList2);
    lstCondition->SetSmallImages(ImageList1);
    lstCondition->SetLargeImages(ImageList2);

    mnList = CreateComponent<TPopupMenu>(this);
    mnList->SetName("mnList");
    auto item = [this](const std::string& name, const std::string& caption, int style) {
        auto* menuItem = CreateComponent<TMenuItem>(this);
        menuItem->SetName(name);
        menuItem->SetCaption(caption);
        menuItem->SetRadioItem(true);
        menuItem->SetGroupIndex(1);
        menuItem->OnClick = MethodAddress<void(TObject*)>(this, kViewHandlers[style]);
        mnList->Items()->Add(menuItem);
        return menuItem;
    };
    miViewIcon = item("miViewIcon", "大型图标(&G)", vsIcon);
    miViewSmallIcon = item("miViewSmallIcon", "小型图标(&M)", vsSmallIcon);
    miViewList = item("miViewList", "清单(&L)", vsList);
    miViewReport = item("miViewReport", "详细信息(&D)", vsReport);
    miViewReport->SetChecked(true);
    lstCondition->SetPopupMenu(mnList);

    tbCondition = CreateControl<TToolBar>(this, pnlCondition, "tbCondition", 122, 2, 36, 26);
    tbCondition->SetAlign(alNone);
    tbCondition->SetBounds(122, 2, 38, 26);
    tbCondition->SetImages(ImageList1);
    tbCondition->SetFlat(true);
    tbCondition->SetButtonWidth(24);
    tbCondition->SetButtonHeight(24);
    ToolButton1 = CreateComponent<TToolButton>(this);
    ToolButton1->SetName("ToolButton1");
    ToolButton1->SetImageIndex(kImageViewStyles);
    ToolButton1->SetStyle(tbsDropDown);
    ToolButton1->SetDropdownMenu(mnList);
    ToolButton1->SetParent(tbCondition);
    ToolButton1->SetTag(vsReport);
    ToolButton1->OnClick = [this](TObject* s) { ToolButton1Click(s); };
}

void TQBEForm::ToolButton1Click(TObject* Sender) {
    const int style = (ToolButton1->Tag() + 1) % kViewStyles;
    ToolButton1->SetTag(style);
    if (auto handler = MethodAddress<void(TObject*)>(this, kViewHandlers[style])) handler(Sender);
}

void TQBEForm::ShowSchemesAs(int style) {
    lstCondition->Items()->BeginUpdate();
    lstCondition->SetViewStyle(static_cast<TViewStyle>(style));
    lstCondition->Items()->EndUpdate();
    // The button goes on from the style shown, however it was chosen.
    ToolButton1->SetTag(style);
    TMenuItem* items[] = {miViewIcon, miViewSmallIcon, miViewList, miViewReport};
    items[style]->SetChecked(true);
}

void TQBEForm::ViewIconExecute(TObject*) { ShowSchemesAs(vsIcon); }
void TQBEForm::ViewSmallIconExecute(TObject*) { ShowSchemesAs(vsSmallIcon); }
void TQBEForm::ViewListExecute(TObject*) { ShowSchemesAs(vsList); }
void TQBEForm::ViewReportExecute(TObject*) { ShowSchemesAs(vsReport); }

void TQBEForm::InitSchemeColumns() {
    lstCondition->Columns()->Clear();
    TListColumn* name = lstCondition->Columns()->Add();
    name->SetCaption(MessageLine(2));
    name->SetAlignment(taRightJustify);
    name->SetWidth(84);
    TListColumn* date = lstCondition->Columns()->Add();
    date->SetCaption(MessageLine(3));
    date->SetAlignment(taLeftJustify);
    date->SetWidth(62);
}

std::string TQBEForm::CallSchemeServer(const std::string& member, const Variant& params) {
    TdmRadical* dm = DataModuleOf(MasterDataSet);
    if (!dm || !dm->AppServer.IsDispatch()) return "no application server";
    return VarToStr(OleCall(dm->AppServer, member, {params}));
}

bool TQBEForm::LoadSchemes() {
    TdmRadical* dm = DataModuleOf(MasterDataSet);
    TfrmRadical* form = MaintenanceForm();
    if (!dm || !form || !form->Brokers || !dm->AppServer.IsDispatch()) return false;
    TListItems* items = lstCondition->Items();
    items->BeginUpdate();
    // Filled in the list style, then shown as the user had it.
    const TViewStyle style = lstCondition->ViewStyle();
    lstCondition->SetViewStyle(vsList);
    try {
        items->Clear();
        OleCall(dm->AppServer, "LoadTable", {VarArrayOf({form->Brokers->UserId, form->Brokers->ProgramId})});
        TClientDataSet* rows = dm->cdsSaveCondition;
        rows->Close();
        rows->Open();
        for (rows->First(); !rows->Eof(); rows->Next()) {
            TListItem* item = items->Add();
            item->SetImageIndex(kImageScheme);
            item->SetCaption(RkConverter->ToDisplayText(rows->FieldByName("NCONDITION")->AsString()));
            const std::string date = Trim(rows->FieldByName("CREATE_DATE")->AsString()).substr(0, 8);
            TDateTime when = 0;
            item->SubItems()->Add(TryEncodeDate(StrToIntDef(date.substr(0, 4), 0), StrToIntDef(date.substr(4, 2), 0),
                                                StrToIntDef(date.substr(6, 2), 0), when)
                                      ? FormatDateTime("ddddd", when)
                                      : date);
        }
    } catch (const std::exception& e) {
        lstCondition->SetViewStyle(style);
        items->EndUpdate();
        throw Exception(e.what());
    }
    lstCondition->SetViewStyle(style);
    items->EndUpdate();
    return true;
}

TQBEScheme TQBEForm::CurrentScheme() const {
    TQBEScheme scheme;
    TTabSheet* page = ExtPageControl1->ActivePage();
    scheme.Page = page == TabSheet2 ? 1 : page == TabSheet3 ? 2 : page == TabSheet1 || !page ? 0 : 3;
    scheme.RowLimit = cbTopRow->Text();
    if (scheme.Page == 0) {
        for (int row = 1; row < sg1->RowCount(); ++row)
            scheme.Rows.push_back({sg1->Cells(kFieldCol, row), sg1->Cells(kOperatorCol, row), sg1->Cells(kValueCol, row),
                                   sg1->Cells(kLogicCol, row)});
        return scheme;
    }
    scheme.Memo1 = Memo1->Text();
    for (int i = 0; i < ListBox2->Count(); ++i) scheme.Sort.push_back({(*ListBox2->Items())[i], ListBox2->Checked(i)});
    scheme.DetailFilter = chkBody->Checked();
    scheme.Memo2 = Memo2->Text();
    return scheme;
}

bool TQBEForm::SaveScheme(const std::string& name, bool replace) {
    TfrmRadical* form = MaintenanceForm();
    if (!form || !form->Brokers) return false;
    const TQBEScheme scheme = CurrentScheme();
    const std::string text = scheme.Page > 2 ? std::string() : QBESchemeText(scheme);
    try {
        return CallSchemeServer("InsertConTable", VarArrayOf({RkConverter->ToStorageText(name), form->Brokers->UserId,
                                                              FormatDateTime("yyyymmdd", Now()), form->Brokers->ProgramId,
                                                              RkConverter->ToStorageText(text), scheme.Page, replace}))
            .empty();
    } catch (const std::exception&) {
        return false;
    }
}

void TQBEForm::ShowScheme(const TQBEScheme& scheme) {
    cbTopRow->SetText(scheme.RowLimit);
    if (scheme.Page == 0) {
        ExtPageControl1->SetActivePage(TabSheet1);
        while (sg1->RowCount() > 2) sg1->DeleteRow(sg1->RowCount() - 1);
        for (int col = 0; col < sg1->ColCount(); ++col) sg1->SetCells(col, 1, "");
        int row = 1;
        for (const TQBESchemeRow& stored : scheme.Rows) {
            if (row > 1) AddGridRow(row);
            const std::string field = RkConverter->FromStorageText(stored.Field);
            sg1->SetCells(kFieldCol, row, field);
            PrepareGridRow(row, field);
            sg1->SetCells(kOperatorCol, row, RkConverter->FromStorageText(stored.Operator));
            sg1->SetCells(kValueCol, row, RkConverter->FromStorageText(stored.Value));
            sg1->SetCells(kLogicCol, row, RkConverter->FromStorageText(stored.Logic));
            ++row;
        }
        for (int r = 1; r < sg1->RowCount(); ++r)
            if (Trim(sg1->Cells(kValueCol, r)).empty()) sg1->SetCells(kValueCol, r, "");
        LastGridField = Trim(sg1->Cells(kFieldCol, sg1->Row()));
        return;
    }
    ExtPageControl1->SetActivePage(scheme.Page == 2 && TabSheet3->TabVisible() ? TabSheet3 : TabSheet2);
    ListBox2->Items()->Clear();
    Memo1->SetText(RkConverter->FromStorageText(scheme.Memo1));
    for (const TQBESortEntry& entry : scheme.Sort) {
        ListBox2->Items()->Add(RkConverter->FromStorageText(entry.Text));
        ListBox2->SetChecked(ListBox2->Count() - 1, entry.Descending);
    }
    if (chkBody->Checked() != scheme.DetailFilter) {
        chkBody->SetChecked(scheme.DetailFilter);
        chkBodyClick(chkBody);
    }
    Memo2->SetText(RkConverter->FromStorageText(scheme.Memo2));
}

bool TQBEForm::ApplyScheme(const std::string& activePage, const std::string& scheme) {
    try {
        const int page = StrToIntDef(Trim(activePage), 0);
        if (page < 0 || page > 2) return false;
        ShowScheme(ParseQBEScheme(page, scheme));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool TQBEForm::RunScheme(std::string& condition, std::string& order) {
    try {
        DoCondition();
    } catch (const std::exception&) {
        return false;
    }
    const bool detail = ExtPageControl1->ActivePage() != TabSheet1 && chkBody->Checked();
    condition = RkConverter->ToProgramText(detail ? CombinedCondition : MasterCondition);
    order = OrderText;
    return true;
}

void TQBEForm::btnInsertClick(TObject* Sender) {
    // Editing in the grid ends first; a cell that keeps the focus (refused) keeps the scheme unsaved.
    if (sg1->EditorMode()) sg1->SetEditorMode(false);
    if (sg1->EditorMode()) return;
    TfrmRadical* form = MaintenanceForm();
    Variant answer = AskSchemeName(this, form ? form->Brokers : nullptr, Caption());
    const std::string name = VarToStr(answer[answer.Low()]);
    if (name.empty()) return;
    const bool replace = answer.Count() > 1 && answer[answer.Low() + 1].AsBool();
    if (!SaveScheme(name, replace)) {
        RkConverter->ShowMessageBox(MessageLine(1), mtError, {mbOK});
        return;
    }
    LoadSchemes();
    if (schemesChanged_) schemesChanged_();
}

void TQBEForm::btnOpenClick(TObject* Sender) {
    TListItem* item = lstCondition->Selected();
    TdmRadical* dm = DataModuleOf(MasterDataSet);
    TfrmRadical* form = MaintenanceForm();
    if (!item || !dm || !form || !form->Brokers) return;
    TClientDataSet* rows = dm->cdsSaveCondition;
    const std::string name = RkConverter->ToStorageText(item->Caption());
    if (!rows->Active() ||
        !rows->Locate("NCONDITION;CREATOR;PROGRAMME", VarArrayOf({name, form->Brokers->UserId, form->Brokers->ProgramId})))
        return;
    const std::string page = rows->FindField("ActivePage") ? rows->FieldByName("ActivePage")->AsString() : "0";
    if (!ApplyScheme(page, rows->FieldByName("VCONDITION")->AsString()))
        RkConverter->ShowMessageBox(MessageLine(4), mtError, {mbOK});
}

void TQBEForm::btnDeleteClick(TObject* Sender) {
    TListItem* item = lstCondition->Selected();
    TfrmRadical* form = MaintenanceForm();
    if (!item || !form || !form->Brokers) return;
    if (RkConverter->ShowMessageBox(MessageLine(5) + item->Caption(), mtConfirmation, {mbYes, mbNo}) != mrYes) return;
    const std::string refused = CallSchemeServer("DeleteConTable", VarArrayOf({RkConverter->ToStorageText(item->Caption()),
                                                                               form->Brokers->UserId, form->Brokers->ProgramId}));
    if (!refused.empty()) throw Exception(refused);
    LoadSchemes();
    if (schemesChanged_) schemesChanged_();
}

void TQBEForm::lstConditionEdited(TObject* Sender, TListItem* Item, std::string& S) {
    TfrmRadical* form = MaintenanceForm();
    if (!Item || !form || !form->Brokers) return;
    const std::string old = Item->Caption();
    auto refuse = [&](int line) {
        RkConverter->ShowMessageBox(MessageLine(line), mtError, {mbOK});
        S = old;
    };
    if (Trim(S).empty()) return refuse(8);
    if (Utf8Length(S) > kSchemeNameLength) return refuse(9);
    for (int i = 0; i < lstCondition->Items()->Count(); ++i)
        if (lstCondition->Items()->Item(i) != Item && lstCondition->Items()->Item(i)->Caption() == S) return refuse(10);
    if (S == old) return;
    const std::string user = form->Brokers->UserId, program = form->Brokers->ProgramId;
    const std::string refused =
        CallSchemeServer("ChangeConName", VarArrayOf({VarArrayOf({RkConverter->ToStorageText(old), user, program}),
                                                      VarArrayOf({RkConverter->ToStorageText(S), user, program})}));
    if (!refused.empty()) {
        refuse(11);
        throw Exception(refused);
    }
    if (TdmRadical* dm = DataModuleOf(MasterDataSet);
        dm && dm->cdsSaveCondition->Active() &&
        dm->cdsSaveCondition->Locate("NCONDITION;CREATOR;PROGRAMME",
                                     VarArrayOf({RkConverter->ToStorageText(old), user, program}))) {
        dm->cdsSaveCondition->Edit();
        dm->cdsSaveCondition->FieldByName("NCONDITION")->SetAsString(RkConverter->ToStorageText(S));
        dm->cdsSaveCondition->Post();
    }
    if (schemesChanged_) schemesChanged_();
}
