#include <gtest/gtest.h>

#include <dlfcn.h>
#include <cstdlib>

#include "toolkit/os/DynLib.h"
#include "toolkit/os/Paths.h"
#include "toolkit/os/Shell.h"
#include "toolkit/rtl/SysUtils.h"

TEST(Paths, ProgramLibraryUserAndTemp) {
    std::string exe = ExecutableFileName();
    EXPECT_EQ(ExtractFileName(exe), "test_toolkit_os");
    EXPECT_TRUE(FileExists(exe));
    EXPECT_EQ(ModuleFileName(reinterpret_cast<const void*>(&ExecutableFileName)), ToolkitFileName());
    EXPECT_EQ(ExtractFileName(ToolkitFileName()), "libtoolkit.so");
    EXPECT_EQ(ModuleFileName(nullptr), "");
    EXPECT_FALSE(UserName().empty());

    const char* saved = std::getenv("TMPDIR");
    std::string keep = saved ? saved : "";
    ::setenv("TMPDIR", "/var/tmp", 1);
    EXPECT_EQ(TempFolder(), "/var/tmp/");
    ::unsetenv("TMPDIR");
    EXPECT_EQ(TempFolder(), "/tmp/");
    if (saved) ::setenv("TMPDIR", keep.c_str(), 1);
}

TEST(DynLib, LoadsResolvesAndReportsErrors) {
    // libtoolkit.so lies beside the test programs: a bare name finds it there.
    std::string path = ResolveLibraryPath("libtoolkit.so");
    EXPECT_EQ(path, ToolkitFileName());
    EXPECT_EQ(ResolveLibraryPath("libm.so.6"), "libm.so.6");  // left to the loader's search
    EXPECT_EQ(ResolveLibraryPath("sub\\lib.so"), "sub/lib.so");

    TDynLib lib(path);
    ASSERT_TRUE(lib.Loaded()) << lib.Error();
    EXPECT_EQ(lib.Symbol("_Z18ExecutableFileNameB5cxx11v"), reinterpret_cast<void*>(&ExecutableFileName));
    EXPECT_EQ(lib.Symbol("NoSuchSymbol"), nullptr);
    EXPECT_NE(lib.Error().find("NoSuchSymbol"), std::string::npos);

    TDynLib missing("/nonexistent/libnothing.so");
    EXPECT_FALSE(missing.Loaded());
    EXPECT_NE(missing.Error().find("libnothing.so"), std::string::npos);
    EXPECT_EQ(missing.Symbol("x"), nullptr);

    TDynLib math("libm.so.6");
    ASSERT_TRUE(math.Loaded()) << math.Error();
    auto cosine = math.Function<double (*)(double)>("cos");
    ASSERT_NE(cosine, nullptr);
    EXPECT_DOUBLE_EQ(cosine(0.0), 1.0);
    TDynLib moved = std::move(math);
    EXPECT_TRUE(moved.Loaded());
    EXPECT_FALSE(math.Loaded());
}

TEST(Shell, CallsGoThroughTheReplaceableService) {
    std::vector<std::string> calls;
    ShellService previous = SetShellService([&](const std::string& op, const std::string& file) {
        calls.push_back(op + ":" + file);
        return op == "open";
    });
    EXPECT_TRUE(ShellExecute("open", "/tmp/a.xls"));
    EXPECT_FALSE(ShellExecute("properties", "/tmp/b.doc"));
    EXPECT_EQ(calls, (std::vector<std::string>{"open:/tmp/a.xls", "properties:/tmp/b.doc"}));
    SetShellService(previous);

    // The default service hands "properties" to the registered window, and knows no other verbs.
    std::string shown;
    EXPECT_FALSE(ShellExecute("properties", "/tmp/c.txt"));
    SetPropertiesHandler([&](const std::string& file) { shown = file; });
    EXPECT_TRUE(ShellExecute("properties", "/tmp/c.txt"));
    EXPECT_EQ(shown, "/tmp/c.txt");
    EXPECT_FALSE(ShellExecute("print", "/tmp/c.txt"));
    SetPropertiesHandler(nullptr);
}

TEST(Shell, DefaultOpenReportsWhetherTheOpenerStarted) {
    // With no opener on the search path the start fails, and says so.
    const char* saved = std::getenv("PATH");
    std::string keep = saved ? saved : "";
    ::setenv("PATH", "/nonexistent", 1);
    EXPECT_FALSE(ShellOpenDefault("/tmp/x.txt"));
    ::setenv("PATH", keep.c_str(), 1);
}
