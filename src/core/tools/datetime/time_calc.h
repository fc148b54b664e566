#pragma once

#include "core/decimal/decimal.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sumiplex::datetime {

/// A time of day as the time pickers give it.
struct TimeOfDay {
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
};

/// Hours, minutes and seconds from a start time to an end time; an end earlier than the
/// start lies on the next day, so the span is 0:00:00..23:59:59.
struct Elapsed {
    std::int16_t hours = 0;
    std::int16_t minutes = 0;
    std::int16_t seconds = 0;
};

[[nodiscard]] Elapsed elapsedTime(const TimeOfDay& start, const TimeOfDay& end);

/// The elapsed time in hours, computed in double precision and written with at most 15
/// significant digits (1:20:00 gives "1.33333333333333").
[[nodiscard]] std::u16string elapsedHoursText(const Elapsed& elapsed);

enum class TimeUnit { Hours, Minutes, Seconds };

/// The unit names of the conversion lists, in their order.
inline constexpr std::array<std::u16string_view, 3> kTimeUnitNames{u"時間", u"分", u"秒"};

[[nodiscard]] std::optional<TimeUnit> timeUnitNamed(std::u16string_view name);

/// `value` in `from` units as `to` units, in decimal arithmetic, each step of a two-step
/// factor rounded on its own ((1 ÷ 60) ÷ 60 for seconds to hours). Empty on overflow.
[[nodiscard]] std::optional<Decimal> convertTime(const Decimal& value, TimeUnit from, TimeUnit to);

/// What the conversion panel shows for a quantity and the texts of the two unit lists.
struct TimeConversion {
    /// "1.5 時間 =   90. 分"; empty when the quantity is not a number or a unit is unknown.
    std::u16string resultLine;
    /// "1時間 30分 0秒"; empty when the quantity is not a number or the source unit unknown.
    std::u16string breakdown;
    /// The converted value the result line shows, for the main window's input line.
    std::optional<Decimal> converted;
};

/// Reads `quantity` as a number typed by a user and converts it from the unit named `from`
/// to the unit named `to`. The breakdown carries 60 seconds into a minute and 60 minutes
/// into an hour; a negative quantity gives negative parts (-1時間 -30分 0秒).
[[nodiscard]] TimeConversion convertTimeText(std::u16string_view quantity, std::u16string_view from,
                                             std::u16string_view to);

} // namespace sumiplex::datetime
