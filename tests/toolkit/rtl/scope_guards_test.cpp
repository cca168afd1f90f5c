// Guards put state back however a scope is left, and never let a failing restore hide the failure
// that unwound the scope.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "toolkit/rtl/ControlsDisabled.h"
#include "toolkit/rtl/ScopeExit.h"
#include "toolkit/rtl/ValueRollback.h"

namespace {

// Counts like a data set: controls are enabled again only when every disable is undone.
struct TCountingControls {
    int disabled = 0;
    bool failEnable = false;
    void DisableControls() { ++disabled; }
    void EnableControls() {
        --disabled;
        if (failEnable) throw std::runtime_error("refresh failed");
    }
};

}  // namespace

TEST(ScopeGuards, ScopeExitRunsOnReturnAndOnThrowUnlessDismissed) {
    int runs = 0;
    {
        TScopeExit exit([&] { ++runs; });
    }
    EXPECT_EQ(runs, 1);
    EXPECT_THROW(
        {
            TScopeExit exit([&] { ++runs; });
            throw std::runtime_error("failed");
        },
        std::runtime_error);
    EXPECT_EQ(runs, 2);
    {
        TScopeExit exit([&] { ++runs; });
        exit.Dismiss();
    }
    EXPECT_EQ(runs, 2);
}

TEST(ScopeGuards, ValueRollbackRestoresTheOldValueOrKeepsTheNewOneWhenDismissed) {
    bool busy = false;
    {
        TValueRollback flag(busy, true);
        EXPECT_TRUE(busy);
        EXPECT_FALSE(flag.Saved());
    }
    EXPECT_FALSE(busy);

    std::string order = "code";
    auto reorder = [&](const std::string& to, bool fail) {
        TValueRollback rollback(order);
        order = to;
        if (fail) throw std::invalid_argument("no such field");
        rollback.Dismiss();
    };
    EXPECT_THROW(reorder("nosuch", true), std::invalid_argument);
    EXPECT_EQ(order, "code") << "a failed change leaves the old value";
    reorder("name", false);
    EXPECT_EQ(order, "name") << "a change that succeeded stays";
}

TEST(ScopeGuards, ControlsComeBackEnabledAndTheFirstFailureIsTheOneReported) {
    TCountingControls controls;
    EXPECT_THROW(
        {
            TControlsDisabled still(&controls);
            TControlsDisabled nested(&controls);
            EXPECT_EQ(controls.disabled, 2);
            throw std::invalid_argument("save refused");
        },
        std::invalid_argument);
    EXPECT_EQ(controls.disabled, 0);

    // A restore that fails while another failure unwinds is dropped; alone, it is reported.
    controls.failEnable = true;
    try {
        TControlsDisabled still(&controls);
        throw std::invalid_argument("save refused");
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "save refused");
    }
    EXPECT_THROW({ TControlsDisabled still(&controls); }, std::runtime_error);
    EXPECT_EQ(controls.disabled, 0);

    TControlsDisabled<TCountingControls> none(nullptr);  // nothing to keep still
}
