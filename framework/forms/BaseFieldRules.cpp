// Field restrictions by rights and system setting, input settings, and required fields.
#include "framework/data/FieldLists.h"
#include "framework/forms/BaseForm.h"
#include "server/Brokers.h"
#include "server/MTDoc.h"
#include "toolkit/classes/Properties.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/grids/DBGrids.h"
#include "toolkit/ui/widgets/PageControl.h"
#include "toolkit/xml/Xml.h"

namespace {

std::string DataFieldOf(const TComponent* component) {
    return IsPublishedProp(component, "DataField") ? GetStrProp(component, "DataField") : std::string();
}

}  // namespace

// --- Restrictions -------------------------------------------------------------------------------

void TfrmBase::ApplyFieldRestrictions() {
    TfrmRadical::ApplyFieldRestrictions();
    auto has = [this](int element) { return FunctionRights.Contains(element); };
    if (has(34))
        ApplyToFields(FieldsA, "ReadOnly");
    else if (!has(32))
        ApplyToFields(FieldsA, "Disabled");
    if (has(35))
        ApplyToFields(FieldsB, "ReadOnly");
    else if (!has(33))
        ApplyToFields(FieldsB, "Disabled");

    const std::string sys024 = Brokers ? Trim(Brokers->GetSysValue("SYS024")) : std::string();
    if (sys024 == "1" || sys024 == "3") ApplyToFields(Sys024FieldsA, "Disabled");
    if (sys024 == "1" || sys024 == "2") ApplyToFields(Sys024FieldsB, "Disabled");

    // A hint without its short part would show the long part on the bar; a blank keeps it apart.
    for (TComponent* component : ComponentList())
        if (auto* control = dynamic_cast<TControl*>(component);
            control && !control->Hint().empty() && GetShortHint(control->Hint()).empty())
            control->SetHint(" " + control->Hint());

    if (TdmBase* dm = BaseDM()) dm->LoadNumberSettings();
    IsFocusPageOne = ReadInputSetting("InputSettings001", "IsFocusPageOne", true);
    IsKeepOnAdd = ReadInputSetting("InputSettings002", "IsKeepOnAdd", true);
}

void TfrmBase::ApplyToFields(const std::string& list, const std::string& attribute) {
    TdmBase* dm = BaseDM();
    if (!dm) return;
    const bool readOnly = SameText(attribute, "ReadOnly");
    for (const TFieldListGroup& group : ParseFieldList(list)) {
        TDataSet* dataSet = nullptr;
        for (TComponent* component : dm->ComponentList())
            if (auto* ds = dynamic_cast<TDataSet*>(component); ds && SameText(ds->Name(), group.DataSet)) dataSet = ds;
        if (!dataSet) continue;
        for (const std::string& name : group.Fields) {
            TField* field = dataSet->FindField(name);
            if (!field) continue;
            if (readOnly)
                field->SetReadOnly(true);
            else
                field->SetVisible(false);
            for (TComponent* component : ComponentList()) {
                auto* control = dynamic_cast<TControl*>(component);
                if (!control || !SameText(DataFieldOf(control), name)) continue;
                if (readOnly) {
                    if (IsPublishedProp(control, "ReadOnly")) SetOrdProp(control, "ReadOnly", 1);
                    if (auto* win = dynamic_cast<TWinControl*>(control)) win->SetTabStop(false);
                } else {
                    SetStrProp(control, "DataField", "");
                    control->SetEnabled(false);
                }
                control->SetColor(Color());
            }
        }
    }
}

bool TfrmBase::ReadInputSetting(const std::string& settingName, const std::string& elementName, bool def) {
    if (!Brokers) return def;
    try {
        Variant answer = Brokers->CallServer("GetUserDefine",
                                             VarArrayOf({Brokers->CompanyId, Brokers->UserId, Brokers->ProgramId, settingName}));
        TXmlDocument document;
        if (Trim(VarToStr(answer)).empty() || !document.LoadXml(VarToStr(answer))) return def;
        TXmlNode element = document.DocumentElement().ChildNode(elementName);
        return element.IsNull() ? def : element.Text() == "True";
    } catch (const std::exception&) {
        return def;
    }
}

