#include <gtest/gtest.h>

#include <unistd.h>

#include "toolkit/os/Paths.h"
#include "toolkit/rtl/Exception.h"
#include "toolkit/rtl/SysUtils.h"

TEST(SysUtils, TrimCaseAndCompare) {
    EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
    EXPECT_EQ(TrimLeft("  x "), "x ");
    EXPECT_EQ(TrimRight("  x "), "  x");
    EXPECT_EQ(UpperCase("abc文档"), "ABC文档");
    EXPECT_EQ(LowerCase("ABC"), "abc");
    EXPECT_TRUE(SameText("Tdef05", "TDEF05"));
    EXPECT_FALSE(SameText("a", "ab"));
    EXPECT_LT(CompareText("apple", "Banana"), 0);
    EXPECT_GT(CompareStr("apple", "Banana"), 0);
    EXPECT_EQ(QuotedStr("O'Neil"), "'O''Neil'");
}

TEST(SysUtils, IntegersParseStrictly) {
    EXPECT_EQ(StrToInt("42"), 42);
    EXPECT_EQ(StrToInt(" -7"), -7);
    EXPECT_EQ(StrToInt("$1F"), 31);
    EXPECT_EQ(StrToInt("0x10"), 16);
    EXPECT_EQ(StrToIntDef("12a", 5), 5);
    EXPECT_EQ(StrToIntDef("", 9), 9);
    EXPECT_EQ(StrToIntDef("3000000000", -1), -1);  // beyond 32 bits
    EXPECT_EQ(StrToInt64("3000000000"), 3000000000LL);
    try {
        StrToInt("x1");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'x1' is not a valid integer value");
    }
    EXPECT_THROW(StrToInt("1 "), EConvertError);
    EXPECT_EQ(IntToStr(-12), "-12");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
}

TEST(SysUtils, FloatsParseAndPrint) {
    EXPECT_DOUBLE_EQ(StrToFloat(" 1.5 "), 1.5);
    EXPECT_DOUBLE_EQ(StrToFloat("-2e3"), -2000);
    EXPECT_DOUBLE_EQ(StrToFloat(".5"), 0.5);
    double v = 7;
    EXPECT_FALSE(TryStrToFloat("inf", v));
    EXPECT_FALSE(TryStrToFloat("0x1p3", v));
    EXPECT_FALSE(TryStrToFloat("1,5", v));
    EXPECT_FALSE(TryStrToFloat("", v));
    EXPECT_EQ(v, 7);
    EXPECT_DOUBLE_EQ(StrToFloatDef("abc", 2.5), 2.5);
    EXPECT_THROW(StrToFloat("1.2.3"), EConvertError);
    EXPECT_EQ(FloatToStr(0.1), "0.1");
    EXPECT_EQ(FloatToStr(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(FloatToStr(1e20), "1E20");
    EXPECT_EQ(FloatToStr(-12.5), "-12.5");
    EXPECT_EQ(FloatToStr(0), "0");
}

TEST(SysUtils, ReplacePosAndCopy) {
    EXPECT_EQ(StringReplace("a-b-c", "-", "+", 0), "a+b-c");
    EXPECT_EQ(StringReplace("a-b-c", "-", "+", rfReplaceAll), "a+b+c");
    EXPECT_EQ(StringReplace("Key=KEY=key", "key", "k", rfReplaceAll | rfIgnoreCase), "k=k=k");
    EXPECT_EQ(StringReplace("x=1", "=", "$EQUAL$", rfReplaceAll), "x$EQUAL$1");
    EXPECT_EQ(StringReplace("aaa", "", "b", rfReplaceAll), "aaa");
    EXPECT_EQ(Pos("b", "abc"), 2);
    EXPECT_EQ(Pos("z", "abc"), 0);
    EXPECT_EQ(Copy("abcdef", 2, 3), "bcd");
    EXPECT_EQ(Copy("abc", 0, 2), "ab");
    EXPECT_EQ(Copy("abc", 5, 2), "");
    EXPECT_EQ(Copy("abc", 2), "bc");
    EXPECT_EQ(SplitString("a,,b", ','), (std::vector<std::string>{"a", "", "b"}));
}

TEST(SysUtils, Utf8Characters) {
    EXPECT_EQ(Utf8Length("文档a"), 3u);
    EXPECT_EQ(Utf8Chars("a文"), (std::vector<std::string>{"a", "文"}));
    EXPECT_EQ(Utf8Copy("文档信息录入", 3, 2), "信息");
    EXPECT_TRUE(IsValidUtf8("文档"));
    EXPECT_FALSE(IsValidUtf8("\xCE\xC4"));  // GBK bytes of 文
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));  // overlong '/'
    EXPECT_FALSE(IsValidUtf8("\xE6\x96"));  // cut in the middle
    std::string joined;
    ForEachUtf8Char("x文y", [&](std::string_view c) { joined += "[" + std::string(c) + "]"; });
    EXPECT_EQ(joined, "[x][文][y]");
}

TEST(SysUtils, FileNamesAndFolders) {
    EXPECT_EQ(NormalizePath("C:\\Velora\\Client\\"), "C:/Velora/Client/");
    EXPECT_EQ(ExtractFileName("/a/b/c.txt"), "c.txt");
    EXPECT_EQ(ExtractFileName("a\\b.ini"), "b.ini");
    EXPECT_EQ(ExtractFilePath("/a/b/c.txt"), "/a/b/");
    EXPECT_EQ(ExtractFileDir("/a/b/c.txt"), "/a/b");
    EXPECT_EQ(ExtractFileExt("/a.b/c"), "");
    EXPECT_EQ(ExtractFileExt("x.tar.gz"), ".gz");
    EXPECT_EQ(ChangeFileExt("/p/Tdef05C.so", ".Lng"), "/p/Tdef05C.Lng");
    EXPECT_EQ(ChangeFileExt("/p.d/name", ".xml"), "/p.d/name.xml");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/tmp"), "/tmp/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/tmp/"), "/tmp/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/tmp//"), "/tmp");

    std::string root = TempFolder() + "tk_sysutils_" + std::to_string(::getpid());
    std::string deep = root + "\\x\\y";
    EXPECT_FALSE(DirectoryExists(root));
    EXPECT_TRUE(ForceDirectories(deep));
    EXPECT_TRUE(DirectoryExists(root + "/x/y"));
    std::string file = root + "/x/y/f.txt";
    EXPECT_FALSE(FileExists(file));
    std::FILE* f = std::fopen(file.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(FileExists(root));               // a folder is not a file
    EXPECT_FALSE(ForceDirectories(file + "/z"));  // a file is in the way
    EXPECT_TRUE(DeleteFile(file));
    EXPECT_FALSE(DeleteFile(file));
    ::rmdir((root + "/x/y").c_str());
    ::rmdir((root + "/x").c_str());
    ::rmdir(root.c_str());
}
