#pragma once
// Assertions about the application server that print the server's own reason when they fail.
#include <gtest/gtest.h>

#include "toolkit/rtl/Variant.h"

// Connect([program, user, company, database, option, flag]) answered 0; otherwise the answer and the
// server's LastError.
::testing::AssertionResult ConnectsTo(const Variant& appServer, const Variant& params);
