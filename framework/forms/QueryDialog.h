#pragma once
// The query-by-example dialog as the maintenance forms use it: bound once to the window's main
// dataset (and a master-detail window's detail), run modally for every query, it answers the text
// behind WHERE and the text behind ORDER BY.
//
// The dialog comes from the maker the query layer installs (SetQueryDialogMaker); without one a plain
// dialog asks for the WHERE text.
#include <functional>
#include <string>

class TClientDataSet;
class TComponent;
class TCustomForm;

class IQueryDialog {
public:
    virtual ~IQueryDialog() = default;
    // hideRowLimit: the database cannot limit rows (SQLTYPE not 0); fieldExprs: the computed and
    // joined columns of the main query; keyFields: comma-separated, the default order.
    virtual void SetMasterSource(TClientDataSet* dataSet, const std::string& table, bool hideRowLimit,
                                 const std::string& fieldExprs, const std::string& keyFields) = 0;
    virtual void SetDetailSource(TClientDataSet* dataSet, const std::string& table, const std::string& suffix,
                                 const std::string& fieldExprs, const std::string& keyFields) = 0;
    // Shows the dialog modally; false unless confirmed with OK.
    virtual bool Execute(std::string& condition, std::string& order) = 0;
    virtual std::string GetCondition() const = 0;
    virtual std::string GetOrder() const = 0;
    virtual void SetRowLimit(int rows) = 0;
    virtual int GetRowLimit() const = 0;
    // A saved scheme (its page and stored condition) becomes the dialog's condition and order;
    // false when it cannot be read.
    virtual bool ApplyScheme(const std::string& activePage, const std::string& scheme) = 0;
    // After ApplyScheme: the condition and order the scheme stands for; false when they cannot be built.
    virtual bool RunScheme(std::string& condition, std::string& order) = 0;
    // Told after the dialog saved, deleted or renamed a scheme (the window's scheme menu follows).
    virtual void SetSchemesChanged(std::function<void()> handler) {}
    // The dialog's window (owned by the maintenance form that made it).
    virtual TCustomForm* Window() = 0;
};

using TQueryDialogMaker = std::function<IQueryDialog*(TComponent* owner)>;
void SetQueryDialogMaker(TQueryDialogMaker maker);
TQueryDialogMaker QueryDialogMaker();
// A new query dialog owned by owner: the installed maker's, else the WHERE-text dialog.
IQueryDialog* CreateQueryDialog(TComponent* owner);
