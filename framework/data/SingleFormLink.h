#pragma once
// What the single-table data module asks of the maintenance form that owns it (the form implements
// it; a data module without such an owner runs with the answers of a plain window: no colour
// rules, nothing selected, title sorting allowed, no generated number).
#include <string>

#include "framework/data/UDFRules.h"
#include "toolkit/data/DataSet.h"

class ISingleFormLink {
public:
    virtual ~ISingleFormLink() = default;
    // Colour rules (user setting IsColorManage) are active.
    virtual bool ColorManaged() const = 0;
    // After a save: re-open the colour rows for the record just inserted, or with the last condition.
    virtual void ReopenColorRows(bool inserted) = 0;
    // The painted colours go back to the grid's own; then the settings text of a colour row applies.
    virtual void ResetRowColors() = 0;
    virtual void ApplyColorSettings(TDataSet* colorRow) = 0;
    // Whether the header grid has the record selected (the MultiSelected column).
    virtual bool HeaderRowSelected(TBookmark bookmark) const = 0;
    // cdsMain is about to open: the header grid forgets its selection.
    virtual void HeaderDataSetOpening() = 0;
    // Clicking a grid title may sort.
    virtual bool TitleSortAllowed() const = 0;
    // The number the form generated for the automatic key field of the record being added.
    virtual std::string GeneratedNumber() const = 0;
    // The user document's default values go into the new record (controls' DefaultText settings).
    virtual void ApplyUserDefaults() = 0;
    // The user-defined field rules of a level with the selector ("Y", "N" or "ALL").
    virtual TUDFRules UDFDefinitions(const std::string& level, const std::string& selector) = 0;
    // A refused row's message in the form's error box (already in the user's script).
    virtual void ShowSaveError(const std::string& text) = 0;
    // A text in the user's script (simplified or traditional).
    virtual std::string ToUserScript(const std::string& text) const = 0;
    // A keyed text of the language files (class name, key, built-in default), in the user's script.
    virtual std::string KeyedText(const std::string& className, const std::string& key, const std::string& defaultText) const = 0;
};
