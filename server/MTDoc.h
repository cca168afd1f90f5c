#pragma once
// The per-user settings document of a program (company and program on the server): which controls
// show, where they sit, their captions, required fields, default values and grid columns. Elements
// "Components/Component[@ID]" address a control of the form (or the form itself), grid elements
// "<grid>/Field[@ID]" a field of the grid's dataset; every child element is a setting whose name is
// a published property or one of the special names (Parent, DCVisible, DisplayLabel, Items,
// DefaultText, Required, Index ...). The library reads the document and never writes it back.
#include <functional>
#include <string>

#include "toolkit/xml/Xml.h"

class TComponent;
class TObject;
class TDBGrid;

class TMT_Doc {
public:
    // The empty document.
    TMT_Doc();
    // The empty document, then the text (a text that does not parse raises EOleError).
    explicit TMT_Doc(const std::string& text);

    // Replaces the document by the text; a parse failure raises EOleError and leaves it empty.
    void LoadText(const std::string& text);
    const TXmlDocument& Document() const { return doc_; }
    TXmlNode Root() const { return root_; }
    TXmlNode ComponentsNode() const { return components_; }

    // Texts of the document go through this before they reach a control (database script to the
    // interface script); unset, they pass unchanged.
    std::function<std::string(const std::string&)> Converter;

    TXmlNode FindChild(const TXmlNode& parent, const std::string& name, bool create);
    TXmlNode FindChildById(const TXmlNode& parent, const std::string& elementName, const std::string& id, bool create);
    std::string GetComponentValue(const std::string& id, const std::string& setting) const;
    std::string GetFieldValue(const std::string& gridName, const std::string& fieldId, const std::string& setting) const;

    // Every Component's settings on the form or its component of that ID (missing ones skipped).
    void ApplyComponents(TComponent& form) const;
    // The Field settings of the grid's element on the fields of its dataset, Index settings last
    // in the text order of their values.
    void ApplyGrid(TDBGrid& grid, const std::string& gridName) const;
    // DefaultText of data-bound combo boxes into their fields (of a new record).
    void ApplyComponentDefaults(TComponent& form) const;
    // DefaultText of the grid's user-defined combo columns into their visible fields.
    void ApplyGridDefaults(TDBGrid& grid) const;
    // The IDs of the elements the path selects from the root, each cut to its last five characters,
    // joined with "," ("Components/*[Required='-1']" gives the required header fields).
    std::string SelectIds(const std::string& path) const;

    // One setting on one target (a control, the form or a field); unknown names are skipped.
    void ApplySetting(TComponent* form, TObject& target, const std::string& name, const std::string& text) const;

private:
    void Reset();
    std::string Converted(const std::string& text) const { return Converter ? Converter(text) : text; }

    TXmlDocument doc_;
    TXmlNode root_;
    TXmlNode components_;
};

// The empty settings document, as the server would send one.
extern const char* const kEmptyUserDocument;
