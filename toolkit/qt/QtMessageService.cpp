#include "toolkit/qt/QtMessageService.h"

#include <QCoreApplication>
#include <QTimer>

#include "toolkit/qt/QtPeer.h"

TMessageDlgRequest MessageBoxRequest(const std::string& text, const std::string& caption, unsigned flags) {
    TMessageDlgRequest request;
    request.Text = text;
    request.Caption = caption;
    switch (flags & 0xF0) {
        case MB_ICONHAND: request.DlgType = mtError; break;
        case MB_ICONQUESTION: request.DlgType = mtConfirmation; break;
        case MB_ICONEXCLAMATION: request.DlgType = mtWarning; break;
        case MB_ICONASTERISK: request.DlgType = mtInformation; break;
        default: request.DlgType = mtCustom; break;
    }
    // Answers equal the modal results of the buttons.
    request.Buttons = {};
    for (int answer : MessageBoxAnswers(flags)) {
        switch (answer) {
            case IDOK: request.Buttons.Include(mbOK); break;
            case IDCANCEL: request.Buttons.Include(mbCancel); break;
            case IDABORT: request.Buttons.Include(mbAbort); break;
            case IDRETRY: request.Buttons.Include(mbRetry); break;
            case IDIGNORE: request.Buttons.Include(mbIgnore); break;
            case IDYES: request.Buttons.Include(mbYes); break;
            case IDNO: request.Buttons.Include(mbNo); break;
            default: break;
        }
    }
    switch (MessageBoxDefaultAnswer(flags)) {
        case IDCANCEL: request.DefaultButton = mbCancel; break;
        case IDABORT: request.DefaultButton = mbAbort; break;
        case IDRETRY: request.DefaultButton = mbRetry; break;
        case IDIGNORE: request.DefaultButton = mbIgnore; break;
        case IDYES: request.DefaultButton = mbYes; break;
        case IDNO: request.DefaultButton = mbNo; break;
        default: request.DefaultButton = mbOK; break;
    }
    return request;
}

int TQtMessageService::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    return Show(MessageBoxRequest(text, caption, flags), TShownMessage::OfBox(text, caption, flags));
}

int TQtMessageService::MessageDlg(const TMessageDlgRequest& request) {
    return Show(CompleteRequest(request), TShownMessage::OfDialog(request));
}

int TQtMessageService::Show(const TMessageDlgRequest& request, TShownMessage message) {
    std::size_t index = shown_.size();
    shown_.push_back(message);
    TComponentRef<TMessageForm> form(CreateMessageDialog(request));
    if (OnShown) {
        auto hook = OnShown;
        QTimer::singleShot(0, [hook, form, message] {
            // Let the window be shown and activated first.
            QCoreApplication::processEvents();
            if (form && form->Visible()) RunGuarded([&] { hook(*form.Get(), message); });
        });
    }
    int answer = mrCancel;
    try {
        answer = form->ShowModal();
    } catch (...) {
        if (form) form->Free();
        throw;
    }
    if (form) form->Free();
    // Boxes without a Cancel button answer Escape and closing with their cancel button's answer.
    if (answer == mrCancel && !request.Buttons.Contains(mbCancel)) answer = ModalResultOf(CancelButtonOf(request.Buttons));
    shown_[index].Answer = answer;
    return answer;
}
