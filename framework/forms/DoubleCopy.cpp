// Copying a document: the copy dialog reads the source document through LoadCopySource, the new
// document starts, and when the dialog closes with OK every non-key, non-system value of the source
// header and its lines goes into the new document, which the user then saves.
#include "framework/data/FieldText.h"
#include "framework/forms/DoubleCF.h"
#include "server/Brokers.h"
#include "toolkit/rtl/ControlsDisabled.h"
#include "toolkit/rtl/Dispatch.h"
#include "toolkit/rtl/ScopeExit.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/widgets/Menus.h"

namespace {

const TLangKeys kKeys("TfrmDouble",
                      {{"sNoOriginInfo", "来源信息不存在!!"}, {"sCancelCopy", "cdsMain.State 不正常, 复制行动因此取消!! "}});

bool Copied(const Variant& value) { return !value.IsEmpty() && !value.IsNull(); }

bool NamedIn(const std::vector<std::string>& names, const std::string& name) {
    for (const std::string& n : names)
        if (SameText(n, name)) return true;
    return false;
}

std::vector<std::string> KeyNames(const std::string& list) {
    std::vector<std::string> names;
    for (const std::string& item : SplitString(list, ',')) {
        std::string name = Trim(item);
        if (std::size_t dot = name.rfind('.'); dot != std::string::npos) name = name.substr(dot + 1);
        if (!name.empty()) names.push_back(name);
    }
    return names;
}

// What a field of a copied row holds: its value, unless it is a key or a system column, or no value
// of its own (calculated, nested rows).
Variant CopyableValue(TField* field, const std::vector<std::string>& keys) {
    if (!field || field->FieldKind() != fkData || field->DataType() == ftDataSet) return Variant();
    if (NamedIn(keys, field->FieldName()) || TdmRadical::IsSystemColumn(field->FieldName())) return Variant();
    return field->Value();
}

}  // namespace

Variant TfrmDouble::CopyHeadValue(TField* field) {
    TdmDouble* dm = DoubleDM();
    return CopyableValue(field, dm ? KeyNames(dm->KeyFields) : std::vector<std::string>{});
}

Variant TfrmDouble::CopyBodyValue(TField* field) {
    TdmDouble* dm = DoubleDM();
    return CopyableValue(field, dm ? dm->BodyKeyFieldNames() : std::vector<std::string>{});
}

void TfrmDouble::mnuCopyClick(TObject* /*Sender*/) {
    if (mnuCopy->Enabled()) CopyDocument();
}

bool TfrmDouble::CopyDocument() {
    TdmDouble* dm = DoubleDM();
    if (!dm) return false;
    TCopyData data;
    if (!RunCopyDialog(this, dm->cdsMain, dm->dsMain, false, dm->KeyFields, data)) return false;
    if (dm->cdsMain->State() != dsInsert) {
        Application->MessageBox(LangText(kKeys, "sCancelCopy", true), Caption(), MB_OK | MB_ICONERROR);
        return false;
    }
    CopyIntoNewDocument(data);
    return true;
}

bool TfrmDouble::LoadCopySource(const std::vector<std::string>& keyValues, TCopyData& data) {
    TdmDouble* dm = DoubleDM();
    if (!dm) return false;
    const std::vector<std::string> keys = KeyNames(dm->KeyFields);
    std::string condition;
    for (std::size_t i = 0; i < keys.size() && i < keyValues.size(); ++i)
        condition += (i ? " and " : "") + (dm->MainTable.empty() ? keys[i] : dm->MainTable + "." + keys[i]) + "=" +
                     QuotedStr(keyValues[i]);
    OpenWithCondition(dm->cdsMain, condition, QueryDialog ? QueryDialog->GetOrder() : LastOrder);
    TClientDataSet* main = dm->cdsMain;
    if (!main->Active() || main->IsEmpty()) {
        Application->MessageBox(LangText(kKeys, "sNoOriginInfo", true), Caption(), MB_OK | MB_ICONERROR);
        return false;
    }
    if (!dm->cdsBody1->Active()) dm->cdsBody1->Open();

    std::vector<Variant> head;
    for (TField* field : main->FieldList()) head.push_back(CopyHeadValue(field));
    std::vector<Variant> rows, extras;
    TClientDataSet* body = dm->cdsBody1;
    {
        TControlsDisabled still(body);
        for (body->First(); !body->Eof(); body->Next()) {
            std::vector<Variant> row;
            for (TField* field : body->FieldList()) row.push_back(CopyBodyValue(field));
            rows.push_back(VarArrayOf(row));
            extras.push_back(Variant());
        }
    }
    data.HeadValues = VarArrayOf(head);
    data.BodyRows = VarArrayOf(rows);
    data.RowExtras = VarArrayOf(extras);
    copySourceKeys_ = keyValues;
    if (EditMode != emInsert) DoAdd(true);
    return true;
}

void TfrmDouble::CopyIntoNewDocument(const TCopyData& data) {
    TdmDouble* dm = DoubleDM();
    TClientDataSet* main = dm->cdsMain;
    {
        main->DisableConstraints();
        TScopeExit constraints([main] { main->EnableConstraints(); });
        const std::vector<TField*>& fields = main->FieldList();
        for (int i = 0; data.HeadValues.IsArray() && i < data.HeadValues.Count() && i < static_cast<int>(fields.size()); ++i)
            if (const Variant value = ElementAt(data.HeadValues, i); Copied(value))
                AssignFieldValue(fields[static_cast<std::size_t>(i)], value);
        AfterCopyHead();
    }

    TClientDataSet* body = dm->cdsBody1;
    BeforeCopyBody();
    {
        body->DisableConstraints();
        TScopeExit constraints([body] { body->EnableConstraints(); });
        for (int r = 0; data.BodyRows.IsArray() && r < data.BodyRows.Count(); ++r) {
            const Variant row = ElementAt(data.BodyRows, r);
            body->Append();
            const std::vector<TField*>& fields = body->FieldList();
            for (int i = 0; row.IsArray() && i < row.Count() && i < static_cast<int>(fields.size()); ++i)
                if (const Variant value = ElementAt(row, i); Copied(value))
                    AssignFieldValue(fields[static_cast<std::size_t>(i)], value);
            AfterCopyBodyRow();
            body->Post();
            if (const Variant extra = ElementAt(data.RowExtras, r); extra.IsArray()) CopyBodyExtra(extra);
        }
    }
    body->First();
}
