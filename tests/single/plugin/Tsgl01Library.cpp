// The test plug-in Tsgl01C.so: the framework's host link with the test program's form.
#include "host/ControllerClass.h"
#include "tests/single/program/Tsgl01Form.h"

namespace {
[[maybe_unused]] const bool programFormRegistered = (frmRadicalClass = TRadicalFormClass::Of<TfrmTsgl01>(), true);
}  // namespace
