#pragma once
// The data module of Tdef05 (documents ADMMC with their fields ADMMD). For now the radical data
// module with this program's server ("Nexor01S.Class1" at "127.0.0.1", the radical defaults); the
// document datasets arrive with the master-detail chain.
#include "framework/data/RadicalDM.h"

class TdmTdef05 : public TdmRadical {
    TK_CLASS(TdmTdef05, TdmRadical)
public:
    explicit TdmTdef05(TComponent* owner) : TdmRadical(owner) {}
};
