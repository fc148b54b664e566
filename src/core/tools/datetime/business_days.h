#pragma once

#include "core/tools/datetime/calendar.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sumiplex::datetime {

/// Whether the year-end days, 12/29 to 1/3, are closed as well as weekends and holidays.
enum class YearEndDays { Open, Closed };

/// Neither Saturday, Sunday nor a national holiday (nor, when closed, 12/29..1/3).
[[nodiscard]] bool isBusinessDay(const Date& date, YearEndDays yearEnd);

/// A number of business days and whether every day it looked at has known holidays (a day
/// outside kFirstHolidayRule..kLastHolidayRule counts as a business day on weekdays).
struct BusinessCount {
    std::int64_t days = 0;
    bool holidaysKnown = true;
};

/// The business days from the earlier to the later date, whichever comes first: the earlier
/// date not counted, the later one counted, as the day count counts (Friday to Monday is 1).
[[nodiscard]] BusinessCount businessDaysBetween(const Date& first, const Date& second,
                                                YearEndDays yearEnd);

/// A date found by stepping over business days, and whether every day stepped over has
/// known holidays.
struct BusinessDate {
    Date date;
    bool holidaysKnown = true;
};

/// The `count`-th business day after `start` (before it for a negative count; `start` itself
/// for 0), stepping a day at a time and counting the business days stepped onto: forward,
/// businessDaysBetween(start, result) is the count. Empty when that day falls outside
/// kFirstDate..kLastDate.
[[nodiscard]] std::optional<BusinessDate>
datePlusBusinessDays(const Date& start, std::int64_t count, YearEndDays yearEnd);

/// The weekday in brackets, as Japanese calendars write it: "(金)".
[[nodiscard]] std::u16string weekdayMark(const Date& date);

/// The business-day label: "営業日 " + the count grouped "#,##0" + " 日".
[[nodiscard]] std::u16string businessLabel(std::int64_t days);

/// What the memo receives after a day count's own lines (which end with an empty line): the
/// business days, "営業日  " + the plain count + " 日" and " (年末年始を除く)" when the year-end
/// days are closed, then an empty line of its own, so that the day count's text stays whole
/// and the next pasted result stays apart.
[[nodiscard]] std::u16string businessMemoLines(std::int64_t days, YearEndDays yearEnd);

/// The tape line of the business days, after the two of the day count: six blanks +
/// "営業日 " + the plain count + " 日" (and the year-end words as in the memo) + CR LF.
[[nodiscard]] std::u16string businessTapeLine(std::int64_t days, YearEndDays yearEnd);

} // namespace sumiplex::datetime
