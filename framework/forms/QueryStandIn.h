#pragma once
// The query dialog until the query-by-example dialog is registered: the user types the condition
// (the text behind WHERE) and, optionally, the order; the row limit is a number box.
#include "framework/forms/QueryDialog.h"
#include "framework/forms/RKForm.h"

class TLabel;
class TMemo;
class TEdit;
class TButton;
class TClientDataSet;

class TfrmQueryText : public TRKForm, public IQueryDialog {
    TK_CLASS_PUBLISHED(TfrmQueryText, TRKForm)
public:
    explicit TfrmQueryText(TComponent* owner);

    TLabel* lblCondition = nullptr;
    TMemo* Memo1 = nullptr;  // the condition
    TLabel* lblOrder = nullptr;
    TEdit* edOrder = nullptr;
    TLabel* lblTopRow = nullptr;
    TEdit* cbTopRow = nullptr;  // the row limit
    TButton* BBOK = nullptr;
    TButton* BBCancel = nullptr;

    void SetMasterSource(TClientDataSet* dataSet, const std::string& table, bool hideRowLimit, const std::string& fieldExprs,
                         const std::string& keyFields) override;
    void SetDetailSource(TClientDataSet* dataSet, const std::string& table, const std::string& suffix,
                         const std::string& fieldExprs, const std::string& keyFields) override {}
    bool Execute(std::string& condition, std::string& order) override;
    std::string GetCondition() const override { return condition_; }
    std::string GetOrder() const override { return order_; }
    void SetRowLimit(int rows) override;
    int GetRowLimit() const override;
    bool ApplyScheme(const std::string& activePage, const std::string& scheme) override;
    bool RunScheme(std::string& condition, std::string& order) override;
    TCustomForm* Window() override { return this; }

private:
    void TakeInput();
    std::string keyFields_;
    std::string condition_;
    std::string order_;
};
