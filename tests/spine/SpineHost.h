#pragma once
// A scripted work center around the real plug-in: a demo installation, scripted application services,
// the library loaded with dlopen and the work center's own manager object.
#include <gtest/gtest.h>

#include <memory>

#include "outside/torvane/HostManager.h"
#include "tests/testkit/ScriptedApp.h"
#include "tests/testkit/ScriptedHost.h"
#include "tests/testkit/TestInstallation.h"
#include "toolkit/classes/Properties.h"

class SpineHost : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Loaded()) << host.Error(); }

    Variant Manager() const { return Variant(DispatchPtr(manager)); }
    std::unique_ptr<TDLLBaseController> NewController() { return host.NewController(Manager()); }
    // A controller with its program created (version accepted) and shown.
    std::unique_ptr<TDLLBaseController> StartedController(bool show = true) {
        auto controller = NewController();
        EXPECT_EQ(controller->CreateProgram(TScriptedHost::StartParams()), 0);
        if (show) controller->SetVisible(true);
        return controller;
    }
    static Variant FormProperty(TDLLBaseController& controller, const char* name) {
        TCustomForm* form = TScriptedHost::ProgramWindow(controller);
        return form ? GetPropValue(form, name) : Variant();
    }

    TTestInstallation install;
    TScriptedApp app;
    TScriptedHost host;
    std::shared_ptr<THostManager> manager = std::make_shared<THostManager>();
};
