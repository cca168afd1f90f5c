// The torvane executable from a bare folder: it writes the demo installation, loads the plug-in and
// prints what the host sees; wrong command lines and missing pieces give one line and a failure code.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/testkit/TestInstallation.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

struct TRun {
    int exitCode = -1;
    std::vector<std::string> out;  // stdout lines
    std::string err;
};

std::string ReadFile(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class TorvaneRun : public ::testing::Test {
protected:
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    // Runs torvane with the arguments and the given VANDRIL_REGISTRY ("" removes it).
    TRun Torvane(const std::string& arguments, const std::string& registry = "") {
        const std::string outFile = folder + "out.txt", errFile = folder + "err.txt";
        std::string command = registry.empty() ? "env -u VANDRIL_REGISTRY " : "env VANDRIL_REGISTRY='" + registry + "' ";
        command += "'" + TTestInstallation::BinFolder() + "torvane' " + arguments + " >'" + outFile + "' 2>'" + errFile + "'";
        int status = std::system(command.c_str());
        TRun run;
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::stringstream lines(ReadFile(outFile));
        for (std::string line; std::getline(lines, line);) run.out.push_back(line);
        run.err = ReadFile(errFile);
        return run;
    }

    static std::size_t IndexOf(const TRun& run, const std::string& line) {
        auto it = std::find(run.out.begin(), run.out.end(), line);
        return it == run.out.end() ? std::string::npos : static_cast<std::size_t>(it - run.out.begin());
    }

    void SetCompanyName(const std::string& name) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open((folder + "demo/server/Data/DEMO.db").c_str(), &db), SQLITE_OK);
        sqlite3_stmt* statement = nullptr;
        ASSERT_EQ(sqlite3_prepare_v2(db, "UPDATE ADMSY SET SY003 = ? WHERE SY001 = 'DEMO' AND SY002 = 'RKT002'", -1, &statement,
                                     nullptr),
                  SQLITE_OK);
        sqlite3_bind_text(statement, 1, name.c_str(), -1, SQLITE_TRANSIENT);
        EXPECT_EQ(sqlite3_step(statement), SQLITE_DONE);
        EXPECT_EQ(sqlite3_changes(db), 1);
        sqlite3_finalize(statement);
        sqlite3_close(db);
    }

    std::string folder = TTestInstallation::MakeTempFolder("tdef-torvane");
};

}  // namespace

TEST_F(TorvaneRun, DemoInstallHeadlessPrintsEventsCaptionConnectInfoAndClose) {
    TRun run = Torvane("--demo-install '" + folder + "demo' --headless");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(FileExists(folder + "demo/registry.ini"));
    EXPECT_TRUE(FileExists(folder + "demo/client/VandrilC.ini"));
    const std::size_t created = IndexOf(run, "event 256"), shown = IndexOf(run, "event 272"),
                      caption = IndexOf(run, "caption: 文档信息录入作业[演示公司]"),
                      info = IndexOf(run, "connect info: DS | DEMO | TDEF05 | 文档信息录入作业"),
                      closing = IndexOf(run, "event 320"), destroyed = IndexOf(run, "event 304");
    ASSERT_NE(created, std::string::npos) << ::testing::PrintToString(run.out);
    ASSERT_NE(caption, std::string::npos) << ::testing::PrintToString(run.out);
    ASSERT_NE(info, std::string::npos);
    ASSERT_NE(destroyed, std::string::npos);
    EXPECT_LT(created, shown);
    EXPECT_LT(shown, caption);
    EXPECT_LT(caption, info);
    EXPECT_LT(info, closing);
    EXPECT_LT(closing, destroyed);
    EXPECT_EQ(destroyed, run.out.size() - 1);

    // Installing again keeps a registry the user edited; servers it lacks are added back.
    const std::string registryFile = folder + "demo/registry.ini";
    std::string registry = ReadFile(registryFile);
    const std::string pickvuKey =
        "\n[HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\PickvuS.Class1]\n"
        "Library=libpickvu.so\nFactory=TkCreateObject\n";
    ASSERT_NE(registry.find(pickvuKey), std::string::npos) << registry;
    registry = StringReplace(registry, pickvuKey, "", 0);
    registry = StringReplace(registry, "ANSICodePage=936\n", "ANSICodePage=936\nPostgreSQL=\n; mine\n", 0);
    std::ofstream(registryFile, std::ios::binary | std::ios::trunc) << registry;

    // The company's name in the caption is read from the company database.
    SetCompanyName("另一公司");
    TRun again = Torvane("--demo-install '" + folder + "demo' --headless --user CLERK --rights 0 --run-mode 10");
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_NE(IndexOf(again, "caption: 文档信息录入作业[另一公司]"), std::string::npos) << ::testing::PrintToString(again.out);
    EXPECT_NE(IndexOf(again, "connect info: CLERK | DEMO | TDEF05 | 文档信息录入作业"), std::string::npos);
    const std::string kept = ReadFile(registryFile);
    EXPECT_NE(kept.find("PostgreSQL=\n; mine\n"), std::string::npos) << kept;
    EXPECT_NE(kept.find(pickvuKey), std::string::npos) << kept;
}

