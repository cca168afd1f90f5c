#include "env/VariantCodePage.h"

#include "EnvFixture.h"

using VariantCodePageTest = EnvFixture;

TEST_F(VariantCodePageTest, ToCodePageReplacesWhatTheCodePageLacksInEveryElement) {
    EXPECT_EQ(VariantToCodePage(Variant("文档€😀"), 936), Variant("文档€?"));
    EXPECT_EQ(VariantToCodePage(Variant("门們"), 950), Variant("?們"));
    EXPECT_EQ(VariantToCodePage(Variant(12), 936), Variant(12));

    Variant grid = VarArrayCreate(0, 1, 1, 2);
    grid.At(0, 1) = "a😀";
    grid.At(0, 2) = 5;
    grid.At(1, 1) = "文";
    grid.At(1, 2) = VarArrayOf({Variant("😀"), Variant::Null()});
    const Variant converted = VariantToCodePage(grid, 936);
    EXPECT_EQ(converted.At(0, 1), Variant("a?"));
    EXPECT_EQ(converted.At(0, 2), Variant(5));
    EXPECT_EQ(converted.At(1, 1), Variant("文"));
    EXPECT_EQ(converted.At(1, 2)[0], Variant("?"));
    EXPECT_TRUE(converted.At(1, 2)[1].IsNull());
    EXPECT_EQ(grid.At(0, 1), Variant("a😀"));  // the argument is left alone

    const Variant nested = VariantToCodePage(VarArrayOf({Variant("x😀"), VarArrayOf({Variant("y😀")})}), 936);
    EXPECT_EQ(nested[0], Variant("x?"));
    EXPECT_EQ(nested[1][0], Variant("y?"));
}

TEST_F(VariantCodePageTest, FromCodePageDecodesBytes) {
    const std::string gbk = "\xce\xc4\xb5\xb5";  // 文档 in code page 936
    EXPECT_EQ(VariantFromCodePage(Variant(Bytes(gbk.begin(), gbk.end())), 936), Variant("文档"));
    const Variant list = VariantFromCodePage(VarArrayOf({Variant(gbk), Variant("已是文字")}), 936);
    EXPECT_EQ(list[0], Variant("文档"));
    EXPECT_EQ(list[1], Variant("已是文字"));
}

TEST_F(VariantCodePageTest, FailuresGoToTheLibstrsAlertLog) {
    WriteStandardRegistry();
    const Variant value = VarArrayOf({Variant("文档"), Variant(1)});
    EXPECT_EQ(VariantToCodePage(value, 99999), value);
    const std::string log = ReadFile(client_ + "Log/Alert_libstrs_20260315.log");
    EXPECT_NE(log.find("] LINE[2735] "), std::string::npos) << log;

    EXPECT_EQ(VariantFromCodePage(Variant(Bytes{0xce, 0xc4}), 99999).Type(), VarType::Bytes);
    EXPECT_NE(ReadFile(client_ + "Log/Alert_libstrs_20260315.log").find("] LINE[115] "), std::string::npos);
}
