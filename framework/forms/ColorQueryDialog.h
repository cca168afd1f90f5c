#pragma once
// The colour filter dialog as the maintenance forms use it: made once the window's header grid has
// colour rules, run with the rules to let the user tick those in force and switch colour
// management off.
//
// The dialog comes from the maker the dialogs layer installs; without one the window offers no
// colour filter dialog.
#include <functional>

class TColorConditions;
class TComponent;
class TCustomForm;

class IColorQueryDialog {
public:
    virtual ~IColorQueryDialog() = default;
    // Shows the rules with colour management on or off; on OK the rules' in-force flags are copied
    // back into conditions and the result is true.
    virtual bool ExecuteColorQuery(bool enabled, TColorConditions* conditions) = 0;
    // Whether the user left colour management on.
    virtual bool IsColorManageOn() const = 0;
    virtual TCustomForm* Window() = 0;
};

using TColorQueryDialogMaker = std::function<IColorQueryDialog*(TComponent* owner, TColorConditions* conditions)>;
void SetColorQueryDialogMaker(TColorQueryDialogMaker maker);
// A new dialog owned by owner over the conditions; nullptr when no maker is installed.
IColorQueryDialog* CreateColorQueryDialog(TComponent* owner, TColorConditions* conditions);
