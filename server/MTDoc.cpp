#include "server/MTDoc.h"

#include <algorithm>

#include "toolkit/classes/Properties.h"
#include "toolkit/rtl/Exception.h"
#include "toolkit/rtl/ScopeExit.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/dataaware/DBComboBox.h"
#include "toolkit/ui/grids/DBGrids.h"
#include "toolkit/ui/widgets/ComboBox.h"
#include "toolkit/ui/widgets/PageControl.h"

const char* const kEmptyUserDocument =
    "<?xml version=\"1.0\" encoding=\"GB2312\"?><!-- VeloraERP用户设置 --><MT_User CompanyID=\"\" ProgID=\"\"><Components "
    "/></MT_User>";

namespace {

// "N", "FALSE", "0" and any other part of "N||FALSE||0" read as false.
bool SettingTruth(const std::string& text) { return std::string("N||FALSE||0").find(UpperCase(text)) == std::string::npos; }

void SetPublished(TObject& target, const std::string& name, const std::string& text) {
    const TPropInfo* info = GetPropInfo(&target, name);
    if (!info) return;
    try {
        switch (info->Kind()) {
            case tkInteger:
            case tkInt64: SetOrdProp(&target, name, StrToInt64Def(Trim(text), 0)); break;
            case tkEnumeration:
            case tkBoolean: SetOrdProp(&target, name, SettingTruth(text) ? 1 : 0); break;
            case tkString: SetStrProp(&target, name, text); break;
            case tkFloat: SetPropValue(&target, name, StrToFloatDef(Trim(text), 0)); break;
            default: break;  // objects, sets and events are not settings
        }
    } catch (const std::exception&) {
        // A value the property refuses is skipped like an unknown setting.
    }
}

TWinControl* ParentByText(TComponent* form, const std::string& text,
                          const std::function<std::string(const std::string&)>& convert) {
    if (!form) return nullptr;
    auto conv = [&](const char* s) { return convert ? convert(s) : std::string(s); };
    if (text == conv("单头") || SameText(text, "Header")) return dynamic_cast<TWinControl*>(form->FindComponent("pnlHead"));
    if (text == conv("单尾") || SameText(text, "Tail")) return dynamic_cast<TWinControl*>(form->FindComponent("pnlFoot"));
    auto* pages = dynamic_cast<TPageControl*>(form->FindComponent("pgHead"));
    if (!pages) return nullptr;
    for (int i = 0; i < pages->PageCount(); ++i)
        if (SameText(pages->Pages(i)->Name(), text) || pages->Pages(i)->Caption() == text) return pages->Pages(i);
    return nullptr;
}

}  // namespace

TMT_Doc::TMT_Doc() { Reset(); }

TMT_Doc::TMT_Doc(const std::string& text) : TMT_Doc() { LoadText(text); }

void TMT_Doc::Reset() {
    doc_.LoadXml(kEmptyUserDocument);
    root_ = doc_.DocumentElement();
    components_ = root_.ChildNode("Components");
}

void TMT_Doc::LoadText(const std::string& text) {
    if (!doc_.LoadXml(text)) {
        std::string reason = doc_.ParseError().reason;
        Reset();
        throw EOleError("XML: " + reason);
    }
    root_ = doc_.DocumentElement();
    if (root_.IsNull()) {
        Reset();
        return;
    }
    components_ = root_.ChildNode("Components");
    if (components_.IsNull()) components_ = root_.AddChild("Components");
}

TXmlNode TMT_Doc::FindChild(const TXmlNode& parent, const std::string& name, bool create) {
    TXmlNode found = parent.SelectSingleNode(name);
    if (found.IsNull() && create) found = const_cast<TXmlNode&>(parent).AddChild(name);
    return found;
}

TXmlNode TMT_Doc::FindChildById(const TXmlNode& parent, const std::string& elementName, const std::string& id, bool create) {
    TXmlNode found = parent.SelectSingleNode(elementName + "[@ID=" + QuotedStr(id) + "]");
    if (found.IsNull() && create) {
        found = const_cast<TXmlNode&>(parent).AddChild(elementName);
        found.SetAttribute("ID", id);
    }
    return found;
}

std::string TMT_Doc::GetComponentValue(const std::string& id, const std::string& setting) const {
    TXmlNode node = components_.SelectSingleNode("Component[@ID=" + QuotedStr(id) + "]/" + setting);
    return node.IsNull() ? std::string() : node.Text();
}

std::string TMT_Doc::GetFieldValue(const std::string& gridName, const std::string& fieldId, const std::string& setting) const {
    TXmlNode node = root_.SelectSingleNode(gridName + "/Field[@ID=" + QuotedStr(fieldId) + "]/" + setting);
    return node.IsNull() ? std::string() : node.Text();
}

