#include <gtest/gtest.h>

#include "toolkit/rtl/Format.h"
#include "toolkit/rtl/FormatSettings.h"

TEST(Format, IntegersHonourWidthPrecisionAndAlignment) {
    EXPECT_EQ(Format("%d", {42}), "42");
    EXPECT_EQ(Format("%.2d", {5}), "05");
    EXPECT_EQ(Format("%.4d", {-37}), "-0037");
    EXPECT_EQ(Format("[%5d]", {42}), "[   42]");
    EXPECT_EQ(Format("[%-5d]", {42}), "[42   ]");
    EXPECT_EQ(Format("UDF%.2d", {7}), "UDF07");
    EXPECT_EQ(Format("%u", {-1}), "4294967295");
    EXPECT_EQ(Format("%x", {255}), "FF");
    EXPECT_EQ(Format("%.4x", {255}), "00FF");
    EXPECT_EQ(Format("%d%%", {50}), "50%");
}

TEST(Format, StarTakesWidthAndPrecisionFromTheArguments) {
    EXPECT_EQ(Format("%.*d", {3, 7}), "007");
    EXPECT_EQ(Format("[%-*s]", {6, "ab"}), "[ab    ]");
    EXPECT_EQ(Format("%.*f", {1, 2.25}), "2.3");  // ties round away from zero
    EXPECT_EQ(Format("%*.*f", {8, 3, 3.14159}), "   3.142");
}

TEST(Format, FloatsInEveryStyle) {
    EXPECT_EQ(Format("%f", {1.0 / 3}), "0.33");
    EXPECT_EQ(Format("%3.2f%%", {12.345678}), "12.35%");
    EXPECT_EQ(Format("%.0f", {2.5}), "3");
    EXPECT_EQ(Format("%.2f", {0.125}), "0.13");
    EXPECT_EQ(Format("%.2f", {2.675}), "2.67");  // stored as 2.67499...
    EXPECT_EQ(Format("%.1f", {99.96}), "100.0");
    EXPECT_EQ(Format("%.2f", {-0.001}), "0.00");
    EXPECT_EQ(Format("%g", {0.1}), "0.1");
    EXPECT_EQ(Format("%g", {1e20}), "1E20");
    EXPECT_EQ(Format("%g", {123456.0}), "123456");
    EXPECT_EQ(Format("%e", {1234.5}), "1.23450000000000E+003");
    EXPECT_EQ(Format("%.3e", {-0.000123}), "-1.23E-004");
    EXPECT_EQ(Format("%n", {1234567.891}), "1,234,567.89");
    EXPECT_EQ(Format("%.0n", {999.0}), "999");
    EXPECT_EQ(Format("%m", {1234.5}), "¥1,234.50");
    EXPECT_EQ(Format("%m", {-3.0}), "¥-3.00");
}

TEST(Format, StringsAndArgumentIndexes) {
    EXPECT_EQ(Format("%s=%s", {"a", "b"}), "a=b");
    EXPECT_EQ(Format("%.2s", {"文档信息"}), "文档");  // precision counts characters
    EXPECT_EQ(Format("[%4s]", {"文档"}), "[  文档]");
    EXPECT_EQ(Format("%1:s %0:s %s", {"x", "y"}), "y x y");
    EXPECT_EQ(Format("[%s]", {Variant::Null()}), "[]");
    EXPECT_EQ(Format("no args", {}), "no args");
}

TEST(Format, BadFormatsAndWrongArgumentsRaise) {
    const std::string message = "Format '%d' invalid or incompatible with argument";
    try {
        Format("%d", {"text"});
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), message);
    }
    EXPECT_THROW(Format("%d", {1.5}), EConvertError);
    EXPECT_THROW(Format("%f", {1}), EConvertError);
    EXPECT_THROW(Format("%s", {12}), EConvertError);
    EXPECT_THROW(Format("%d %d", {1}), EConvertError);      // too few arguments
    EXPECT_THROW(Format("%q", {1}), EConvertError);         // unknown type
    EXPECT_THROW(Format("50%", {}), EConvertError);         // dangling percent
    EXPECT_THROW(Format("%.*d", {"x", 1}), EConvertError);  // star needs an integer
    EXPECT_THROW(Format("%3:s", {"a"}), EConvertError);     // index out of range
}

TEST(Format, FollowsTheFormatSettings) {
    TFormatSettings saved = FormatSettings();
    FormatSettings().DecimalSeparator = ',';
    FormatSettings().ThousandSeparator = '.';
    FormatSettings().CurrencyString = "EUR";
    FormatSettings().CurrencyFormat = 3;
    EXPECT_EQ(Format("%n", {1234.5}), "1.234,50");
    EXPECT_EQ(Format("%m", {2.0}), "2,00 EUR");
    FormatSettings() = saved;
    EXPECT_EQ(FloatToStrGeneral(1.5e-10), "1.5E-10");
    EXPECT_EQ(FloatToStrGeneral(100), "100");
    EXPECT_EQ(FloatToStrGeneral(0.00001), "0.00001");
    EXPECT_EQ(FloatToStrGeneral(-2.5), "-2.5");
}
