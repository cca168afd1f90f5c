// The translator library and the table-driven conversion: character-level conversions that come back
// to where they started, the byte encodings, and the "Language" tables with their index arithmetic.
#include "i18n/TableConversion.h"
#include "i18n/Translator.h"
#include "tests/i18n/I18nFixture.h"
#include "toolkit/os/CodePage.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

std::string Bytes(std::initializer_list<int> bytes) {
    std::string text;
    for (int b : bytes) text += static_cast<char>(b);
    return text;
}

// Every character of the GB2312 rows (lead bytes 176..247), as UTF-8.
std::string Gb2312Characters() {
    std::string bytes;
    for (int lead = 176; lead <= 247; ++lead)
        for (int trail = 161; trail <= 254; ++trail) bytes += Bytes({lead, trail});
    std::string text = FromCodePageBytes(bytes, 936);
    std::erase(text, '?');
    return text;
}

// The characters in which two texts of the same length differ, "a/b" each ("" when none).
std::string Differences(const std::string& a, const std::string& b) {
    const std::vector<std::string> left = Utf8Chars(a), right = Utf8Chars(b);
    if (left.size() != right.size()) return "lengths " + std::to_string(left.size()) + " and " + std::to_string(right.size());
    std::string differences;
    for (std::size_t i = 0; i < left.size(); ++i)
        if (left[i] != right[i]) differences += left[i] + "/" + right[i] + " ";
    return differences;
}

}  // namespace

TEST_F(I18nTest, TheLibraryConvertsCharacterByCharacterAndComesBack) {
    TTranslator translator;
    EXPECT_EQ(translator.GBtoBIG5("文档信息录入作业"), "文檔信息錄入作業");
    EXPECT_EQ(translator.BIG5toGB("文檔信息錄入作業"), "文档信息录入作业");
    EXPECT_EQ(translator.GBtoBIG5("文档 ABC 123 (&S)"), "文檔 ABC 123 (&S)");
    EXPECT_EQ(translator.GBtoBIG5(""), "");
    // Characters alone, not words: every character has one counterpart, so a text converted there
    // and back is settled: further round trips change nothing.
    const std::string all = Gb2312Characters();
    ASSERT_GT(all.size(), 6000u * 3);
    const std::string traditional = translator.GBtoBIG5(all);
    const std::string back = translator.BIG5toGB(traditional);
    const std::string settled = translator.GBtoBIG5(back);
    EXPECT_EQ(Differences(translator.BIG5toGB(settled), back), "");
    EXPECT_EQ(Differences(translator.GBtoBIG5(translator.BIG5toGB(settled)), settled), "");
    // The first round gives back every character but the few variants GB2312 holds besides their
    // standard form (後 and 后, 乾 and 干 ...).
    const std::string changed = Differences(back, all);
    EXPECT_LT(Utf8Chars(changed).size(), 3u * 40) << changed;
    EXPECT_EQ(Utf8Chars(traditional).size(), Utf8Chars(all).size());
    EXPECT_GT(Utf8Chars(Differences(traditional, all)).size(), 3u * 2000) << "most characters have a traditional form";
    // A text longer than the first buffer guess still comes back whole.
    std::string many;
    for (int i = 0; i < 2000; ++i) many += "后";
    EXPECT_EQ(translator.BIG5toGB(translator.GBtoBIG5(many)), many);
}

TEST_F(I18nTest, TheLibraryGivesTheBytesOfEitherCodePage) {
    TTranslator translator;
    ASSERT_NE(translator.GetBIG5Data(), nullptr);
    ASSERT_NE(translator.GetGBData(), nullptr);
    ASSERT_NE(translator.SaveOrder(), nullptr);
    EXPECT_EQ(CallTextConversion(translator.GetBIG5Data(), "文檔"), ToCodePageBytes("文檔", 950));
    EXPECT_EQ(CallTextConversion(translator.GetGBData(), "文档"), Bytes({0xCE, 0xC4, 0xB5, 0xB5}));
}

