#include "i18n/LangReader.h"

#include <strings.h>

#include "i18n/LangPropertyPath.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/dataaware/DBComboBox.h"
#include "toolkit/ui/kernel/DataModule.h"
#include "toolkit/ui/kernel/Forms.h"
#include "toolkit/ui/widgets/ComboBox.h"

void TComponentRead::ApplyElement(TComponent& component, const TXmlNode& element) {
    for (const auto& [path, value] : element.Attributes()) ApplyLangAttribute(component, path, value);
}

namespace {

void ApplyKeepingItemIndex(TCustomComboBox& combo, const std::function<void()>& apply) {
    const int itemIndex = combo.ItemIndex();
    apply();
    combo.SetItemIndex(itemIndex < combo.Items()->Count() ? itemIndex : -1);
}

}  // namespace

void TCustomComboBoxRead::ApplyElement(TComponent& component, const TXmlNode& element) {
    auto& combo = dynamic_cast<TCustomComboBox&>(component);
    ApplyKeepingItemIndex(combo, [&] { TComponentRead::ApplyElement(component, element); });
}

void TwwDBCustomComboBoxRead::ApplyElement(TComponent& component, const TXmlNode& element) {
    auto& combo = dynamic_cast<TDBComboBox&>(component);
    ApplyKeepingItemIndex(combo, [&] { TComponentRead::ApplyElement(component, element); });
}

ILangRead& TComponentRead::For(const TComponent& component) {
    static TComponentRead plain;
    static TCustomComboBoxRead combo;
    static TwwDBCustomComboBoxRead dataCombo;
    if (dynamic_cast<const TDBComboBox*>(&component)) return dataCombo;
    if (dynamic_cast<const TCustomComboBox*>(&component)) return combo;
    return plain;
}

TLangReader::TLangReader(const TXmlDocument& document, std::vector<std::string> excludeControls, TLoadComponentEvent beforeLoad,
                         TLoadComponentEvent afterLoad, TObject* sender)
    : document_(document), exclude_(std::move(excludeControls)), beforeLoad_(std::move(beforeLoad)),
      afterLoad_(std::move(afterLoad)), sender_(sender) {
    if (TXmlNode root = document_.DocumentElement()) IndexElements(root);
}

void TLangReader::IndexElements(const TXmlNode& node) {
    firstElement_.try_emplace(node.NodeName(), node);
    for (const TXmlNode& child : node.ChildNodes())
        if (child.NodeType() == TXmlNodeType::Element) IndexElements(child);
}

bool TLangReader::Excluded(const std::string& name) const {
    const std::string trimmed = Trim(name);
    for (const std::string& entry : exclude_)
        if (strcasecmp(Trim(entry).c_str(), trimmed.c_str()) == 0) return true;
    return false;
}

void TLangReader::ApplyNode(TComponent& component, const TXmlNode& node) {
    if (beforeLoad_) beforeLoad_(sender_, &component, node);
    TComponentRead::For(component).ApplyElement(component, node);
    if (afterLoad_) afterLoad_(sender_, &component, node);
}

void TLangReader::ApplyTree(TComponent& component) {
    if (!component.Name().empty() && !Excluded(component.Name())) {
        if (auto found = firstElement_.find(component.Name()); found != firstElement_.end()) ApplyNode(component, found->second);
    }
    // Applying may create or free components (a retitled list), so walk a copy.
    const std::vector<TComponent*> owned = component.ComponentList();
    for (TComponent* child : owned) ApplyTree(*child);
}

void TLangReader::ApplyTo(TComponent* component) {
    if (!component) return;
    const bool windowOrModule = dynamic_cast<TCustomForm*>(component) || dynamic_cast<TDataModule*>(component);
    if (TXmlNode root = document_.DocumentElement(); root && windowOrModule) ApplyNode(*component, root);
    ApplyTree(*component);
}
