#pragma once
// Whose configuration a localization component follows: the client installation's (VandrilC.ini)
// or the server installation's (VandrilS.ini).
#include "toolkit/classes/TypeInfo.h"

enum TDesignType {
    dtClient,
    dtServer
};
TK_ENUM_TYPE(TDesignType, "dtClient", "dtServer")
