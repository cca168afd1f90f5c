#include "framework/forms/OptionsDialog.h"

#include "framework/forms/BaseForm.h"
#include "server/Brokers.h"
#include "toolkit/rtl/Format.h"
#include "toolkit/ui/widgets/Button.h"
#include "toolkit/ui/widgets/CheckBox.h"
#include "toolkit/ui/widgets/Label.h"

namespace {

constexpr const char* kAllPrograms = "********************";

const char* TrueFalse(bool value) { return value ? "True" : "False"; }

}  // namespace

void TfrmOptionsPlain::Publish(TPublisher<TfrmOptionsPlain>& p) {}

TfrmOptionsPlain::TfrmOptionsPlain(TComponent* owner) : TRKForm(owner) {
    SetName("frmOptions");
    SetCaption("选项");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetBounds(0, 0, 360, 300);
    int top = 12;
    auto box = [this, &top](const std::string& name, const std::string& caption) {
        auto* check = CreateComponent<TCheckBox>(this);
        check->SetName(name);
        check->SetCaption(caption);
        check->SetBounds(16, top, 320, 20);
        check->SetParent(this);
        top += 26;
        return check;
    };
    chkFocusPageOne = box("chkFocusPageOne", "修改时转至第一页(&F)");
    chkKeepOnAdd = box("chkKeepOnAdd", "保存后继续录入下一笔(&N)");
    chkColorManage = box("chkColorManage", "启用颜色管理");
    chkFastInput = box("chkFastInput", "启用模糊输入");
    chkNumberAutoZero = box("chkNumberAutoZero", "数值: 小数位自动补零(&Z)");
    chkNumberThousand = box("chkNumberThousand", "数值: 使用(,)千位分隔符(&U)");
    chkMoneyAutoZero = box("chkMoneyAutoZero", "金额: 小数位自动补零");
    chkMoneyThousand = box("chkMoneyThousand", "金额: 使用千位分隔符(,)");
    btnOK = CreateComponent<TButton>(this);
    btnOK->SetName("btnOK");
    btnOK->SetCaption("确定");
    btnOK->SetDefault(true);
    btnOK->SetBounds(170, top + 8, 80, 26);
    btnOK->SetParent(this);
    btnOK->OnClick = [this](TObject*) {
        SetModalResult(mrOk);
        Save();
    };
    btnCancel = CreateComponent<TButton>(this);
    btnCancel->SetName("btnCancel");
    btnCancel->SetCaption("取消");
    btnCancel->SetCancel(true);
    btnCancel->SetModalResult(mrCancel);
    btnCancel->SetBounds(258, top + 8, 80, 26);
    btnCancel->SetParent(this);
    // Its texts in the interface's script, as every framework window at creation.
    RkConverter->ConvertForm(this);
}

bool TfrmOptionsPlain::IsFocusPageOne() const { return chkFocusPageOne->Checked(); }
bool TfrmOptionsPlain::IsKeepOnAdd() const { return chkKeepOnAdd->Checked(); }
bool TfrmOptionsPlain::IsColorManage() const { return chkColorManage->Checked(); }
bool TfrmOptionsPlain::MoneyAutoZero() const { return chkMoneyAutoZero->Checked(); }
bool TfrmOptionsPlain::MoneyThousand() const { return chkMoneyThousand->Checked(); }
bool TfrmOptionsPlain::NumberAutoZero() const { return chkNumberAutoZero->Checked(); }
bool TfrmOptionsPlain::NumberThousand() const { return chkNumberThousand->Checked(); }

