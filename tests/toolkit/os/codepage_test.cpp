#include <gtest/gtest.h>

#include <unistd.h>
#include <fstream>
#include <thread>

#include "toolkit/os/CodePage.h"
#include "toolkit/os/Paths.h"
#include "toolkit/rtl/Exception.h"

TEST(CodePage, GbkAndBig5RoundTrips) {
    EXPECT_EQ(ToCodePageBytes("文档", 936), "\xCE\xC4\xB5\xB5");
    EXPECT_EQ(FromCodePageBytes("\xCE\xC4\xB5\xB5", 936), "文档");
    EXPECT_EQ(ToCodePageBytes("文檔", 950), "\xA4\xE5\xC0\xC9");
    EXPECT_EQ(FromCodePageBytes("\xA4\xE5\xC0\xC9", 950), "文檔");
    EXPECT_EQ(ToCodePageBytes("€", 936), "\x80");
    EXPECT_EQ(ToCodePageBytes("é", 437), "\x82");
    const std::string mixed = "Tdef05 文档信息录入作业 (A-1)";
    EXPECT_EQ(FromCodePageBytes(ToCodePageBytes(mixed, 936), 936), mixed);
    EXPECT_EQ(FromCodePageBytes(ToCodePageBytes(mixed, 54936), 54936), mixed);
    EXPECT_THROW(ToCodePageBytes("x", 12345), EConvertError);
}

TEST(CodePage, UnrepresentableAndInvalidTextBecomesQuestionMarks) {
    EXPECT_EQ(ToCodePageBytes("文档", 950), "\xA4\xE5?");  // 档 is simplified only
    EXPECT_EQ(ToCodePage("文档", 950), "文?");
    EXPECT_EQ(ToCodePage("a😀b", 936), "a?b");
    EXPECT_EQ(ToCodePage("文档", 936), "文档");
    EXPECT_EQ(ToCodePageBytes("a\xFF"
                              "b",
                              936),
              "a?b");                                  // a stray byte is not UTF-8
    EXPECT_EQ(FromCodePageBytes("a\xCE", 936), "a?");  // a lead byte without its trail
    EXPECT_TRUE(IsRepresentable("文档", 936));
    EXPECT_FALSE(IsRepresentable("文档", 950));
    EXPECT_FALSE(IsRepresentable("한", 936));  // Hangul is not in GBK
    EXPECT_TRUE(IsRepresentable("é", 936));    // pinyin letters are
}

TEST(CodePage, ByteLengthsAndTruncationNeverSplitCharacters) {
    EXPECT_EQ(CodePageByteLength("文档ab", 936), 6u);
    EXPECT_EQ(CodePageByteLength("文档ab", 65001), 8u);
    EXPECT_EQ(TruncateToBytes("文档ab", 3, 936), "文");
    EXPECT_EQ(TruncateToBytes("a文档", 4, 936), "a文");
    EXPECT_EQ(TruncateToBytes("a文档", 5, 936), "a文档");
    EXPECT_EQ(TruncateToBytes("文档信息录入", 10, 936), "文档信息录");
    EXPECT_EQ(TruncateToBytes("文档", 1, 936), "");
    EXPECT_EQ(TruncateToBytes("a😀b", 2, 936), "a😀");  // becomes one '?' byte
    EXPECT_EQ(TruncateToBytes("abc", 0, 936), "");
}

TEST(CodePage, SystemCodePageComesFromTheRegistry) {
    std::string file = TempFolder() + "tk_cp_" + std::to_string(::getpid()) + ".reg";
    std::ofstream(file) << "[HKEY_LOCAL_MACHINE\\Software\\RKT\\Vandril]\nANSICodePage=950\n";
    ::setenv("VANDRIL_REGISTRY", file.c_str(), 1);
    EXPECT_EQ(SystemCodePage(), 950);
    std::ofstream(file) << "[HKEY_LOCAL_MACHINE\\Software\\RKT\\Vandril]\nANSICodePage=abc\n";
    EXPECT_EQ(SystemCodePage(), 936);
    ::unsetenv("VANDRIL_REGISTRY");
    EXPECT_EQ(SystemCodePage(), 936);
    std::remove(file.c_str());
}

TEST(CodePage, ConvertsOnManyThreadsAtOnce) {
    std::vector<std::thread> threads;
    std::vector<int> failures(4, 0);
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([t, &failures] {
            for (int i = 0; i < 500; ++i) {
                int cp = (t % 2) ? 950 : 936;
                std::string text = (t % 2) ? "文檔資料" : "文档资料";
                if (FromCodePageBytes(ToCodePageBytes(text, cp), cp) != text) ++failures[static_cast<std::size_t>(t)];
            }
        });
    for (auto& th : threads) th.join();
    EXPECT_EQ(failures, (std::vector<int>{0, 0, 0, 0}));
}
