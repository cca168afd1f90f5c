// The test kit's installation fixture and server assertions, which the other suites rely on.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/testkit/ServerAssertions.h"
#include "tests/testkit/TestInstallation.h"
#include "toolkit/com/ComObj.h"
#include "toolkit/rtl/SysUtils.h"

TEST(TestKit, AnInstallationLivesWhileTheFixtureDoes) {
    std::string folder;
    {
        TTestInstallation install;
        folder = install.Folder();
        EXPECT_EQ(std::string(std::getenv("VANDRIL_REGISTRY")), install.Install().RegistryFile);
        EXPECT_TRUE(FileExists(install.ClientPath() + "VandrilC.ini"));
        EXPECT_FALSE(FileExists(install.DatabaseFile()));
        install.CreateCompanyDatabase();
        EXPECT_TRUE(FileExists(install.DatabaseFile()));
        EXPECT_EQ(install.ExecuteSql("UPDATE ADMSY SET SY003 = ?1 WHERE SY002 = 'RKT002'", {"另一公司"}), 1);
        EXPECT_THROW(install.ExecuteSql("UPDATE NO_SUCH_TABLE SET X = 1"), EDatabaseError);

        Variant server = CreateOleObject("Nexor01S.Class1");
        EXPECT_TRUE(ConnectsTo(server, VarArrayOf({"TDEF05", "DS", "DEMO", "DEMO", true, false})));
        ::testing::AssertionResult refused = ConnectsTo(server, VarArrayOf({"TDEF05", "NOBODY", "DEMO", "DEMO", true, false}));
        EXPECT_FALSE(refused);
        EXPECT_NE(std::string(refused.message()).find("NOBODY"), std::string::npos) << refused.message();
    }
    EXPECT_FALSE(DirectoryExists(folder));
}
