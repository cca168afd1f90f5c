// Edit modes, command flags from the user's rights and the enabled state of the commands.
#include "framework/forms/BaseForm.h"

#include <algorithm>

#include "server/Brokers.h"
#include "toolkit/classes/Properties.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/widgets/Menus.h"
#include "toolkit/ui/widgets/ToolBar.h"

namespace {

// The rights elements of the six record-level flags for own rows, rows of the same group and
// anybody else's rows: edit, delete, confirm, unconfirm, print, void.
constexpr int kOwnRights[6] = {38, 39, 40, 41, 42, 45};
constexpr int kGroupRights[6] = {47, 48, 49, 50, 51, 52};
constexpr int kOtherRights[6] = {54, 55, 56, 57, 58, 59};

void Enable(TToolButton* button, TMenuItem* item, bool enabled) {
    if (button) button->SetEnabled(enabled);
    if (item) item->SetEnabled(enabled);
}

std::string FieldText(TDataSet* dataSet, const char* name) {
    TField* field = dataSet ? dataSet->FindField(name) : nullptr;
    return field ? Trim(field->AsString()) : std::string();
}

// The edit-mode texts of the status bar.
const TLangKeys kModeKeys("TfrmBase", {{"sBrowseMode", "浏览"}, {"sEditMode", "更改"}, {"sInsertMode", "新增"}});

}  // namespace

std::string TfrmBase::ModeText(int mode) const {
    static const char* const english[] = {"Browse", "Edit", "Insert"};
    static const char* const keys[] = {"sBrowseMode", "sEditMode", "sInsertMode"};
    const int i = mode >= 1 && mode <= 3 ? mode - 1 : 0;
    const std::string& page = UICodePage();
    if (page != "936" && page != "950") return english[i];
    return LangText(kModeKeys, keys[i], true);
}

void TfrmBase::SetEditMode(std::uint8_t mode) {
    EditMode = mode;
    ShowMode(mode == emBrowse ? 1 : mode == emEdit ? 2 : 3);
}

void TfrmBase::ShowMode(int mode) {
    SetStatusText(0, ModeText(mode));
    UpdateCommandStates();
}

void TfrmBase::UpdateCommandStates() {
    TClientDataSet* cds = MainDataSet();
    const bool editing = cds && (cds->State() == dsEdit || cds->State() == dsInsert);
    const bool rows = cds && cds->Active() && !(cds->Bof() && cds->Eof()) && !editing;
    auto allowed = [this](TCommandElement element) { return CommandRights.Contains(element); };
    LastSaveFailed = false;

    Enable(btnAdd, miAdd, !editing && CanAdd && allowed(ceAdd));
    Enable(btnQuery, miQuery, !editing && CanQuery && allowed(ceQuery));
    Enable(btnEdit, miEdit, rows && CanEdit && allowed(ceEdit));
    Enable(btnDelete, miDelete, rows && CanDelete && allowed(ceDelete));
    btnPrint->SetEnabled(rows && CanPrint && allowed(cePrint));
    Enable(btnFirst, miFirst, rows);
    Enable(btnPrior, miPrior, rows);
    Enable(btnNext, miNext, rows);
    Enable(btnLast, miLast, rows);
    miExit->SetEnabled(!editing);
    const bool linked = !DocumentLink.empty() && cds && cds->Active() && !cds->IsEmpty();
    miViewItem->SetVisible(linked);
    miViewItem->SetEnabled(linked);

    for (const std::string& pair : SplitString(ExPower, ';')) {
        std::size_t equals = pair.find('=');
        if (equals == std::string::npos) continue;
        TComponent* component = FindComponent(Trim(pair.substr(0, equals)));
        if (component && IsPublishedProp(component, "Enabled"))
            SetOrdProp(component, "Enabled", Trim(pair.substr(equals + 1)) == "Y" ? 1 : 0);
    }
}

void TfrmBase::ApplyRights() {
    auto has = [this](int element) { return FunctionRights.Contains(element); };
    CanQuery = has(37);
    CanAdd = has(36);
    CanSeeFieldsA = has(32);
    CanSeeFieldsB = has(33);
    FieldsAReadOnly = has(34);
    FieldsBReadOnly = has(35);
    if (!has(31)) SetRecordFlags(kOwnRights);
    CanSendApproval = has(43);
    RightsFlag44 = has(44);
    UpdateCommandStates();
}

void TfrmBase::ApplyRecordRights(TDataSet* dataSet) {
    const std::string creator = FieldText(dataSet, "CREATOR");
    const std::string group = FieldText(dataSet, "USR_GROUP");
    const int* block = kOtherRights;
    if (creator.empty() || (Brokers && SameText(creator, Brokers->UserId))) {
        block = kOwnRights;
    } else if (!group.empty() && (GroupList.find("'" + group + "'") != std::string::npos ||
                                  GroupList.find("\"" + group + "\"") != std::string::npos)) {
        block = kGroupRights;
    }
    SetRecordFlags(block);
}

void TfrmBase::SetRecordFlags(const int* elements) {
    auto has = [this](int element) { return FunctionRights.Contains(element); };
    CanEdit = has(elements[0]);
    CanDelete = has(elements[1]);
    CanConfirm = has(elements[2]);
    CanUnconfirm = has(elements[3]);
    CanPrint = has(elements[4]);
    CanVoid = has(elements[5]);
}

void TfrmBase::RecordChanged(TDataSet* dataSet) {
    if (FunctionRights.Contains(31)) ApplyRecordRights(dataSet);
    ApplyRights();
    TClientDataSet* cds = MainDataSet();
    if (!cds || !cds->Active()) {
        SetStatusText(3, "0/0");
        return;
    }
    TdmBase* dm = BaseDM();
    const int recNo = cds->RecNo();
    // The record being added counts too.
    const int total = std::max(recNo, dm && dm->ServerRecordCount > 0 ? dm->ServerRecordCount : cds->RecordCount());
    SetStatusText(3, recNo > 0 ? IntToStr(recNo) + "/" + IntToStr(total) : IntToStr(total));
}
