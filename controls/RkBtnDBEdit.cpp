#include "controls/RkBtnDBEdit.h"

#include "toolkit/rtl/SysUtils.h"

void TRkBtnDBEdit::Publish(TPublisher<TRkBtnDBEdit>& p) {
    p.Property("ButtonHint", &TRkBtnDBEdit::ButtonHint, &TRkBtnDBEdit::SetButtonHint);
}

TRkBtnDBEdit::TRkBtnDBEdit(TComponent* owner) : TDBEdit(owner) {
    // Owned by the edit's owner, so that the window finds it by name.
    button_ = CreateComponent<TRkLookupButton>(owner ? owner : this);
    button_->FreeNotification(this);
}

TRkBtnDBEdit::~TRkBtnDBEdit() {
    if (button_) {
        button_->RemoveFreeNotification(this);
        button_->SetEdit(nullptr);
    }
}

std::string TRkBtnDBEdit::ButtonHint() const { return button_ ? button_->Hint() : std::string(); }

void TRkBtnDBEdit::SetButtonHint(const std::string& hint) {
    if (button_) button_->SetHint(hint);
}

void TRkBtnDBEdit::SetName(const std::string& name) {
    TDBEdit::SetName(name);
    if (button_ && button_->Name().empty() && StartsText("ed", name) && name.size() > 2) button_->SetName("btn" + name.substr(2));
}

void TRkBtnDBEdit::SetParent(TWinControl* parent) {
    TDBEdit::SetParent(parent);
    if (!button_) return;
    button_->SetParent(parent);
    if (parent) button_->SetEdit(this);
}

void TRkBtnDBEdit::SetBounds(int left, int top, int width, int height) {
    TDBEdit::SetBounds(left, top, width, height);
    if (button_ && button_->Edit()) button_->FollowEdit();
}

void TRkBtnDBEdit::VisibleChanged() {
    TDBEdit::VisibleChanged();
    if (button_ && button_->Edit()) button_->FollowEdit();
}

void TRkBtnDBEdit::EnabledChanged() {
    TDBEdit::EnabledChanged();
    if (button_ && button_->Edit()) button_->FollowEdit();
}

void TRkBtnDBEdit::Notification(TComponent* component, TOperation operation) {
    TDBEdit::Notification(component, operation);
    if (operation == opRemove && component == button_) button_ = nullptr;
}
