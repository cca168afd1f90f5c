#pragma once
// The dialog that asks for the name a query scheme is saved under ("方案名"): a blank name is refused,
// a name the user already has for this program is replaced only when confirmed.
#include <string>

#include "framework/forms/RKForm.h"

class TButton;
class TEdit;
class TLabel;
class TBrokers;

class TfrmDocuCondition : public TRKForm {
    TK_CLASS_PUBLISHED(TfrmDocuCondition, TRKForm)
public:
    explicit TfrmDocuCondition(TComponent* owner);

    TLabel* lblConName = nullptr;
    TEdit* edConName = nullptr;
    TButton* btnOk = nullptr;
    TButton* btnCancel = nullptr;

    // Where the name is looked up (DOCUS, index "01": name, user, program).
    TBrokers* Brokers = nullptr;
    bool Replace = false;

    void FormCreate(TObject* Sender);
    void FormKeyPress(TObject* Sender, char32_t& Key);
    void btnOkClick(TObject* Sender);

private:
    bool NameTaken(const std::string& name);
};

// Runs the dialog with the caption given: [""] when cancelled, else [name, replace].
Variant AskSchemeName(TComponent* owner, TBrokers* brokers, const std::string& caption);
