#include "env/Log.h"

#include "EnvFixture.h"
#include "toolkit/rtl/DBEngineError.h"

using LogTest = EnvFixture;

TEST_F(LogTest, AlertFileNamedByTagAndPeriod) {
    WriteStandardRegistry();
    EXPECT_TRUE(WriteAlert("Class RadicalCF-461", "first", "M"));
    EXPECT_TRUE(WriteAlert("Class RadicalCF-461", "second", "M"));
    EXPECT_EQ(ReadFile(client_ + "Log/Alert_Class RadicalCF-461_202603.log"),
              "[2026/03/15 10:20:30:456] first\n[2026/03/15 10:20:30:456] second\n");

    EXPECT_TRUE(WriteAlert("DoubleCD-1025:", "x", "D"));
    EXPECT_TRUE(Exists(client_ + "Log/Alert_DoubleCD-1025:_20260315.log"));
    EXPECT_TRUE(WriteAlert("tag", "x", "Y"));
    EXPECT_TRUE(Exists(client_ + "Log/Alert_tag_2026.log"));
    EXPECT_TRUE(WriteAlert("tag", "x", "W"));
    EXPECT_TRUE(Exists(client_ + "Log/Alert_tag_20260315.log"));
    // A name with a "." keeps its own ending.
    EXPECT_TRUE(WriteAlert("trace.txt", "x", "D"));
    EXPECT_TRUE(Exists(client_ + "Log/Alert_trace.txt_20260315"));
    // A name is never a way out of the log folder.
    EXPECT_TRUE(WriteAlert("../../escape", "x", "D"));
    EXPECT_FALSE(Exists(root_ + "escape_20260315.log"));
    EXPECT_TRUE(Exists(client_ + "Log/Alert_.._.._escape_20260315"));
}

TEST_F(LogTest, LogFolderFallsBackAndFailuresReportFalse) {
    WriteRegistry({{"ServerPath", server_}});
    EXPECT_TRUE(WriteAlert("srv", "x", "D"));
    EXPECT_TRUE(Exists(server_ + "Log/Alert_srv_20260315.log"));

    // The configured folder is a file: nothing can be written, nothing is raised.
    WriteFile(root_ + "blocked", "");
    WriteRegistry({{"ClientPath", root_ + "blocked"}});
    EXPECT_FALSE(WriteAlert("tag", "x", "D"));
    EXPECT_FALSE(WriteReportLine("x"));
    EXPECT_NO_THROW(ReportError(nullptr, "here", "message"));

    // Without a configuration the error report goes to the temporary folder.
    const char* oldTmp = std::getenv("TMPDIR");
    const std::string savedTmp = oldTmp ? oldTmp : "";
    setenv("TMPDIR", (root_ + "tmp").c_str(), 1);
    std::remove((root_ + "registry.ini").c_str());
    const bool written = WriteReportLine("no registry");
    const std::string text = ReadFile(root_ + "tmp/Log/Alert_TessalGenerator_20260315.log");
    if (oldTmp)
        setenv("TMPDIR", savedTmp.c_str(), 1);
    else
        unsetenv("TMPDIR");
    EXPECT_TRUE(written);
    EXPECT_EQ(text.front(), '[');
    EXPECT_NE(text.find("] no registry\n"), std::string::npos) << text;
}

TEST_F(LogTest, ErrorReportListsTheEntriesOfEachExceptionKind) {
    WriteStandardRegistry();
    const std::string file = client_ + "Log/Alert_TessalGenerator_20260315.log";
    auto lines = [&] {
        std::vector<std::string> result;
        std::stringstream in(ReadFile(file));
        for (std::string line; std::getline(in, line);)
            result.push_back(line.rfind('[', 0) == 0 ? line.substr(line.find("] ") + 2) : line);
        std::filesystem::remove(file);
        return result;
    };
    const std::string dashes = "----------------------------------";

    ReportError(EDBEngineError({{1205, "deadlock"}, {3621, "statement terminated"}}), "Save", "while saving");
    EXPECT_EQ(lines(), (std::vector<std::string>{dashes + " on Save " + dashes,
                                                 "讯息信息:", "EDBEngineError Error 01: Code: 1205, Message: deadlock",
                                                 "EDBEngineError Error 02: Code: 3621, Message: statement terminated",
                                                 "ErrorMessage Count: 2", "Programer Message: while saving"}));

    ReportError(EOSError("access denied"), "  ", "");
    EXPECT_EQ(lines(),
              (std::vector<std::string>{dashes + dashes, "讯息信息:", "EWin32Error Error 01: Code: 0, Message: access denied",
                                        "ErrorMessage Count: 1"}));

    ReportError(EInOutError("disk full"), "Export", " ");
    EXPECT_EQ(lines(), (std::vector<std::string>{dashes + " on Export " + dashes, "讯息信息:",
                                                 "EInOutError Error 01: Code: 0, Message: disk full", "ErrorMessage Count: 1"}));

    // Any other kind: its class name and message (the line holds a line break of its own).
    ReportError(EConvertError("bad number"), "", "");
    EXPECT_EQ(lines(), (std::vector<std::string>{dashes + dashes, "讯息信息:", "Exception is EConvertError\r",
                                                 "Message 01: bad number", "ErrorMessage Count: 1"}));

    ReportError(nullptr, "Only", "note");
    EXPECT_EQ(lines(), (std::vector<std::string>{dashes + " on Only " + dashes, "Programer Message: note"}));
}
