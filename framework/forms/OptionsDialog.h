#pragma once
// The options dialog as the maintenance forms use it: shown modally, it answers the user's input and
// number-display settings (and stores those the user changed on the server).
//
// The dialog is the class registered under the name "TfrmOptions" (RegisterClass) when there is one
// that implements IOptionsDialog; until then a plain dialog of eight check boxes does the same.
#include "framework/forms/RKForm.h"

class TCheckBox;
class TButton;

class IOptionsDialog {
public:
    virtual ~IOptionsDialog() = default;
    // True when confirmed with OK (the changed settings are then stored).
    virtual bool Execute() = 0;
    virtual bool IsFocusPageOne() const = 0;
    virtual bool IsKeepOnAdd() const = 0;
    virtual bool IsColorManage() const = 0;
    virtual bool MoneyAutoZero() const = 0;
    virtual bool MoneyThousand() const = 0;
    virtual bool NumberAutoZero() const = 0;
    virtual bool NumberThousand() const = 0;
};

inline constexpr const char* kOptionsDialogClassName = "TfrmOptions";

// A new options dialog owned by the maintenance form owner: the registered class, else the plain one.
TCustomForm* CreateOptionsDialog(TComponent* owner, IOptionsDialog*& dialog);

// The plain options dialog: the settings of the owner window read when shown, the changed ones
// written with SetUserDefine on OK.
class TfrmOptionsPlain : public TRKForm, public IOptionsDialog {
    TK_CLASS_PUBLISHED(TfrmOptionsPlain, TRKForm)
public:
    explicit TfrmOptionsPlain(TComponent* owner);

    TCheckBox* chkFocusPageOne = nullptr;
    TCheckBox* chkKeepOnAdd = nullptr;
    TCheckBox* chkColorManage = nullptr;
    TCheckBox* chkFastInput = nullptr;
    TCheckBox* chkNumberAutoZero = nullptr;
    TCheckBox* chkNumberThousand = nullptr;
    TCheckBox* chkMoneyAutoZero = nullptr;
    TCheckBox* chkMoneyThousand = nullptr;
    TButton* btnOK = nullptr;
    TButton* btnCancel = nullptr;

    bool Execute() override;
    bool IsFocusPageOne() const override;
    bool IsKeepOnAdd() const override;
    bool IsColorManage() const override;
    bool MoneyAutoZero() const override;
    bool MoneyThousand() const override;
    bool NumberAutoZero() const override;
    bool NumberThousand() const override;

private:
    void Load();
    void Save();
    std::vector<bool> shown_;
};
