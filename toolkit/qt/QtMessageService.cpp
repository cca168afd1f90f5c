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
    OfferToHook(*form.Get(), message);
    showing_.insert(form.Get());
    const TMessageForm* shownForm = form.Get();
    int answer = mrCancel;
    try {
        answer = form->ShowModal();
    } catch (...) {
        showing_.erase(shownForm);
        if (form) form->Free();
        throw;
    }
    showing_.erase(shownForm);
    if (form) form->Free();
    // Boxes without a Cancel button answer Escape and closing with their cancel button's answer.
    if (answer == mrCancel && !request.Buttons.Contains(mbCancel)) answer = ModalResultOf(CancelButtonOf(request.Buttons));
    shown_[index].Answer = answer;
    return answer;
}

void TQtMessageService::OfferToHook(TMessageForm& shown, const TShownMessage& message) {
    if (!OnShown) return;
    auto hook = OnShown;
    TComponentRef<TMessageForm> form(&shown);
    QTimer::singleShot(0, [hook, form, message] {
        // Let the window be shown and activated first.
        QCoreApplication::processEvents();
        if (form && form->Visible()) RunGuarded([&] { hook(*form.Get(), message); });
    });
}

std::size_t TQtMessageService::Watch(TMessageForm& form) {
    TMessageDlgRequest request;
    request.Text = form.MessageText();
    request.Caption = form.Caption();
    request.DlgType = form.DlgType();
    TShownMessage message = TShownMessage::OfDialog(request);
    shown_.push_back(message);
    OfferToHook(form, message);
    return shown_.size() - 1;
}

void TQtMessageService::Answered(std::size_t index, int answer) {
    if (index < shown_.size()) shown_[index].Answer = answer;
}
