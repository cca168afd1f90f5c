#pragma once
// The single-table test program TSGL01 in the work center: an installation whose company holds its
// table, torvane --script runs over it, what they printed and what the database holds afterwards.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/single/program/Tsgl01Install.h"
#include "tests/testkit/TestInstallation.h"

class SingleWindowScript : public ::testing::Test {
protected:
    void SetUp() override {
        install.CreateCompanyDatabase();
        for (const std::string& sql : Tsgl01InstallStatements()) install.ExecuteSql(sql);
        // Screenshots stay for a person to look at when asked (TDEF_SCREENSHOTS names a folder).
        const char* keep = std::getenv("TDEF_SCREENSHOTS");
        shots_ = keep && *keep ? std::string(keep) + "/" : install.Folder();
    }

    int Run(const std::string& script) {
        const std::string file = install.Folder() + "single.script";
        std::ofstream(file, std::ios::binary) << script;
        const std::string bin = TTestInstallation::BinFolder();
        const std::string command = "cd '" + shots_ + "' && QT_QPA_PLATFORM=offscreen '" + bin + "torvane' --demo-install '" +
                                    install.Folder() + "' --script '" + file + "' > '" + install.Folder() + "out.txt' 2> '" +
                                    install.Folder() + "err.txt'";
        int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Output(const char* name) const {
        std::ifstream in(install.Folder() + name, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::string Sql(const std::string& select) const { return install.SqlValue(select); }

    TTestInstallation install;
    std::string shots_;
};
