#include "dialogs/DocuCondition.h"

#include "i18n/LangKeys.h"
#include "server/Brokers.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/kernel/CreateControl.h"
#include "toolkit/ui/widgets/Button.h"
#include "toolkit/ui/widgets/Edit.h"
#include "toolkit/ui/widgets/Label.h"

namespace {

const TLangKeys kKeys("TfrmDocuCondition",
                      {{"sProjNameEmpty", "方案名不可空白!"}, {"sReplaceProj", "此方案名已存在！是否将原来的方案替换为此方案?"}});
constexpr int kNameLength = 20;

}  // namespace

void TfrmDocuCondition::Publish(TPublisher<TfrmDocuCondition>& p) {
    p.Method("FormCreate", &TfrmDocuCondition::FormCreate);
    p.Method("FormKeyPress", &TfrmDocuCondition::FormKeyPress);
    p.Method("btnOkClick", &TfrmDocuCondition::btnOkClick);
}

TfrmDocuCondition::TfrmDocuCondition(TComponent* owner) : TRKForm(owner) {
    SetBorderStyle(bsDialog);
    SetBounds(0, 0, 300, 120);
    lblConName = CreateControl<TLabel>(this, this, "lblConName", 16, 22, 56, 18);
    lblConName->SetCaption("方案名");
    edConName = CreateControl<TEdit>(this, this, "edConName", 76, 18, 196, 22);
    edConName->SetMaxLength(kNameLength);
    lblConName->SetFocusControl(edConName);
    btnOk = CreateControl<TButton>(this, this, "btnOk", 106, 56, 80, 25);
    btnOk->SetCaption("确定");
    btnOk->SetDefault(true);
    btnOk->OnClick = [this](TObject* s) { btnOkClick(s); };
    btnCancel = CreateControl<TButton>(this, this, "btnCancel", 192, 56, 80, 25);
    btnCancel->SetCaption("取消");
    btnCancel->SetCancel(true);
    btnCancel->SetModalResult(mrCancel);
    SetActiveControl(edConName);
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnKeyPress = [this](TObject* s, char32_t& k) { FormKeyPress(s, k); };
}

void TfrmDocuCondition::FormCreate(TObject* Sender) {
    RkConverter->ConvertFormWithList(this, Variant());
    Replace = false;
}

void TfrmDocuCondition::FormKeyPress(TObject* Sender, char32_t& Key) {
    // Enter moves on, as in every input window of the suite (the default button still answers it).
    if (Key == U'\r' && ActiveControl() == edConName) {
        Key = 0;
        SelectNext(edConName, true, true);
    }
}

bool TfrmDocuCondition::NameTaken(const std::string& name) {
    if (!Brokers) return false;
    Variant values;
    try {
        return Brokers->CheckValue("DOCUS", "01",
                                   VarArrayOf({RkConverter->ToStorageText(name), Brokers->UserId, Brokers->ProgramId}), values);
    } catch (const std::exception&) {
        return false;  // the server says so when it stores the scheme
    }
}

void TfrmDocuCondition::btnOkClick(TObject* Sender) {
    const std::string name = edConName->Text();
    if (Trim(name).empty()) {
        RkConverter->ShowMessageBox(kKeys.Text("sProjNameEmpty"), mtError, {mbOK});
        edConName->SetFocus();
        return;
    }
    if (NameTaken(name)) {
        if (RkConverter->ShowMessageBox(kKeys.Text("sReplaceProj"), mtConfirmation, {mbOK, mbCancel}) != mrOk) {
            edConName->SetFocus();
            return;
        }
        Replace = true;
    }
    SetModalResult(mrOk);
}

Variant AskSchemeName(TComponent* owner, TBrokers* brokers, const std::string& caption) {
    auto* dialog = CreateComponent<TfrmDocuCondition>(owner);
    dialog->Brokers = brokers;
    dialog->SetCaption(caption);
    Variant result = VarArrayOf({std::string()});
    if (dialog->ShowModal() == mrOk) result = VarArrayOf({dialog->edConName->Text(), dialog->Replace});
    dialog->Free();
    return result;
}
