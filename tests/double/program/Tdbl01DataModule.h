#pragma once
// The data module of the document test program TDBL01: orders of table TDBMA keyed by a category
// (MA001) and a number the server hands out (MA002), their lines in TDBMB (nested "qryBody", line
// number MB003) and each line's lots in TDBMC (nested in the line as "qrySubBody", kept in
// cdsSubBody1), whose warehouse MC005 is what the base-data rights rule.
#include <functional>

#include "framework/data/DoubleDM.h"

class TdmTdbl01 : public TdmDouble {
    TK_CLASS(TdmTdbl01, TdmDouble)
public:
    explicit TdmTdbl01(TComponent* owner);

    TClientDataSet* cdsSubBody1 = nullptr;  // the current line's lots
    TDataSource* dsSubBody1 = nullptr;

    // A new document's category changed: its number follows the category.
    std::function<void()> OnCategoryChange;

private:
    void AttachHandlers();
    void LinkSubBody();
};