TEST_F(TorvaneRun, HelpAndVersionAnswerWithoutAnInstallation) {
    TRun help = Torvane("--help");
    EXPECT_EQ(help.exitCode, 0) << help.err;
    ASSERT_FALSE(help.out.empty());
    EXPECT_EQ(help.out[0], "torvane: the Torvane work center");
    std::string text;
    for (const std::string& line : help.out) text += line + "\n";
    for (const char* option : {"--demo-install", "--user", "--company", "--database", "--program", "--run-mode", "--rights",
                               "--headless", "--script", "--version", "VandrilC.ini"})
        EXPECT_NE(text.find(option), std::string::npos) << option;
    TRun version = Torvane("--version");
    EXPECT_EQ(version.exitCode, 0) << version.err;
    EXPECT_EQ(version.out, (std::vector<std::string>{"torvane 9.0"}));
}

TEST_F(TorvaneRun, FailuresAreOneLineAndAFailureCode) {
    auto oneLine = [](const std::string& text) { return std::count(text.begin(), text.end(), '\n') == 1; };

    TRun noRegistry = Torvane("--headless");
    EXPECT_NE(noRegistry.exitCode, 0);
    EXPECT_TRUE(oneLine(noRegistry.err)) << noRegistry.err;
    EXPECT_NE(noRegistry.err.find("E;000015"), std::string::npos);
    EXPECT_NE(noRegistry.err.find("VANDRIL_REGISTRY"), std::string::npos);

    // The desktop and script runs say it before anything else.
    for (const char* mode : {"", "--script anything.script"}) {
        TRun run = Torvane(mode);
        EXPECT_EQ(run.exitCode, 3) << mode;
        EXPECT_TRUE(oneLine(run.err)) << run.err;
        EXPECT_NE(run.err.find("VANDRIL_REGISTRY is not set"), std::string::npos) << run.err;
    }

    TRun missingFile = Torvane("--headless", folder + "nowhere/registry.ini");
    EXPECT_NE(missingFile.exitCode, 0);
    EXPECT_TRUE(oneLine(missingFile.err)) << missingFile.err;
    EXPECT_NE(missingFile.err.find(folder + "nowhere/registry.ini"), std::string::npos);

    TRun badArgument = Torvane("--headless --colour red");
    EXPECT_NE(badArgument.exitCode, 0);
    EXPECT_NE(badArgument.err.find("--colour"), std::string::npos);
    TRun badNumber = Torvane("--headless --run-mode seven");
    EXPECT_NE(badNumber.exitCode, 0);
    EXPECT_NE(badNumber.err.find("seven"), std::string::npos);
    TRun missingValue = Torvane("--headless --user");
    EXPECT_NE(missingValue.exitCode, 0);

    TRun noLibrary = Torvane("--demo-install '" + folder + "demo' --headless --program Nowhere");
    EXPECT_NE(noLibrary.exitCode, 0);
    EXPECT_TRUE(oneLine(noLibrary.err)) << noLibrary.err;
    EXPECT_NE(noLibrary.err.find("NowhereC.so"), std::string::npos);
    EXPECT_TRUE(noLibrary.out.empty());
}
