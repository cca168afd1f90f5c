#pragma once
// The login window: user, password, company and database (the demo login preset; the password is
// asked by a daemon, not by the server in this process). OK checks the login with
// the work center (busy cursor and "正在连接 ..." meanwhile) and closes with mrOk, or shows why it
// failed and stays; Cancel gives mrCancel.
#include "outside/torvane/desk/WorkCenter.h"
#include "toolkit/ui/kernel/Forms.h"
#include "toolkit/ui/widgets/Button.h"
#include "toolkit/ui/widgets/Edit.h"
#include "toolkit/ui/widgets/Label.h"

class TfrmLogin : public TForm {
    TK_CLASS(TfrmLogin, TForm)
public:
    TfrmLogin(TComponent* owner, TWorkCenter& center);

    TEdit* edUser;
    TEdit* edPassword;  // shows one * per character
    TEdit* edCompany;
    TEdit* edDatabase;
    TButton* btnOK;
    TButton* btnCancel;
    TLabel* lblStatus;  // "正在连接 ..." while the login reaches the server

    // The login entered (valid once the form closed with mrOk).
    TLogin Entered() const;
    std::string EnteredPassword() const { return edPassword->Text(); }

private:
    void btnOKClick(TObject* sender);

    TWorkCenter& center_;
};

// Shows the login window until the user logs in (true) or cancels (false).
bool RunLoginWindow(TWorkCenter& center);
