// The master-detail module's work on the body as a whole: its order, the record counts of the
// status bar, its data rights and the rows the server refused.
#include <algorithm>

#include "env/Log.h"
#include "framework/data/DoubleDM.h"
#include "framework/data/DoubleFormLink.h"
#include "framework/data/SingleFormLink.h"
#include "i18n/LangKeys.h"
#include "server/Brokers.h"
#include "toolkit/data/DataSetField.h"
#include "toolkit/rtl/ControlsDisabled.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/kernel/Application.h"

namespace {

const TLangKeys kKeys("TdmDouble", {{"sSaveError", "保存错误"}, {"sHeadRecCount", "单头笔数"}, {"sBodyRecCount", "单身笔数"}});

constexpr int kCountPanel = 2;
constexpr int kPositionPanel = 3;

std::string Position(int recNo, int count) {
    return recNo == 0 || count == 0 ? std::string("0/0") : std::to_string(recNo) + "/" + std::to_string(count);
}

}  // namespace

// --- Order ----------------------------------------------------------------------------------------

bool TdmDouble::RestoreBodyOrder() {
    if (StartsText("IndexName=", InitialBodyOrder)) {
        cdsBody1->SetIndexName(InitialBodyOrder.substr(10));
    } else if (StartsText("IndexFieldNames=", InitialBodyOrder)) {
        cdsBody1->SetIndexFieldNames(InitialBodyOrder.substr(16));
    } else {
        const std::vector<std::string> bodyKeys = BodyKeyFieldNames();
        const std::size_t sequence = SplitString(KeyFields, ',').size();
        cdsBody1->SetIndexName("");
        cdsBody1->SetIndexFieldNames(sequence < bodyKeys.size() ? bodyKeys[sequence] : std::string());
    }
    BodySortField = nullptr;
    return true;
}

void TdmDouble::SortBodyByField(const std::string& fieldName) {
    IDoubleFormLink* form = DoubleFormLink();
    if (form && !form->BodyTitleSortAllowed()) return;
    const int countBefore = cdsBody1->RecordCount();
    if (!ClickSort(cdsBody1, fieldName, BodySortField, DefaultBodyIndexFieldNames)) return;
    if (cdsBody1->RecordCount() == countBefore) return;
    // Rows came into view with the new order: every control shows header and body again.
    try {
        const TBookmark head = cdsMain->GetBookmark();
        const TBookmark body = cdsBody1->GetBookmark();
        {
            TControlsDisabled still(cdsMain);
            if (cdsMain->RecNo() < cdsMain->RecordCount()) {
                cdsMain->Next();
                cdsMain->Prior();
            } else {
                cdsMain->Prior();
                cdsMain->Next();
            }
            if (head && cdsMain->BookmarkValid(head)) cdsMain->GotoBookmark(head);
        }
        if (form) form->RefreshBody();
        if (body && cdsBody1->BookmarkValid(body)) cdsBody1->GotoBookmark(body);
    } catch (const std::exception& e) {
        WriteAlert(Brokers ? Brokers->ProgramId : std::string(), std::string("DoubleCD-1025:") + e.what(), "D");
    }
}

// --- Record counts --------------------------------------------------------------------------------

void TdmDouble::cdsMainAfterScroll(TDataSet* DataSet) {
    TdmSingle::cdsMainAfterScroll(DataSet);
    ShowRecordCounts();
}

void TdmDouble::cdsBody1AfterScroll(TDataSet* /*DataSet*/) {
    if (bodyWalks_ > 0) return;
    IDoubleFormLink* form = DoubleFormLink();
    if (form && form->BodyGridShowing() && !form->BrowsePageShowing()) ShowBodyCount();
}

TdmDouble::TBodyWalk::TBodyWalk(TdmDouble& dm) : dm_(dm) {
    ++dm_.bodyWalks_;
    dm_.cdsBody1->DisableControls();
}

TdmDouble::TBodyWalk::~TBodyWalk() {
    dm_.cdsBody1->EnableControls();
    if (--dm_.bodyWalks_ > 0) return;
    try {
        dm_.cdsBody1AfterScroll(dm_.cdsBody1);
    } catch (const std::exception&) {
        // The counts of the status bar must not stop the work that walked the body.
    }
}

