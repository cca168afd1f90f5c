// Start-up by the host's run mode, add or edit with given values, the XML import of run mode 11, and
// the next document number.
#include "env/Dates.h"
#include "env/Log.h"
#include "framework/data/FieldText.h"
#include "framework/forms/SingleCF.h"
#include "server/Brokers.h"
#include "toolkit/rtl/DateTime.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/kernel/Application.h"
#include "toolkit/xml/Xml.h"

void TfrmSingle::AfterFormShow() {
    TfrmBase::AfterFormShow();
    TdmSingle* dm = SingleDM();
    if (!dm) return;
    if (!StartParamText.empty() && RunMode != 11) {
        try {
            dm->cdsMain->Close();
            dm->cdsMain->DataRequest(VarArrayOf({StartParamText, dm->KeyFields}));
            dm->cdsMain->Open();
            LastCondition = StartParamText;
            LastOrder = dm->KeyFields;
        } catch (const std::exception& e) {
            WriteAlert("Class BaseCF-476", e.what(), "D");
            throw;
        }
    }
    if (QueryDialog)
        QueryDialog->SetMasterSource(dm->cdsMain, dm->MainTable, SqlType != 0, dm->HeaderExtraColumns, dm->KeyFields);
    AfterStartCondition();
    const std::string startText = StartParamText;
    StartParamText.clear();
    switch (RunMode) {
        case 1: DoAdd(true); break;
        case 3: DoEdit(); break;
        case 5: DoPrint(false); break;
        case 7: AddWithValues(RunModeParam); break;
        case 8: EditWithValues(RunModeParam); break;
        case 11: ImportFromXml(startText); break;
        default: break;
    }
}

bool TfrmSingle::AddWithValues(const Variant& values) {
    TdmSingle* dm = SingleDM();
    if (!dm) return false;
    CloseAfterSave = true;
    dm->DefaultValues = values;
    return DoAdd(true);
}

bool TfrmSingle::EditWithValues(const Variant& values) {
    TdmSingle* dm = SingleDM();
    if (!dm) return false;
    CloseAfterSave = true;
    dm->DefaultValues = values;
    if (!DoEdit()) return false;
    dm->ApplyDefaultValues();
    return true;
}

bool TfrmSingle::ImportFromXml(const std::string& text) {
    if (Trim(text).empty()) return false;
    TdmSingle* dm = SingleDM();
    if (!dm) return false;
    const bool keepOnAdd = IsKeepOnAdd;
    IsKeepOnAdd = false;
    importing_ = true;
    bool imported = false;
    try {
        TXmlDocument document;
        if (!document.LoadXml(text)) throw Exception("XML: " + document.ParseError().reason);
        TXmlNode root = document.SelectSingleNode("/dataimport");
        if (root.IsNull()) throw Exception("XML: no dataimport element");
        std::vector<std::string> headFields = SplitString(root.Attribute("headfields"), '|');
        std::vector<std::string> bodyFields = SplitString(root.Attribute("bodyfields"), '|');
        TDataSet* body = dynamic_cast<TDataSet*>(dm->FindComponent("cdsBody1"));
        imported = true;
        for (const TXmlNode& documentNode : root.ChildNodes()) {
            if (documentNode.NodeType() != TXmlNodeType::Element) continue;
            DoAdd(true);
            TXmlNode headRow = documentNode.SelectSingleNode("head/row");
            for (const std::string& name : headFields)
                if (TField* field = dm->cdsMain->FindField(Trim(name)); field && headRow.HasAttribute(Trim(name)))
                    SetFieldText(field, headRow.Attribute(Trim(name)), true);
            if (body && body->Active())
                for (const TXmlNode& row : documentNode.ChildNode("body").ChildNodes()) {
                    if (row.NodeType() != TXmlNodeType::Element) continue;
                    body->Append();
                    for (const std::string& name : bodyFields)
                        if (TField* field = body->FindField(Trim(name)); field && row.HasAttribute(Trim(name)))
                            SetFieldText(field, row.Attribute(Trim(name)), true);
                    body->Post();
                }
            imported = DoSave() && imported;
            if (!imported) break;
        }
    } catch (const EAbort&) {
        imported = false;
    } catch (const std::exception& e) {
        WriteAlert("SingleCF-ImportFromXml", e.what(), "D");
        ShowSaveError(RkConverter->ToDisplayText(e.what()));
        imported = false;
    }
    importing_ = false;
    IsKeepOnAdd = keepOnAdd;
    CloseWhenShown = true;
    if (Visible()) Application->PostMessage(Handle(), WM_CLOSE);
    return imported;
}

std::string TfrmSingle::NextDocumentNumber() {
    TdmSingle* dm = SingleDM();
    if (!dm || !Brokers) return "unknown";
    try {
        std::string dateText;
        if (TField* date = dm->DateField) {
            if (date->DataType() == ftDate || date->DataType() == ftDateTime)
                dateText = date->IsNull() ? std::string() : FormatDateTime("yyyymmdd", date->Value().AsDateTime());
            else if (!Trim(date->AsString()).empty())
                dateText = TextToStoredDate(date->AsString(), 1, "");
        }
        if (dateText.empty() || !IsValidStoredDate(dateText)) dateText = FormatDateTime("yyyymmdd", Now());
        std::string number = Brokers->QueryMaxSeq(*dm->cdsMain, dm->MainTable, dm->KeyFields, dateText);
        if (number.empty() || SameText(number, "unKnow")) throw Exception("no number");
        GeneratedKeyNumber = number;
        return number;
    } catch (const std::exception&) {
        GeneratedKeyNumber.clear();
        Brokers->ShowMessageByCode("E", "000033");
        return "unknown";
    }
}
