// The validations every program shares: a code must exist, or must not exist yet.
#include "framework/data/FieldText.h"
#include "framework/data/RadicalDM.h"
#include "server/Brokers.h"
#include "toolkit/data/Field.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

bool EditState(const TField* field) {
    return field->DataSet() && (field->DataSet()->State() == dsEdit || field->DataSet()->State() == dsInsert);
}

// Keys as an array; missing or empty keys stand for the field's own text.
Variant KeysFor(const TField* field, const Variant& keys) {
    const std::string text = field->AsString();
    if (keys.IsEmptyOrNull()) return VarArrayOf({text});
    if (!keys.IsArray()) return VarArrayOf({VarToStr(keys).empty() ? Variant(text) : keys});
    std::vector<Variant> filled;
    for (int i = keys.Low(); i <= keys.High(); ++i)
        filled.push_back(keys[i].IsEmptyOrNull() || (keys[i].IsString() && keys[i].AsString().empty()) ? Variant(text) : keys[i]);
    return VarArrayOf(filled);
}

std::vector<std::string> FieldNames(const std::string& list) {
    std::vector<std::string> names;
    for (const std::string& name : SplitString(list, ','))
        if (!Trim(name).empty()) names.push_back(Trim(name));
    return names;
}

}  // namespace

bool TdmRadical::CheckExists(TField* field, const std::string& table, const std::string& severity, Variant& values,
                             const Variant& keys, const std::string& kind) {
    if (!field || field->AsString().empty()) return true;
    if (Brokers && Brokers->CheckValue(table, kind, KeysFor(field, keys), values)) return true;
    if (severity == "E") RefuseEntry("000001", {field->DisplayLabel()});
    if (severity == "W" && Brokers) Brokers->ShowMessageByCode("W", "000004", 2, true, 936, {field->DisplayLabel()});
    return false;
}

void TdmRadical::CheckAndFill(TField* field, const std::string& table, const std::string& severity, const Variant& keys,
                              const std::string& targetFields, const std::string& kind) {
    Variant values;
    if (!CheckExists(field, table, severity, values, keys, kind) || !EditState(field)) return;
    TDataSet* dataSet = field->DataSet();
    const std::vector<std::string> targets = FieldNames(targetFields);
    const bool clear = field->AsString().empty();
    for (std::size_t i = 0; i < targets.size(); ++i) {
        TField* target = dataSet->FindField(targets[i]);
        if (!target) continue;
        if (clear) {
            AssignFieldValue(target, Variant::Null());
        } else if (values.IsArray() && values.Low() + static_cast<int>(i) <= values.High()) {
            AssignFieldValue(target, values[values.Low() + static_cast<int>(i)]);
        }
    }
}

bool TdmRadical::CheckNotExists(TField* field, const std::string& table, const std::string& severity,
                                const std::string& keyFields, const std::string& kind) {
    if (!field || !EditState(field) || field->AsString().empty()) return true;
    std::vector<Variant> keys;
    const std::vector<std::string> names = FieldNames(keyFields);
    if (names.empty()) keys.push_back(field->AsString());
    for (const std::string& name : names) keys.push_back(field->DataSet()->FieldByName(name)->AsString());

    Variant values;
    if (!Brokers || !Brokers->CheckValue(table, kind, VarArrayOf(keys), values)) return true;
    if (severity == "E") RefuseEntry("000002", {field->DisplayLabel()});
    if (severity == "W") Brokers->ShowMessageByCode("W", "000005", 2, true, 936, {field->DisplayLabel()});
    return false;
}
