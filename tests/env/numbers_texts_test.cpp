#include <gtest/gtest.h>

#include "env/ButtonCaptions.h"
#include "env/Numbers.h"
#include "env/Texts.h"

TEST(Numbers, FixDecimalsRoundsHalvesAwayFromZero) {
    EXPECT_DOUBLE_EQ(FixDecimals(2.675, 2), 2.68);  // 2.67499999... in binary
    EXPECT_DOUBLE_EQ(FixDecimals(-2.675, 2), -2.68);
    EXPECT_DOUBLE_EQ(FixDecimals(1.005, 2), 1.01);
    EXPECT_DOUBLE_EQ(FixDecimals(2.5, 0), 3);
    EXPECT_DOUBLE_EQ(FixDecimals(-2.5, 0), -3);
    EXPECT_DOUBLE_EQ(FixDecimals(1.23449, 3), 1.234);
    EXPECT_DOUBLE_EQ(FixDecimals(0, 4), 0);
}

TEST(Numbers, SameNumberToleratesBinaryNoise) {
    EXPECT_EQ(SameNumber(0.1 + 0.2, 0.3), 0);
    EXPECT_EQ(SameNumber(1, 2), -1);
    EXPECT_EQ(SameNumber(2, 1), 1);
    EXPECT_EQ(SameNumber(1.0, 1.0 + 1e-9), -1);
    EXPECT_EQ(SameNumber(-5.5, -5.5), 0);
}

TEST(Numbers, Durations) {
    EXPECT_EQ(SecondsToDuration(0), "0000:00:00");
    EXPECT_EQ(SecondsToDuration(3661), "0001:01:01");
    EXPECT_EQ(SecondsToDuration(-3661), "-0001:01:01");
    EXPECT_EQ(SecondsToDuration(36000000), "10000:00:00");

    Variant sum = AddDuration("0001:30:00", "0000:45:30", 1);
    EXPECT_EQ(sum[0].AsInt64(), 8130);
    EXPECT_EQ(sum[1].AsString(), "0002:15:30");
    Variant difference = AddDuration("0000:10:00", "0001:00:00", -1);
    EXPECT_EQ(difference[0].AsInt64(), -3000);
    EXPECT_EQ(difference[1].AsString(), "-0000:50:00");
    EXPECT_EQ(AddDuration("-0001:00:00", "0001:00:00", 1)[1].AsString(), "0000:00:00");
    for (const auto& [a, b, sign] : {std::tuple{"1:2:3", "0001:00:00", 1}, std::tuple{"0001:00:00", "0001:00:00", 2},
                                     std::tuple{"0001:00:00", "0001:00", 1}, std::tuple{"00a1:00:00", "0001:00:00", 1}}) {
        Variant bad = AddDuration(a, b, sign);
        EXPECT_EQ(bad[0].AsInt64(), 0) << a << " " << b;
        EXPECT_EQ(bad[1].AsString(), "000:00:00");
    }
}

TEST(Texts, PaddingAndFields) {
    EXPECT_EQ(PadLeft("7", 3, '0'), "007");
    EXPECT_EQ(PadRight("ab", 4), "ab  ");
    EXPECT_EQ(PadLeft("abcd", 2), "abcd");
    EXPECT_EQ(PadRight("文档", 4), "文档  ");
    EXPECT_EQ(ZeroPad(4, 7), "0007");
    EXPECT_EQ(ZeroPad(2, 123), "123");

    EXPECT_EQ(Field("a;b;c", ";", 2), "b");
    EXPECT_EQ(Field("a;b;c", ";", 3), "c");
    EXPECT_EQ(Field("a;b;c", ";", 4), "");
    EXPECT_EQ(Field("a||b", "||", 2), "b");
    EXPECT_EQ(CountFields("", ";"), 0);
    EXPECT_EQ(CountFields("a", ";"), 1);
    EXPECT_EQ(CountFields("a;;b;", ";"), 4);

    std::string text = "MC001,MC002,MC003";
    EXPECT_EQ(TakeField(text, ","), "MC001");
    EXPECT_EQ(text, "MC002,MC003");
    text = "MC001";
    EXPECT_EQ(TakeField(text, ","), "MC001");
    EXPECT_EQ(text, "");
}

TEST(Texts, ReplaceChooseAndAddresses) {
    EXPECT_EQ(ReplaceAllText("Select a from T From", "FROM", "in"), "Select a in T in");
    EXPECT_EQ(ReplaceAllText("select from t", "from", "FROM"), "select from t");  // equal ignoring case
    EXPECT_EQ(ReplaceAllText("a.b.c", ".", ".."), "a..b..c");                     // a replacement containing the pattern
    EXPECT_EQ(ReplaceAllText("  x y  ", "y", "z", true), "x z");
    EXPECT_EQ(ReplaceAllText("  x y  ", "y", "z", false), "  x z  ");

    EXPECT_EQ(Choose(true, Variant(1), Variant("b")), Variant(1));
    EXPECT_EQ(Choose(false, Variant(1), Variant("b")), Variant("b"));
    EXPECT_TRUE(IsEmptyOrNull(Variant()));
    EXPECT_TRUE(IsEmptyOrNull(Variant::Null()));
    EXPECT_FALSE(IsEmptyOrNull(Variant("")));
    EXPECT_TRUE(IsLocalAddress("127.0.0.1"));
    EXPECT_FALSE(IsLocalAddress("localhost"));
    EXPECT_FALSE(IsLocalAddress("127.0.0.2"));
}

TEST(Texts, ButtonCaptions) {
    EXPECT_EQ(ButtonCaption("Yes"), "是(&Y)");
    EXPECT_EQ(ButtonCaption("No"), "否(&N)");
    EXPECT_EQ(ButtonCaption("OK"), "确定");
    EXPECT_EQ(ButtonCaption("Cancel"), "取消");
    EXPECT_EQ(ButtonCaption("Abort"), "中断(&A)");
    EXPECT_EQ(ButtonCaption("Retry"), "重试(&R)");
    EXPECT_EQ(ButtonCaption("Ignore"), "忽略(&I)");
    EXPECT_EQ(ButtonCaption("All"), "全部(&A)");
    EXPECT_EQ(ButtonCaption("NoToAll"), "全否(&o)");
    EXPECT_EQ(ButtonCaption("YesToAll"), "全是(&A)");
    EXPECT_EQ(ButtonCaption("Help"), "帮助(&H)");
    EXPECT_EQ(ButtonCaption("Close"), "Close");
    EXPECT_EQ(ButtonCaption("yes"), "yes");
}
