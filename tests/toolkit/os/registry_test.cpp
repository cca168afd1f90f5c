#include <gtest/gtest.h>

#include <unistd.h>
#include <fstream>

#include "toolkit/os/Paths.h"
#include "toolkit/os/Registry.h"

namespace {
std::string WriteRegistryFile(const std::string& text) {
    std::string file = TempFolder() + "tk_registry_" + std::to_string(::getpid()) + ".reg";
    std::ofstream(file, std::ios::binary) << text;
    return file;
}
}  // namespace

TEST(Registry, LooksUpKeysWhateverTheSeparatorsCaseOrHive) {
    std::string file = WriteRegistryFile(
        "; registry of the test workstation\n"
        "[HKEY_LOCAL_MACHINE\\Software\\RKT\\Vandril]\n"
        "ClientPath = C:\\Velora\\Client\\ \n"
        "ANSICodePage=950\n"
        "[Software/Classes/CLSID/Nexor01S.Class1]\n"
        "Library=libappserver.so\n"
        "[HKLM\\Software\\Classes\\CLSID\\PickvuS.Class1]\n"
        "Library=libpickvu.so\n"
        "[HKEY_CURRENT_USER\\Software\\RKT]\n"
        "User=yes\n");
    TRegistry reg(file);
    EXPECT_TRUE(reg.Loaded());
    EXPECT_EQ(reg.Read("Software\\RKT\\Vandril", "ClientPath").value_or("-"), "C:\\Velora\\Client\\");
    EXPECT_EQ(reg.Read("HKEY_LOCAL_MACHINE/software/rkt/vandril", "ansicodepage").value_or("-"), "950");
    EXPECT_EQ(reg.Read("\\Software\\RKT\\Vandril\\", "ANSICodePage").value_or("-"), "950");
    EXPECT_FALSE(reg.Read("Software\\RKT\\Vandril", "Missing").has_value());
    EXPECT_FALSE(reg.Read("Software\\RKT", "User").has_value());  // that one lives under the user hive
    EXPECT_EQ(reg.Read("HKCU\\Software\\RKT", "User").value_or("-"), "yes");
    EXPECT_EQ(reg.Read("HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\nexor01s.class1", "Library").value_or("-"),
              "libappserver.so");

    EXPECT_TRUE(reg.KeyExists("Software\\RKT"));  // parents of listed keys exist
    EXPECT_TRUE(reg.KeyExists("software/classes"));
    EXPECT_FALSE(reg.KeyExists("Software\\RK"));
    EXPECT_FALSE(reg.KeyExists("Software\\RKT\\Vandril\\Sub"));
    EXPECT_EQ(reg.SubKeys("HKLM\\Software\\Classes\\CLSID"), (std::vector<std::string>{"Nexor01S.Class1", "PickvuS.Class1"}));
    EXPECT_EQ(reg.SubKeys("Software"), (std::vector<std::string>{"Classes", "RKT"}));

    ASSERT_TRUE(reg.OpenKeyReadOnly("software\\rkt\\VANDRIL"));
    EXPECT_TRUE(reg.ValueExists("clientpath"));
    EXPECT_FALSE(reg.ValueExists("Other"));
    EXPECT_EQ(reg.ReadString("ANSICODEPAGE"), "950");
    EXPECT_EQ(reg.ReadString("Other"), "");
    auto names = reg.ValueNames();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"ANSICodePage", "ClientPath"}));
    EXPECT_FALSE(reg.OpenKeyReadOnly("Software\\Nothing"));
    std::remove(file.c_str());
}

TEST(Registry, FileComesFromTheEnvironmentAndMayBeMissing) {
    std::string file = WriteRegistryFile("[Software\\RKT\\Vandril]\nServerPath=/srv\n");
    ::setenv("VANDRIL_REGISTRY", file.c_str(), 1);
    TRegistry reg;
    EXPECT_EQ(reg.FileName(), file);
    EXPECT_EQ(reg.Read("Software\\RKT\\Vandril", "ServerPath").value_or("-"), "/srv");
    std::remove(file.c_str());

    TRegistry missing;
    EXPECT_FALSE(missing.Loaded());
    EXPECT_FALSE(missing.KeyExists("Software\\RKT\\Vandril"));
    ::unsetenv("VANDRIL_REGISTRY");
    TRegistry unset;
    EXPECT_EQ(unset.FileName(), "");
    EXPECT_FALSE(unset.Read("Software\\RKT\\Vandril", "ServerPath").has_value());
}
