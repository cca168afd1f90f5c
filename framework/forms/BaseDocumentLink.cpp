// A managed document linked to the record (F10, F11 on the link fields), and clearing a date box
// left with only its separators.
#include "framework/data/FieldLists.h"
#include "framework/forms/BaseForm.h"
#include "server/Brokers.h"
#include "toolkit/classes/Properties.h"
#include "toolkit/com/ComObj.h"
#include "toolkit/data/EditMask.h"
#include "toolkit/os/Shell.h"
#include "toolkit/rtl/Dispatch.h"
#include "toolkit/rtl/SysUtils.h"

bool TfrmBase::ViewDocument() {
    std::vector<TFieldListGroup> groups = ParseFieldList(DocumentLink);
    TdmBase* dm = BaseDM();
    if (groups.empty() || groups[0].Fields.empty() || !dm || !Brokers) return false;
    TDataSet* dataSet = nullptr;
    for (TComponent* component : dm->ComponentList())
        if (auto* ds = dynamic_cast<TDataSet*>(component); ds && SameText(ds->Name(), groups[0].DataSet)) dataSet = ds;
    TField* field = dataSet ? dataSet->FindField(groups[0].Fields[0]) : nullptr;
    if (!field) return false;
    Variant answer;
    const bool found = ItemDocumentFlag ? Brokers->CheckValue("INVMB", "12", VarArrayOf({field->AsString()}), answer)
                                        : Brokers->CheckValue("CMSMV", "07", VarArrayOf({field->AsString()}), answer);
    if (!found || !answer.IsArray() || answer.Count() < 2 || VarToStr(answer[answer.Low()]).empty()) return false;
    try {
        Variant server = CreateOleObject("DokivC.DokivClass1");
        Variant request = VarArrayOf({Brokers->UserId, "R", answer[answer.Low()], answer[answer.Low() + 1], ""});
        // The server answers a result code and writes the checked-out file's path into element 4.
        int result = OleCall(server, "CheckOut", {Variant::Ref(&request)}).AsInteger();
        if (result >= 0) ShellExecute("open", VarToStr(request[request.Low() + 4]));
        return result >= 0;
    } catch (const std::exception&) {
        return false;
    }
}

void TfrmBase::OnF11Key(WORD& key, TWinControl* control) {
    TfrmRadical::OnF11Key(key, control);
    TField* field = ControlField(control);
    if (!field || field->ReadOnly() || EditMode == emBrowse || RunMode == 10 || !Brokers) return;
    bool linked = false;
    for (const TFieldListGroup& group : ParseFieldList(DocumentLink))
        for (const std::string& name : group.Fields) linked = linked || SameText(name, field->FieldName());
    if (!linked) return;
    Variant picked = Brokers->ShowCharaters();
    if (picked.IsArray() && picked.Count() > 0) picked = picked[picked.Low()];
    if (VarToStr(picked).empty()) return;
    if (field->DataSet()->State() == dsBrowse) field->DataSet()->Edit();
    field->SetAsString(VarToStr(picked));
}

void TfrmBase::DateFieldDBComboDlgExit(TObject* Sender) {
    auto* control = dynamic_cast<TControl*>(Sender);
    TField* field = ControlField(control);
    if (!control || !field) return;
    std::string bare = control->Text();
    for (const char* separator : {"/", "-", ".", DateSeparator.c_str()})
        if (*separator) bare = StringReplace(bare, separator, "", rfReplaceAll);
    if (!Trim(bare).empty()) return;
    const std::string blankMask = FormatMaskText(field->EditMask(), "");
    if (field->AsString().empty() || field->AsString() == blankMask ||
        Trim(StringReplace(field->AsString(), DateSeparator, "", rfReplaceAll)).empty()) {
        if (field->DataSet()->State() == dsBrowse) return;
        field->Clear();
    }
}
