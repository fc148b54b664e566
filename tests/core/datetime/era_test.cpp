#include "core/text_utf.h"
#include "core/tools/datetime/era.h"

#include <gtest/gtest.h>

namespace sumiplex::datetime {
namespace {

using sumiplex::testing::u16;
using sumiplex::testing::utf8;

Date ymd(int y, unsigned m, unsigned d) {
    return Date{std::chrono::year{y}, std::chrono::month{m}, std::chrono::day{d}};
}

struct FormCase {
    Date date;
    const char* form; // "" before 1868
};

class EraFormTable : public ::testing::TestWithParam<FormCase> {};

TEST_P(EraFormTable, WritesEachSideOfEveryBoundary) {
    const auto form = eraForm(GetParam().date);
    EXPECT_EQ(form ? utf8(*form) : "", GetParam().form);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, EraFormTable,
    ::testing::Values(
        FormCase{ymd(2019, 4, 30), "平成31年4月30日"}, FormCase{ymd(2019, 5, 1), "令和1年5月1日"},
        FormCase{ymd(2019, 1, 1), "平成31年1月1日"}, FormCase{ymd(2024, 6, 3), "令和6年6月3日"},
        FormCase{ymd(1989, 1, 7), "昭和64年1月7日"}, FormCase{ymd(1989, 1, 8), "平成1年1月8日"},
        FormCase{ymd(1926, 12, 24), "大正15年12月24日"},
        FormCase{ymd(1926, 12, 25), "昭和1年12月25日"},
        FormCase{ymd(1912, 7, 29), "明治45年7月29日"}, FormCase{ymd(1912, 7, 30), "大正1年7月30日"},
        FormCase{ymd(1868, 9, 7), "慶応4年9月7日"}, FormCase{ymd(1868, 9, 8), "明治1年9月8日"},
        FormCase{ymd(1867, 12, 31), ""}, FormCase{kFirstDate, ""},
        FormCase{kLastDate, "令和7981年12月31日"}));

TEST(EraLine, FirstDateThenSecondWithBlanksBefore1868) {
    EXPECT_EQ(utf8(eraLine(ymd(1989, 1, 7), ymd(2011, 8, 24))), "昭和64年1月7日 - 平成23年8月24日");
    EXPECT_EQ(utf8(eraLine(ymd(1867, 12, 31), ymd(2019, 5, 1))),
              "                  - 令和1年5月1日");
    EXPECT_EQ(utf8(eraLine(ymd(2019, 5, 1), ymd(1867, 12, 31))), "令和1年5月1日 - ");
}

struct RowCase {
    const char* era;
    const char* eraYear;
    const char* western; // "" when nothing converts
};

class EraRowTable : public ::testing::TestWithParam<RowCase> {};

TEST_P(EraRowTable, EraYearToWesternYear) {
    const RowCase& c = GetParam();
    const auto w = westernYear(u16(c.era), u16(c.eraYear));
    EXPECT_EQ(w ? utf8(w->toPlainString()) : "", c.western);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EraRowTable,
    ::testing::Values(RowCase{"令和", "1", "2019"}, RowCase{"令和", "6", "2024"},
                      RowCase{"平成", "31", "2019"}, RowCase{"平成", "23", "2011"},
                      RowCase{"平成", "0", "1988"}, RowCase{"令和", "-5", "2013"},
                      RowCase{"明治", "-300", "1567"}, RowCase{"明治", "-1867", ""},
                      RowCase{"昭和", "64", "1989"}, RowCase{"大正", "15", "1926"},
                      RowCase{"明治", "100", "1967"}, RowCase{"平成", "36", "2024"},
                      RowCase{"平成", "1.5", "1989.5"}, RowCase{"平成", "x", ""},
                      RowCase{"慶応", "3", ""}, RowCase{"", "3", ""},
                      // Not a number, or past the calendar: no Western year at all.
                      RowCase{"令和", "−5", ""}, RowCase{"令和", "1万", ""},
                      RowCase{"令和", "1.2.3", ""}, RowCase{"令和", "", ""},
                      RowCase{"令和", "7981", "9999"}, RowCase{"令和", "7982", ""},
                      RowCase{"明治", "8132", "9999"}, RowCase{"明治", "8133", ""},
                      RowCase{"令和", "99999999999999999999", ""},
                      RowCase{"令和", "79228162514264337593543950335", ""}));

TEST(EraRow, PickerTakesTheYearOnlyWhereTheDayExists) {
    const Date leapDay = ymd(2024, 2, 29);
    const auto year = [](int y) { return Decimal::fromInt(y); };
    EXPECT_EQ(withYear(leapDay, year(2028)), ymd(2028, 2, 29));
    EXPECT_EQ(withYear(leapDay, year(2025)), std::nullopt);
    EXPECT_EQ(withYear(ymd(2011, 8, 24), year(1600)), std::nullopt);
    EXPECT_EQ(withYear(ymd(2011, 8, 24), year(10000)), std::nullopt);
    // A fractional year goes to the nearer whole year, a half to the even one.
    EXPECT_EQ(withYear(ymd(2011, 8, 24), *Decimal::parse(std::string_view("1989.5"))),
              ymd(1990, 8, 24));
    EXPECT_EQ(withYear(ymd(2011, 8, 24), *Decimal::parse(std::string_view("1990.5"))),
              ymd(1990, 8, 24));
}

TEST(EraRow, StartsOnTheEraOfToday) {
    struct Case {
        Date today;
        const char* era;
        int year;
    };
    for (const Case c : {Case{ymd(2026, 1, 1), "令和", 8}, Case{ymd(2019, 4, 30), "平成", 31},
                         Case{ymd(2011, 8, 24), "平成", 23}, Case{ymd(1868, 1, 1), "明治", 1}}) {
        const EraYear start = startingEraYear(c.today);
        EXPECT_EQ(utf8(start.era), c.era);
        EXPECT_EQ(start.year, c.year);
    }
}

} // namespace
} // namespace sumiplex::datetime
