#include <algorithm>
#include <iterator>

#include "core/decimal/decimal.h"
#include "core/decimal/wide.h"

namespace sumiplex {

namespace {

/// A number pattern read once: how many whole digits are always written, whether the whole
/// part is grouped, whether a point is written, and the fraction places (all of them, and
/// those always written because a "0" placeholder ends them).
struct PatternSpec {
    int minWhole = 1;
    bool group = false;
    bool point = false;
    int fractionPlaces = 0;
    int minFraction = 0;
    std::u16string_view prefix;
    std::u16string_view suffix;
};

constexpr PatternSpec kWholeSpec{1, true, false, 0, 0, {}, {}};
constexpr PatternSpec kLongSpec{1, true, true, 28, 0, {}, {}};

bool isPatternChar(char16_t c) {
    return c == u'#' || c == u'0' || c == u',' || c == u'.';
}

/// Characters outside "#0,." are written as they stand: those before the first pattern
/// character in front of the number, all others after it.
PatternSpec readPattern(std::u16string_view pattern) {
    PatternSpec spec;
    spec.minWhole = 0;
    std::size_t begin = 0;
    while (begin < pattern.size() && !isPatternChar(pattern[begin])) {
        ++begin;
    }
    spec.prefix = pattern.substr(0, begin);
    std::size_t end = begin;
    while (end < pattern.size() && isPatternChar(pattern[end])) {
        ++end;
    }
    spec.suffix = pattern.substr(end);
    bool seenZero = false;
    bool inFraction = false;
    for (std::size_t i = begin; i < end; ++i) {
        const char16_t c = pattern[i];
        if (c == u'.') {
            if (inFraction) {
                continue; // a second point has no meaning of its own
            }
            inFraction = true;
            spec.point = true;
        } else if (c == u',') {
            spec.group |= !inFraction;
        } else if (inFraction) {
            ++spec.fractionPlaces;
            if (c == u'0') {
                spec.minFraction = spec.fractionPlaces;
            }
        } else {
            seenZero |= c == u'0';
            spec.minWhole += seenZero ? 1 : 0;
        }
    }
    return spec;
}

std::u16string format(const Decimal& value, const PatternSpec& spec) {
    const Decimal v =
        value.roundedHalfAwayFromZero(std::min(spec.fractionPlaces, Decimal::kMaxScale));
    char buf[48];
    char* const end = buf + sizeof buf;
    char* first = detail::writeDigits(v.mantissa(), end);
    const int scale = v.scale();
    while (end - first <= scale) {
        *--first = '0';
    }
    char* const point = end - scale;
    // Whole part: leading zeros go, down to the digits the pattern always writes.
    while (first < point && *first == '0' && point - first > spec.minWhole) {
        ++first;
    }
    const auto wholeDigits = static_cast<int>(point - first);
    const int padWhole = std::max(0, spec.minWhole - wholeDigits);
    // Fraction: trailing zeros go as far as "#" placeholders reach.
    char* last = end;
    while (last > point && last[-1] == '0' && last - point > spec.minFraction) {
        --last;
    }
    const auto fractionDigits = static_cast<int>(last - point);
    const int padFraction = std::max(0, spec.minFraction - fractionDigits);

    const int whole = wholeDigits + padWhole;
    const int commas = spec.group && whole > 0 ? (whole - 1) / 3 : 0;
    // Assembled in one buffer: the longest number part is "-", 29 digits, 9 commas, ".",
    // and the fraction places.
    const std::size_t size = 2 + static_cast<std::size_t>(whole + commas) +
                             static_cast<std::size_t>(fractionDigits + padFraction);
    char16_t small[64];
    std::u16string large;
    char16_t* out = small;
    if (size > std::size(small)) {
        large.resize(size);
        out = large.data();
    }
    char16_t* const start = out;
    if (v.isNegative()) {
        *out++ = u'-';
    }
    for (int i = 0; i < whole; ++i) {
        if (spec.group && i > 0 && (whole - i) % 3 == 0) {
            *out++ = u',';
        }
        *out++ = i < padWhole ? u'0' : static_cast<char16_t>(first[i - padWhole]);
    }
    if (spec.point) {
        *out++ = u'.';
        for (const char* p = point; p != last; ++p) {
            *out++ = static_cast<char16_t>(*p);
        }
        for (int i = 0; i < padFraction; ++i) {
            *out++ = u'0';
        }
    }
    const std::u16string_view number(start, static_cast<std::size_t>(out - start));
    if (spec.prefix.empty() && spec.suffix.empty()) {
        return std::u16string(number);
    }
    std::u16string text;
    text.reserve(number.size() + spec.prefix.size() + spec.suffix.size());
    // The minus sign leads, before any text the pattern puts in front of the number.
    const bool minus = !number.empty() && number.front() == u'-';
    if (minus) {
        text.push_back(u'-');
    }
    text.append(spec.prefix);
    text.append(number.substr(minus ? 1 : 0));
    text.append(spec.suffix);
    return text;
}

} // namespace

std::u16string formatPattern(const Decimal& value, std::u16string_view pattern) {
    return format(value, readPattern(pattern));
}

std::u16string FormatAmount(const Decimal& value) {
    return format(value, value.isWhole() ? kWholeSpec : kLongSpec);
}

} // namespace sumiplex
