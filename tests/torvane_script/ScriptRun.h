#pragma once
// Runs the torvane executable on a script in a temporary folder (with a demo installation of its
// own) and keeps what it printed and its exit code.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

struct TScriptResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

class ScriptRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "tdef-script-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    static std::string Bin() {
        const char* bin = std::getenv("TDEF_BIN");
        return bin ? bin : ".";
    }
    static std::string ReadFile(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    TScriptResult RunScript(const std::string& script) {
        std::filesystem::path file = folder_ / "test.script";
        std::ofstream(file, std::ios::binary) << script;
        std::string command = "cd '" + folder_.string() + "' && QT_QPA_PLATFORM=offscreen '" + Bin() +
                              "/torvane' --demo-install '" + (folder_ / "demo").string() + "' --script '" + file.string() +
                              "' > out.txt 2> err.txt";
        int status = std::system(command.c_str());
        TScriptResult result;
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = ReadFile(folder_ / "out.txt");
        result.err = ReadFile(folder_ / "err.txt");
        return result;
    }

    std::filesystem::path folder_;
};
