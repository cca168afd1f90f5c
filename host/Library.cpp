// The library's main initialisation: after every unit has initialised, the program form is registered
// and the framework's dialogs from the upper layers are installed.
#include "dialogs/RkColorQBE.h"
#include "dialogs/RkCopy.h"
#include "dialogs/RkQBE.h"
#include "host/ControllerClass.h"
#include "programs/tdef05/Tdef05Form.h"

namespace {
[[maybe_unused]] const bool programFormRegistered = (frmRadicalClass = TRadicalFormClass::Of<TfrmTdef05>(), true);
[[maybe_unused]] const bool dialogsRegistered = (RegisterCopyDialog(), RegisterQueryDialog(), RegisterColorQueryDialog(), true);
}  // namespace
