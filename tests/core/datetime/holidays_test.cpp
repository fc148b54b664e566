#include "core/text_utf.h"
#include "core/tools/datetime/holidays.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace sumiplex::datetime {
namespace {

using sumiplex::testing::utf8;

Date ymd(int y, unsigned m, unsigned d) {
    return Date{std::chrono::year{y}, std::chrono::month{m}, std::chrono::day{d}};
}

std::string nameOf(const Date& date) {
    const auto name = holidayName(date);
    return name ? utf8(*name) : "";
}

// The national holidays and days off of 2019 to 2027 as the government published them,
// written MMDD and name; the substitute and citizens' days under their own names.
constexpr const char* kPublished = R"(
2019 0101 元日 0114 成人の日 0211 建国記念の日 0321 春分の日 0429 昭和の日 0430 国民の休日
2019 0501 天皇の即位の日 0502 国民の休日 0503 憲法記念日 0504 みどりの日 0505 こどもの日
2019 0506 振替休日 0715 海の日 0811 山の日 0812 振替休日 0916 敬老の日 0923 秋分の日
2019 1014 体育の日 1022 即位礼正殿の儀 1103 文化の日 1104 振替休日 1123 勤労感謝の日
2020 0101 元日 0113 成人の日 0211 建国記念の日 0223 天皇誕生日 0224 振替休日 0320 春分の日
2020 0429 昭和の日 0503 憲法記念日 0504 みどりの日 0505 こどもの日 0506 振替休日 0723 海の日
2020 0724 スポーツの日 0810 山の日 0921 敬老の日 0922 秋分の日 1103 文化の日 1123 勤労感謝の日
2021 0101 元日 0111 成人の日 0211 建国記念の日 0223 天皇誕生日 0320 春分の日 0429 昭和の日
2021 0503 憲法記念日 0504 みどりの日 0505 こどもの日 0722 海の日 0723 スポーツの日 0808 山の日
2021 0809 振替休日 0920 敬老の日 0923 秋分の日 1103 文化の日 1123 勤労感謝の日
2022 0101 元日 0110 成人の日 0211 建国記念の日 0223 天皇誕生日 0321 春分の日 0429 昭和の日
2022 0503 憲法記念日 0504 みどりの日 0505 こどもの日 0718 海の日 0811 山の日 0919 敬老の日
2022 0923 秋分の日 1010 スポーツの日 1103 文化の日 1123 勤労感謝の日
2023 0101 元日 0102 振替休日 0109 成人の日 0211 建国記念の日 0223 天皇誕生日 0321 春分の日
2023 0429 昭和の日 0503 憲法記念日 0504 みどりの日 0505 こどもの日 0717 海の日 0811 山の日
2023 0918 敬老の日 0923 秋分の日 1009 スポーツの日 1103 文化の日 1123 勤労感謝の日
2024 0101 元日 0108 成人の日 0211 建国記念の日 0212 振替休日 0223 天皇誕生日 0320 春分の日
2024 0429 昭和の日 0503 憲法記念日 0504 みどりの日 0505 こどもの日 0506 振替休日 0715 海の日
2024 0811 山の日 0812 振替休日 0916 敬老の日 0922 秋分の日 0923 振替休日 1014 スポーツの日
2024 1103 文化の日 1104 振替休日 1123 勤労感謝の日
2025 0101 元日 0113 成人の日 0211 建国記念の日 0223 天皇誕生日 0224 振替休日 0320 春分の日
2025 0429 昭和の日 0503 憲法記念日 0504 みどりの日 0505 こどもの日 0506 振替休日 0721 海の日
2025 0811 山の日 0915 敬老の日 0923 秋分の日 1013 スポーツの日 1103 文化の日 1123 勤労感謝の日
2025 1124 振替休日
2026 0101 元日 0112 成人の日 0211 建国記念の日 0223 天皇誕生日 0320 春分の日 0429 昭和の日
2026 0503 憲法記念日 0504 みどりの日 0505 こどもの日 0506 振替休日 0720 海の日 0811 山の日
2026 0921 敬老の日 0922 国民の休日 0923 秋分の日 1012 スポーツの日 1103 文化の日
2026 1123 勤労感謝の日
2027 0101 元日 0111 成人の日 0211 建国記念の日 0223 天皇誕生日 0321 春分の日 0322 振替休日
2027 0429 昭和の日 0503 憲法記念日 0504 みどりの日 0505 こどもの日 0719 海の日 0811 山の日
2027 0920 敬老の日 0923 秋分の日 1011 スポーツの日 1103 文化の日 1123 勤労感謝の日
)";

