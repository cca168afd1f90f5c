#pragma once
// Message boxes and dialogs on the desktop: the toolkit's message-dialog form (buttons named
// "Yes", "OK" ...) shown modally through the Qt renderer. Every message is recorded with its
// answer; a hook sees each dialog once it is on screen (scripts answer there).
#include <functional>
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

private:
    int Show(const TMessageDlgRequest& request, TShownMessage message);
    std::vector<TShownMessage> shown_;
};

// The dialog request of a message box: its buttons, icon, default button and caption.
TMessageDlgRequest MessageBoxRequest(const std::string& text, const std::string& caption, unsigned flags);
