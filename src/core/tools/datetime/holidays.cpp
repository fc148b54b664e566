#include "core/tools/datetime/holidays.h"

#include <array>

namespace sumiplex::datetime {

namespace {

using std::chrono::sys_days;
using std::chrono::weekday;

constexpr Date ymd(int y, unsigned m, unsigned d) {
    return Date{std::chrono::year{y}, std::chrono::month{m}, std::chrono::day{d}};
}

// Substitute holidays began with the amendment of 1973-04-12; the one of 2007 moved a
// substitute past any holidays that follow the Sunday. Citizens' holidays began 1985-12-27.
constexpr Date kFirstSubstitute = ymd(1973, 4, 12);
constexpr Date kSubstituteRun = ymd(2007, 1, 1);
constexpr Date kFirstCitizens = ymd(1985, 12, 27);

struct OneOff {
    Date date;
    std::u16string_view name;
};

// Days made holidays once, by laws of their own; each counts as a holiday for the rules on
// the days around it (2019-04-30 and 05-02 lie between holidays because of 05-01).
constexpr std::array kOneOffs{
    OneOff{ymd(1959, 4, 10), u"結婚の儀"},        OneOff{ymd(1989, 2, 24), u"大喪の礼"},
    OneOff{ymd(1990, 11, 12), u"即位礼正殿の儀"}, OneOff{ymd(1993, 6, 9), u"結婚の儀"},
    OneOff{ymd(2019, 5, 1), u"天皇の即位の日"},   OneOff{ymd(2019, 10, 22), u"即位礼正殿の儀"},
};

struct Day {
    int year;
    unsigned month;
    unsigned day;
    weekday wd;
};

bool isMonday(const Day& d, unsigned nth) {
    return d.wd == std::chrono::Monday && (d.day - 1) / 7 + 1 == nth;
}

using Name = std::optional<std::u16string_view>;

Name january(const Day& d) {
    if (d.day == 1)
        return u"元日";
    if (d.year < 2000 ? d.day == 15 : isMonday(d, 2))
        return u"成人の日";
    return std::nullopt;
}

Name february(const Day& d) {
    if (d.day == 11 && d.year >= 1967)
        return u"建国記念の日";
    if (d.day == 23 && d.year >= 2020)
        return u"天皇誕生日";
    return std::nullopt;
}

Name april(const Day& d) {
    if (d.day != 29)
        return std::nullopt;
    if (d.year <= 1988)
        return u"天皇誕生日";
    return d.year <= 2006 ? u"みどりの日" : u"昭和の日";
}

Name may(const Day& d) {
    switch (d.day) {
    case 3:
        return u"憲法記念日";
    case 4:
        return d.year >= 2007 ? Name{u"みどりの日"} : std::nullopt;
    case 5:
        return u"こどもの日";
    default:
        return std::nullopt;
    }
}

// The games of 2020, held in 2021, moved three holidays to the days around their opening
// and closing in both years.
Name july(const Day& d) {
    if (d.year == 2020)
        return d.day == 23 ? Name{u"海の日"} : d.day == 24 ? Name{u"スポーツの日"} : std::nullopt;
    if (d.year == 2021)
        return d.day == 22 ? Name{u"海の日"} : d.day == 23 ? Name{u"スポーツの日"} : std::nullopt;
    if (d.year >= 2003 ? isMonday(d, 3) : d.year >= 1996 && d.day == 20)
        return u"海の日";
    return std::nullopt;
}

Name august(const Day& d) {
    const unsigned day = d.year == 2020 ? 10 : d.year == 2021 ? 8 : 11;
    return d.year >= 2016 && d.day == day ? Name{u"山の日"} : std::nullopt;
}

Name september(const Day& d) {
    if (d.year >= 2003 ? isMonday(d, 3) : d.year >= 1966 && d.day == 15)
        return u"敬老の日";
    if (equinoxDay(d.year, 9) == static_cast<int>(d.day))
        return u"秋分の日";
    return std::nullopt;
}

Name october(const Day& d) {
    if (d.year < 2000)
        return d.year >= 1966 && d.day == 10 ? Name{u"体育の日"} : std::nullopt;
    if (d.year == 2020 || d.year == 2021 || !isMonday(d, 2))
        return std::nullopt;
    return d.year < 2020 ? u"体育の日" : u"スポーツの日";
}

Name november(const Day& d) {
    if (d.day == 3)
        return u"文化の日";
    if (d.day == 23)
        return u"勤労感謝の日";
    return std::nullopt;
}

// A holiday the law names for the day itself (the days the rules add around them aside).
Name namedHoliday(sys_days when) {
    const Date date{when};
    if (!holidaysKnown(date))
        return std::nullopt;
    for (const OneOff& o : kOneOffs)
        if (o.date == date)
            return o.name;
    const Day d{static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                static_cast<unsigned>(date.day()), weekday{when}};
    switch (d.month) {
    case 1:
        return january(d);
    case 2:
        return february(d);
    case 3:
        return equinoxDay(d.year, 3) == static_cast<int>(d.day) ? Name{u"春分の日"} : std::nullopt;
    case 4:
        return april(d);
    case 5:
        return may(d);
    case 7:
        return july(d);
    case 8:
        return august(d);
    case 9:
        return september(d);
    case 10:
        return october(d);
    case 11:
        return november(d);
    case 12:
        return d.day == 23 && d.year >= 1989 && d.year <= 2018 ? Name{u"天皇誕生日"} : std::nullopt;
    default:
        return std::nullopt;
    }
}

bool isSundayHoliday(sys_days when) {
    return weekday{when} == std::chrono::Sunday && namedHoliday(when);
}

// For a day that is no named holiday: whether it makes up for a holiday that fell on a Sunday.
bool isSubstitute(sys_days when) {
    const Date date{when};
    if (date < kFirstSubstitute)
        return false;
    const sys_days before = when - std::chrono::days{1};
    if (date < kSubstituteRun)
        return isSundayHoliday(before);
    for (sys_days d = before; namedHoliday(d); d -= std::chrono::days{1})
        if (weekday{d} == std::chrono::Sunday)
            return true;
    return false;
}

// For a day that is neither a named holiday nor a substitute: whether it lies between two
// holidays. Until 2006 a Sunday so placed stayed a plain Sunday.
bool isBetweenHolidays(sys_days when) {
    const Date date{when};
    if (date < kFirstCitizens)
        return false;
    if (date < kSubstituteRun && weekday{when} == std::chrono::Sunday)
        return false;
    return namedHoliday(when - std::chrono::days{1}) && namedHoliday(when + std::chrono::days{1});
}

} // namespace

bool holidaysKnown(const Date& date) {
    return date.ok() && date >= kFirstHolidayRule && date <= kLastHolidayRule;
}

std::optional<int> equinoxDay(int year, int month) {
    if (year < 1900 || year > 2099 || (month != 3 && month != 9))
        return std::nullopt;
    const bool early = year < 1980;
    const double base = month == 3 ? (early ? 20.8357 : 20.8431) : (early ? 23.2588 : 23.2488);
    // The formula's int() truncates toward zero, as integer division does here, also for the
    // negative counts of leap days before 1983.
    const int leapDays = early ? (year - 1983) / 4 : (year - 1980) / 4;
    return static_cast<int>(base + 0.242194 * (year - 1980)) - leapDays;
}

std::optional<std::u16string_view> holidayName(const Date& date) {
    if (!holidaysKnown(date))
        return std::nullopt;
    const sys_days when{date};
    if (const Name name = namedHoliday(when))
        return name;
    if (isSubstitute(when))
        return u"振替休日";
    if (isBetweenHolidays(when))
        return u"国民の休日";
    return std::nullopt;
}

} // namespace sumiplex::datetime