TEST(Holidays, EveryDayOf2019To2027IsAsPublished) {
    std::map<Date, std::string> published;
    std::istringstream lines(kPublished);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        int year = 0;
        words >> year;
        for (std::string mmdd, name; words >> mmdd >> name;) {
            const int md = std::stoi(mmdd);
            published[ymd(year, static_cast<unsigned>(md / 100), static_cast<unsigned>(md % 100))] =
                name;
        }
    }
    ASSERT_EQ(published.size(), 165U);
    for (std::chrono::sys_days d{ymd(2019, 1, 1)}; d <= std::chrono::sys_days{ymd(2027, 12, 31)};
         d += std::chrono::days{1}) {
        const Date date{d};
        const auto found = published.find(date);
        EXPECT_EQ(nameOf(date), found == published.end() ? "" : found->second)
            << static_cast<int>(date.year()) << "/" << static_cast<unsigned>(date.month()) << "/"
            << static_cast<unsigned>(date.day());
    }
}

// Published equinox days by period and by the year's place in the leap cycle (year % 4 = 0,
// 1, 2, 3), as the astronomical tables give them.
struct EquinoxPeriod {
    int first, last;
    int day[4];
};

TEST(Holidays, EquinoxDaysMatchThePublishedTables) {
    const EquinoxPeriod spring[] = {{1950, 1959, {21, 21, 21, 21}}, {1960, 1991, {20, 21, 21, 21}},
                                    {1992, 2023, {20, 20, 21, 21}}, {2024, 2055, {20, 20, 20, 21}},
                                    {2056, 2091, {20, 20, 20, 20}}, {2092, 2099, {19, 20, 20, 20}}};
    const EquinoxPeriod autumn[] = {{1948, 1979, {23, 23, 23, 24}},
                                    {1980, 2011, {23, 23, 23, 23}},
                                    {2012, 2043, {22, 23, 23, 23}},
                                    {2044, 2075, {22, 22, 23, 23}},
                                    {2076, 2099, {22, 22, 22, 23}}};
    const auto check = [](const EquinoxPeriod& p, unsigned month, const char* name) {
        for (int y = p.first; y <= p.last; ++y) {
            const unsigned day = static_cast<unsigned>(p.day[y % 4]);
            EXPECT_EQ(equinoxDay(y, static_cast<int>(month)), static_cast<int>(day)) << y;
            EXPECT_EQ(nameOf(ymd(y, month, day)), name) << y;
            EXPECT_NE(nameOf(ymd(y, month, day - 1)), name) << y;
            EXPECT_NE(nameOf(ymd(y, month, day + 1)), name) << y;
        }
    };
    for (const EquinoxPeriod& p : spring)
        check(p, 3, "春分の日");
    for (const EquinoxPeriod& p : autumn)
        check(p, 9, "秋分の日");
    EXPECT_FALSE(equinoxDay(1899, 3));
    EXPECT_FALSE(equinoxDay(2100, 9));
    EXPECT_FALSE(equinoxDay(2024, 6));
}

struct DayCase {
    Date date;
    const char* name; // "" for no holiday
};

class HolidayHistory : public ::testing::TestWithParam<DayCase> {};

TEST_P(HolidayHistory, FollowsTheLawOfItsDay) {
    EXPECT_EQ(nameOf(GetParam().date), GetParam().name) << utf8(shortDate(GetParam().date));
}

