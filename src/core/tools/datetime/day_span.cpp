#include "core/tools/datetime/day_span.h"

#include "core/decimal/decimal.h"

namespace sumiplex::datetime {

namespace {

constexpr std::u16string_view kLineEnd = u"\r\n";

struct Parts {
    int year;
    int month;
    int day;
};

Parts partsOf(const Date& date) {
    return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day()))};
}

bool isMonthEnd(const Parts& p) {
    return p.day == DaysInMonth(p.year, p.month);
}

int monthsApart(const Parts& e, const Parts& l) {
    const int months = l.month - e.month;
    return months < 0 ? months + 12 : months;
}

std::u16string num(int value) {
    return plainInteger(value);
}

} // namespace

DaysMode modeFromCaption(std::u16string_view caption) {
    return caption == kAgeCaption ? DaysMode::Age : DaysMode::DayCount;
}

DaySpan RecalcDays(const Date& first, const Date& second) {
    const bool firstEarlier = first < second;
    const Date& earlier = firstEarlier ? first : second;
    const Date& later = firstEarlier ? second : first;
    const Parts e = partsOf(earlier);
    const Parts l = partsOf(later);

    int years = l.year - e.year;
    // The later date has not yet reached the earlier one's month and day in its year.
    if (l.month < e.month || (l.month == e.month && l.day < e.day))
        --years;
    int months = monthsApart(e, l);
    int days = l.day - e.day;
    if (days < 0) {
        --months;
        days += DaysInMonth(e.year, e.month);
        if (months < 0)
            months += 12;
    }
    if (isMonthEnd(e) && isMonthEnd(l)) {
        // From a month's last day to a month's last day is whole months, however short the
        // later month; the years follow the months, so 02/29 to the next 02/28 is a year.
        days = 0;
        months = monthsApart(e, l);
        years = l.year - e.year - (l.month < e.month ? 1 : 0);
    }
    const auto count = std::chrono::sys_days{later} - std::chrono::sys_days{earlier};
    return {static_cast<std::int16_t>(years), static_cast<std::int16_t>(months),
            static_cast<std::int16_t>(days), static_cast<std::int32_t>(count.count())};
}

std::u16string resultLine(const DaySpan& span, DaysMode mode) {
    std::u16string line = u"日数　";
    line += formatPattern(Decimal::fromInt(span.dayCount), kPatternWhole);
    line += mode == DaysMode::Age ? u" 日　　(年齢 " : u" 日　　( ";
    line += num(span.years);
    line += mode == DaysMode::Age ? u"才　" : u"年　";
    line += num(span.months);
    line += u"ヶ月 + ";
    line += num(span.days);
    line += u"日)";
    return line;
}

std::u16string daysMemoText(const Date& first, const Date& second, const DaySpan& span,
                            DaysMode mode, std::u16string_view eraLine) {
    const std::u16string dates = shortDate(first) + u" - " + shortDate(second);
    const std::u16string count = num(span.dayCount);
    std::u16string text;
    const auto line = [&text](std::u16string_view piece) {
        text += piece;
        text += kLineEnd;
    };
    if (mode == DaysMode::Age) {
        line(eraLine);
        line(dates);
        line(u"日数  " + count + u" 日");
        line(u"年齢  " + num(span.years) + u"才 " + num(span.months) + u"ヶ月 + " + num(span.days) +
             u"日 ");
    } else {
        line(dates);
        line(count + u" Days     ");
        line(num(span.years) + u" Years " + num(span.months) + u" Months " + num(span.days) +
             u" Days ");
    }
    line(u"");
    return text;
}

std::u16string daysTapeText(const DaySpan& span) {
    const std::u16string indent(6, u' ');
    return indent + num(span.dayCount) + u" Days     " + std::u16string(kLineEnd) + indent +
           num(span.years) + u" Years " + num(span.months) + u" Months " + num(span.days) +
           u" Days " + std::u16string(kLineEnd);
}

} // namespace sumiplex::datetime
