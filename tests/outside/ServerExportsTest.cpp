#include <dlfcn.h>
#include <gtest/gtest.h>

#include <fstream>

#include "tests/outside/CompanyFixture.h"
#include "toolkit/com/ServerExport.h"

namespace {

std::filesystem::path BinFolder() { return std::filesystem::read_symlink("/proc/self/exe").parent_path(); }

}  // namespace

using ServerExportsTest = CompanyFixture;

TEST_F(ServerExportsTest, EachLibraryServesOnlyItsOwnProgramId) {
    struct Case {
        const char* library;
        const char* progId;
    } cases[] = {{"libappserver.so", "Nexor01S.Class1"},
                 {"libpickvu.so", "PickvuS.Class1"},
                 {"libtorvane-services.so", "TorvaneWorkCenter.Manager"}};
    for (const auto& c : cases) {
        void* handle = dlopen((BinFolder() / c.library).c_str(), RTLD_NOW);
        ASSERT_NE(handle, nullptr) << dlerror();
        auto create = reinterpret_cast<TkCreateObjectFn>(dlsym(handle, "TkCreateObject"));
        ASSERT_NE(create, nullptr) << c.library;
        std::unique_ptr<IDispatchObject> object(create(c.progId));
        EXPECT_NE(object, nullptr) << c.library;
        std::string upper = c.progId;
        for (auto& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        std::unique_ptr<IDispatchObject> sameIdUpperCase(create(upper.c_str()));
        EXPECT_NE(sameIdUpperCase, nullptr) << upper;
        EXPECT_EQ(create("Some.Other"), nullptr) << c.library;
        dlclose(handle);
    }
}

TEST_F(ServerExportsTest, ProgramsReachTheServersThroughTheRegistry) {
    // No in-process registrations: the class registry of the registry file names the libraries.
    UnregisterOleClass("Nexor01S.Class1");
    UnregisterOleClass("PickvuS.Class1");
    // Servers made by program id find the company where the server folder says.
    ASSERT_TRUE(CompanyDatabase::Create((folder_ / "Data" / "DEMO.db").string()));
    std::string registry = (folder_ / "registry.ini").string();
    std::ofstream(registry) << "[HKEY_LOCAL_MACHINE\\Software\\RKT\\Vandril]\nServerPath=" << folder_.string() << "\n"
                            << "[HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\Nexor01S.Class1]\nLibrary=libappserver.so\n"
                            << "[HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\PickvuS.Class1]\nLibrary=libpickvu.so\n"
                            << "[HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\TorvaneWorkCenter.Manager]\n"
                            << "Library=libtorvane-services.so\nFactory=TkCreateObject\n";
    setenv("VANDRIL_REGISTRY", registry.c_str(), 1);

    // The stand-alone start: the manager by program id, then its services.
    Variant manager = CreateOleObject("TorvaneWorkCenter.Manager");
    EXPECT_EQ(OleGet(manager, "DependencyVersion").AsInteger(), 8000);
    OleCall(manager, "Connect", {VarArrayOf({"DS", "DEMO", "DEMO"})});
    Variant values, database = "DEMO";
    EXPECT_TRUE(OleCall(OleGet(manager, "Com_Validator"), "CheckValue",
                        {"ADMMA", "01", Variant::Ref(&database), VarArrayOf({"ADM"}), Variant::Ref(&values)})
                    .AsBool());
    EXPECT_EQ(values[0].AsString(), "系统管理");
    EXPECT_TRUE(OleGet(manager, "Com_Pickvu").IsDispatch());

    // The data connection's local server, named as the plug-in spells it.
    Variant server = CreateOleObject("NEXOR01S.Class1");
    EXPECT_EQ(OleCall(server, "Connect", {VarArrayOf({"TDEF05", "DS", "DEMO", "DEMO", true, false})}).AsInteger(), 0);
    unsetenv("VANDRIL_REGISTRY");
}
