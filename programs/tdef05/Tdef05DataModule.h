#pragma once
// The data module of Tdef05: documents (table definitions) in cdsMain (ADMMC, provider "pvdMain") with
// their fields in cdsBody1 (ADMMD, the nested "qryBody"). Labels and visibility of the fields, the
// checks of the document code, the system, a field code and a length, and the defaults of new
// documents (type 1) and new lines (type C, the next line number).
#include "framework/data/DoubleDM.h"

class TdmTdef05 : public TdmDouble {
    TK_CLASS_PUBLISHED(TdmTdef05, TdmDouble)
public:
    explicit TdmTdef05(TComponent* owner);

    void InitNewRecord() override;
    void InitBodyRecord() override;

    // --- Published handlers -----------------------------------------------------------------------
    void cdsMainMC001Validate(TField* Sender);
    void cdsMainMC004Validate(TField* Sender);
    void cdsBody1MD003Validate(TField* Sender);
    void cdsBody1MD006Validate(TField* Sender);

private:
    void Label(TDataSet* dataSet, const char* name, int displayWidth);
    // Labels, sizes shown and handlers of a new open's fields.
    void PrepareHeaderFields();
    void PrepareBodyFields();
};
