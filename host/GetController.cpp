#include "host/ControllerClass.h"

TDLLControllerClass DLLControllerClass{};
TRadicalFormClass frmRadicalClass{};

TDLLBaseController* GetController() {
    if (!DLLControllerClass) throw Exception(kNoControllerClass);
    return DLLControllerClass.Create();
}
