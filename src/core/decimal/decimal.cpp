#include "core/decimal/decimal.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <system_error>
#include <utility>

#include "core/decimal/wide.h"

namespace sumiplex {

using detail::kMax;
using detail::kPow10;
using detail::U128;

std::optional<Decimal> Decimal::fromParts(Mantissa mantissa, int scale, bool negative) {
    if (mantissa > kMax || scale < 0 || scale > kMaxScale) {
        return std::nullopt;
    }
    return fromRaw(mantissa, scale, negative);
}

std::optional<Decimal> Decimal::fromDouble(double v) {
    if (!std::isfinite(v) || std::fabs(v) >= 0x1p96) {
        return std::nullopt;
    }
    if (v == 0) {
        return Decimal{};
    }
    // Scientific notation with 14 digits after the point: 15 significant digits, rounded
    // half to even from the exact binary value.
    char buf[40];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14);
    if (res.ec != std::errc{}) {
        return std::nullopt;
    }
    const char* p = buf;
    const bool negative = *p == '-';
    if (negative) {
        ++p;
    }
    std::uint64_t digits = 0;
    for (; p != res.ptr && *p != 'e'; ++p) {
        if (*p != '.') {
            digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
        }
    }
    int exponent = 0;
    if (p == res.ptr ||
        std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), res.ptr, exponent).ec != std::errc{}) {
        return std::nullopt;
    }
    // value = digits * 10^(exponent - 14)
    int scale = 14 - exponent;
    U128 m = digits;
    if (scale < 0) {
        // Below 2^96 the 15 kept digits never need more than 29 digits in all.
        m *= kPow10[static_cast<std::size_t>(-scale)];
        scale = 0;
    } else if (scale > kMaxScale) {
        // Below 10^-14 fewer than 15 digits fit in 28 places: round those 15 digits again.
        const int drop = scale - kMaxScale;
        if (drop > 15) {
            return Decimal{};
        }
        const auto p10 = static_cast<std::uint64_t>(kPow10[static_cast<std::size_t>(drop)]);
        const std::uint64_t q = digits / p10;
        const std::uint64_t r = digits % p10;
        const bool up = 2 * r > p10 || (2 * r == p10 && (q & 1) != 0);
        m = q + (up ? 1 : 0);
        scale = kMaxScale;
    }
    while (scale > 0 && m % 10 == 0) {
        m /= 10;
        --scale;
    }
    if (m > kMax) {
        return std::nullopt;
    }
    return fromRaw(m, scale, negative && m != 0);
}

double Decimal::toDouble() const {
    // Through the text form so that the conversion is correctly rounded.
    const std::string text = toPlainAscii();
    double v = 0;
    std::from_chars(text.data(), text.data() + text.size(), v);
    return v;
}

std::optional<Decimal> Decimal::pow(const Decimal& exponent) const {
    const double r = std::pow(toDouble(), exponent.toDouble());
    return fromDouble(r);
}

Decimal Decimal::truncated() const {
    if (m_scale == 0) {
        return *this;
    }
    // Most amounts fit 64 bits, where the division is one instruction rather than a call.
    if ((m_mantissa >> 64) == 0 && m_scale < 20) {
        return fromRaw(static_cast<std::uint64_t>(m_mantissa) / detail::kPow10u64[m_scale], 0,
                       m_negative);
    }
    // A 128-bit mantissa over a divisor of 64 bits whose quotient fits 64 bits: one hardware
    // division too.
    const auto high = static_cast<std::uint64_t>(m_mantissa >> 64);
    if (m_scale < 20 && high < detail::kPow10u64[m_scale]) {
        std::uint64_t rest = 0;
        return fromRaw(detail::div128by64(high, static_cast<std::uint64_t>(m_mantissa),
                                          detail::kPow10u64[m_scale], rest),
                       0, m_negative);
    }
    return fromRaw(m_mantissa / kPow10[m_scale], 0, m_negative);
}

namespace {

enum class Tie { AwayFromZero, Even };

// Keeps `places` fraction digits of ±mantissa / 10^scale, a dropped half going by `tie`.
// Returns the new mantissa and scale; the value is unchanged when it has no more places.
std::pair<U128, int> roundMantissa(U128 mantissa, int scale, int places, Tie tie) {
    places = std::clamp(places, 0, Decimal::kMaxScale);
    if (places >= scale) {
        return {mantissa, scale};
    }
    const U128 p = kPow10[static_cast<std::size_t>(scale - places)];
    // Most amounts fit 64 bits, where the division is one instruction rather than a call.
    const U128 q = (mantissa >> 64) == 0 && scale - places < 20
                       ? U128{static_cast<std::uint64_t>(mantissa) / static_cast<std::uint64_t>(p)}
                       : mantissa / p;
    const U128 r = mantissa - q * p;
    const bool up = 2 * r > p || (2 * r == p && (tie == Tie::AwayFromZero || (q & 1) != 0));
    return {q + (up ? 1 : 0), places};
}

} // namespace