TEST_F(I18nTest, TableIndexesFollowTheirFormulas) {
    EXPECT_EQ(GbIndex(161, 161), 0);
    EXPECT_EQ(GbIndex(247, 254), 8177);
    EXPECT_EQ(GbIndex(129, 64), 8178) << "the first index of the 129 row";
    EXPECT_EQ(GbIndex(160, 254), 14289);
    EXPECT_EQ(GbIndex(170, 64), 14290);
    EXPECT_EQ(GbIndex(254, 160), 22534);
    EXPECT_EQ(GbIndex(168, 64), 22535);
    EXPECT_EQ(GbIndex(169, 160), 22728);
    EXPECT_EQ(GbIndex(170, 161), -1) << "the private rows have no index";
    EXPECT_EQ(GbIndex(129, 63), -1);
    EXPECT_EQ(Big5Index(161, 64), 0);
    EXPECT_EQ(Big5Index(161, 126), 62);
    EXPECT_EQ(Big5Index(161, 161), 63);
    EXPECT_EQ(Big5Index(162, 64), 157);
    EXPECT_EQ(Big5Index(161, 127), -1);
    EXPECT_EQ(Big5Index(100, 64), -1);
}

TEST_F(I18nTest, TheTablesOfTheLanguageFileAgreeWithTheLibrary) {
    ASSERT_TRUE(FileExists(install.ClientPath() + "Language")) << "written for the installation";
    ResetLanguageTables();
    TTranslator translator;
    // The characters whose counterpart the other code page holds (BIG5 lacks 鉢, GBK has 爲 ...).
    std::string simplified, traditional;
    for (const std::string& character : Utf8Chars(Gb2312Characters())) {
        const std::string other = translator.GBtoBIG5(character);
        if (IsRepresentable(other, 950)) simplified += character;
        if (IsRepresentable(other, 950) && IsRepresentable(translator.BIG5toGB(other), 936)) traditional += other;
    }
    ASSERT_GT(Utf8Chars(simplified).size(), 6000u);
    EXPECT_EQ(Differences(GBToBig5ByTable(simplified), translator.GBtoBIG5(simplified)), "");
    EXPECT_EQ(Differences(Big5ToGBByTable(traditional), translator.BIG5toGB(traditional)), "");
    // The others keep what the code pages' own conversion gives.
    EXPECT_EQ(GBToBig5ByTable("床"), "床");
    EXPECT_TRUE(app.Messages().Shown().empty());

    // Bytes: the euro sign of each code page, a lone high byte at the end, ASCII around them.
    EXPECT_EQ(GbBytesToBig5ByTable(Bytes({'A', 128, 0xB5, 0xB5, 0xCE})), Bytes({'A', 163, 225, 0xC0, 0xC9, 0xCE}));
    EXPECT_EQ(Big5BytesToGbByTable(Bytes({163, 225, 0xC0, 0xC9, 'z', 0xA4})), Bytes({128, 0xB5, 0xB5, 'z', 0xA4}));
    // Characters the source code page lacks pass unchanged.
    EXPECT_EQ(Big5ToGBByTable("文档 檔"), "文档 档");
}

TEST_F(I18nTest, WithoutTheLanguageFileTheCodePagesConvertAndTheFileIsSoughtAgain) {
    const std::string file = install.ClientPath() + "Language";
    std::filesystem::rename(file, file + ".away");
    ResetLanguageTables();
    EXPECT_EQ(GBToBig5ByTable("ABC"), "ABC");
    ASSERT_EQ(app.Messages().Shown().size(), 1u);
    EXPECT_EQ(app.Messages().Shown()[0].Text, "Can't find file Language !!");
    // The code pages' own conversion keeps characters both hold and marks the others.
    EXPECT_EQ(GbBytesToBig5ByTable(Bytes({0xCE, 0xC4, 0xB5, 0xB5})), Bytes({0xA4, 0xE5, '?'}));
    EXPECT_EQ(app.Messages().Shown().size(), 2u) << "looked for again";

    std::filesystem::rename(file + ".away", file);
    EXPECT_EQ(GBToBig5ByTable("文档"), "文檔");
    EXPECT_EQ(app.Messages().Shown().size(), 2u);
}
