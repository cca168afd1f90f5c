// Coded messages: the host's text, localized and formatted, in the toolkit's message dialog.
#include "env/ButtonCaptions.h"
#include "server/BrokerOwner.h"
#include "server/Brokers.h"
#include "toolkit/os/CodePage.h"
#include "toolkit/rtl/Format.h"
#include "toolkit/ui/dialogs/Dialogs.h"
#include "toolkit/ui/widgets/Button.h"

namespace {

struct TDialogKind {
    TMsgDlgType type;
    TMsgDlgButtons buttons;
};

TDialogKind DialogKindOf(const std::string& kind) {
    if (kind == "T") return {mtError, {mbYes, mbNo, mbCancel, mbYesToAll}};
    if (kind == "C") return {mtWarning, {mbOK, mbCancel}};
    if (kind == "D") return {mtWarning, {mbYes, mbNo, mbCancel}};
    if (kind == "E") return {mtError, {mbOK}};
    if (kind == "I") return {mtInformation, {mbOK}};
    if (kind == "Q") return {mtConfirmation, {mbOK, mbCancel}};
    if (kind == "W") return {mtWarning, {mbOK, mbCancel}};
    return {mtCustom, {mbOK}};
}

constexpr TMsgDlgBtn kButtonOrder[] = {mbYes,    mbNo,  mbOK,      mbCancel,   mbAbort, mbRetry,
                                       mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp};

}  // namespace

int TBrokers::ShowMessageByCode(const std::string& kind, const std::string& code, int defaultButton, bool abortOnCancel,
                                int /*codePage*/, const std::vector<Variant>& args) {
    const int mode = LanguageMode();
    const bool convert = mode == 1 || mode == 2;
    std::string text = GetMessageText(kind == "T" ? "E" : kind, code);
    if (convert) text = ToUserScript(text);
    if (UICodePage() == "950" || SysCodePage() == "950") text += "    ";
    text = Format(text + " ", args);

    const TDialogKind dialog = DialogKindOf(kind);
    if (kind == "T") text += "\n" + (convert ? ToUserScript("是否继续?") : std::string("是否继续?"));
    if (mode != 0 || SystemCodePage() != 936) text += "      ";

    TMessageDlgRequest request;
    request.Text = text;
    request.Caption = OwnerWindow() ? OwnerWindow()->OwnerCaption() : std::string();
    request.DlgType = dialog.type;
    request.Buttons = dialog.buttons;
    // A default the dialog does not offer leaves the dialog's own default focused.
    TMsgDlgBtn wanted =
        defaultButton >= 0 && defaultButton < static_cast<int>(std::size(kButtonOrder)) ? kButtonOrder[defaultButton] : mbOK;
    request.DefaultButton = dialog.buttons.Contains(wanted) ? wanted : DefaultButtonOf(dialog.buttons);
    // The localized captions; an English interface keeps the standard English ones.
    for (TMsgDlgBtn b : kButtonOrder) {
        if (!dialog.buttons.Contains(b)) continue;
        if (UICodePage() == "437") {
            request.ButtonCaptions[b] = MessageDlgButtonCaption(b, dlEnglish);
            continue;
        }
        std::string caption = ButtonCaption(MessageDlgButtonName(b));
        request.ButtonCaptions[b] = mode == 2 ? ToUserScript(caption) : caption;
    }
    request.FontName = "SimSun";
    request.FontCharset = (mode == 2 || mode == 3) ? 136 : 134;

    TOwnedPtr<TMessageForm> form(CreateMessageDialog(request));
    // The default button comes first in the tab order.
    if (auto* button = dynamic_cast<TButton*>(form->FindComponent(MessageDlgButtonName(*request.DefaultButton))))
        button->SetTabOrder(0);
    TComponentRef<TMessageForm> alive(form.get());
    int result = form->ShowModal();
    if (!alive) form.release();  // freed while shown (the application closed it)
    if (kind == "W" && result != mrOk && abortOnCancel) Abort();
    return result;
}
