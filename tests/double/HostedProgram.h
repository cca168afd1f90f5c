#pragma once
// A program window started as the work center starts it, in this process: a demo installation, the
// work center's manager (logged in), scripted message boxes and dialogs, the keyboard, and the texts
// of the coded messages the window showed.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/forms/RadicalForm.h"
#include "outside/torvane/HostManager.h"
#include "tests/testkit/ScriptedApp.h"
#include "tests/testkit/TestInstallation.h"
#include "toolkit/ui/kernel/KeyInput.h"

class HostedProgramFixture : public ::testing::Test {
protected:
    // Starts the form for the user from the plug-in of that file name beside the tests, and shows it.
    void Start(TfrmRadical& form, const std::string& library, const std::string& user);
    // Frees the form and lets its messages run out.
    static void Free(TfrmRadical* form);

    void Key(WORD key, TShiftState shift = {});
    void Type(const std::string& text);
    // The text a coded message shows, and the texts of the coded-message dialogs shown so far.
    std::string Message(const std::string& kind, const std::string& code, const std::vector<Variant>& args = {}) const;
    std::vector<std::string> DialogTexts() const;

    TTestInstallation install;
    TScriptedApp app;
    std::shared_ptr<THostManager> manager = std::make_shared<THostManager>();
};
