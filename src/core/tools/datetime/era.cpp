#include "core/tools/datetime/era.h"

#include <algorithm>

namespace sumiplex::datetime {

namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;

struct Era {
    std::u16string_view name;
    int offset; ///< Western year = era year + offset
    Date firstDay;
};

// Newest first; the last row only names the days of 1868 before 明治 began.
constexpr std::array<Era, 6> kEras{{
    {u"令和", 2018, Date{year{2019}, month{5}, day{1}}},
    {u"平成", 1988, Date{year{1989}, month{1}, day{8}}},
    {u"昭和", 1925, Date{year{1926}, month{12}, day{25}}},
    {u"大正", 1911, Date{year{1912}, month{7}, day{30}}},
    {u"明治", 1867, Date{year{1868}, month{9}, day{8}}},
    {u"慶応", 1864, Date{year{1865}, month{5}, day{1}}},
}};

constexpr int kFirstEraYear = 1868;
/// Western years a row may show. An era year may run before its era or past its end (平成 0
/// is 1988, 明治 -300 is 1567: plain arithmetic a user can read back), but a figure outside
/// the years of the calendar is no year at all.
constexpr int kFirstWesternYear = 1;

const Era* eraNamed(std::u16string_view name) {
    if (std::find(kEraNames.begin(), kEraNames.end(), name) == kEraNames.end())
        return nullptr;
    const auto* it =
        std::find_if(kEras.begin(), kEras.end(), [name](const Era& e) { return e.name == name; });
    return it == kEras.end() ? nullptr : &*it;
}

} // namespace

std::optional<Decimal> westernYear(std::u16string_view era, std::u16string_view eraYearText) {
    const Era* e = eraNamed(era);
    if (!e)
        return std::nullopt;
    const auto typed = Decimal::parse(eraYearText);
    if (!typed)
        return std::nullopt;
    const auto western = typed->add(Decimal::fromInt(e->offset));
    if (!western || *western < Decimal::fromInt(kFirstWesternYear) ||
        *western > Decimal::fromInt(static_cast<int>(kLastDate.year())))
        return std::nullopt;
    return western;
}

std::optional<Date> withYear(const Date& date, const Decimal& westernYear) {
    const Decimal whole = westernYear.roundedHalfEven(0);
    if (whole < Decimal::fromInt(static_cast<int>(kFirstDate.year())) ||
        whole > Decimal::fromInt(static_cast<int>(kLastDate.year())))
        return std::nullopt;
    const Date moved{year{static_cast<int>(whole.mantissa())}, date.month(), date.day()};
    if (!isPickable(moved))
        return std::nullopt;
    return moved;
}

std::optional<EraYear> eraOf(const Date& date) {
    const int y = static_cast<int>(date.year());
    if (y < kFirstEraYear)
        return std::nullopt;
    // The newest era whose first Western year is not after the date's year; the days of that
    // year before its first day still belong to the era before.
    for (std::size_t i = 0; i + 1 < kEras.size(); ++i) {
        const Era& e = kEras[i];
        if (y < static_cast<int>(e.firstDay.year()))
            continue;
        const Era& used = date < e.firstDay ? kEras[i + 1] : e;
        return EraYear{used.name, y - used.offset};
    }
    return std::nullopt;
}

std::optional<std::u16string> eraForm(const Date& date) {
    const auto era = eraOf(date);
    if (!era)
        return std::nullopt;
    std::u16string text(era->era);
    text += plainInteger(era->year);
    text += u'年';
    text += plainInteger(static_cast<unsigned>(date.month()));
    text += u'月';
    text += plainInteger(static_cast<unsigned>(date.day()));
    text += u'日';
    return text;
}

std::u16string eraLine(const Date& first, const Date& second) {
    std::u16string line;
    if (const auto form = eraForm(first))
        line = *form + u" - ";
    else
        line = std::u16string(18, u' ') + u"- ";
    if (const auto form = eraForm(second))
        line += *form;
    return line;
}

EraYear startingEraYear(const Date& today) {
    if (const auto era = eraOf(today); era && eraNamed(era->era))
        return *era;
    const Era& meiji = *eraNamed(u"明治");
    return {meiji.name, static_cast<int>(today.year()) - meiji.offset};
}

} // namespace sumiplex::datetime
