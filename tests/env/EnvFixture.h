#pragma once
// A throwaway installation for the environment tests: a temporary folder with a registry file that
// VANDRIL_REGISTRY points at, a client and a server folder, and a fixed clock.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "env/Clock.h"

class EnvFixture : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "tdef-env-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern + "/";
        client_ = root_ + "client/";
        server_ = root_ + "server/";
        std::filesystem::create_directories(client_);
        std::filesystem::create_directories(server_);
        if (const char* old = std::getenv("VANDRIL_REGISTRY")) oldRegistry_ = old;
        setenv("VANDRIL_REGISTRY", (root_ + "registry.ini").c_str(), 1);
    }

    void TearDown() override {
        if (oldRegistry_.empty())
            unsetenv("VANDRIL_REGISTRY");
        else
            setenv("VANDRIL_REGISTRY", oldRegistry_.c_str(), 1);
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }

    // Writes the key "Software\RKT\Vandril" with the given values.
    void WriteRegistry(const std::map<std::string, std::string>& values) {
        std::string text = "[HKEY_LOCAL_MACHINE\\Software\\RKT\\Vandril]\n";
        for (const auto& [name, value] : values) text += name + "=" + value + "\n";
        WriteFile(root_ + "registry.ini", text);
    }
    // The usual installation: client and server folders configured.
    void WriteStandardRegistry(const std::string& ansiCodePage = "936") {
        WriteRegistry({{"ClientPath", client_}, {"ServerPath", server_}, {"ANSICodePage", ansiCodePage}});
    }

    static void WriteFile(const std::string& path, const std::string& text) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    }
    static std::string ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static bool Exists(const std::string& path) { return std::filesystem::exists(path); }

    std::string root_, client_, server_;
    // 15 March 2026, 10:20:30.456
    ScopedClock clock_{EncodeDateTime(2026, 3, 15, 10, 20, 30, 456)};

private:
    std::string oldRegistry_;
};
