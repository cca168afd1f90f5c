#include <gtest/gtest.h>

#include "toolkit/data/EditMask.h"
#include "toolkit/data/Numbers.h"

TEST(FormatFloat, PatternsOfTheFramework) {
    EXPECT_EQ(FormatFloat("#,##0.00", 1234.5), "1,234.50");
    EXPECT_EQ(FormatFloat("#,##0.00", -1234.5), "-1,234.50");
    EXPECT_EQ(FormatFloat("#,##0.00", 0), "0.00");
    EXPECT_EQ(FormatFloat("#,##0.#######", 1234.5), "1,234.5");
    EXPECT_EQ(FormatFloat("#,##0.#######", 1234567), "1,234,567");
    EXPECT_EQ(FormatFloat("##0.#######", 1234.125), "1234.125");
    EXPECT_EQ(FormatFloat("0.00", 2), "2.00");
    EXPECT_EQ(FormatFloat("0.00", 2.675), "2.68");  // half away from zero on the decimal digits
    EXPECT_EQ(FormatFloat("0.00", -2.675), "-2.68");
    EXPECT_EQ(FormatFloat("#,##0", 1234.5), "1,235");
    EXPECT_EQ(FormatFloat("#,##0", 999999.7), "1,000,000");
    EXPECT_EQ(FormatFloat("#.##", 0.5), ".5");
    EXPECT_EQ(FormatFloat("0.0#", 0.0001), "0.0");
    EXPECT_EQ(FormatFloat("00000", 42), "00042");
    EXPECT_EQ(FormatFloat("#,##0.00 元", 3), "3.00 元");
    EXPECT_EQ(FormatFloat("\"$\"#,##0.00", 1.5), "$1.50");
    EXPECT_EQ(FormatFloat("", 0.1), "0.1");
}

TEST(FormatFloat, SectionsAndScientific) {
    EXPECT_EQ(FormatFloat("#,##0.00;(#,##0.00)", -12.5), "(12.50)");
    EXPECT_EQ(FormatFloat("#,##0.00;(#,##0.00);零", 0), "零");
    EXPECT_EQ(FormatFloat("0.00;;zero", 0.001), "zero");  // zero after rounding
    EXPECT_EQ(FormatFloat("0.00E+00", 12345), "1.23E+04");
    EXPECT_EQ(FormatFloat("0.0E-0", 0.00025), "2.5E-4");
    EXPECT_EQ(FormatFloat("0", -0.4), "0");  // no "-0"
}

TEST(Numbers, TypedTextAndRounding) {
    double v = 0;
    EXPECT_TRUE(TryTextToFloat("1,234.5", v));
    EXPECT_DOUBLE_EQ(v, 1234.5);
    EXPECT_TRUE(TryTextToFloat("  -12,345,678  ", v));
    EXPECT_DOUBLE_EQ(v, -12345678);
    EXPECT_TRUE(TryTextToFloat("1.5E3", v));
    EXPECT_DOUBLE_EQ(v, 1500);
    EXPECT_FALSE(TryTextToFloat("", v));
    EXPECT_FALSE(TryTextToFloat("12a", v));
    EXPECT_FALSE(TryTextToFloat("1.2,3", v));  // a separator after the point is not a number
    EXPECT_DOUBLE_EQ(RoundHalfAway(2.675, 2), 2.68);
    EXPECT_DOUBLE_EQ(RoundHalfAway(-0.125, 2), -0.13);
    EXPECT_DOUBLE_EQ(RoundHalfAway(1234.5, 0), 1235);
    EXPECT_DOUBLE_EQ(RoundHalfAway(1.23456, -1), 1.23456);
}

TEST(EditMask, FormatsValidatesAndUnformats) {
    TEditMask time("99:99;1; ");
    EXPECT_TRUE(time.SaveLiterals());
    EXPECT_EQ(time.Blank(), " ");
    EXPECT_EQ(time.Format("0805"), "08:05");
    EXPECT_EQ(time.Format("08:05"), "08:05");
    EXPECT_EQ(time.Format(""), "  :  ");
    EXPECT_EQ(time.Unformat("  :  "), "  :  ");
    EXPECT_EQ(time.Unformat("08:05"), "08:05");
    EXPECT_TRUE(time.IsValid("  :  "));  // 9 is an optional digit
    EXPECT_FALSE(time.IsValid("0a:05"));
    EXPECT_EQ(time.FirstInvalidPosition("0a:05"), 1);

    TEditMask date("!9999/99/99;1;_");
    EXPECT_EQ(date.Format("2024/03/05"), "2024/03/05");
    EXPECT_EQ(date.Format("202403"), "2024/03/__");
    EXPECT_EQ(date.Unformat("2024/03/__"), "2024/03/  ");

    TEditMask noLiterals("000-000;0;_");
    EXPECT_FALSE(noLiterals.SaveLiterals());
    EXPECT_EQ(noLiterals.Format("123456"), "123-456");
    EXPECT_EQ(noLiterals.Unformat("123-456"), "123456");
    EXPECT_FALSE(noLiterals.IsValid("123-45_"));  // 0 is a required digit

    TEditMask upper(">LL;0; ");
    EXPECT_EQ(upper.Convert(0, "a"), "A");
    EXPECT_TRUE(upper.Accepts(1, "中"));
    EXPECT_FALSE(upper.Accepts(1, "5"));
    EXPECT_EQ(FormatMaskText("99;1; ", "7"), "7 ");
    EXPECT_EQ(FormatMaskText("###.##%;1; ", "12.50%"), "12 .50%");
}
