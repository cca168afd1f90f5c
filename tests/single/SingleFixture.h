#pragma once
// The single-table test program TSGL01 started as the work center starts it, in this process: a demo
// installation whose company holds the program's table, the work center's manager, scripted message
// boxes and dialogs, and the real application and lookup servers.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "outside/pickvu/LookupService.h"
#include "outside/torvane/HostManager.h"
#include "tests/single/program/Tsgl01DataModule.h"
#include "tests/single/program/Tsgl01Form.h"
#include "tests/testkit/ScriptedApp.h"
#include "tests/testkit/TestInstallation.h"
#include "toolkit/ui/kernel/KeyInput.h"

class SingleFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program for the user (with the host's start parameters) and shows it; prepare runs
    // on the created form before its start.
    TfrmTsgl01* Open(const std::string& user = "DS", bool show = true, const std::function<void(TfrmTsgl01&)>& prepare = {});
    void CloseForm();

    TdmTsgl01& Dm() const;
    TClientDataSet& Main() const;
    // One value of the company database (first column of the first row, "" when none) and a count.
    std::string Sql(const std::string& select) const;
    int Count(const std::string& where = "1=1") const;
    // Keys and typing into the focused control of the window.
    void Key(WORD key, TShiftState shift = {});
    void Type(const std::string& text);
    // Focuses the control and types its new text (replacing what it held) and leaves it with Tab.
    void Enter(TWinControl* control, const std::string& text);
    // The text a coded message shows, and the texts of the coded-message dialogs shown so far.
    std::string Message(const std::string& kind, const std::string& code, const std::vector<Variant>& args = {}) const;
    std::vector<std::string> DialogTexts() const;
    std::string LastDialogText() const;
    static std::string Today();

    TTestInstallation install;
    TScriptedApp app;
    std::shared_ptr<THostManager> manager = std::make_shared<THostManager>();
    TfrmTsgl01* form = nullptr;
    LookupCallbacks savedLookup;
};
