#pragma once
// The colour filter "颜色筛选": one check box per colour rule of the window's header grid, painted
// in the rule's colours; the ticked rules are in force. The user may also switch colour management
// off, which is remembered as the user's setting.
#include <memory>
#include <string>

#include "framework/forms/ColorConditions.h"
#include "framework/forms/ColorQueryDialog.h"
#include "framework/forms/RKForm.h"

class TBitBtn;
class TCheckBox;
class TPanel;
class TScrollBox;

class TColorQBEForm : public TRKForm, public IColorQueryDialog {
    TK_CLASS_PUBLISHED(TColorQBEForm, TRKForm)
public:
    explicit TColorQBEForm(TComponent* owner);
    ~TColorQBEForm() override;

    TPanel* pnlHead = nullptr;  // hidden
    TCheckBox* chkColorManage = nullptr;
    TPanel* pnlMain = nullptr;
    TScrollBox* boxMain = nullptr;  // the boxes "chkColor" + i
    TBitBtn* BBOK = nullptr;
    TBitBtn* BBCancel = nullptr;

    // The dialog's own copy of the rules.
    std::unique_ptr<TColorConditions> Conditions;

    // A dialog owned by the maintenance form with a check box per rule of conditions.
    static TColorQBEForm* CreateColorQuery(TComponent* owner, TColorConditions* conditions);
    bool ExecuteColorQuery(bool enabled, TColorConditions* conditions) override;
    bool IsColorManageOn() const override;
    TCustomForm* Window() override { return this; }
    // The check box of rule i (nullptr when there is none).
    TCheckBox* RuleBox(int index) const;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void FormDestroy(TObject* Sender);
    void chkColorManageClick(TObject* Sender);

private:
    void BuildRuleBoxes();
    void StoreColorManage(bool on);
    bool shownColorManage_ = false;  // the setting when the dialog was run
    bool converted_ = false;
};

// Makes TColorQBEForm the colour filter dialog of the maintenance windows.
void RegisterColorQueryDialog();
