#pragma once
// Applying a loaded language document to a component tree.
//
// TLangReader::ApplyTo(component): the document element's attributes go to the component when it is a
// form or a data module; then the first element anywhere in the document named like the component
// (unless the name is excluded); then the same for every component it owns, depth first. Only the
// component ApplyTo starts from receives the document element: a window or data module it owns keeps
// its own caption and size.
//
// An element's attributes are applied in order by an ILangRead chosen by the component's class:
// TComponentRead for most, TCustomComboBoxRead and TwwDBCustomComboBoxRead for combo boxes, which keep
// their selected item while their items are retitled.
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "toolkit/xml/Xml.h"

class TComponent;
class TObject;

// Raised before and after an element is applied to a component.
using TLoadComponentEvent = std::function<void(TObject* Sender, TComponent* Component, const TXmlNode& ComponentNode)>;

class ILangRead {
public:
    virtual ~ILangRead() = default;
    // Applies every attribute of the element, in the element's order.
    virtual void ApplyElement(TComponent& component, const TXmlNode& element) = 0;
};

class TComponentRead : public ILangRead {
public:
    void ApplyElement(TComponent& component, const TXmlNode& element) override;
    // The reader for a component of that class.
    static ILangRead& For(const TComponent& component);
};

class TCustomComboBoxRead : public TComponentRead {
public:
    void ApplyElement(TComponent& component, const TXmlNode& element) override;
};

// Data-aware combo boxes: their selection follows the field, which retitled items must not move.
class TwwDBCustomComboBoxRead : public TComponentRead {
public:
    void ApplyElement(TComponent& component, const TXmlNode& element) override;
};

class TLangReader {
public:
    // sender is the controller named in the load events.
    TLangReader(const TXmlDocument& document, std::vector<std::string> excludeControls, TLoadComponentEvent beforeLoad,
                TLoadComponentEvent afterLoad, TObject* sender);

    void SetExcludeControls(std::vector<std::string> names) { exclude_ = std::move(names); }
    const std::vector<std::string>& ExcludeControls() const { return exclude_; }

    void ApplyTo(TComponent* component);

private:
    void ApplyTree(TComponent& component);
    void ApplyNode(TComponent& component, const TXmlNode& node);
    bool Excluded(const std::string& name) const;
    void IndexElements(const TXmlNode& node);

    const TXmlDocument& document_;
    // The first element of each name in document order (what "//name" selects first).
    std::unordered_map<std::string, TXmlNode> firstElement_;
    std::vector<std::string> exclude_;
    TLoadComponentEvent beforeLoad_;
    TLoadComponentEvent afterLoad_;
    TObject* sender_;
};
