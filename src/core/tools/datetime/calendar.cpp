#include "core/tools/datetime/calendar.h"

#include "core/decimal/decimal.h"

#include <limits>

namespace sumiplex::datetime {

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
    switch (month) {
    case 2:
        return IsLeapYear(year) ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    default:
        return month >= 1 && month <= 12 ? 31 : 0;
    }
}

bool isPickable(const Date& date) {
    return date.ok() && date >= kFirstDate && date <= kLastDate;
}

namespace {

void appendPadded(std::u16string& out, unsigned value, int width) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value != 0);
    while (static_cast<int>(digits.size()) < width)
        digits.insert(digits.begin(), u'0');
    out += digits;
}

} // namespace

std::u16string shortDate(const Date& date) {
    std::u16string out;
    appendPadded(out, static_cast<unsigned>(static_cast<int>(date.year())), 4);
    out += u'/';
    appendPadded(out, static_cast<unsigned>(date.month()), 2);
    out += u'/';
    appendPadded(out, static_cast<unsigned>(date.day()), 2);
    return out;
}

std::u16string plainInteger(std::int64_t value) {
    return Decimal::fromInt(value).toPlainString();
}

std::optional<std::int32_t> typedDayCount(std::u16string_view text) {
    const auto typed = Decimal::parse(text);
    if (!typed)
        return std::nullopt;
    const Decimal whole = typed->roundedHalfEven(0);
    const auto limit = [](std::int64_t v) { return Decimal::fromInt(v); };
    if (whole < limit(std::numeric_limits<std::int32_t>::min()) ||
        whole > limit(std::numeric_limits<std::int32_t>::max()))
        return std::nullopt;
    const auto magnitude = static_cast<std::int64_t>(whole.mantissa());
    return static_cast<std::int32_t>(whole.isNegative() ? -magnitude : magnitude);
}

std::optional<Date> datePlusDays(const Date& start, std::u16string_view daysText) {
    const auto days = typedDayCount(daysText);
    if (!days || !isPickable(start))
        return std::nullopt;
    const Date result{std::chrono::sys_days{start} + std::chrono::days{*days}};
    if (!isPickable(result))
        return std::nullopt;
    return result;
}

} // namespace sumiplex::datetime
