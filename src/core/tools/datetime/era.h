#pragma once

#include "core/decimal/decimal.h"
#include "core/tools/datetime/calendar.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace sumiplex::datetime {

/// The era names the conversion rows offer, newest first.
inline constexpr std::array<std::u16string_view, 5> kEraNames{u"令和", u"平成", u"昭和", u"大正",
                                                              u"明治"};

/// An era and its year number.
struct EraYear {
    std::u16string_view era;
    int year = 0;
};

/// The Western year of an era year typed into a conversion row (平成 23 gives 2011; a
/// fractional era year gives a fractional Western year). An era's years may run before its
/// start or past its end (平成 0 is 1988, 平成 36 is 2024), but the Western year stays within
/// 1 to 9999, the last year a date picker holds. Empty for an era not in kEraNames, a text
/// that is not a number, or a year outside those bounds.
[[nodiscard]] std::optional<Decimal> westernYear(std::u16string_view era,
                                                 std::u16string_view eraYearText);

/// `date` moved to the Western year `year` (rounded half to even), keeping its month and day.
/// Empty when that year lies outside 1601..9999 or has no such day (29 February).
[[nodiscard]] std::optional<Date> withYear(const Date& date, const Decimal& year);

/// The era and era year a date is written in. Each era begins on its first day, the days
/// before it in its first Western year still belonging to the era before (2019/04/30 is
/// 平成 31, 2019/05/01 is 令和 1); the days of 1868 before 明治 are 慶応 4. Empty before 1868.
[[nodiscard]] std::optional<EraYear> eraOf(const Date& date);

/// era + year + "年" + month + "月" + day + "日" (令和6年1月5日); empty before 1868.
[[nodiscard]] std::optional<std::u16string> eraForm(const Date& date);

/// The era line under the two dates: the first date's era form and " - ", then the second's;
/// a first date before 1868 gives eighteen blanks and "- ", a second one nothing.
[[nodiscard]] std::u16string eraLine(const Date& first, const Date& second);

/// The era and year a conversion row starts on, so that its Western year is today's year:
/// the era `today` is written in, or 明治 for days before 明治 began.
[[nodiscard]] EraYear startingEraYear(const Date& today);

} // namespace sumiplex::datetime
