#include "core/tools/datetime/time_calc.h"

#include <algorithm>

namespace sumiplex::datetime {

namespace {

constexpr int kSecondsPerMinute = 60;
constexpr int kMinutesPerHour = 60;
constexpr int kHoursPerDay = 24;

const Decimal kSixty = Decimal::fromInt(60);

std::optional<Decimal> timesSixty(const std::optional<Decimal>& v) {
    return v ? v->mul(kSixty) : std::nullopt;
}

std::optional<Decimal> bySixty(const std::optional<Decimal>& v) {
    return v ? v->div(kSixty) : std::nullopt;
}

/// Hours, minutes and seconds of a quantity of hours, each part keeping the quantity's sign.
std::optional<std::u16string> breakdownOf(const Decimal& hours) {
    Decimal h = hours.truncated();
    const auto fraction = hours.sub(h);
    const auto minutesExact = timesSixty(fraction);
    if (!minutesExact)
        return std::nullopt;
    Decimal m = minutesExact->truncated();
    const auto secondsExact = timesSixty(minutesExact->sub(m));
    if (!secondsExact)
        return std::nullopt;
    Decimal s = secondsExact->roundedHalfEven(0);
    const Decimal one = Decimal::fromInt(1);
    // Rounding the seconds can make a full minute, and that minute a full hour.
    if (s.abs() == kSixty) {
        const auto carried = s.isNegative() ? m.sub(one) : m.add(one);
        if (!carried)
            return std::nullopt;
        m = *carried;
        s = Decimal{};
    }
    if (m.abs() == kSixty) {
        const auto carried = m.isNegative() ? h.sub(one) : h.add(one);
        if (!carried)
            return std::nullopt;
        h = *carried;
        m = Decimal{};
    }
    return h.toPlainString() + u"時間 " + m.toPlainString() + u"分 " + formatPattern(s, u"#0") +
           u"秒";
}

} // namespace

Elapsed elapsedTime(const TimeOfDay& start, const TimeOfDay& end) {
    int h2 = end.hours;
    int m2 = end.minutes;
    int seconds = end.seconds - start.seconds;
    if (seconds < 0) {
        seconds += kSecondsPerMinute;
        --m2;
    }
    int minutes = m2 - start.minutes;
    if (minutes < 0) {
        minutes += kMinutesPerHour;
        --h2;
    }
    int hours = h2 - start.hours;
    if (hours < 0)
        hours += kHoursPerDay;
    return {static_cast<std::int16_t>(hours), static_cast<std::int16_t>(minutes),
            static_cast<std::int16_t>(seconds)};
}

std::u16string elapsedHoursText(const Elapsed& e) {
    const double hours = (e.minutes / 60.0 + e.hours) + e.seconds / 3600.0;
    const auto kept = Decimal::fromDouble(hours);
    return kept ? kept->toPlainString() : std::u16string(u"0");
}

std::optional<TimeUnit> timeUnitNamed(std::u16string_view name) {
    const auto* it = std::find(kTimeUnitNames.begin(), kTimeUnitNames.end(), name);
    if (it == kTimeUnitNames.end())
        return std::nullopt;
    return static_cast<TimeUnit>(it - kTimeUnitNames.begin());
}

std::optional<Decimal> convertTime(const Decimal& value, TimeUnit from, TimeUnit to) {
    // Each unit is sixty of the next smaller one; one step per unit apart.
    std::optional<Decimal> v = value;
    for (int steps = static_cast<int>(to) - static_cast<int>(from); steps > 0; --steps)
        v = timesSixty(v);
    for (int steps = static_cast<int>(from) - static_cast<int>(to); steps > 0; --steps)
        v = bySixty(v);
    return v;
}

TimeConversion convertTimeText(std::u16string_view quantity, std::u16string_view from,
                               std::u16string_view to) {
    TimeConversion result;
    if (quantity.empty() || from.empty() || to.empty())
        return result;
    const auto value = Decimal::parse(quantity);
    if (!value)
        return result;
    const auto source = timeUnitNamed(from);
    const auto target = timeUnitNamed(to);
    if (source && target) {
        result.converted = convertTime(*value, *source, *target);
        if (result.converted)
            result.resultLine = formatPattern(*value, kPatternLong) + u" " + std::u16string(from) +
                                u" =   " + formatPattern(*result.converted, kPatternLong) + u" " +
                                std::u16string(to);
    }
    if (source) {
        if (const auto hours = convertTime(*value, *source, TimeUnit::Hours))
            result.breakdown = breakdownOf(*hours).value_or(std::u16string());
    }
    return result;
}

} // namespace sumiplex::datetime
