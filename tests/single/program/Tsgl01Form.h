#pragma once
// The single-table test program TSGL01 "单表测试作业": the maintenance window of table TSGMA on the
// framework's single-table form, with two detail pages. Printing records the keys it printed.
#include <vector>

#include "framework/forms/SingleCF.h"

class TLabel;
class TDBEdit;

class TfrmTsgl01 : public TfrmSingle {
    TK_CLASS_PUBLISHED(TfrmTsgl01, TfrmSingle)
public:
    explicit TfrmTsgl01(TComponent* owner);

    TTabSheet* tbsHead2 = nullptr;
    TDBEdit* edMA001 = nullptr;
    TDBEdit* edMA002 = nullptr;
    TDBEdit* edMA003 = nullptr;
    TDBEdit* edMA004 = nullptr;
    TDBEdit* edMA005 = nullptr;
    TDBEdit* edMA006 = nullptr;
    TDBEdit* edMA007 = nullptr;
    TDBEdit* edMA008 = nullptr;
    TDBEdit* edUDF01 = nullptr;
    TDBEdit* edUDF51 = nullptr;
    std::vector<std::string> Printed;  // "key text" or "preview:key text" per DoPrint

    TDataModuleClass DataModuleClass() const override;
    void ResetForm() override;
    bool DoAdd(bool reset = true) override;
    bool DoPrint(bool preview = false) override;

    void FormCreate(TObject* Sender);

private:
    void Renumber();
    TDBEdit* AddEdit(TWinControl* page, const std::string& field, const std::string& caption, int row, int width);
};
