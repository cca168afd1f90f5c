#pragma once
// The data module of Tdef05 (documents ADMMC with their fields ADMMD). For now the base data module
// (the header opens on connect) with this program's server ("Nexor01S.Class1" at "127.0.0.1"); the
// document body arrives with the master-detail chain.
#include "framework/data/BaseDM.h"

class TdmTdef05 : public TdmBase {
    TK_CLASS(TdmTdef05, TdmBase)
public:
    explicit TdmTdef05(TComponent* owner) : TdmBase(owner) {}
};
