#pragma once
// The application's services replaced by scripted, recording ones for the lifetime of the object:
// message boxes and dialogs (answers queued, everything recorded), the modal loop (scripts per form
// class) and beeps (counted). Message dialog forms shown modally (coded messages) are recorded with
// what they show and answered from their own queue, else with their default button.
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/ui/dialogs/HeadlessServices.h"
#include "toolkit/ui/dialogs/ScriptedMessageService.h"
#include "toolkit/ui/dialogs/ScriptedModalLoop.h"

// A message dialog form as it was shown.
struct TShownDialog {
    std::string Caption;
    std::string Text;
    TMsgDlgType DlgType = mtCustom;
    std::vector<std::string> Buttons;                   // names ("Yes", "OK", ...) in order
    std::map<std::string, std::string> ButtonCaptions;  // name -> caption
    std::string DefaultButton;                          // name of the default button ("" none)
    int DefaultTabOrder = -1;
    std::string FontName;
    int FontCharset = -1;
    int Answer = 0;  // the modal result it ended with
};

class TScriptedApp {
public:
    TScriptedApp();
    ~TScriptedApp();
    TScriptedApp(const TScriptedApp&) = delete;
    TScriptedApp& operator=(const TScriptedApp&) = delete;

    TScriptedMessageService& Messages() { return *messages_; }
    TScriptedModalLoop& ModalLoop() { return *modalLoop_; }
    THeadlessBeepService& Beeps() { return *beeps_; }

    // Message dialog forms: the answer (a modal result) for the next one, and those shown.
    void QueueDialogAnswer(int modalResult) { dialogAnswers_.push_back(modalResult); }
    const std::vector<TShownDialog>& Dialogs() const { return dialogs_; }
    // The texts of every message box, message dialog and dialog form shown, in order.
    std::vector<std::string> ShownTexts() const;

private:
    void AnswerDialog(TCustomForm& form);

    std::shared_ptr<TScriptedMessageService> messages_;
    std::shared_ptr<TScriptedModalLoop> modalLoop_;
    std::shared_ptr<THeadlessBeepService> beeps_;
    std::shared_ptr<IMessageService> savedMessages_;
    std::shared_ptr<IModalLoop> savedLoop_;
    std::shared_ptr<IBeepService> savedBeeps_;
    std::deque<int> dialogAnswers_;
    std::vector<TShownDialog> dialogs_;
    std::vector<std::pair<bool, std::size_t>> order_;  // (dialog form?, index) in showing order
};
