#include "core/tools/datetime/business_days.h"

#include "core/decimal/decimal.h"
#include "core/tools/datetime/holidays.h"

#include <algorithm>
#include <array>
#include <vector>

namespace sumiplex::datetime {

namespace {

using std::chrono::days;
using std::chrono::sys_days;
using std::chrono::weekday;

bool isWeekend(sys_days d) {
    const weekday wd{d};
    return wd == std::chrono::Saturday || wd == std::chrono::Sunday;
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0);
}

// The weekdays before `d`, counted from Monday 1969-12-29 (negative before it): the
// difference of two calls is the number of weekdays from the one day up to the other.
std::int64_t weekdaysBefore(sys_days d) {
    const std::int64_t n = d.time_since_epoch().count() + 3;
    const std::int64_t weeks = floorDiv(n, 7);
    return weeks * 5 + std::min<std::int64_t>(n - weeks * 7, 5);
}

// Every holiday that falls on a weekday, in order: the days a count takes off its weekdays.
// Built once, on first use, from the rules.
const std::vector<sys_days>& weekdayHolidays() {
    static const std::vector<sys_days> table = [] {
        std::vector<sys_days> found;
        for (sys_days d{kFirstHolidayRule}; d <= sys_days{kLastHolidayRule}; d += days{1})
            if (!isWeekend(d) && holidayName(Date{d}))
                found.push_back(d);
        return found;
    }();
    return table;
}

bool isYearEndDay(const Date& date) {
    const unsigned month{date.month()};
    const unsigned day{date.day()};
    return (month == 12 && day >= 29) || (month == 1 && day <= 3);
}

// Weekdays of (earlier, later] closed only for the year end: no holiday, which the count takes
// off already.
std::int64_t closedYearEndWeekdays(sys_days earlier, sys_days later) {
    std::int64_t closed = 0;
    const int firstYear = static_cast<int>(Date{earlier}.year());
    const int lastYear = static_cast<int>(Date{later}.year());
    constexpr std::array<std::pair<unsigned, unsigned>, 6> kYearEnd{
        {{1, 1}, {1, 2}, {1, 3}, {12, 29}, {12, 30}, {12, 31}}};
    for (int y = firstYear; y <= lastYear; ++y) {
        for (const auto& [m, d] : kYearEnd) {
            const Date date{std::chrono::year{y}, std::chrono::month{m}, std::chrono::day{d}};
            const sys_days when{date};
            if (when > earlier && when <= later && !isWeekend(when) && !holidayName(date))
                ++closed;
        }
    }
    return closed;
}

// The business days of (earlier, later]; any days at all, also past the pickers' dates.
std::int64_t businessDaysIn(sys_days earlier, sys_days later, YearEndDays yearEnd) {
    if (later <= earlier)
        return 0;
    std::int64_t count = weekdaysBefore(later + days{1}) - weekdaysBefore(earlier + days{1});
    const auto& holidays = weekdayHolidays();
    count -= std::upper_bound(holidays.begin(), holidays.end(), later) -
             std::upper_bound(holidays.begin(), holidays.end(), earlier);
    if (yearEnd == YearEndDays::Closed)
        count -= closedYearEndWeekdays(earlier, later);
    return count;
}

bool holidaysKnownIn(sys_days first, sys_days last) {
    return first > last || (holidaysKnown(Date{first}) && holidaysKnown(Date{last}));
}

bool isBusiness(sys_days d, YearEndDays yearEnd) {
    return isBusinessDay(Date{d}, yearEnd);
}

} // namespace

bool isBusinessDay(const Date& date, YearEndDays yearEnd) {
    const sys_days when{date};
    if (isWeekend(when) || holidayName(date))
        return false;
    return yearEnd == YearEndDays::Open || !isYearEndDay(date);
}

BusinessCount businessDaysBetween(const Date& first, const Date& second, YearEndDays yearEnd) {
    const sys_days earlier{std::min(first, second)};
    const sys_days later{std::max(first, second)};
    return {businessDaysIn(earlier, later, yearEnd), holidaysKnownIn(earlier + days{1}, later)};
}

std::optional<BusinessDate> datePlusBusinessDays(const Date& start, std::int64_t count,
                                                 YearEndDays yearEnd) {
    if (!isPickable(start))
        return std::nullopt;
    const sys_days from{start};
    const bool forward = count >= 0;
    std::int64_t remaining = forward ? count : -count;
    // Each business day takes a day at least: a count beyond the days left to the pickers'
    // limit cannot land on one, and the steps below stay within the calendar's years.
    const std::int64_t room =
        forward ? (sys_days{kLastDate} - from).count() : (from - sys_days{kFirstDate}).count();
    if (remaining > room)
        return std::nullopt;
    sys_days at = from;
    // Whole weeks hold five business days at most, so a jump of (remaining - 1)/5 weeks
    // leaves one business day at least to step onto: the day sought is a business day, and
    // a jump could end on a weekend. The days a jump lost to holidays the next one makes up.
    while (remaining > 5) {
        const days span{(remaining - 1) / 5 * 7};
        const sys_days to = forward ? at + span : at - span;
        remaining -= forward ? businessDaysIn(at, to, yearEnd)
                             : businessDaysIn(to - days{1}, at - days{1}, yearEnd);
        at = to;
    }
    while (remaining > 0) {
        at += forward ? days{1} : days{-1};
        if (isBusiness(at, yearEnd))
            --remaining;
    }
    const Date result{at};
    if (!isPickable(result))
        return std::nullopt;
    const bool known =
        forward ? holidaysKnownIn(from + days{1}, at) : holidaysKnownIn(at, from - days{1});
    return BusinessDate{result, known};
}

std::u16string weekdayMark(const Date& date) {
    constexpr std::u16string_view kNames = u"日月火水木金土";
    const unsigned index = weekday{sys_days{date}}.c_encoding();
    return u"(" + std::u16string(1, kNames[index]) + u")";
}

std::u16string businessLabel(std::int64_t days) {
    return u"営業日 " + formatPattern(Decimal::fromInt(days), kPatternWhole) + u" 日";
}

namespace {

std::u16string yearEndWords(YearEndDays yearEnd) {
    return yearEnd == YearEndDays::Closed ? u" (年末年始を除く)" : u"";
}

} // namespace

std::u16string businessMemoLines(std::int64_t days, YearEndDays yearEnd) {
    return u"営業日  " + plainInteger(days) + u" 日" + yearEndWords(yearEnd) + u"\r\n\r\n";
}

std::u16string businessTapeLine(std::int64_t days, YearEndDays yearEnd) {
    return std::u16string(6, u' ') + u"営業日 " + plainInteger(days) + u" 日" +
           yearEndWords(yearEnd) + u"\r\n";
}

} // namespace sumiplex::datetime
