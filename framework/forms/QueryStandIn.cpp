#include "framework/forms/QueryStandIn.h"

#include "toolkit/classes/Properties.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/widgets/Button.h"
#include "toolkit/ui/widgets/Label.h"
#include "toolkit/ui/widgets/Memo.h"

namespace {

template <class T>
T* Place(TCustomForm* form, const std::string& name, int left, int top, int width, int height) {
    T* control = CreateComponent<T>(form);
    control->SetName(name);
    control->SetBounds(left, top, width, height);
    control->SetParent(form);
    return control;
}

}  // namespace

void TfrmQueryText::Publish(TPublisher<TfrmQueryText>& p) {}

TfrmQueryText::TfrmQueryText(TComponent* owner) : TRKForm(owner) {
    SetName("frmQueryText");
    SetCaption("设置查询条件");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetBounds(0, 0, 460, 270);
    lblCondition = Place<TLabel>(this, "lblCondition", 12, 10, 430, 18);
    lblCondition->SetCaption("查询条件(&W):");
    Memo1 = Place<TMemo>(this, "Memo1", 12, 30, 430, 110);
    Memo1->SetWantReturns(false);
    lblCondition->SetFocusControl(Memo1);
    lblOrder = Place<TLabel>(this, "lblOrder", 12, 150, 100, 18);
    lblOrder->SetCaption("排序(&R):");
    edOrder = Place<TEdit>(this, "edOrder", 112, 148, 330, 22);
    lblOrder->SetFocusControl(edOrder);
    lblTopRow = Place<TLabel>(this, "lblTopRow", 12, 182, 100, 18);
    lblTopRow->SetCaption("总信息笔数限制");
    cbTopRow = Place<TEdit>(this, "cbTopRow", 112, 180, 80, 22);
    cbTopRow->SetText("500");
    lblTopRow->SetFocusControl(cbTopRow);
    BBOK = Place<TButton>(this, "BBOK", 276, 222, 80, 26);
    BBOK->SetCaption("确定(&O)");
    BBOK->SetDefault(true);
    BBOK->OnClick = [this](TObject*) {
        TakeInput();
        SetModalResult(mrOk);
    };
    BBCancel = Place<TButton>(this, "BBCancel", 362, 222, 80, 26);
    BBCancel->SetCaption("取消(&C)");
    BBCancel->SetCancel(true);
    BBCancel->SetModalResult(mrCancel);
    SetActiveControl(Memo1);
}

void TfrmQueryText::SetMasterSource(TClientDataSet* dataSet, const std::string& table, bool hideRowLimit,
                                    const std::string& fieldExprs, const std::string& keyFields) {
    keyFields_ = keyFields;
    lblTopRow->SetVisible(!hideRowLimit);
    cbTopRow->SetVisible(!hideRowLimit);
}

void TfrmQueryText::TakeInput() {
    condition_ = Trim(Memo1->Text());
    order_ = Trim(edOrder->Text());
}

bool TfrmQueryText::Execute(std::string& condition, std::string& order) {
    Memo1->SetText(condition_);
    edOrder->SetText(order_);
    SetActiveControl(Memo1);
    if (ShowModal() != mrOk) return false;
    condition = condition_;
    order = order_.empty() ? keyFields_ : order_;
    return true;
}

void TfrmQueryText::SetRowLimit(int rows) { cbTopRow->SetText(IntToStr(rows)); }

int TfrmQueryText::GetRowLimit() const { return StrToIntDef(Trim(cbTopRow->Text()), 500); }

bool TfrmQueryText::ApplyScheme(const std::string& activePage, const std::string& scheme) {
    condition_ = Trim(scheme);
    order_.clear();
    return true;
}

bool TfrmQueryText::RunScheme(std::string& condition, std::string& order) {
    condition = condition_;
    order = order_;
    return true;
}

namespace {
TQueryDialogMaker& InstalledMaker() {
    static TQueryDialogMaker maker;
    return maker;
}
}  // namespace

void SetQueryDialogMaker(TQueryDialogMaker maker) { InstalledMaker() = std::move(maker); }

TQueryDialogMaker QueryDialogMaker() { return InstalledMaker(); }

IQueryDialog* CreateQueryDialog(TComponent* owner) {
    if (const TQueryDialogMaker& maker = InstalledMaker())
        if (IQueryDialog* dialog = maker(owner)) return dialog;
    return CreateComponent<TfrmQueryText>(owner);
}
