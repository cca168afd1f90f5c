#pragma once
// The document test program TDBL01 "单据测试作业": orders with lines and lots on the framework's
// document form. The order's number comes from the server.
#include "framework/forms/DoubleCF.h"

class TDBEdit;

class TfrmTdbl01 : public TfrmDouble {
    TK_CLASS_PUBLISHED(TfrmTdbl01, TfrmDouble)
public:
    explicit TfrmTdbl01(TComponent* owner);

    TDBEdit* edMA001 = nullptr;
    TDBEdit* edMA002 = nullptr;
    TDBEdit* edMA003 = nullptr;

    TDataModuleClass DataModuleClass() const override;
    void ResetForm() override;
    bool DoAdd(bool reset = true) override;

    void FormCreate(TObject* Sender);

private:
    void Renumber();
};
