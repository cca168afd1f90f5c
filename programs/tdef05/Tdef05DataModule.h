#pragma once
// The data module of Tdef05 (documents ADMMC with their fields ADMMD).
// It stands on the toolkit's data module until the radical data module arrives; meanwhile it keeps
// what the form hands it and opens no application-server connection (OpenDataConnection is the seam
// the radical data module fills), so the form starts without connection rights.
#include <string>

#include "server/DataModuleLink.h"
#include "toolkit/ui/DataModule.h"

class TdmTdef05 : public TDataModule, public IDataModuleLink {
    TK_CLASS(TdmTdef05, TDataModule)
public:
    explicit TdmTdef05(TComponent* owner) : TDataModule(owner) {}

    TBrokers* Brokers() const { return brokers_; }
    int DateOrder() const { return dateOrder_; }
    const std::string& DateSeparator() const { return dateSeparator_; }

    void SetBrokers(TBrokers* brokers) override { brokers_ = brokers; }
    bool OpenDataConnection() override { return false; }
    void SetDateSettings(int dateOrder, const std::string& dateSeparator) override {
        dateOrder_ = dateOrder;
        dateSeparator_ = dateSeparator;
    }
    Variant WhatIs(const std::string& name) override { return Variant(); }
    void LocalizeFields() override {}
    void CloseConnections() override {}

private:
    TBrokers* brokers_ = nullptr;
    int dateOrder_ = 1;
    std::string dateSeparator_;
};
