#include <gtest/gtest.h>

#include <unistd.h>
#include <fstream>
#include <sstream>

#include "toolkit/os/Paths.h"
#include "toolkit/rtl/IniFile.h"
#include "toolkit/rtl/Strings.h"

namespace {
class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        file = TempFolder() + "tk_ini_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini";
        std::remove(file.c_str());
    }
    void TearDown() override { std::remove(file.c_str()); }
    void Write(const std::string& text) { std::ofstream(file, std::ios::binary) << text; }
    std::string Read() {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::string file;
};
}  // namespace

TEST_F(IniFileTest, ReadsCaseInsensitivelyAndTrimmed) {
    Write(
        "; comment\r\n[Server]\r\n  Name = AppSrv01  \r\nPort=211\r\nHex=$10\r\n[Options]\r\nSendImage=1\r\n"
        "Flag=yes\r\nRate=1.25\r\n");
    TIniFile ini(file);
    EXPECT_EQ(ini.ReadString("SERVER", "name", "?"), "AppSrv01");
    EXPECT_EQ(ini.ReadInteger("server", "PORT", 0), 211);
    EXPECT_EQ(ini.ReadInteger("server", "Hex", 0), 16);
    EXPECT_EQ(ini.ReadInteger("server", "Name", -1), -1);  // not a number
    EXPECT_TRUE(ini.ReadBool("options", "SendImage", false));
    EXPECT_FALSE(ini.ReadBool("options", "Flag", false));  // text that is no integer gives the default
    EXPECT_TRUE(ini.ReadBool("options", "Flag", true));
    EXPECT_DOUBLE_EQ(ini.ReadFloat("Options", "Rate", 0), 1.25);
    EXPECT_EQ(ini.ReadString("Options", "Missing", "dflt"), "dflt");
    EXPECT_TRUE(ini.SectionExists("OPTIONS"));
    EXPECT_FALSE(ini.SectionExists("comment"));
    EXPECT_TRUE(ini.ValueExists("Server", "port"));
    EXPECT_FALSE(ini.ValueExists("Server", "SendImage"));

    TStringList list;
    ini.ReadSections(list);
    EXPECT_EQ(list.CommaText(), "Server,Options");
    ini.ReadSection("server", list);
    EXPECT_EQ(list.CommaText(), "Name,Port,Hex");
    ini.ReadSectionValues("Server", list);
    EXPECT_EQ(list.Values("Name"), "AppSrv01");
}

TEST_F(IniFileTest, MissingFileReadsEmptyAndWritesCreateIt) {
    TIniFile ini(file);
    EXPECT_EQ(ini.ReadString("A", "B", "default"), "default");
    EXPECT_FALSE(ini.SectionExists("A"));
    TStringList sections;
    ini.ReadSections(sections);
    EXPECT_EQ(sections.Count(), 0);

    ini.WriteString("VoucherFormatDef", "TDEF05_Slot$EQUAL$1", "格式一");
    ini.WriteInteger("VoucherFormatDef", "Count", 3);
    ini.WriteBool("Other", "On", true);
    TIniFile again(file);
    EXPECT_EQ(again.ReadString("voucherformatdef", "tdef05_slot$equal$1", ""), "格式一");
    EXPECT_EQ(again.ReadInteger("VoucherFormatDef", "Count", 0), 3);
    EXPECT_TRUE(again.ReadBool("Other", "On", false));
}

TEST_F(IniFileTest, WritesKeepCommentsAndOtherLines) {
    Write("; settings\r\n[A]\r\nx=1\r\n; keep me\r\n\r\n[B]\r\ny=2\r\n");
    TIniFile ini(file);
    ini.WriteString("a", "X", "10");  // replaced in place with its own spelling
    ini.WriteString("A", "z", "3");   // added to the end of its section, before the blank line
    EXPECT_EQ(Read(), "; settings\r\n[A]\r\nx=10\r\n; keep me\r\nz=3\r\n\r\n[B]\r\ny=2\r\n");
    ini.DeleteKey("B", "Y");
    ini.EraseSection("a");
    EXPECT_EQ(Read(), "; settings\r\n[B]\r\n");
    EXPECT_FALSE(ini.SectionExists("A"));
    EXPECT_TRUE(ini.SectionExists("B"));
}

TEST_F(IniFileTest, SeesChangesMadeByOthers) {
    TIniFile reader(file);
    EXPECT_EQ(reader.ReadString("S", "k", ""), "");
    TIniFile writer(file);
    writer.WriteString("S", "k", "v1");
    EXPECT_EQ(reader.ReadString("S", "k", ""), "v1");
    writer.WriteString("S", "k", "value2");
    EXPECT_EQ(reader.ReadString("S", "k", ""), "value2");
}
