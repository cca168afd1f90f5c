#pragma once
// The library's two process-wide class references, written once while the library initialises, and
// its export. Both references have C names so that a host can find them in the loaded library.
#include "contract/DLLBaseController.h"
#include "framework/forms/RadicalForm.h"

// A controller class: its name and its plain constructor.
struct TDLLControllerClass {
    const char* Name = nullptr;
    TDLLBaseController* (*Create)() = nullptr;

    explicit operator bool() const { return Create != nullptr; }
    template <class T>
    static TDLLControllerClass Of(const char* name) {
        return {name, []() -> TDLLBaseController* { return new T(); }};
    }
};

extern "C" {
// The concrete controller (set by the controller's unit).
TDEF_LIBRARY_EXPORT extern TDLLControllerClass DLLControllerClass;
// The program form (set by the library's main initialisation).
TDEF_LIBRARY_EXPORT extern TRadicalFormClass frmRadicalClass;
// A new controller of DLLControllerClass; raises when none is registered. The host owns it.
TDEF_LIBRARY_EXPORT TDLLBaseController* GetController();
}

inline constexpr const char* kNoControllerClass = "RKT DLL Internal Error :\rNot Assign \"DLLControllerClass\" varible";
inline constexpr const char* kNoFormClass = "RKT DLL Internal Error :\rNot Assign \"frmRadicalClass\" varible";
