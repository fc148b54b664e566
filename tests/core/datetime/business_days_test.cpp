#include "core/text_utf.h"
#include "core/tools/datetime/business_days.h"

#include <gtest/gtest.h>

namespace sumiplex::datetime {
namespace {

using std::chrono::days;
using std::chrono::sys_days;
using sumiplex::testing::utf8;

Date ymd(int y, unsigned m, unsigned d) {
    return Date{std::chrono::year{y}, std::chrono::month{m}, std::chrono::day{d}};
}

constexpr auto kOpen = YearEndDays::Open;
constexpr auto kClosed = YearEndDays::Closed;

struct CountCase {
    Date first, second;
    YearEndDays yearEnd;
    std::int64_t days;
    bool known;
};

class BusinessCountTable : public ::testing::TestWithParam<CountCase> {};

TEST_P(BusinessCountTable, CountsAfterTheEarlierDateUpToTheLater) {
    const CountCase& c = GetParam();
    for (const auto& [a, b] : {std::pair{c.first, c.second}, std::pair{c.second, c.first}}) {
        const BusinessCount count = businessDaysBetween(a, b, c.yearEnd);
        EXPECT_EQ(count.days, c.days) << utf8(shortDate(a)) << " - " << utf8(shortDate(b));
        EXPECT_EQ(count.holidaysKnown, c.known) << utf8(shortDate(a));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Spans, BusinessCountTable,
    ::testing::Values(CountCase{ymd(2024, 3, 1), ymd(2024, 3, 4), kOpen, 1,
                                true}, // Friday to Monday
                      CountCase{ymd(2024, 3, 4), ymd(2024, 3, 4), kOpen, 0, true},
                      // Golden Week: 4/29, 5/5 and the substitute 5/6 off
                      CountCase{ymd(2025, 4, 25), ymd(2025, 5, 9), kOpen, 7, true},
                      CountCase{ymd(2019, 4, 26), ymd(2019, 5, 7), kOpen, 1, true},
                      // the year end: 12/29..12/31 and 1/2 are weekdays, worked unless closed
                      CountCase{ymd(2025, 12, 26), ymd(2026, 1, 9), kOpen, 9, true},
                      CountCase{ymd(2025, 12, 26), ymd(2026, 1, 9), kClosed, 5, true},
                      CountCase{ymd(2025, 12, 31), ymd(2026, 12, 31), kOpen, 244, true},
                      CountCase{ymd(2025, 12, 31), ymd(2026, 12, 31), kClosed, 240, true},
                      // the earlier date is not counted, so its holidays need not be known
                      CountCase{ymd(1948, 7, 19), ymd(1948, 7, 23), kOpen, 4, true},
                      CountCase{ymd(1948, 7, 18), ymd(1948, 7, 23), kOpen, 5, false},
                      CountCase{ymd(2099, 12, 30), ymd(2100, 1, 6), kOpen, 5, false},
                      CountCase{ymd(2099, 12, 30), ymd(2100, 1, 6), kClosed, 3, false},
                      // before the law: weekdays alone, less the year end when closed
                      CountCase{kFirstDate, ymd(1948, 7, 19), kOpen, 90670, false},
                      CountCase{kFirstDate, ymd(1948, 7, 19), kClosed, 89180, false}));

// The same answers, one day at a time.
std::int64_t countByDays(const Date& earlier, const Date& later, YearEndDays yearEnd) {
    std::int64_t count = 0;
    for (sys_days d = sys_days{earlier} + days{1}; d <= sys_days{later}; d += days{1})
        count += isBusinessDay(Date{d}, yearEnd) ? 1 : 0;
    return count;
}

std::optional<Date> walkByDays(const Date& start, std::int64_t count, YearEndDays yearEnd) {
    sys_days at{start};
    const days step{count < 0 ? -1 : 1};
    for (std::int64_t left = count < 0 ? -count : count; left > 0;) {
        at += step;
        if (!isPickable(Date{at}))
            return std::nullopt;
        if (isBusinessDay(Date{at}, yearEnd))
            --left;
    }
    return Date{at};
}

TEST(BusinessDays, LongCountsAndStepsAgreeWithADayByDayWalk) {
    const Date starts[] = {ymd(1948, 7, 10), ymd(1972, 12, 28), ymd(2006, 12, 29),
                           ymd(2019, 4, 20), ymd(2099, 12, 20), ymd(1601, 1, 3),
                           ymd(9999, 11, 1)};
    const std::int64_t counts[] = {1, 4, 5, 6, 23, 260, 2345};
    for (const YearEndDays yearEnd : {kOpen, kClosed}) {
        for (const Date& start : starts) {
            for (const std::int64_t n : counts) {
                for (const std::int64_t signedN : {n, -n}) {
                    const auto walked = walkByDays(start, signedN, yearEnd);
                    const auto stepped = datePlusBusinessDays(start, signedN, yearEnd);
                    ASSERT_EQ(stepped.has_value(), walked.has_value())
                        << utf8(shortDate(start)) << " " << signedN;
                    if (!walked)
                        continue;
                    EXPECT_EQ(utf8(shortDate(stepped->date)), utf8(shortDate(*walked)))
                        << utf8(shortDate(start)) << " " << signedN;
                    if (signedN > 0) {
                        EXPECT_EQ(businessDaysBetween(start, *walked, yearEnd).days, n);
                    }
                }
            }
        }
        for (const auto& [e, l] : {std::pair{ymd(1948, 6, 1), ymd(1949, 2, 1)},
                                   std::pair{ymd(1972, 1, 1), ymd(2010, 12, 31)},
                                   std::pair{ymd(2099, 11, 1), ymd(2101, 3, 1)}})
            EXPECT_EQ(businessDaysBetween(e, l, yearEnd).days, countByDays(e, l, yearEnd));
    }
}

struct PlusCase {
    Date start;
    std::int64_t count;
    YearEndDays yearEnd;
    const char* result; // "" when no date
    bool known;
};

class BusinessPlusTable : public ::testing::TestWithParam<PlusCase> {};

TEST_P(BusinessPlusTable, StepsOverWeekendsHolidaysAndTheYearEnd) {
    const PlusCase& c = GetParam();
    const auto date = datePlusBusinessDays(c.start, c.count, c.yearEnd);
    EXPECT_EQ(date ? utf8(shortDate(date->date)) : "", c.result) << c.count;
    if (date) {
        EXPECT_EQ(date->holidaysKnown, c.known) << c.count;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Steps, BusinessPlusTable,
    ::testing::Values(PlusCase{ymd(2025, 4, 25), 1, kOpen, "2025/04/28", true},
                      PlusCase{ymd(2025, 4, 25), 2, kOpen, "2025/04/30", true},
                      PlusCase{ymd(2025, 4, 25), 5, kOpen, "2025/05/07", true},
                      PlusCase{ymd(2025, 5, 7), -1, kOpen, "2025/05/02", true},
                      PlusCase{ymd(2025, 5, 7), -5, kOpen, "2025/04/25", true},
                      PlusCase{ymd(2025, 5, 5), 0, kOpen, "2025/05/05", true},
                      PlusCase{ymd(2025, 12, 26), 1, kOpen, "2025/12/29", true},
                      PlusCase{ymd(2025, 12, 26), 1, kClosed, "2026/01/05", true},
                      PlusCase{ymd(2026, 1, 5), -1, kOpen, "2026/01/02", true},
                      PlusCase{ymd(2026, 1, 5), -1, kClosed, "2025/12/26", true},
                      PlusCase{ymd(2099, 12, 30), 5, kOpen, "2100/01/06", false},
                      PlusCase{ymd(1948, 7, 21), -1, kOpen, "1948/07/20", true},
                      PlusCase{ymd(1948, 7, 21), -2, kOpen, "1948/07/19", false},
                      PlusCase{ymd(9999, 12, 30), 1, kOpen, "9999/12/31", false},
                      PlusCase{kLastDate, 1, kOpen, "", false},
                      PlusCase{ymd(1601, 1, 2), -1, kOpen, "1601/01/01", false},
                      PlusCase{kFirstDate, -1, kOpen, "", false},
                      PlusCase{ymd(2025, 4, 25), 2147483647, kOpen, "", false},
                      PlusCase{ymd(2025, 4, 25), -2147483648LL, kClosed, "", false}));

TEST(BusinessDays, TextsOfTheLabelMemoAndTape) {
    EXPECT_EQ(utf8(weekdayMark(ymd(2026, 12, 7))), "(月)");
    EXPECT_EQ(utf8(weekdayMark(ymd(2025, 5, 4))), "(日)");
    EXPECT_EQ(utf8(weekdayMark(ymd(2025, 4, 25))), "(金)");
    EXPECT_EQ(utf8(businessLabel(2191057)), "営業日 2,191,057 日");
    EXPECT_EQ(utf8(businessMemoLines(7, kOpen)), "営業日  7 日\r\n\r\n");
    EXPECT_EQ(utf8(businessMemoLines(1234, kClosed)), "営業日  1234 日 (年末年始を除く)\r\n\r\n");
    EXPECT_EQ(utf8(businessTapeLine(1234, kOpen)), "      営業日 1234 日\r\n");
    EXPECT_EQ(utf8(businessTapeLine(5, kClosed)), "      営業日 5 日 (年末年始を除く)\r\n");
}

} // namespace
} // namespace sumiplex::datetime
