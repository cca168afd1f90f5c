#pragma once
// Message dialogs through the application's message service, and the message dialog as a form
// for renderers and callers that want to show it themselves.
#include <optional>
#include <string>

#include "toolkit/ui/kernel/AppServices.h"
#include "toolkit/ui/kernel/Forms.h"

// The modal result a dialog button gives (mbHelp none).
int ModalResultOf(TMsgDlgBtn button);
// The default button of a set: OK, else Yes, else Retry. The cancel button: Cancel, else No, else OK.
TMsgDlgBtn DefaultButtonOf(TMsgDlgButtons buttons);
TMsgDlgBtn CancelButtonOf(TMsgDlgButtons buttons);
// Standard captions of the Chinese interface: "警告", "错误", "信息", "确认", the application title for
// a custom dialog; buttons "是(&Y)", "否(&N)", "确定", "取消", ...; those of an English interface:
// "Warning", ..., "&Yes", "OK" ...; component names "Yes", "No", "OK", ...
enum TDialogLanguage {
    dlChinese,
    dlEnglish
};
std::string MessageDlgCaption(TMsgDlgType type, TDialogLanguage language = dlChinese);
std::string MessageDlgButtonCaption(TMsgDlgBtn button, TDialogLanguage language = dlChinese);
std::string MessageDlgButtonName(TMsgDlgBtn button);
// The answer of a dialog nobody answers otherwise: its default button's result when the button is
// offered, else the cancel button's, else mrCancel.
int DefaultAnswer(const TMessageDlgRequest& request);
// A request with the caption and default button filled in when not given.
TMessageDlgRequest CompleteRequest(TMessageDlgRequest request);

int MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext = 0);
int MessageDlg(const TMessageDlgRequest& request);
void ShowMessage(const std::string& text);

// The message dialog form: buttons named "Yes", "No", "OK", ... in that order, the default
// button focused, the cancel button answering Escape.
class TMessageForm : public TForm {
    TK_CLASS_PUBLISHED(TMessageForm, TForm)
public:
    explicit TMessageForm(TComponent* owner) : TForm(owner) {}
    const std::string& MessageText() const { return message_; }
    void SetMessageText(const std::string& text) { message_ = text; }
    TMsgDlgType DlgType() const { return dlgType_; }
    void SetDlgType(TMsgDlgType type) { dlgType_ = type; }

private:
    std::string message_;
    TMsgDlgType dlgType_ = mtCustom;
};

TMessageForm* CreateMessageDialog(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons,
                                  std::optional<TMsgDlgBtn> defaultButton = std::nullopt);
TMessageForm* CreateMessageDialog(const TMessageDlgRequest& request);
