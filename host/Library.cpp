// The library's main initialisation: after every unit has initialised, the program form is registered.
#include "host/ControllerClass.h"
#include "programs/tdef05/Tdef05Form.h"

namespace {
[[maybe_unused]] const bool programFormRegistered = (frmRadicalClass = TRadicalFormClass::Of<TfrmTdef05>(), true);
}  // namespace
