#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sumiplex::datetime {

using Date = std::chrono::year_month_day;

/// The dates the date pickers can hold.
inline constexpr Date kFirstDate{std::chrono::year{1601}, std::chrono::month{1},
                                 std::chrono::day{1}};
inline constexpr Date kLastDate{std::chrono::year{9999}, std::chrono::month{12},
                                std::chrono::day{31}};

/// Gregorian rule: divisible by 4, and by 400 when divisible by 100.
[[nodiscard]] bool IsLeapYear(int year);

/// 28..31 for months 1..12 (February by IsLeapYear); 0 for any other month.
[[nodiscard]] int DaysInMonth(int year, int month);

/// A valid date between kFirstDate and kLastDate.
[[nodiscard]] bool isPickable(const Date& date);

/// The date written yyyy/MM/dd (2011/08/24), the Japanese short form, whatever the locale.
[[nodiscard]] std::u16string shortDate(const Date& date);

/// A whole number written in plain digits with its sign.
[[nodiscard]] std::u16string plainInteger(std::int64_t value);

/// The whole number of days a user typed: rounded to the nearest whole number, halves to the
/// even one. Empty when the text is not a number or lies outside the 32-bit range.
[[nodiscard]] std::optional<std::int32_t> typedDayCount(std::u16string_view text);

/// The date `daysText` days after `start` (before it for a negative count). The text is read
/// as a number typed by a user and rounded to a whole number, halves to the even one. Empty
/// when the text is not a number, the count lies outside the 32-bit range or the date falls
/// outside kFirstDate..kLastDate.
[[nodiscard]] std::optional<Date> datePlusDays(const Date& start, std::u16string_view daysText);

} // namespace sumiplex::datetime
