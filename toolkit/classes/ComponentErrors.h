#pragma once
// Exceptions of the component model.
#include "toolkit/rtl/Exception.h"

TK_DECLARE_EXCEPTION(EComponentError, Exception)        // bad or duplicate component name
TK_DECLARE_EXCEPTION(EClassNotFound, Exception)         // class reference not registered
TK_DECLARE_EXCEPTION(EInvalidCast, Exception)           // class reference of the wrong kind
TK_DECLARE_EXCEPTION(EPropertyError, Exception)         // unknown or unusable published property
TK_DECLARE_EXCEPTION(EPropertyConvertError, Exception)  // value that does not fit the property
