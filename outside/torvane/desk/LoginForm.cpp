#include "outside/torvane/desk/LoginForm.h"

#include "outside/torvane/desk/DeskControls.h"
#include "toolkit/ui/dialogs/Dialogs.h"
#include "toolkit/ui/kernel/Screen.h"

TfrmLogin::TfrmLogin(TComponent* owner, TWorkCenter& center) : TForm(owner), center_(center) {
    SetName("frmLogin");
    SetCaption("登录 Torvane 工作中心");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetKeyPreview(true);
    UseDeskFont(this);
    SetBounds(0, 0, 300, 206);
    auto row = [this](const std::string& name, const std::string& caption, int top, const std::string& value) {
        auto* label = Place<TLabel>(this, this, "lbl" + name, 20, top + 3, 80, 18);
        label->SetCaption(caption);
        auto* edit = Place<TEdit>(this, this, "ed" + name, 100, top, 170, 22);
        edit->SetText(value);
        label->SetFocusControl(edit);
        return edit;
    };
    edUser = row("User", "用户(&U):", 16, "DS");
    edPassword = row("Password", "密码(&P):", 46, "");
    edPassword->SetPasswordChar("*");
    edCompany = row("Company", "公司(&C):", 76, "DEMO");
    edDatabase = row("Database", "数据库(&D):", 106, "DEMO");
    btnOK = Place<TButton>(this, this, "btnOK", 110, 150, 75, 25);
    btnOK->SetCaption("确定");
    btnOK->SetDefault(true);
    btnOK->OnClick = [this](TObject* sender) { btnOKClick(sender); };
    btnCancel = Place<TButton>(this, this, "btnCancel", 195, 150, 75, 25);
    btnCancel->SetCaption("取消");
    btnCancel->SetCancel(true);
    btnCancel->SetModalResult(mrCancel);
    lblStatus = Place<TLabel>(this, this, "lblStatus", 20, 180, 260, 16);
    lblStatus->SetCaption("");
    SetActiveControl(edUser);
}

TLogin TfrmLogin::Entered() const { return {edUser->Text(), edCompany->Text(), edDatabase->Text()}; }

void TfrmLogin::btnOKClick(TObject*) {
    try {
        {
            lblStatus->SetCaption("正在连接 " + center_.ServerText() + " …");
            lblStatus->Repaint();
            TCursorScope busy;
            center_.Login(Entered(), EnteredPassword());
            edPassword->SetText("");
        }
        SetModalResult(mrOk);
    } catch (const EAbort&) {
        lblStatus->SetCaption("");
        throw;
    } catch (const std::exception& e) {
        lblStatus->SetCaption("");
        edPassword->SetText("");
        MessageDlg(e.what(), mtError, {mbOK});
        edUser->SetFocus();
    }
}

bool RunLoginWindow(TWorkCenter& center) {
    TOwnedPtr<TfrmLogin> form(CreateComponent<TfrmLogin>(nullptr, center));
    return form->ShowModal() == mrOk && center.LoggedIn();
}
