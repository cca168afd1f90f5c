#include "tests/testkit/ScriptedApp.h"

#include "toolkit/ui/dialogs/Dialogs.h"
#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/widgets/Button.h"

namespace {

// Records every message box and dialog in the order of the recording application.
class TOrderedMessages : public TScriptedMessageService {
public:
    explicit TOrderedMessages(std::vector<std::pair<bool, std::size_t>>& order) : order_(order) {}

protected:
    int Answer(const TShownMessage& message) override {
        order_.emplace_back(false, static_cast<std::size_t>(Count()) - 1);
        return TScriptedMessageService::Answer(message);
    }

private:
    std::vector<std::pair<bool, std::size_t>>& order_;
};

}  // namespace

TScriptedApp::TScriptedApp()
    : messages_(std::make_shared<TOrderedMessages>(order_)), modalLoop_(std::make_shared<TScriptedModalLoop>()),
      beeps_(std::make_shared<THeadlessBeepService>()) {
    modalLoop_->When("TMessageForm", [this](TCustomForm& form) { AnswerDialog(form); });
    savedMessages_ = Application->SetMessageService(messages_);
    savedLoop_ = Application->SetModalLoop(modalLoop_);
    savedBeeps_ = Application->SetBeepService(beeps_);
    Application->ClearTerminated();
}

TScriptedApp::~TScriptedApp() {
    Application->ProcessMessages();
    Application->SetMessageService(savedMessages_);
    Application->SetModalLoop(savedLoop_);
    Application->SetBeepService(savedBeeps_);
}

void TScriptedApp::AnswerDialog(TCustomForm& form) {
    auto* dialog = dynamic_cast<TMessageForm*>(&form);
    if (!dialog) return;
    TShownDialog shown;
    shown.Caption = dialog->Caption();
    shown.Text = dialog->MessageText();
    shown.DlgType = dialog->DlgType();
    shown.FontName = dialog->Font()->Name();
    shown.FontCharset = static_cast<int>(dialog->Font()->Charset());
    TButton* defaultButton = nullptr;
    for (TComponent* component : dialog->ComponentList()) {
        auto* button = dynamic_cast<TButton*>(component);
        if (!button) continue;
        shown.Buttons.push_back(button->Name());
        shown.ButtonCaptions[button->Name()] = button->Caption();
        if (button->Default()) {
            defaultButton = button;
            shown.DefaultButton = button->Name();
            shown.DefaultTabOrder = button->TabOrder();
        }
    }
    if (!dialogAnswers_.empty()) {
        form.SetModalResult(dialogAnswers_.front());
        dialogAnswers_.pop_front();
    } else if (defaultButton) {
        defaultButton->Click();
    }
    shown.Answer = form.ModalResult();
    order_.emplace_back(true, dialogs_.size());
    dialogs_.push_back(std::move(shown));
}

std::vector<std::string> TScriptedApp::ShownTexts() const {
    std::vector<std::string> texts;
    for (const auto& [isDialog, index] : order_)
        texts.push_back(isDialog ? dialogs_[index].Text : messages_->Shown()[index].Text);
    return texts;
}