// --- Required fields ----------------------------------------------------------------------------

void TfrmBase::LoadRequiredFields() {
    TMT_Doc* document = GetUserDocument();
    if (!document) return;
    std::string ids;
    try {
        ids = document->SelectIds("Components/*[Required='-1']");
    } catch (const std::exception&) {
        return;
    }
    if (!ids.empty()) RequiredFields = MergeFieldLists(RequiredFields, "cdsMain:" + ids);
}

void TfrmBase::SetRequiredFields(const std::string& list) {
    if (list == RequiredFields) return;
    RequiredFields = MergeFieldLists(RequiredFields, list);
}

void TfrmBase::AddRequiredFields(const std::string& list) { RequiredFields = MergeFieldLists(list, RequiredFields); }

bool TfrmBase::FirstEmptyRequired(TDataSet* dataSet, const std::string& list, TField*& field) {
    field = nullptr;
    if (!dataSet) return false;
    for (const std::string& name : requiredLists_.Fields(list, dataSet->Name())) {
        TField* candidate = dataSet->FindField(name);
        if (!candidate || candidate->ReadOnly() || !candidate->Visible() || candidate->FieldKind() != fkData) continue;
        if (Trim(candidate->AsString()).empty()) {
            field = candidate;
            return true;
        }
    }
    return false;
}

bool TfrmBase::ValidateBeforePost(TDataSet* dataSet) {
    if (EditMode == emBrowse) return true;
    TField* field = nullptr;
    if (!FirstEmptyRequired(dataSet, RequiredFields, field)) return true;
    if (Brokers) Brokers->ShowMessageByCode("E", "000003", {field->DisplayLabel()});
    FocusField(field);
    return false;
}

// --- Focus on a field ---------------------------------------------------------------------------

TWinControl* TfrmBase::ControlOfField(const TField* field) const {
    if (!field) return nullptr;
    for (TComponent* component : ComponentList()) {
        auto* control = dynamic_cast<TWinControl*>(component);
        if (!control || !SameText(DataFieldOf(control), field->FieldName())) continue;
        auto* source =
            IsPublishedProp(control, "DataSource") ? dynamic_cast<TDataSource*>(GetObjectProp(control, "DataSource")) : nullptr;
        if (!source || source->DataSet() == field->DataSet()) return control;
    }
    return nullptr;
}

void TfrmBase::FocusField(TField* field) {
    if (!field) return;
    if (auto* grid = dynamic_cast<TDBGrid*>(ActiveGrid()); grid && grid->DataSet() == field->DataSet()) {
        grid->SetSelectedField(field);
        return;
    }
    TWinControl* control = ControlOfField(field);
    if (!control) return;
    for (TWinControl* parent = control->Parent(); parent && parent != this; parent = parent->Parent()) {
        auto* sheet = dynamic_cast<TTabSheet*>(parent);
        if (!sheet || !sheet->PageControl()) continue;
        TPageControl* pages = sheet->PageControl();
        if (pages->Visible() && pages->Enabled()) pages->SetActivePage(sheet);
    }
    if (control->CanFocus()) SetActiveControl(control);
}

TCustomGrid* TfrmBase::ActiveGrid() const {
    for (TWinControl* control = ActiveControl(); control; control = control->Parent())
        if (auto* grid = dynamic_cast<TCustomGrid*>(control)) return grid;
    return nullptr;
}

TField* TfrmBase::ControlField(const TComponent* control) {
    if (!control || !IsPublishedProp(control, "DataSource") || !IsPublishedProp(control, "DataField")) return nullptr;
    auto* source = dynamic_cast<TDataSource*>(GetObjectProp(control, "DataSource"));
    TDataSet* dataSet = source ? source->DataSet() : nullptr;
    return dataSet ? dataSet->FindField(GetStrProp(control, "DataField")) : nullptr;
}