void TdmDouble::ShowRecordCounts() {
    IDoubleFormLink* form = DoubleFormLink();
    ISingleFormLink* texts = FormLink();
    if (!form || !texts) return;
    if (form->BrowsePageShowing()) {
        form->ShowStatusPanel(kCountPanel, texts->KeyedText(kKeys.ClassName(), "sHeadRecCount", kKeys.Default("sHeadRecCount")));
        form->ShowStatusPanel(kPositionPanel, Position(cdsMain->Active() ? cdsMain->RecNo() : 0, ServerRecordCount));
    } else if (form->BodyGridShowing()) {
        ShowBodyCount();
    }
}

void TdmDouble::ShowBodyCount() {
    IDoubleFormLink* form = DoubleFormLink();
    ISingleFormLink* texts = FormLink();
    if (!form || !texts) return;
    form->ShowStatusPanel(kCountPanel, texts->KeyedText(kKeys.ClassName(), "sBodyRecCount", kKeys.Default("sBodyRecCount")));
    const bool open = cdsBody1->Active();
    const int recNo = open ? cdsBody1->RecNo() : 0;
    // A line being added counts already.
    form->ShowStatusPanel(kPositionPanel, Position(recNo, open ? std::max(cdsBody1->RecordCount(), recNo) : 0));
}

// --- Data rights ----------------------------------------------------------------------------------

namespace {

std::string DeniedList(const std::string& denied) { return "\r\n\r\n" + StringReplace(denied, ";", "\r\n", rfReplaceAll); }

}  // namespace

bool TdmDouble::VerifyDataRights() {
    if (!TdmSingle::VerifyDataRights()) return false;
    std::string denied;
    if (!CheckDataRights(cdsBody1, "D11", denied)) {
        if (Brokers) {
            if (denied == "ALL")
                Brokers->ShowMessageByCode("E", "200572");
            else
                Brokers->ShowMessageByCode("E", "200573", {DeniedList(denied)});
        }
        return false;
    }
    return CheckSubBodyRights();
}

TClientDataSet* TdmDouble::SubBody() const {
    for (TComponent* component : ComponentList())
        if (auto* cds = dynamic_cast<TClientDataSet*>(component);
            cds && cds->DataSetField() && cds->DataSetField()->DataSet() == cdsBody1)
            return cds;
    return nullptr;
}

bool TdmDouble::CheckSubBodyRights() {
    TClientDataSet* subBody = Brokers && !Brokers->ProgramInfo.Values("F11_KEY").empty() ? SubBody() : nullptr;
    if (!subBody || !cdsBody1->Active()) return true;
    const TBookmark here = cdsBody1->GetBookmark();
    std::string denied;
    bool allowed = true;
    {
        const TBodyWalk walk(*this);
        for (cdsBody1->First(); !cdsBody1->Eof() && allowed; cdsBody1->Next()) allowed = CheckDataRights(subBody, "F11", denied);
        if (here && cdsBody1->BookmarkValid(here)) cdsBody1->GotoBookmark(here);
    }
    if (!allowed) {
        if (denied == "ALL")
            Brokers->ShowMessageByCode("E", "200574");
        else
            Brokers->ShowMessageByCode("E", "200575", {DeniedList(denied)});
    }
    return allowed;
}

// --- Refused body rows ----------------------------------------------------------------------------

void TdmDouble::cdsBody1ReconcileError(TClientDataSet* DataSet, EReconcileError& E, TUpdateKind /*UpdateKind*/,
                                       TReconcileAction& /*Action*/) {
    ISingleFormLink* form = FormLink();
    const std::string caption =
        form ? form->KeyedText(kKeys.ClassName(), "sSaveError", kKeys.Default("sSaveError")) : kKeys.Text("sSaveError");
    Application->MessageBox(RefusalText(DataSet, E), caption, MB_OK | MB_ICONERROR);
    try {
        const std::string program = Brokers ? Brokers->ProgramId : std::string();
        WriteAlert(program, "保存失败Context :" + E.Context(), "D");
        WriteAlert(program, "保存失败PreviousError :" + IntToStr(E.PreviousError()), "D");
    } catch (...) {
        // A log that cannot be written must not hide the refusal.
    }
}
