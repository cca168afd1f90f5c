#pragma once
// The data module of the single-table test program TSGL01: items of table TSGMA keyed by a category
// (MA001) and a number the server hands out (MA002), with a name, a quantity, an amount, a rate shown
// as a percentage, a date stored as "YYYYMMDD", a remark and two user-defined columns.
#include <functional>

#include "framework/data/SingleDM.h"

class TdmTsgl01 : public TdmSingle {
    TK_CLASS(TdmTsgl01, TdmSingle)
public:
    explicit TdmTsgl01(TComponent* owner);

    void InitNewRecord() override;

    // A new record's category changed: its number follows the category.
    std::function<void()> OnCategoryChange;

private:
    void AttachHandlers();
};
