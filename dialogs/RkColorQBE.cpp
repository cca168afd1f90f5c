#include "dialogs/RkColorQBE.h"

#include "framework/forms/BaseForm.h"
#include "server/Brokers.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/graphics/Canvas.h"
#include "toolkit/ui/kernel/CreateControl.h"
#include "toolkit/ui/widgets/CheckBox.h"
#include "toolkit/ui/widgets/GlyphButton.h"
#include "toolkit/ui/widgets/Panel.h"
#include "toolkit/ui/widgets/ScrollBox.h"

namespace {

constexpr const char* kAllPrograms = "********************";
constexpr const char* kBoxPrefix = "chkColor";

}  // namespace

void TColorQBEForm::Publish(TPublisher<TColorQBEForm>& p) {
    p.Method("FormCreate", &TColorQBEForm::FormCreate);
    p.Method("FormShow", &TColorQBEForm::FormShow);
    p.Method("FormCloseQuery", &TColorQBEForm::FormCloseQuery);
    p.Method("FormDestroy", &TColorQBEForm::FormDestroy);
    p.Method("chkColorManageClick", &TColorQBEForm::chkColorManageClick);
}

TColorQBEForm::TColorQBEForm(TComponent* owner) : TRKForm(owner) {
    SetName("ColorQBEForm");
    SetCaption("颜色筛选");
    SetBorderStyle(bsDialog);
    SetPosition(poOwnerFormCenter);
    SetBounds(0, 0, 300, 320);
    pnlHead = CreateControl<TPanel>(this, this, "pnlHead", 0, 0, 292, 30);
    pnlHead->SetAlign(alTop);
    pnlHead->SetVisible(false);
    chkColorManage = CreateControl<TCheckBox>(this, pnlHead, "chkColorManage", 12, 6, 200, 20);
    chkColorManage->SetCaption("启用颜色管理");
    chkColorManage->OnClick = [this](TObject* s) { chkColorManageClick(s); };
    pnlMain = CreateControl<TPanel>(this, this, "pnlMain", 0, 0, 292, 240);
    pnlMain->SetAlign(alTop);
    boxMain = CreateControl<TScrollBox>(this, pnlMain, "boxMain", 0, 0, 292, 240);
    boxMain->SetAlign(alClient);
    BBOK = CreateControl<TBitBtn>(this, this, "BBOK", 110, 250, 84, 25);
    BBOK->SetCaption("确定(&O)");
    BBOK->SetDefault(true);
    BBOK->SetModalResult(mrOk);
    BBCancel = CreateControl<TBitBtn>(this, this, "BBCancel", 200, 250, 84, 25);
    BBCancel->SetCaption("取消(&C)");
    BBCancel->SetCancel(true);
    BBCancel->SetModalResult(mrCancel);
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
    OnCloseQuery = [this](TObject* s, bool& canClose) { FormCloseQuery(s, canClose); };
    OnDestroy = [this](TObject* s) { FormDestroy(s); };
}

TColorQBEForm::~TColorQBEForm() = default;

void TColorQBEForm::FormCreate(TObject* Sender) {
    TRKForm::FormCreate(Sender);
    Conditions = std::make_unique<TColorConditions>();
    if (auto* form = dynamic_cast<TfrmBase*>(Owner()))
        chkColorManage->SetChecked(form->ReadInputSetting("InputSettings003", "IsColorManage", false));
}

void TColorQBEForm::FormShow(TObject* Sender) {
    TRKForm::FormShow(Sender);
    if (converted_) return;
    converted_ = true;
    RkConverter->ConvertForm(this);
}

void TColorQBEForm::FormDestroy(TObject* Sender) { Conditions.reset(); }

TColorQBEForm* TColorQBEForm::CreateColorQuery(TComponent* owner, TColorConditions* conditions) {
    auto* dialog = CreateComponent<TColorQBEForm>(owner);
    if (!dialog->Conditions) dialog->Conditions = std::make_unique<TColorConditions>();
    if (conditions) dialog->Conditions->Assign(conditions);
    dialog->BuildRuleBoxes();
    return dialog;
}

void TColorQBEForm::BuildRuleBoxes() {
    const int digit = Canvas()->TextWidth("0");
    for (int i = 0; i < Conditions->Count(); ++i) {
        const TColorCondition* rule = Conditions->Items(i);
        auto* box = CreateComponent<TCheckBox>(this);
        box->SetName(kBoxPrefix + std::to_string(i));
        box->SetParent(boxMain);
        box->SetCaption(rule->Caption());
        box->SetBounds(20, 20 * i + 5, Canvas()->TextWidth(rule->Caption()) + 3 * digit + 4, 17);
        int color = 0;
        if (ColorOfRule(rule->BkColor, color)) box->SetColor(static_cast<TColor>(color));
        if (ColorOfRule(rule->ColorX, color)) box->Font()->SetColor(static_cast<TColor>(color));
    }
}

TCheckBox* TColorQBEForm::RuleBox(int index) const {
    return dynamic_cast<TCheckBox*>(FindComponent(kBoxPrefix + std::to_string(index)));
}

bool TColorQBEForm::IsColorManageOn() const { return chkColorManage->Checked(); }

bool TColorQBEForm::ExecuteColorQuery(bool enabled, TColorConditions* conditions) {
    chkColorManage->SetChecked(enabled);
    shownColorManage_ = enabled;
    boxMain->SetEnabled(enabled);
    if (conditions) Conditions->Assign(conditions);
    for (int i = 0; i < Conditions->Count(); ++i)
        if (TCheckBox* box = RuleBox(i)) box->SetChecked(Conditions->Items(i)->Selected);
    if (ShowModal() != mrOk) return false;
    if (conditions) conditions->Assign(Conditions.get());
    return true;
}

void TColorQBEForm::chkColorManageClick(TObject* Sender) {
    const bool on = chkColorManage->Checked();
    boxMain->SetEnabled(on);
    if (on || !Conditions) return;
    for (int i = 0; i < Conditions->Count(); ++i)
        if (TCheckBox* box = RuleBox(i)) box->SetChecked(false);
}

void TColorQBEForm::FormCloseQuery(TObject* Sender, bool& CanClose) {
    if (ModalResult() != mrOk) return;
    for (int i = 0; i < Conditions->Count(); ++i)
        if (TCheckBox* box = RuleBox(i)) Conditions->Items(i)->Selected = box->Checked();
    if (chkColorManage->Checked() != shownColorManage_) StoreColorManage(chkColorManage->Checked());
}

void TColorQBEForm::StoreColorManage(bool on) {
    auto* form = dynamic_cast<TfrmBase*>(Owner());
    TBrokers* brokers = form ? form->Brokers : nullptr;
    if (!brokers) return;
    try {
        brokers->CallServer("SetUserDefine", VarArrayOf({brokers->CompanyId, brokers->UserId, kAllPrograms,
                                                         "InputSettings003/IsColorManage", on ? "True" : "False"}));
    } catch (const std::exception&) {
        // The window follows the choice this time even when it cannot be remembered.
    }
}

void RegisterColorQueryDialog() {
    SetColorQueryDialogMaker([](TComponent* owner, TColorConditions* conditions) -> IColorQueryDialog* {
        return TColorQBEForm::CreateColorQuery(owner, conditions);
    });
}
