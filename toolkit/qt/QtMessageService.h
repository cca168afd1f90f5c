#pragma once
// Message boxes and dialogs on the desktop: the toolkit's message-dialog form (buttons named
// "Yes", "OK" ...) shown modally through the Qt renderer. Every message is recorded with its
// answer; a hook sees each dialog once it is on screen (scripts answer there).
#include <functional>
#include <set>
#include <vector>

#include "toolkit/ui/dialogs/Dialogs.h"
#include "toolkit/ui/dialogs/HeadlessServices.h"

class TQtMessageService : public IMessageService {
public:
    int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override;
    int MessageDlg(const TMessageDlgRequest& request) override;

    const std::vector<TShownMessage>& Shown() const { return shown_; }
    void Clear() { shown_.clear(); }

    // Runs inside the dialog's modal loop once it is shown; it may click a button. Without one the
    // user answers.
    std::function<void(TMessageForm& form, const TShownMessage& message)> OnShown;

    // A message-dialog form its owner built and shows modally itself (coded messages do): recorded
    // and offered to OnShown as the service's own are. The modal loop calls these two.
    bool Owns(const TMessageForm& form) const { return showing_.count(&form) > 0; }
    std::size_t Watch(TMessageForm& form);
    void Answered(std::size_t index, int answer);

private:
    int Show(const TMessageDlgRequest& request, TShownMessage message);
    void OfferToHook(TMessageForm& form, const TShownMessage& message);
    std::vector<TShownMessage> shown_;
    std::set<const TMessageForm*> showing_;
};

// The dialog request of a message box: its buttons, icon, default button and caption.
TMessageDlgRequest MessageBoxRequest(const std::string& text, const std::string& caption, unsigned flags);