INSTANTIATE_TEST_SUITE_P(
    Changes, HolidayHistory,
    ::testing::Values(
        // the law's first and the calculation's last days
        DayCase{ymd(1948, 1, 1), ""}, DayCase{ymd(1948, 7, 19), ""},
        DayCase{ymd(1948, 9, 23), "秋分の日"}, DayCase{ymd(1948, 11, 3), "文化の日"},
        DayCase{ymd(1949, 1, 1), "元日"}, DayCase{ymd(2099, 11, 23), "勤労感謝の日"},
        DayCase{ymd(2100, 1, 1), ""}, DayCase{ymd(1601, 1, 1), ""},
        // days added to the law, and fixed days turned into Mondays
        DayCase{ymd(1966, 2, 11), ""}, DayCase{ymd(1967, 2, 11), "建国記念の日"},
        DayCase{ymd(1965, 9, 15), ""}, DayCase{ymd(1966, 9, 15), "敬老の日"},
        DayCase{ymd(2003, 9, 15), "敬老の日"}, DayCase{ymd(2004, 9, 15), ""},
        DayCase{ymd(1999, 1, 15), "成人の日"}, DayCase{ymd(2000, 1, 10), "成人の日"},
        DayCase{ymd(2000, 1, 17), ""}, DayCase{ymd(1995, 7, 20), ""},
        DayCase{ymd(1996, 7, 20), "海の日"}, DayCase{ymd(2003, 7, 21), "海の日"},
        DayCase{ymd(2015, 8, 11), ""}, DayCase{ymd(2016, 8, 11), "山の日"},
        DayCase{ymd(1966, 10, 10), "体育の日"}, DayCase{ymd(2000, 10, 9), "体育の日"},
        DayCase{ymd(2000, 10, 10), ""}, DayCase{ymd(2020, 10, 12), ""},
        DayCase{ymd(2021, 10, 11), ""}, DayCase{ymd(2021, 8, 11), ""},
        // 4/29 and 5/4 through three names, the Emperor's birthday through three dates
        DayCase{ymd(1988, 4, 29), "天皇誕生日"}, DayCase{ymd(1989, 4, 29), "みどりの日"},
        DayCase{ymd(2006, 4, 29), "みどりの日"}, DayCase{ymd(2007, 4, 29), "昭和の日"},
        DayCase{ymd(2006, 5, 4), "国民の休日"}, DayCase{ymd(2007, 5, 4), "みどりの日"},
        DayCase{ymd(1988, 12, 23), ""}, DayCase{ymd(2018, 12, 23), "天皇誕生日"},
        DayCase{ymd(2018, 12, 24), "振替休日"}, DayCase{ymd(2019, 12, 23), ""},
        DayCase{ymd(2019, 2, 23), ""},
        // the one-off days
        DayCase{ymd(1959, 4, 10), "結婚の儀"}, DayCase{ymd(1989, 2, 24), "大喪の礼"},
        DayCase{ymd(1990, 11, 12), "即位礼正殿の儀"}, DayCase{ymd(1993, 6, 9), "結婚の儀"},
        // substitutes: none before 1973-04-12, then the next day only, from 2007 the first
        // day after the run
        DayCase{ymd(1973, 2, 12), ""}, DayCase{ymd(1973, 4, 30), "振替休日"},
        DayCase{ymd(1978, 1, 16), "振替休日"}, DayCase{ymd(1999, 10, 11), "振替休日"},
        DayCase{ymd(2002, 9, 16), "振替休日"}, DayCase{ymd(1997, 5, 6), ""},
        DayCase{ymd(2008, 5, 6), "振替休日"}, DayCase{ymd(1987, 5, 4), "振替休日"},
        // citizens' holidays: from 1988; a Sunday between holidays stayed a Sunday until 2006
        DayCase{ymd(1985, 5, 4), ""}, DayCase{ymd(1986, 5, 4), ""},
        DayCase{ymd(1988, 5, 4), "国民の休日"}, DayCase{ymd(1997, 5, 4), ""},
        DayCase{ymd(2009, 9, 22), "国民の休日"}, DayCase{ymd(2015, 9, 22), "国民の休日"},
        DayCase{ymd(2032, 9, 21), "国民の休日"}));

} // namespace
} // namespace sumiplex::datetime
