#pragma once

#include "core/tools/datetime/calendar.h"

#include <optional>
#include <string_view>

namespace sumiplex::datetime {

/// The first day the national holiday law was in force; no day before it is a holiday.
inline constexpr Date kFirstHolidayRule{std::chrono::year{1948}, std::chrono::month{7},
                                        std::chrono::day{20}};
/// The last day the holidays are worked out for: the equinox formula holds up to 2099, and
/// no day after it is taken for a holiday.
inline constexpr Date kLastHolidayRule{std::chrono::year{2099}, std::chrono::month{12},
                                       std::chrono::day{31}};

/// True when `date` lies in kFirstHolidayRule..kLastHolidayRule, where holidays are known.
[[nodiscard]] bool holidaysKnown(const Date& date);

/// The day of the spring (3) or autumn (9) equinox of `year`, in Japanese time, by the
/// usual approximation valid for 1900..2099; empty for another year or month.
[[nodiscard]] std::optional<int> equinoxDay(int year, int month);

/// The name of the national holiday `date` is: a holiday named by the law (元日, 春分の日,
/// 天皇誕生日 on the date of its year, the one-off days of ceremonies, ...), "振替休日" (the
/// first day that is no holiday after one falling on a Sunday; from 1973-04-12 on, the day
/// after only up to 2006) or "国民の休日" (a day between two holidays, from 1985-12-27 on).
/// Empty for any other day, and for every day outside kFirstHolidayRule..kLastHolidayRule.
[[nodiscard]] std::optional<std::u16string_view> holidayName(const Date& date);

} // namespace sumiplex::datetime
