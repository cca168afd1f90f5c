#pragma once
// The small button beside an edit that opens the edit's lookup window: a click focuses the edit and
// presses F2 there, so the window's F2 lookup of the edit's field opens as the key would open it. A
// button does not take the focus; it follows the edit's Enabled and Visible.
#include "toolkit/ui/widgets/GlyphButton.h"

class TWinControl;

class TRkLookupButton : public TSpeedButton {
    TK_CLASS_PUBLISHED(TRkLookupButton, TSpeedButton)
public:
    explicit TRkLookupButton(TComponent* owner);
    ~TRkLookupButton() override;

    TWinControl* Edit() const { return edit_; }
    // Ties the button to an edit and places it at the edit's right, as high as the edit.
    void SetEdit(TWinControl* edit);
    // Places the button at the right of its edit again (after the edit moved or changed its size).
    void FollowEdit();

    void Click() override;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TWinControl* edit_ = nullptr;
};
