#pragma once
// The parameter object of the lookup combo. The combo itself belongs to an outside control
// package: it asks the form for a lookup parameter before it opens its list, and hands the row the
// user picked back to the form. Only the fields of that exchange are fixed here.
#include <functional>
#include <string>

#include "toolkit/classes/Component.h"
#include "toolkit/rtl/Variant.h"

class TInteraParam : public TObject {
    TK_CLASS(TInteraParam, TObject)
public:
    using TTextConversion = std::function<std::string(const std::string&)>;

    // Filled by the form for the combo.
    Variant OpenParam;  // the 14-element lookup parameter
    int DateOrder = 1;
    std::string DateSeparator;
    bool Rights32Or34 = false;  // the form's function rights, as the F2 window gets them
    bool Rights33Or35 = false;
    bool Hosted = false;             // the form runs inside the work center
    TTextConversion ToUserScript;    // built-in simplified text -> the user's script
    TTextConversion FromUserScript;  // and back
    std::string Caption;             // of the asking form
    std::string UICodePage;

    // Filled by the combo for the form: the rows the user picked (as the lookup service returns them).
    Variant ReturnValue;
};
