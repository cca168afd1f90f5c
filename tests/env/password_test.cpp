#include <random>

#include "env/PasswordScrambling.h"
#include "EnvFixture.h"
#include "toolkit/rtl/Strings.h"
#include "toolkit/rtl/SysUtils.h"

using PasswordTest = EnvFixture;

TEST_F(PasswordTest, EncodingRotatesEachByteByItsPosition) {
    // 'A' 0x41 rotated right by 1 is 0xa0; 'B' 0x42 by 2 is 0x90; the eighth byte is not rotated.
    EXPECT_EQ(EncodePassword("A"), "a0");
    EXPECT_EQ(EncodePassword("AB"), "a090");
    EXPECT_EQ(EncodePassword("AAAAAAAA").substr(14), "41");
    // Chinese is scrambled as its code-page-936 bytes: four bytes, eight digits.
    EXPECT_EQ(EncodePassword("文档").size(), 8u);
    EXPECT_EQ(EncodePassword(""), EncodePassword("RK_Say_NoPassWord_ThePassWordIsEmpty"));
    EXPECT_EQ(DecodeSQLSa(EncodePassword("")), "");
    // An odd last character is ignored.
    EXPECT_EQ(DecodeSQLSa("a090f"), "AB");
    EXPECT_EQ(DecodeSQLSa("A090"), "AB");
}

TEST_F(PasswordTest, DecodingUndoesEncodingForRandomTexts) {
    const std::vector<std::string> alphabet =
        Utf8Chars("abcXYZ0129 !@#$%^&*()_+-=[]{};':\",./<>?`~\\|文档信息录入作业资料库密码管理员用户帳號門們€");
    std::mt19937 random(20260315);
    std::uniform_int_distribution<int> length(1, 24);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    for (int n = 0; n < 3000; ++n) {
        std::string text;
        for (int i = length(random); i > 0; --i) text += alphabet[pick(random)];
        const std::string encoded = EncodePassword(text);
        ASSERT_EQ(encoded.find_first_not_of("0123456789abcdef"), std::string::npos) << text;
        ASSERT_EQ(DecodeSQLSa(encoded), text);
    }
}

TEST_F(PasswordTest, TextThatIsNotScrambledGivesTheErrorMarkerAndAReport) {
    WriteStandardRegistry();
    EXPECT_EQ(DecodeSQLSa("a0zz"), "RK_Say_Password_Error");
    const std::string report = ReadFile(client_ + "Log/Alert_TessalGenerator_20260315.log");
    EXPECT_NE(report.find(" on " + EncodePassword("DecodeSQLSa") + " "), std::string::npos) << report;
    EXPECT_NE(report.find("Programer Message: 解析 Sa 时发生错误!"), std::string::npos) << report;
    // Bytes that are no code-page-936 text (a lone lead byte) cannot be a scrambled password either.
    EXPECT_EQ(DecodeSQLSa("c0"), "RK_Say_Password_Error");  // 0xc0 rotated left by 1 is the lead byte 0x81
}
