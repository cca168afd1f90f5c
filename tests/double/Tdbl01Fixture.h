#pragma once
// The document test program TDBL01 started as the work center starts it, in this process: a demo
// installation whose company holds the program's tables, the work center's manager, scripted message
// boxes and dialogs, and the real application and lookup servers.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "outside/torvane/HostManager.h"
#include "tests/double/program/Tdbl01DataModule.h"
#include "tests/double/program/Tdbl01Form.h"
#include "tests/testkit/ScriptedApp.h"
#include "tests/testkit/TestInstallation.h"
#include "toolkit/ui/kernel/KeyInput.h"

class Tdbl01Fixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    TfrmTdbl01* Open(const std::string& user = "DS");
    void CloseForm();

    TdmTdbl01& Dm() const;
    TClientDataSet& Main() const { return *Dm().cdsMain; }
    TClientDataSet& Body() const { return *Dm().cdsBody1; }
    TClientDataSet& Lots() const { return *Dm().cdsSubBody1; }
    std::string Sql(const std::string& select) const { return install.SqlValue(select); }
    void Key(WORD key, TShiftState shift = {});
    void Type(const std::string& text);
    // The text a coded message shows, and the texts of the coded-message dialogs shown so far.
    std::string Message(const std::string& kind, const std::string& code, const std::vector<Variant>& args = {}) const;
    std::vector<std::string> DialogTexts() const;
    // Shows the order of that category and number (queried by its key).
    void ShowOrder(const std::string& category, const std::string& number = "202401020001");

    TTestInstallation install;
    TScriptedApp app;
    std::shared_ptr<THostManager> manager = std::make_shared<THostManager>();
    TfrmTdbl01* form = nullptr;
};