void TMT_Doc::ApplySetting(TComponent* form, TObject& target, const std::string& name, const std::string& text) const {
    SetPublished(target, name, text);
    auto* control = dynamic_cast<TControl*>(&target);
    if (SameText(name, "Parent")) {
        if (TWinControl* parent = ParentByText(form, text, Converter); parent && control) control->SetParent(parent);
    } else if (SameText(name, "DCVisible")) {
        if (auto* sheet = dynamic_cast<TTabSheet*>(&target))
            sheet->SetTabVisible(SettingTruth(text));
        else if (control)
            control->SetVisible(SettingTruth(text));
        else if (auto* field = dynamic_cast<TField*>(&target))
            field->SetVisible(SettingTruth(text));
    } else if (SameText(name, "DisplayLabel")) {
        SetPublished(target, "Caption", text);
    } else if (SameText(name, "Items")) {
        auto* combo = dynamic_cast<TCustomComboBox*>(&target);
        if (combo && UpperCase(combo->Name()).find("UDF") != std::string::npos)
            combo->Items()->SetText(StringReplace(text, "\r\n", "\t", rfReplaceAll));
    } else if (SameText(name, "Index")) {
        if (auto* field = dynamic_cast<TField*>(&target); field && field->DataSet())
            field->DataSet()->MoveField(field, StrToIntDef(Trim(text), field->Index()));
    }
}

void TMT_Doc::ApplyComponents(TComponent& form) const {
    for (const TXmlNode& component : components_.SelectNodes("Component")) {
        const std::string id = component.Attribute("ID");
        TComponent* target = SameText(id, form.Name()) ? &form : form.FindComponent(id);
        if (!target) continue;
        for (const TXmlNode& setting : component.ChildNodes())
            if (setting.NodeType() == TXmlNodeType::Element)
                ApplySetting(&form, *target, setting.NodeName(), Converted(setting.Text()));
    }
}

void TMT_Doc::ApplyGrid(TDBGrid& grid, const std::string& gridName) const {
    TDataSet* dataSet = grid.DataSet();
    TXmlNode gridNode = root_.ChildNode(gridName);
    if (!dataSet || gridNode.IsNull()) return;
    std::vector<std::pair<std::string, TField*>> indexes;
    std::vector<TField*> fields = dataSet->FieldList();
    for (TField* field : fields) {
        if (field->DataType() == ftMemo) continue;
        TXmlNode fieldNode = gridNode.SelectSingleNode("Field[@ID=" + QuotedStr(field->FieldName()) + "]");
        if (fieldNode.IsNull()) continue;
        for (const TXmlNode& setting : fieldNode.ChildNodes()) {
            if (setting.NodeType() != TXmlNodeType::Element) continue;
            if (SameText(setting.NodeName(), "Index"))
                indexes.emplace_back(Trim(setting.Text()), field);
            else
                ApplySetting(grid.Owner(), *field, setting.NodeName(), Converted(setting.Text()));
        }
    }
    std::stable_sort(indexes.begin(), indexes.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [text, field] : indexes) ApplySetting(grid.Owner(), *field, "Index", text);
}

void TMT_Doc::ApplyComponentDefaults(TComponent& form) const {
    for (const TXmlNode& component : components_.SelectNodes("Component")) {
        auto* combo = dynamic_cast<TDBComboBox*>(form.FindComponent(component.Attribute("ID")));
        if (!combo || combo->Items()->Count() == 0 || !combo->DataSource() || !combo->Field()) continue;
        for (const TXmlNode& setting : component.ChildNodes())
            if (UpperCase(setting.NodeName()) == "DEFAULTTEXT") {
                TField* field = combo->Field();
                TScopeExit keep([field, readOnly = field->ReadOnly()] { field->SetReadOnly(readOnly); });
                field->SetReadOnly(false);
                field->SetText(Converted(setting.Text()));
            }
    }
}

void TMT_Doc::ApplyGridDefaults(TDBGrid& grid) const {
    TDataSet* dataSet = grid.DataSet();
    TXmlNode gridNode = root_.ChildNode(grid.Name());
    if (!dataSet || gridNode.IsNull()) return;
    for (const TXmlNode& fieldNode : gridNode.SelectNodes("Field")) {
        const std::string id = fieldNode.Attribute("ID");
        if (UpperCase(id).find("UDF") == std::string::npos) continue;
        if (!SameText(fieldNode.ChildNode("ControlType").Text(), "Combo")) continue;
        std::string text = Trim(fieldNode.ChildNode("DefaultText").Text());
        TField* field = dataSet->FindField(id);
        if (!text.empty() && field && field->Visible()) field->SetText(Converted(text));
    }
}

std::string TMT_Doc::SelectIds(const std::string& path) const {
    std::string ids;
    for (const TXmlNode& node : root_.SelectNodes(path)) {
        std::string id = node.Attribute("ID");
        std::vector<std::string> chars = Utf8Chars(id);
        std::string tail;
        for (std::size_t i = chars.size() > 5 ? chars.size() - 5 : 0; i < chars.size(); ++i) tail += chars[i];
        ids += (ids.empty() ? "" : ",") + tail;
    }
    return ids;
}
