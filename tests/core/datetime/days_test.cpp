#include "core/text_utf.h"
#include "core/tools/datetime/calendar.h"
#include "core/tools/datetime/day_span.h"

#include <gtest/gtest.h>

namespace sumiplex::datetime {
namespace {

using sumiplex::testing::u16;
using sumiplex::testing::utf8;

Date ymd(int y, unsigned m, unsigned d) {
    return Date{std::chrono::year{y}, std::chrono::month{m}, std::chrono::day{d}};
}

TEST(Calendar, LeapYearsAndMonthLengths) {
    struct Case {
        int year, month, days;
    };
    for (const Case c :
         {Case{1900, 2, 28}, Case{2000, 2, 29}, Case{2024, 2, 29}, Case{2023, 2, 28},
          Case{2024, 4, 30}, Case{2024, 12, 31}, Case{2024, 0, 0}, Case{2024, 13, 0}}) {
        EXPECT_EQ(DaysInMonth(c.year, c.month), c.days) << c.year << "/" << c.month;
    }
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_TRUE(IsLeapYear(2024));
}

struct SpanCase {
    Date e, l;
    int years, months, days, count;
};

class SpanTable : public ::testing::TestWithParam<SpanCase> {};

TEST_P(SpanTable, CountsFromTheEarlierDateWhicheverPickerHoldsIt) {
    const SpanCase& c = GetParam();
    for (const auto& [first, second] : {std::pair{c.e, c.l}, std::pair{c.l, c.e}}) {
        const DaySpan s = RecalcDays(first, second);
        EXPECT_EQ(s.years, c.years) << utf8(shortDate(first)) << " - " << utf8(shortDate(second));
        EXPECT_EQ(s.months, c.months);
        EXPECT_EQ(s.days, c.days);
        EXPECT_EQ(s.dayCount, c.count);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Spans, SpanTable,
    ::testing::Values(SpanCase{ymd(2000, 1, 15), ymd(2011, 8, 24), 11, 7, 9, 4239},
                      // a borrowed month has the length of the earlier date's month
                      SpanCase{ymd(2011, 1, 31), ymd(2011, 3, 1), 0, 1, 1, 29},
                      SpanCase{ymd(2010, 5, 20), ymd(2011, 5, 10), 0, 11, 21, 355},
                      // month end to month end: whole months, and whole years with them
                      SpanCase{ymd(2011, 1, 31), ymd(2011, 2, 28), 0, 1, 0, 28},
                      SpanCase{ymd(2011, 1, 31), ymd(2011, 4, 30), 0, 3, 0, 89},
                      SpanCase{ymd(2024, 2, 29), ymd(2025, 2, 28), 1, 0, 0, 365},
                      SpanCase{ymd(2024, 2, 29), ymd(2027, 2, 28), 3, 0, 0, 1095},
                      SpanCase{ymd(2011, 3, 31), ymd(2012, 2, 29), 0, 11, 0, 335},
                      SpanCase{ymd(2024, 2, 29), ymd(2025, 3, 1), 1, 0, 1, 366},
                      SpanCase{ymd(2011, 8, 24), ymd(2011, 8, 24), 0, 0, 0, 0},
                      SpanCase{kFirstDate, kLastDate, 8398, 11, 30, 3067670}));

TEST(DaysTexts, ResultLinesMemoAndTapeOfBothModes) {
    const Date e = ymd(2000, 1, 15);
    const Date l = ymd(2011, 8, 24);
    const DaySpan s = RecalcDays(e, l);
    EXPECT_EQ(utf8(resultLine(s, DaysMode::Age)), "日数　4,239 日　　(年齢 11才　7ヶ月 + 9日)");
    EXPECT_EQ(utf8(resultLine(s, DaysMode::DayCount)), "日数　4,239 日　　( 11年　7ヶ月 + 9日)");
    EXPECT_EQ(utf8(daysMemoText(l, e, s, DaysMode::Age, u"ERA")),
              "ERA\r\n2011/08/24 - 2000/01/15\r\n日数  4239 日\r\n年齢  11才 7ヶ月 + 9日 \r\n\r\n");
    EXPECT_EQ(utf8(daysMemoText(e, l, s, DaysMode::DayCount, u"ERA")),
              "2000/01/15 - 2011/08/24\r\n4239 Days     \r\n11 Years 7 Months 9 Days \r\n\r\n");
    EXPECT_EQ(utf8(daysTapeText(s)), "      4239 Days     \r\n      11 Years 7 Months 9 Days \r\n");
    EXPECT_EQ(modeFromCaption(kAgeCaption), DaysMode::Age);
    EXPECT_EQ(modeFromCaption(u"日数計算(&T)"), DaysMode::DayCount);
}

struct PlusCase {
    Date start;
    const char* days;
    const char* result; // "" when there is no date to show
};

class DatePlusDaysTable : public ::testing::TestWithParam<PlusCase> {};

TEST_P(DatePlusDaysTable, GivesADateOrNothing) {
    const PlusCase& c = GetParam();
    const auto date = datePlusDays(c.start, u16(c.days));
    EXPECT_EQ(date ? utf8(shortDate(*date)) : "", c.result) << c.days;
}

INSTANTIATE_TEST_SUITE_P(Counts, DatePlusDaysTable,
                         ::testing::Values(PlusCase{ymd(2011, 8, 24), "10", "2011/09/03"},
                                           PlusCase{ymd(2011, 8, 24), "-10", "2011/08/14"},
                                           PlusCase{ymd(2024, 2, 28), "1", "2024/02/29"},
                                           PlusCase{ymd(2011, 8, 24), "2.5", "2011/08/26"},
                                           PlusCase{ymd(2011, 8, 24), "3.5", "2011/08/28"},
                                           PlusCase{ymd(2011, 8, 24), "１，０００", "2014/05/20"},
                                           PlusCase{kLastDate, "0", "9999/12/31"},
                                           PlusCase{kLastDate, "1", ""},
                                           PlusCase{kFirstDate, "-1", ""},
                                           PlusCase{ymd(2011, 8, 24), "abc", ""},
                                           PlusCase{ymd(2011, 8, 24), "", ""},
                                           PlusCase{ymd(2011, 8, 24), "2147483648", ""},
                                           PlusCase{ymd(2011, 8, 24), "-2147483649", ""}));

} // namespace
} // namespace sumiplex::datetime
