#include "controls/RkLookupButton.h"

#include "toolkit/ui/kernel/KeyInput.h"
#include "toolkit/ui/kernel/Keys.h"

namespace {
constexpr int kButtonWidth = 21;
}  // namespace

void TRkLookupButton::Publish(TPublisher<TRkLookupButton>& p) {}

TRkLookupButton::TRkLookupButton(TComponent* owner) : TSpeedButton(owner) {
    SetCaption("...");
    SetFlat(false);
    SetShowHint(true);
}

TRkLookupButton::~TRkLookupButton() { SetEdit(nullptr); }

void TRkLookupButton::SetEdit(TWinControl* edit) {
    if (edit_) edit_->RemoveFreeNotification(this);
    edit_ = edit;
    if (!edit_) return;
    edit_->FreeNotification(this);
    if (!Parent()) SetParent(edit_->Parent());
    FollowEdit();
}

void TRkLookupButton::FollowEdit() {
    if (!edit_) return;
    SetBounds(edit_->Left() + edit_->Width() + 1, edit_->Top(), kButtonWidth, edit_->Height());
    SetEnabled(edit_->Enabled());
    SetVisible(edit_->Visible());
}

void TRkLookupButton::Click() {
    if (!Enabled()) return;
    TSpeedButton::Click();
    if (OnClick || !edit_ || !edit_->CanFocus()) return;  // a handler of its own replaces the lookup
    edit_->SetFocus();
    SimulateKeystroke(edit_, VK_F2);
}

void TRkLookupButton::Notification(TComponent* component, TOperation operation) {
    TSpeedButton::Notification(component, operation);
    if (operation == opRemove && component == edit_) edit_ = nullptr;
}
