// The attachments of a document: the attachment window "AnnexoC.Class1" for the current document, the
// keys of the program's documents that have attachments, and the attachment button that shows it.
#include "framework/forms/DoubleCF.h"
#include "framework/forms/FormImages.h"
#include "server/Brokers.h"
#include "toolkit/com/ComObj.h"
#include "toolkit/rtl/Dispatch.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/widgets/ToolBar.h"

void TfrmDouble::LoadAttachmentKeys() {
    AttachmentKeys.Clear();
    if (!Brokers) return;
    try {
        Variant rows =
            Brokers->CallServer("SimpleSql", VarArrayOf({" SELECT DISTINCT KeyValues FROM ATTACH WHERE Parent = '" + ProgramId() +
                                                             "' AND CompanyID = '" + Brokers->CompanyId + "'",
                                                         "KeyValues"}));
        for (int i = 0; rows.IsArray() && i < rows.Count(); ++i) AttachmentKeys.Add(VarToStr(ElementAt(ElementAt(rows, i), 0)));
    } catch (const std::exception&) {
        // Without the list every document shows the plain attachment button.
    }
    AttachmentKeys.Sort();
}

void TfrmDouble::ShowAttachmentState() {
    TClientDataSet* cds = MainDataSet();
    const bool current = cds && cds->Active() && !cds->IsEmpty() && EditMode != emInsert;
    btnAttach->SetEnabled(AttachmentsEnabled && (btnFirst->Enabled() || EditMode == emEdit));
    btnAttach->SetImageIndex(current && HasAttachment(CurrentKeyText()) ? kImageAttached : kImageAttach);
}

void TfrmDouble::btnAttachClick(TObject* /*Sender*/) {
    if (!AttachmentsEnabled || EditMode == emInsert) return;
    if (!(EditMode == emBrowse && btnFirst->Enabled()) && EditMode != emEdit) return;
    ShowAttachments();
}

void TfrmDouble::ShowAttachments() {
    TdmDouble* dm = DoubleDM();
    if (!dm || !Brokers || !dm->cdsMain->Active() || dm->cdsMain->IsEmpty()) return;
    std::string keyFields;
    for (const std::string& item : SplitString(dm->KeyFields, ','))
        if (!Trim(item).empty()) keyFields += (keyFields.empty() ? "" : "||") + Trim(item);
    Variant annexo = CreateOleObject("AnnexoC.Class1");
    OleCall(annexo, "Init", {VarArrayOf({Brokers->CompanyId, Brokers->UserId, ProgramId(), CurrentKeyText(), keyFields, "1"})});
    OlePut(annexo, "ParentHandle", static_cast<long long>(Handle()));
    OleCall(annexo, "ShowModal");
    annexo = Variant();
    LoadAttachmentKeys();
    ShowAttachmentState();
}
