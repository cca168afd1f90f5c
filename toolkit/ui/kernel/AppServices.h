#pragma once
// The three services of the application that differ between the desktop and headless runs: the
// modal loop, message boxes and beeps. The work center installs Qt ones; tests install scripted
// ones (ScriptedModalLoop.h, ScriptedMessageService.h); the defaults are headless.
#include <map>
#include <optional>
#include <string>

#include "toolkit/classes/Sets.h"
#include "toolkit/classes/TypeInfo.h"
#include "toolkit/ui/kernel/ModalResult.h"

class TCustomForm;

class IModalLoop {
public:
    virtual ~IModalLoop() = default;
    // Runs while form is shown modally, until it has a modal result that CloseModal accepts;
    // returns that result. The form may be freed meanwhile; the loop then must not touch it.
    virtual int Run(TCustomForm& form) = 0;
    // The form's modal result was set (a desktop loop wakes up here).
    virtual void ModalResultChanged(TCustomForm& form) {}
};

// Message boxes: buttons, icon and default button flags, and the answers (equal to the modal
// results mrOk ... mrNo).
constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_OKCANCEL = 0x1;
constexpr unsigned MB_ABORTRETRYIGNORE = 0x2;
constexpr unsigned MB_YESNOCANCEL = 0x3;
constexpr unsigned MB_YESNO = 0x4;
constexpr unsigned MB_RETRYCANCEL = 0x5;
constexpr unsigned MB_ICONHAND = 0x10;
constexpr unsigned MB_ICONERROR = MB_ICONHAND;
constexpr unsigned MB_ICONSTOP = MB_ICONHAND;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONEXCLAMATION = 0x30;
constexpr unsigned MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr unsigned MB_ICONASTERISK = 0x40;
constexpr unsigned MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr unsigned MB_DEFBUTTON1 = 0x000;
constexpr unsigned MB_DEFBUTTON2 = 0x100;
constexpr unsigned MB_DEFBUTTON3 = 0x200;
constexpr unsigned MB_DEFBUTTON4 = 0x300;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// The answers a message box with these flags offers, in order, and the one it defaults to.
std::vector<int> MessageBoxAnswers(unsigned flags);
int MessageBoxDefaultAnswer(unsigned flags);

// Message dialogs.
enum TMsgDlgType {
    mtWarning,
    mtError,
    mtInformation,
    mtConfirmation,
    mtCustom
};
TK_ENUM_TYPE(TMsgDlgType, "mtWarning", "mtError", "mtInformation", "mtConfirmation", "mtCustom")
enum TMsgDlgBtn {
    mbYes,
    mbNo,
    mbOK,
    mbCancel,
    mbAbort,
    mbRetry,
    mbIgnore,
    mbAll,
    mbNoToAll,
    mbYesToAll,
    mbHelp
};
TK_ENUM_TYPE(TMsgDlgBtn, "mbYes", "mbNo", "mbOK", "mbCancel", "mbAbort", "mbRetry", "mbIgnore", "mbAll", "mbNoToAll",
             "mbYesToAll", "mbHelp")
using TMsgDlgButtons = TSet<TMsgDlgBtn>;
inline const TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline const TMsgDlgButtons mbYesAllNoAllCancel{mbYes, mbYesToAll, mbNo, mbNoToAll, mbCancel};
inline const TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline const TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};
inline const TMsgDlgButtons mbAbortIgnore{mbAbort, mbIgnore};

// Everything a message dialog shows. MessageDlg (Dialogs.h) fills the caption and the default
// button when they are not given, so services always receive them.
struct TMessageDlgRequest {
    std::string Text;
    std::string Caption;
    TMsgDlgType DlgType = mtCustom;
    TMsgDlgButtons Buttons{mbOK};
    std::optional<TMsgDlgBtn> DefaultButton;
    std::map<TMsgDlgBtn, std::string> ButtonCaptions;  // replaces the standard captions
    std::string FontName;                              // empty: the standard font
    int FontCharset = -1;
    int FontSize = 0;
    int HelpContext = 0;
};

class IMessageService {
public:
    virtual ~IMessageService() = default;
    // A message box; returns IDOK ... IDNO.
    virtual int MessageBox(const std::string& text, const std::string& caption, unsigned flags) = 0;
    // A message dialog; returns the modal result of the button chosen.
    virtual int MessageDlg(const TMessageDlgRequest& request) = 0;
};

class IBeepService {
public:
    virtual ~IBeepService() = default;
    virtual void MessageBeep(unsigned type) = 0;
};
