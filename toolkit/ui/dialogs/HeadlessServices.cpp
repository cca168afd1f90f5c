#include "toolkit/ui/dialogs/HeadlessServices.h"

#include "toolkit/ui/dialogs/Dialogs.h"
#include "toolkit/ui/kernel/Application.h"

int RunHeadlessModal(TCustomForm& form, const std::function<void(TCustomForm&)>& whenShown) {
    // Enough rounds for any sensible exchange of posted messages; a form that keeps posting to
    // itself for longer is cancelled too.
    constexpr int kMaxRounds = 100000;
    TComponentRef<TCustomForm> alive(&form);
    int last = mrCancel;
    if (whenShown) whenShown(form);
    bool cancelled = false;
    for (int round = 0; round < kMaxRounds; ++round) {
        if (!alive) return last;
        Application->ProcessMessages();
        if (!alive) return last;
        if (Application->Terminated()) form.SetModalResult(mrCancel);
        if (form.ModalResult() != mrNone) {
            last = form.ModalResult();
            if (form.CloseModal()) return alive ? form.ModalResult() : last;
            if (cancelled) return mrCancel;  // the form refused even to be cancelled
            continue;
        }
        if (!Application->HasPendingMessages()) {
            // Nothing can answer this form any more.
            cancelled = true;
            form.SetModalResult(mrCancel);
        }
    }
    return mrCancel;
}

TShownMessage TShownMessage::OfBox(const std::string& text, const std::string& caption, unsigned flags) {
    TShownMessage message;
    message.Kind = Box;
    message.Text = text;
    message.Caption = caption;
    message.Flags = flags;
    return message;
}

TShownMessage TShownMessage::OfDialog(const TMessageDlgRequest& request) {
    TShownMessage message;
    message.Kind = Dialog;
    message.Text = request.Text;
    message.Caption = request.Caption;
    message.Request = request;
    return message;
}

int THeadlessMessageService::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    return Record(TShownMessage::OfBox(text, caption, flags));
}

int THeadlessMessageService::MessageDlg(const TMessageDlgRequest& request) { return Record(TShownMessage::OfDialog(request)); }

int THeadlessMessageService::Record(TShownMessage message) {
    // Recorded before it is answered, so that a refused message shows in the record too.
    std::size_t index = shown_.size();
    shown_.push_back(message);
    int answer = Answer(message);
    shown_[index].Answer = answer;
    return answer;
}

int THeadlessMessageService::Answer(const TShownMessage& message) {
    if (message.Kind == TShownMessage::Box) return MessageBoxDefaultAnswer(message.Flags);
    return DefaultAnswer(message.Request);
}
