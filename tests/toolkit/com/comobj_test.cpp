#include <gtest/gtest.h>

#include <dlfcn.h>
#include <unistd.h>
#include <fstream>

#include "toolkit/com/ComObj.h"
#include "toolkit/os/DynLib.h"
#include "toolkit/os/Paths.h"

namespace {
const char* const ClassKey = "[HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\";

// Each test names its own registry file, as the work center's installation would.
class ComObjTest : public ::testing::Test {
protected:
    void SetUp() override {
        file = TempFolder() + "tk_com_" + std::to_string(::getpid()) + ".reg";
        std::ofstream(file) << ClassKey << "TkTest.Counter]\nLibrary=libtkTestServer.so\n"
                            << ClassKey << "TkTest.Other]\nLibrary=libtkTestServer.so\nFactory=AltCreate\n"
                            << ClassKey << "TkTest.Unserved]\nLibrary=libtkTestServer.so\n"
                            << ClassKey << "TkTest.NoLibrary]\nLibrary=libtkNotThere.so\n"
                            << ClassKey << "TkTest.NoFactory]\nLibrary=libtkTestServer.so\nFactory=Missing\n"
                            << ClassKey << "TkTest.Empty]\nFactory=TkCreateObject\n";
        ::setenv("VANDRIL_REGISTRY", file.c_str(), 1);
    }
    void TearDown() override {
        ::unsetenv("VANDRIL_REGISTRY");
        std::remove(file.c_str());
    }
    static std::string OleErrorOf(const std::string& progId) {
        try {
            CreateOleObject(progId);
        } catch (const EOleError& e) {
            return e.Message();
        }
        return "no error";
    }
    std::string file;
};
}  // namespace

TEST_F(ComObjTest, CreatesObjectsFromOneLoadedLibrary) {
    Variant first = CreateOleObject("tktest.counter");  // program ids ignore case
    ASSERT_TRUE(first.IsDispatch());
    EXPECT_EQ(OleCall(first, "Add", {2, 3}), Variant(5));
    EXPECT_EQ(OleGet(first, "ProgId"), Variant("tktest.counter"));
    int before = OleGet(first, "Created").AsInteger();

    Variant second = CreateOleObject("TkTest.Other");  // same library, another factory
    EXPECT_EQ(OleGet(second, "ModuleToken"), OleGet(first, "ModuleToken"));
    EXPECT_EQ(OleGet(second, "Created").AsInteger(), before + 1);
    EXPECT_EQ(OleGet(first, "Created").AsInteger(), before + 1);  // one copy of the library's state

    // The library stays loaded after its objects are gone.
    first = Variant();
    second = Variant();
    void* handle = ::dlopen(ResolveLibraryPath("libtkTestServer.so").c_str(), RTLD_NOW | RTLD_NOLOAD);
    EXPECT_NE(handle, nullptr);
    if (handle) ::dlclose(handle);
    Variant third = CreateOleObject("TkTest.Counter");
    EXPECT_EQ(OleGet(third, "Created").AsInteger(), before + 2);

    // A class the library registered while it was loading.
    Variant registered = CreateOleObject("TkTest.Registered");
    EXPECT_EQ(OleGet(registered, "ModuleToken"), OleGet(third, "ModuleToken"));
}

TEST_F(ComObjTest, ErrorsNameTheClassOrTheLibrary) {
    EXPECT_EQ(OleErrorOf("Nope.Class1"), "Invalid class string: Nope.Class1");
    EXPECT_EQ(OleErrorOf(""), "Invalid class string: ");
    EXPECT_EQ(OleErrorOf("TkTest.Empty"), "Invalid class string: TkTest.Empty");
    std::string noLibrary = OleErrorOf("TkTest.NoLibrary");
    EXPECT_EQ(noLibrary.rfind("Cannot load server library libtkNotThere.so: ", 0), 0u) << noLibrary;
    std::string noFactory = OleErrorOf("TkTest.NoFactory");
    EXPECT_EQ(noFactory.rfind("Server library libtkTestServer.so has no Missing", 0), 0u) << noFactory;
    std::string unserved = OleErrorOf("TkTest.Unserved");
    EXPECT_NE(unserved.find("TkTest.Unserved"), std::string::npos) << unserved;
    ::unsetenv("VANDRIL_REGISTRY");
    EXPECT_EQ(OleErrorOf("TkTest.Counter"), "Invalid class string: TkTest.Counter");
}

TEST_F(ComObjTest, InProcessClassesComeFirst) {
    class Local : public TDispatchObject {
    public:
        Local() {
            DefineProperty("Name", [] { return Variant("local"); });
        }
    };
    std::vector<std::string> asked;
    RegisterOleClass("TkTest.Counter", [&](const std::string& id) {
        asked.push_back(id);
        return std::make_shared<Local>();
    });
    EXPECT_EQ(OleGet(CreateOleObject("TKTEST.COUNTER"), "Name"), Variant("local"));
    EXPECT_EQ(asked, (std::vector<std::string>{"TKTEST.COUNTER"}));
    RegisterOleClass("TkTest.Nothing", [](const std::string&) { return DispatchPtr(); });
    EXPECT_NE(OleErrorOf("TkTest.Nothing").find("TkTest.Nothing"), std::string::npos);
    UnregisterOleClass("tktest.counter");
    UnregisterOleClass("TkTest.Nothing");
    EXPECT_EQ(OleCall(CreateOleObject("TkTest.Counter"), "Add", {1, 1}), Variant(2));
    EXPECT_EQ(OleErrorOf("TkTest.Nothing"), "Invalid class string: TkTest.Nothing");
}
