#include "tests/testkit/ServerAssertions.h"

#include "toolkit/rtl/Dispatch.h"

::testing::AssertionResult ConnectsTo(const Variant& appServer, const Variant& params) {
    const Variant answer = OleCall(appServer, "Connect", {params});
    if (answer.IsNumeric() && answer.AsInteger() == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "Connect answered " << VarDebugText(answer) << ": "
                                         << VarToStr(OleGet(appServer, "LastError"));
}
