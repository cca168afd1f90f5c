// Field labels and texts in the user's script.
#include "framework/data/RadicalDM.h"
#include "framework/data/ScriptSeams.h"
#include "toolkit/data/Field.h"

namespace {

struct TSystemColumnLabel {
    const char* column;
    const char* key;
    const char* text;
};

constexpr TSystemColumnLabel kSystemColumnLabels[] = {
    {"COMPANY", "sCompany", "公司编号"},      {"CREATOR", "sCreator", "录入者"},
    {"USR_GROUP", "sGroup", "组编号"},        {"CREATE_DATE", "sCreateDate", "录入日期"},
    {"MODIFIER", "sModifier", "更改者"},      {"MODI_DATE", "sModiDate", "更改日期"},
    {"FLAG", "sFlag", "标识"},
};

bool IsTextField(const TField* field) { return field->DataType() == ftString || field->DataType() == ftMemo; }

}  // namespace

void TdmRadical::LabelSystemColumns(TDataSet* dataSet) {
    if (!dataSet) return;
    for (const TSystemColumnLabel& label : kSystemColumnLabels) {
        if (TField* field = dataSet->FindField(label.column))
            field->SetDisplayLabel(DataModuleLangMessage("TdmRadical", label.key, label.text));
    }
    for (const char* stamp : {"CREATE_DATE", "MODI_DATE"}) {
        if (TField* field = dataSet->FindField(stamp)) AttachFieldHandler(field, "DateTimeFieldGetText");
    }
}

void TdmRadical::LocalizeFields() {
    for (TComponent* component : ComponentList()) {
        auto* dataSet = dynamic_cast<TClientDataSet*>(component);
        if (!dataSet) continue;
        for (TField* field : dataSet->FieldList()) {
            field->SetDisplayLabel(ProgramToInterfaceText(field->DisplayLabel()));
            if (!IsTextField(field)) continue;
            if (!field->OnGetText) AttachFieldHandler(field, "DOGetText");
            if (!field->OnSetText) AttachFieldHandler(field, "DOSetText");
        }
    }
}

void TdmRadical::DOGetText(TField* Sender, std::string& Text, bool /*DisplayText*/) {
    Text = StorageToInterfaceText(Sender->AsString());
}

void TdmRadical::DOSetText(TField* Sender, const std::string& Text) {
    Sender->SetAsString(InterfaceToStorageText(Text));
}
