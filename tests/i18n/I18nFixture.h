#pragma once
// An installation whose code pages a test chooses, scripted message boxes, and language files written
// into the installation's language folders.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/testkit/ScriptedApp.h"
#include "tests/testkit/TestInstallation.h"
#include "toolkit/rtl/SysUtils.h"

class I18nTest : public ::testing::Test {
protected:
    std::string LanguageFolderOf(const std::string& code) const { return install.ClientPath() + "MultiLanguage/" + code + "/"; }
    // Writes <folder of code><className>.Lng.
    void WriteLanguageFile(const std::string& code, const std::string& className, const std::string& xml) const {
        std::ofstream(LanguageFolderOf(code) + className + ".Lng", std::ios::binary | std::ios::trunc) << xml;
    }

    TTestInstallation install;
    TScriptedApp app;
};
