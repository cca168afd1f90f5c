#include "toolkit/ui/dialogs/Dialogs.h"

#include <algorithm>

#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/widgets/Button.h"

namespace {
struct ButtonInfo {
    const char* name;
    const char* caption;  // of the Chinese interface the toolkit's users work in
    const char* englishCaption;
    int result;
};
constexpr ButtonInfo kButtons[] = {
    {"Yes", "是(&Y)", "&Yes", mrYes},
    {"No", "否(&N)", "&No", mrNo},
    {"OK", "确定", "OK", mrOk},
    {"Cancel", "取消", "Cancel", mrCancel},
    {"Abort", "中断(&A)", "&Abort", mrAbort},
    {"Retry", "重试(&R)", "&Retry", mrRetry},
    {"Ignore", "忽略(&I)", "&Ignore", mrIgnore},
    {"All", "全部(&A)", "&All", mrAll},
    {"NoToAll", "全否(&O)", "N&o to All", mrNoToAll},
    {"YesToAll", "全是(&A)", "Yes to &All", mrYesToAll},
    {"Help", "帮助(&H)", "&Help", mrNone},
};
constexpr TMsgDlgBtn kAllButtons[] = {mbYes,    mbNo,  mbOK,      mbCancel,   mbAbort, mbRetry,
                                      mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp};

const ButtonInfo& Info(TMsgDlgBtn button) { return kButtons[static_cast<int>(button)]; }
}  // namespace

int ModalResultOf(TMsgDlgBtn button) { return Info(button).result; }

std::string MessageDlgButtonCaption(TMsgDlgBtn button, TDialogLanguage language) {
    return language == dlEnglish ? Info(button).englishCaption : Info(button).caption;
}

std::string MessageDlgButtonName(TMsgDlgBtn button) { return Info(button).name; }

TMsgDlgBtn DefaultButtonOf(TMsgDlgButtons buttons) {
    if (buttons.Contains(mbOK)) return mbOK;
    if (buttons.Contains(mbYes)) return mbYes;
    return mbRetry;
}

TMsgDlgBtn CancelButtonOf(TMsgDlgButtons buttons) {
    if (buttons.Contains(mbCancel)) return mbCancel;
    if (buttons.Contains(mbNo)) return mbNo;
    return mbOK;
}

std::string MessageDlgCaption(TMsgDlgType type, TDialogLanguage language) {
    const bool english = language == dlEnglish;
    switch (type) {
        case mtWarning: return english ? "Warning" : "警告";
        case mtError: return english ? "Error" : "错误";
        case mtInformation: return english ? "Information" : "信息";
        case mtConfirmation: return english ? "Confirm" : "确认";
        case mtCustom: break;
    }
    return Application->Title();
}

int DefaultAnswer(const TMessageDlgRequest& request) {
    TMsgDlgBtn chosen = request.DefaultButton.value_or(DefaultButtonOf(request.Buttons));
    if (request.Buttons.Contains(chosen)) return ModalResultOf(chosen);
    TMsgDlgBtn cancel = CancelButtonOf(request.Buttons);
    if (request.Buttons.Contains(cancel)) return ModalResultOf(cancel);
    return mrCancel;
}

TMessageDlgRequest CompleteRequest(TMessageDlgRequest request) {
    if (request.Caption.empty()) request.Caption = MessageDlgCaption(request.DlgType);
    if (!request.DefaultButton) request.DefaultButton = DefaultButtonOf(request.Buttons);
    return request;
}

int MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext) {
    TMessageDlgRequest request;
    request.Text = text;
    request.DlgType = type;
    request.Buttons = buttons;
    request.HelpContext = helpContext;
    return MessageDlg(request);
}

int MessageDlg(const TMessageDlgRequest& request) { return Application->MessageService().MessageDlg(CompleteRequest(request)); }

void ShowMessage(const std::string& text) { MessageDlg(text, mtCustom, {mbOK}); }

void TMessageForm::Publish(TPublisher<TMessageForm>& p) {
    p.Property("MessageText", &TMessageForm::MessageText, &TMessageForm::SetMessageText);
    p.Property("DlgType", &TMessageForm::DlgType, &TMessageForm::SetDlgType);
}

TMessageForm* CreateMessageDialog(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons,
                                  std::optional<TMsgDlgBtn> defaultButton) {
    TMessageDlgRequest request;
    request.Text = text;
    request.DlgType = type;
    request.Buttons = buttons;
    request.DefaultButton = defaultButton;
    return CreateMessageDialog(request);
}

TMessageForm* CreateMessageDialog(const TMessageDlgRequest& original) {
    constexpr int kButtonWidth = 75, kButtonHeight = 25, kSpacing = 8, kMargin = 8;
    TMessageDlgRequest request = CompleteRequest(original);
    TMessageForm* form = CreateComponent<TMessageForm>(Application);
    try {
        form->SetCaption(request.Caption);
        form->SetMessageText(request.Text);
        form->SetDlgType(request.DlgType);
        form->SetBorderStyle(bsDialog);
        form->SetPosition(poScreenCenter);
        if (!request.FontName.empty()) form->Font()->SetName(request.FontName);
        if (request.FontCharset >= 0) form->Font()->SetCharset(static_cast<TFontCharset>(request.FontCharset));
        if (request.FontSize > 0) form->Font()->SetSize(request.FontSize);

        TMsgDlgBtn cancel = CancelButtonOf(request.Buttons);
        int count = request.Buttons.Count();
        // Text width estimated from its characters; the renderer lays out with real metrics.
        int textWidth = static_cast<int>(Utf8Length(request.Text)) * 7;
        int buttonsWidth = count * kButtonWidth + std::max(count - 1, 0) * kSpacing;
        int width = std::max(textWidth, buttonsWidth) + 2 * kMargin;
        form->SetClientWidth(width);
        form->SetClientHeight(kMargin * 3 + 16 + kButtonHeight);

        int left = (width - buttonsWidth) / 2;
        for (TMsgDlgBtn b : kAllButtons) {
            if (!request.Buttons.Contains(b)) continue;
            auto* button = CreateComponent<TButton>(form);
            button->SetName(MessageDlgButtonName(b));
            auto custom = request.ButtonCaptions.find(b);
            button->SetCaption(custom != request.ButtonCaptions.end() ? custom->second : MessageDlgButtonCaption(b));
            button->SetModalResult(ModalResultOf(b));
            button->SetCancel(b == cancel);
            button->SetBounds(left, kMargin * 2 + 16, kButtonWidth, kButtonHeight);
            button->SetParent(form);
            if (b == *request.DefaultButton) {
                button->SetDefault(true);
                form->SetActiveControl(button);
            }
            left += kButtonWidth + kSpacing;
        }
    } catch (...) {
        form->Free();
        throw;
    }
    return form;
}