Decimal Decimal::roundedHalfAwayFromZero(int places) const {
    const auto [m, s] = roundMantissa(m_mantissa, m_scale, places, Tie::AwayFromZero);
    return fromRaw(m, s, m_negative);
}

Decimal Decimal::roundedHalfEven(int places) const {
    const auto [m, s] = roundMantissa(m_mantissa, m_scale, places, Tie::Even);
    return fromRaw(m, s, m_negative);
}

std::optional<Decimal> Decimal::pow10(int k) {
    if (k < -kMaxScale || k > kMaxScale) {
        return std::nullopt;
    }
    if (k >= 0) {
        return fromRaw(kPow10[static_cast<std::size_t>(k)], 0, false);
    }
    return fromRaw(1, -k, false);
}

bool Decimal::isWhole() const {
    if (m_scale == 0) {
        return true;
    }
    if ((m_mantissa >> 64) == 0 && m_scale < 20) {
        const auto p = static_cast<std::uint64_t>(kPow10[m_scale]);
        return static_cast<std::uint64_t>(m_mantissa) % p == 0;
    }
    return m_mantissa % kPow10[m_scale] == 0;
}

std::strong_ordering Decimal::compare(const Decimal& a, const Decimal& b) {
    const int sa = a.m_mantissa == 0 ? 0 : (a.m_negative ? -1 : 1);
    const int sb = b.m_mantissa == 0 ? 0 : (b.m_negative ? -1 : 1);
    if (sa != sb || sa == 0) {
        return sa <=> sb;
    }
    std::strong_ordering mag = std::strong_ordering::equal;
    if (a.m_scale == b.m_scale) {
        mag = a.m_mantissa <=> b.m_mantissa;
    } else {
        const bool aFiner = a.m_scale > b.m_scale;
        const U128 p = kPow10[static_cast<std::size_t>(aFiner ? a.m_scale - b.m_scale
                                                              : b.m_scale - a.m_scale)];
        const detail::U192 coarse = detail::mulWide(aFiner ? b.m_mantissa : a.m_mantissa, p);
        const detail::U192 fine = detail::U192::from(aFiner ? a.m_mantissa : b.m_mantissa);
        const int c = aFiner ? detail::compare(fine, coarse) : detail::compare(coarse, fine);
        mag = c <=> 0;
    }
    return sa > 0 ? mag : 0 <=> mag;
}

namespace {

// The plain form in either character type: optional "-", the whole digits, and "." with the
// fraction only when a fraction digit other than a trailing zero remains.
template <class String>
void assignPlainForm(String& out, Decimal::Mantissa mantissa, int scale, bool negative) {
    // Written in the string's own character type and built in one go: appending a range of
    // another character type makes a temporary string first. The buffer keeps room in front
    // for the point and the sign.
    using Ch = typename String::value_type;
    Ch buf[64];
    Ch* const end = buf + std::size(buf);
    Ch* first = detail::writeDigits(mantissa, end);
    while (end - first <= scale) {
        *--first = '0';
    }
    Ch* last = end;
    int fraction = scale;
    while (fraction > 0 && last[-1] == '0') {
        --last;
        --fraction;
    }
    if (fraction > 0) {
        Ch* const point = last - fraction;
        // The whole digits move one place to the front to make room for the point.
        std::copy(first, point, first - 1);
        --first;
        point[-1] = '.';
    }
    if (negative) {
        *--first = '-';
    }
    out.assign(first, last);
}

template <class String> String plainForm(Decimal::Mantissa mantissa, int scale, bool negative) {
    String out;
    assignPlainForm(out, mantissa, scale, negative);
    return out;
}

} // namespace

std::string Decimal::toPlainAscii() const {
    return plainForm<std::string>(m_mantissa, m_scale, isNegative());
}

std::u16string Decimal::toPlainString() const {
    return plainForm<std::u16string>(m_mantissa, m_scale, isNegative());
}

void Decimal::assignPlainString(std::u16string& out) const {
    assignPlainForm(out, m_mantissa, m_scale, isNegative());
}

} // namespace sumiplex
