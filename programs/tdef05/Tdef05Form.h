#pragma once
// The program form of Tdef05 "文档信息录入作业", the maintenance of table definitions: a document's
// code, file name, type, owning system and remark on the header page, its fields in the body grid.
#include "controls/RkBtnDBEdit.h"
#include "framework/forms/DoubleCF.h"

class TDBComboBox;
class TDBEdit;
class TDBText;
class TLabel;

inline constexpr const char* kTdef05Caption = "文档信息录入作业";
inline constexpr const char* kTdef05Version = "880811-0.00.01";

class TfrmTdef05 : public TfrmDouble {
    TK_CLASS_PUBLISHED(TfrmTdef05, TfrmDouble)
public:
    explicit TfrmTdef05(TComponent* owner);

    TLabel* lblMC001 = nullptr;
    TDBEdit* edMC001 = nullptr;
    TLabel* lblMC002 = nullptr;
    TDBEdit* edMC002 = nullptr;
    TLabel* lblMC003 = nullptr;
    TDBComboBox* cboMC003 = nullptr;
    TLabel* lblMC004 = nullptr;
    TRkBtnDBEdit* edMC004 = nullptr;
    TRkLookupButton* btnMC004 = nullptr;
    TDBText* txtMC004 = nullptr;
    TLabel* lblMC005 = nullptr;
    TRkBtnDBEdit* edMC005 = nullptr;
    TRkLookupButton* btnMC005 = nullptr;
    TDBComboBox* cboMC003G = nullptr;  // the type as the browse grid shows it
    TDBComboBox* cboMD005G = nullptr;  // the field type as the body grid shows it

    TDataModuleClass DataModuleClass() const override;
    void ResetForm() override;
    void OnF2Key(WORD& key, TWinControl* control) override;
    bool DoAdd(bool reset = true) override;
    bool DoEdit() override;

    void FormCreate(TObject* Sender);

private:
    // The body and its clone in the order of document and line.
    void OrderBodyByLine();
};
