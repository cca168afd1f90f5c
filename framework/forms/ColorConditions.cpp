#include "framework/forms/ColorConditions.h"

#include "framework/forms/ColorQueryDialog.h"

#include "toolkit/rtl/SysUtils.h"
#include "toolkit/xml/Xml.h"

void TColorCondition::Publish(TPublisher<TColorCondition>& p) {
    p.Property("Value", &TColorCondition::Value);
    p.Property("ColorX", &TColorCondition::ColorX);
    p.Property("BkColor", &TColorCondition::BkColor);
    p.Property("Msg", &TColorCondition::Msg);
    p.Property("Selected", &TColorCondition::Selected);
}

void TColorCondition::Assign(const TPersistent* source) {
    auto* other = dynamic_cast<const TColorCondition*>(source);
    if (!other) return TCollectionItem::Assign(source);
    Value = other->Value;
    ColorX = other->ColorX;
    BkColor = other->BkColor;
    Msg = other->Msg;
    Selected = other->Selected;
}

bool ReadColorConditions(const std::string& xml, const std::string& area, const std::string& component,
                         TColorConditions& conditions) {
    conditions.Clear();
    if (Trim(xml).empty()) return false;
    TXmlDocument document;
    if (!document.LoadXml(xml)) throw Exception("颜色管理xml格式错误");
    for (const TXmlNode& node : document.SelectNodes("//colormanager/" + area + "/component[@enable=\"Y\"]")) {
        if (node.Attribute("name") != component) continue;
        for (const TXmlNode& child : node.ChildNodes()) {
            if (child.NodeType() != TXmlNodeType::Element || child.NodeName() != "condition") continue;
            TColorCondition* condition = conditions.Add();
            condition->Value = child.Attribute("value");
            condition->ColorX = child.Attribute("colorx");
            condition->BkColor = child.Attribute("bkcolor");
            condition->Msg = child.Attribute("msg");
        }
        break;
    }
    return conditions.Count() > 0;
}

bool ColorOfRule(const std::string& text, int& color) { return TryStrToInt(Trim(text), color); }

namespace {
TColorQueryDialogMaker& InstalledMaker() {
    static TColorQueryDialogMaker maker;
    return maker;
}
}  // namespace

void SetColorQueryDialogMaker(TColorQueryDialogMaker maker) { InstalledMaker() = std::move(maker); }

IColorQueryDialog* CreateColorQueryDialog(TComponent* owner, TColorConditions* conditions) {
    const TColorQueryDialogMaker& maker = InstalledMaker();
    return maker ? maker(owner, conditions) : nullptr;
}
