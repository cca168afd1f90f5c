#include "env/Dates.h"

#include "EnvFixture.h"

TEST(Dates, DateToTextFollowsTheOrderAndSeparator) {
    const TDateTime d = EncodeDateTime(2026, 3, 7, 9, 5, 4, 21);
    EXPECT_EQ(DateToText(1, "/", d), "2026/03/07");
    EXPECT_EQ(DateToText(2, "-", d), "03-07-2026");
    EXPECT_EQ(DateToText(3, ".", d), "07.03.2026");
    EXPECT_EQ(DateToText(4, "/", d), "115/03/07");  // two digits at least
    EXPECT_EQ(DateToText(5, "/", d), "115/03/07");
    EXPECT_EQ(DateToText(5, "/", EncodeDate(1920, 1, 2)), "009/01/02");
    EXPECT_EQ(DateToText(4, "/", EncodeDate(1920, 1, 2)), "09/01/02");
    EXPECT_EQ(DateToText(1, "-/", d), "2026-03-07");  // only the first character separates
    EXPECT_EQ(DateToText(1, "年", d), "2026年03年07");
    EXPECT_EQ(DateToText(1, "/", 0), "");
    EXPECT_EQ(DateTimeToText(1, "/", d), "2026/03/07 09:05:04:021");
    EXPECT_EQ(DateTimeToText(3, "/", d), "07/03/2026 09:05:04:021");
}

TEST(Dates, TextToDateReadsTheUsersLayoutAndRollsOverlongDays) {
    EXPECT_EQ(TextToDate("2026/2/30", 1, "/"), EncodeDate(2026, 3, 2));
    EXPECT_EQ(TextToDate(" 2026/03/07 ", 1, "/"), EncodeDate(2026, 3, 7));
    EXPECT_EQ(TextToDate("03-07-2026", 2, "-"), EncodeDate(2026, 3, 7));
    EXPECT_EQ(TextToDate("07.03.2026", 3, "."), EncodeDate(2026, 3, 7));
    EXPECT_EQ(TextToDate("115/3/7", 5, "/"), EncodeDate(2026, 3, 7));
    EXPECT_EQ(TextToDate("15/3/7", 4, "/"), EncodeDate(1926, 3, 7));
    for (const char* bad : {"", "2026/x/1", "2026/0/1", "2026/13/1", "2026/3", "2026-3-7", "2026/3/7/1", "-1/3/7"})
        EXPECT_EQ(TextToDate(bad, 1, "/"), 0) << bad;
}

TEST(Dates, TextToStoredDate) {
    EXPECT_EQ(TextToStoredDate("115/3/7", 5, "/"), "20260307");
    EXPECT_EQ(TextToStoredDate("2026/3/7", 1, "/"), "20260307");
    EXPECT_EQ(TextToStoredDate("3-7-2026", 2, "-"), "20260307");
    EXPECT_EQ(TextToStoredDate("7.3.2026", 3, "."), "20260307");
    EXPECT_EQ(TextToStoredDate(" 2026 / 3 / 7 ", 1, "/"), "20260307");
    EXPECT_EQ(TextToStoredDate("20260307", 1, ""), "20260307");  // fixed positions
    EXPECT_EQ(TextToStoredDate("2026/0/7", 1, "/"), "0");
    EXPECT_EQ(TextToStoredDate("2026/a/7", 1, "/"), "0");
    EXPECT_EQ(TextToStoredDate("2026/3", 1, "/"), "0");
}

TEST(Dates, StoredDatesAndStamps) {
    EXPECT_EQ(StoredDateToDate("20260307"), EncodeDate(2026, 3, 7));
    for (const char* bad : {"2026037", "202603071", "20260230", "00000307", "20260007", "2026030x", ""})
        EXPECT_EQ(StoredDateToDate(bad), 0) << bad;

    EXPECT_EQ(StampToDateTime("20260307102030456"), EncodeDateTime(2026, 3, 7, 10, 20, 30, 456));
    EXPECT_EQ(StampToDateTime("00000000102030456"), EncodeTime(10, 20, 30, 456));
    EXPECT_EQ(StampToDateTime("20260307256030456"), 0);
    EXPECT_EQ(StampToDateTime("2026030710203045x"), 0);
    EXPECT_EQ(StampToDateTime("2026030710203045"), 0);
    EXPECT_EQ(StampToDateTime("20260230102030456"), 0);

    EXPECT_TRUE(IsValidStoredDate(""));
    EXPECT_TRUE(IsValidStoredDate("17530101"));
    EXPECT_TRUE(IsValidStoredDate("99991231"));
    EXPECT_TRUE(IsValidStoredDate("20240229"));
    EXPECT_FALSE(IsValidStoredDate("17521231"));
    EXPECT_FALSE(IsValidStoredDate("20250229"));
    EXPECT_FALSE(IsValidStoredDate("2026-3-7"));
    EXPECT_FALSE(IsValidStoredDate("2026030"));
}

TEST(Dates, StampNowUsesTheReplaceableClock) {
    ScopedClock outer(EncodeDateTime(2026, 3, 15, 10, 20, 30, 456));
    EXPECT_EQ(StampNow(), "20260315102030456");
    {
        ScopedClock inner(EncodeDateTime(1999, 12, 31, 23, 59, 59, 999));
        EXPECT_EQ(StampNow(), "19991231235959999");
    }
    EXPECT_EQ(ClockNow(), EncodeDateTime(2026, 3, 15, 10, 20, 30, 456));
    SetClock({});  // the system clock, until outer restores the fixed one
    EXPECT_EQ(StampNow().size(), 17u);
    EXPECT_NE(StampToDateTime(StampNow()), 0);
}
