#include <algorithm>
#include <cstdint>
#include <iterator>

#include "core/decimal/decimal.h"
#include "core/decimal/wide.h"

namespace sumiplex {

namespace {

/// A number pattern read once: how many whole digits are always written, whether the whole
/// part is grouped, whether a point is written, and the fraction places (all of them, and
/// those always written because a "0" placeholder ends them).
struct PatternRules {
    int minWhole = 1;
    bool group = false;
    bool point = false;
    int fractionPlaces = 0;
    int minFraction = 0;
    std::u16string_view prefix;
    std::u16string_view suffix;
};

constexpr PatternRules kWholeRules{1, true, false, 0, 0, {}, {}};
constexpr PatternRules kLongRules{1, true, true, 28, 0, {}, {}};

bool isPatternChar(char16_t c) {
    return c == u'#' || c == u'0' || c == u',' || c == u'.';
}

/// The number is the first run of "#0,." characters; any text before that run is written in
/// front of the number and everything after it behind, as it stands.
PatternRules readPattern(std::u16string_view pattern) {
    PatternRules rules;
    rules.minWhole = 0;
    std::size_t begin = 0;
    while (begin < pattern.size() && !isPatternChar(pattern[begin])) {
        ++begin;
    }
    rules.prefix = pattern.substr(0, begin);
    std::size_t end = begin;
    while (end < pattern.size() && isPatternChar(pattern[end])) {
        ++end;
    }
    rules.suffix = pattern.substr(end);
    bool seenZero = false;
    bool inFraction = false;
    for (std::size_t i = begin; i < end; ++i) {
        const char16_t c = pattern[i];
        if (c == u'.') {
            if (inFraction) {
                continue; // a second point has no meaning of its own
            }
            inFraction = true;
            rules.point = true;
        } else if (c == u',') {
            rules.group |= !inFraction;
        } else if (inFraction) {
            ++rules.fractionPlaces;
            if (c == u'0') {
                rules.minFraction = rules.fractionPlaces;
            }
        } else {
            seenZero |= c == u'0';
            rules.minWhole += seenZero ? 1 : 0;
        }
    }
    return rules;
}

/// The digits a pattern writes for a value: the whole part from `first` to `point` with
/// padWhole zeros in front, the fraction from `point` to `last` with padFraction zeros after.
struct Layout {
    char16_t digits[48];
    int first = 0;
    int point = 0;
    int last = 0;
    int padWhole = 0;
    int padFraction = 0;
    bool negative = false;
};

Layout layOut(const Decimal& value, const PatternRules& rules) {
    // Most values already have no more places than the pattern shows: nothing to round.
    const Decimal v =
        value.scale() <= rules.fractionPlaces
            ? value
            : value.roundedHalfAwayFromZero(std::min(rules.fractionPlaces, Decimal::kMaxScale));
    Layout l;
    char16_t* const end = l.digits + std::size(l.digits);
    char16_t* first = detail::writeDigits(v.mantissa(), end);
    const int scale = v.scale();
    while (end - first <= scale) {
        *--first = u'0';
    }
    l.first = static_cast<int>(first - l.digits);
    l.last = static_cast<int>(std::size(l.digits));
    l.point = l.last - scale;
    // Whole part: leading zeros go, down to the digits the pattern always writes.
    while (l.first < l.point && l.digits[l.first] == u'0' && l.point - l.first > rules.minWhole) {
        ++l.first;
    }
    l.padWhole = std::max(0, rules.minWhole - (l.point - l.first));
    // Fraction: trailing zeros go as far as "#" placeholders reach.
    while (l.last > l.point && l.digits[l.last - 1] == u'0' &&
           l.last - l.point > rules.minFraction) {
        --l.last;
    }
    l.padFraction = std::max(0, rules.minFraction - (l.last - l.point));
    l.negative = v.isNegative(); // after rounding: a value shown as zero has no sign
    return l;
}

/// Writes the number part ("-", grouped whole part, "." and fraction) to out; returns the end.
char16_t* writeNumber(const Layout& l, const PatternRules& rules, char16_t* out) {
    if (l.negative) {
        *out++ = u'-';
    }
    const int whole = l.padWhole + (l.point - l.first);
    // Digits left before the next ",": the first group takes what the threes leave over.
    int untilComma = rules.group ? (whole % 3 == 0 ? 3 : whole % 3) : whole + 1;
    for (int i = 0; i < whole; ++i) {
        if (untilComma == 0) {
            *out++ = u',';
            untilComma = 3;
        }
        --untilComma;
        *out++ = i < l.padWhole ? u'0' : l.digits[l.first + i - l.padWhole];
    }
    if (rules.point) {
        *out++ = u'.';
        out = std::copy(l.digits + l.point, l.digits + l.last, out);
        out = std::fill_n(out, l.padFraction, u'0');
    }
    return out;
}

/// Everyday totals and their tax figures are whole amounts in the grouped whole pattern. Those
/// that fit 64 bits go straight to "-1,234,567" with no layout; false leaves any other value to
/// the general path.
bool appendGroupedWhole(std::u16string& out, const Decimal& value) {
    const Decimal::Mantissa mantissa = value.mantissa();
    const auto scale = static_cast<std::size_t>(value.scale());
    if ((mantissa >> 64) != 0 || scale >= detail::kPow10u64.size()) {
        return false;
    }
    auto rest = static_cast<std::uint64_t>(mantissa);
    // Products and quotients carry places (150.00, 17.60): the pattern shows none, so the
    // value is rounded half away from zero, as the general path does.
    if (scale != 0) {
        const std::uint64_t unit = detail::kPow10u64[scale];
        const std::uint64_t fraction = rest % unit;
        rest = rest / unit + (fraction >= unit - fraction ? 1 : 0);
    }
    // A value shown as zero has no sign.
    const bool negative = value.isNegative() && rest != 0;
    char16_t text[27]; // 20 digits, 6 commas and a sign
    char16_t* const end = text + std::size(text);
    char16_t* first = end;
    int inGroup = 0;
    do {
        if (inGroup == 3) {
            *--first = u',';
            inGroup = 0;
        }
        *--first = static_cast<char16_t>(u'0' + rest % 10);
        rest /= 10;
        ++inGroup;
    } while (rest != 0);
    if (negative) {
        *--first = u'-';
    }
    out.append(first, end);
    return true;
}

void appendFormatted(std::u16string& out, const Decimal& value, const PatternRules& rules) {
    if (&rules == &kWholeRules && appendGroupedWhole(out, value)) {
        return;
    }
    const Layout l = layOut(value, rules);
    const int whole = l.padWhole + (l.point - l.first);
    const int commas = rules.group && whole > 0 ? (whole - 1) / 3 : 0;
    const int length = 2 + whole + commas + (l.last - l.point) + l.padFraction;
    const auto size = static_cast<std::size_t>(length);
    // Display amounts fit the stack buffer; only patterns with many "0" places need more.
    char16_t small[64];
    std::u16string large;
    char16_t* start = small;
    if (size > std::size(small)) {
        large.resize(size);
        start = large.data();
    }
    const std::u16string_view number(
        start, static_cast<std::size_t>(writeNumber(l, rules, start) - start));
    if (rules.prefix.empty() && rules.suffix.empty()) {
        out.append(number);
        return;
    }
    // The minus sign leads, before any text the pattern puts in front of the number.
    if (l.negative) {
        out.push_back(u'-');
    }
    out.append(rules.prefix);
    out.append(number.substr(l.negative ? 1 : 0));
    out.append(rules.suffix);
}

const PatternRules* knownRules(std::u16string_view pattern) {
    // The two display patterns are by far the most frequent; their rules are known. Callers
    // mostly pass the constants themselves, which the address tells without reading them.
    const auto is = [pattern](std::u16string_view known) {
        return (pattern.data() == known.data() && pattern.size() == known.size()) ||
               pattern == known;
    };
    if (is(kPatternWhole)) {
        return &kWholeRules;
    }
    if (is(kPatternLong)) {
        return &kLongRules;
    }
    return nullptr;
}

} // namespace

void appendPattern(std::u16string& out, const Decimal& value, std::u16string_view pattern) {
    if (const PatternRules* rules = knownRules(pattern)) {
        appendFormatted(out, value, *rules);
    } else {
        appendFormatted(out, value, readPattern(pattern));
    }
}

std::u16string formatPattern(const Decimal& value, std::u16string_view pattern) {
    std::u16string text;
    appendPattern(text, value, pattern);
    return text;
}

std::u16string FormatAmount(const Decimal& value) {
    std::u16string text;
    appendFormatted(text, value, value.isWhole() ? kWholeRules : kLongRules);
    return text;
}

} // namespace sumiplex