void TfrmOptionsPlain::Load() {
    auto* owner = dynamic_cast<TfrmBase*>(Owner());
    if (!owner) return;
    chkFocusPageOne->SetChecked(owner->ReadInputSetting("InputSettings001", "IsFocusPageOne", true));
    chkKeepOnAdd->SetChecked(owner->ReadInputSetting("InputSettings002", "IsKeepOnAdd", true));
    chkColorManage->SetChecked(owner->ReadInputSetting("InputSettings003", "IsColorManage", false));
    chkFastInput->SetChecked(owner->ReadInputSetting("InputSettings004", "FastInputEnabled", true));
    if (TdmBase* dm = owner->BaseDM()) {
        chkNumberAutoZero->SetChecked(dm->QuantityFieldAutoZero);
        chkNumberThousand->SetChecked(dm->QuantityFieldThousand);
        chkMoneyAutoZero->SetChecked(dm->MoneyFieldAutoZero);
        chkMoneyThousand->SetChecked(dm->MoneyFieldThousand);
    }
}

void TfrmOptionsPlain::Save() {
    auto* owner = dynamic_cast<TfrmBase*>(Owner());
    TBrokers* brokers = owner ? owner->Brokers : nullptr;
    if (!brokers) return;
    const std::vector<TCheckBox*> boxes{chkFocusPageOne,   chkKeepOnAdd,      chkColorManage,   chkFastInput,
                                        chkNumberAutoZero, chkNumberThousand, chkMoneyAutoZero, chkMoneyThousand};
    auto changed = [&](int i) { return i < static_cast<int>(shown_.size()) && shown_[i] != boxes[i]->Checked(); };
    auto write = [&](const std::string& program, const std::string& path, const std::string& value) {
        try {
            brokers->CallServer("SetUserDefine", VarArrayOf({brokers->CompanyId, brokers->UserId, program, path, value}));
        } catch (const std::exception&) {
            // The running window takes the choice all the same.
        }
    };
    if (changed(1)) write(kAllPrograms, "InputSettings002/IsKeepOnAdd", TrueFalse(IsKeepOnAdd()));
    if (changed(0)) write(kAllPrograms, "InputSettings001/IsFocusPageOne", TrueFalse(IsFocusPageOne()));
    if (changed(2)) write(brokers->ProgramId, "InputSettings003/IsColorManage", TrueFalse(IsColorManage()));
    if (changed(3)) write(brokers->ProgramId, "InputSettings004/FastInputEnabled", TrueFalse(chkFastInput->Checked()));
    if (changed(4) || changed(5) || changed(6) || changed(7))
        write(kAllPrograms, ".",
              Format("<NumberFieldsSetting Enabled=\"True\">  <QuantityFieldAutoZero>%s</QuantityFieldAutoZero>  "
                     "<QuantityFieldThousand>%s</QuantityFieldThousand>  <MoneyFieldAutoZero>%s</MoneyFieldAutoZero>  "
                     "<MoneyFieldThousand>%s</MoneyFieldThousand></NumberFieldsSetting>",
                     {TrueFalse(NumberAutoZero()), TrueFalse(NumberThousand()), TrueFalse(MoneyAutoZero()),
                      TrueFalse(MoneyThousand())}));
}

bool TfrmOptionsPlain::Execute() {
    Load();
    shown_ = {chkFocusPageOne->Checked(),  chkKeepOnAdd->Checked(),      chkColorManage->Checked(),
              chkFastInput->Checked(),     chkNumberAutoZero->Checked(), chkNumberThousand->Checked(),
              chkMoneyAutoZero->Checked(), chkMoneyThousand->Checked()};
    return ShowModal() == mrOk;
}

TCustomForm* CreateOptionsDialog(TComponent* owner, IOptionsDialog*& dialog) {
    if (const TClassInfo* registered = GetClass(kOptionsDialogClassName); registered && registered->CanCreate()) {
        TObject* instance = registered->CreateInstance(owner);
        dialog = dynamic_cast<IOptionsDialog*>(instance);
        if (auto* form = dynamic_cast<TCustomForm*>(instance); form && dialog) return form;
        instance->Free();
    }
    auto* plain = CreateComponent<TfrmOptionsPlain>(owner);
    dialog = plain;
    return plain;
}
