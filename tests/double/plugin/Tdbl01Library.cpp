// The test plug-in Tdbl01C.so: the framework's host link with the document test program's form.
#include "host/ControllerClass.h"
#include "tests/double/program/Tdbl01Form.h"

namespace {
[[maybe_unused]] const bool programFormRegistered = (frmRadicalClass = TRadicalFormClass::Of<TfrmTdbl01>(), true);
}  // namespace
