#pragma once

// moc reads the window headers that include this one and cannot parse the concepts
// header that <compare> pulls in; it needs nothing from it.
#ifndef Q_MOC_RUN
#include <compare>
#endif
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sumiplex {

/// An exact decimal number: a 96-bit unsigned mantissa, a sign and a scale 0..28
/// (value = ±mantissa / 10^scale). Arithmetic follows the rules of the OLE Automation
/// decimal: exact while the result fits, otherwise the scale is reduced with
/// round-half-to-even on the exact result. Failures (overflow, division by zero,
/// unreadable text) are returned as an empty optional, never thrown.
class Decimal {
public:
    // __extension__ keeps -Wpedantic quiet about the compiler's 128-bit integer.
    __extension__ using Mantissa = unsigned __int128;

    static constexpr int kMaxScale = 28;
    /// 2^96 - 1, the largest mantissa.
    static constexpr Mantissa kMaxMantissa = (Mantissa{1} << 96) - 1;

    constexpr Decimal() = default;

    /// An integer value (scale 0). Every int64 fits.
    static constexpr Decimal fromInt(std::int64_t v) {
        Decimal d;
        d.m_negative = v < 0;
        d.m_mantissa = v < 0 ? Mantissa(-(v + 1)) + 1 : Mantissa(v);
        return d;
    }

    /// Builds mantissa / 10^scale with the given sign; empty when the mantissa exceeds
    /// 96 bits or the scale is outside 0..28.
    [[nodiscard]] static std::optional<Decimal> fromParts(Mantissa mantissa, int scale,
                                                          bool negative);

    /// Converts a double keeping 15 significant digits, rounded half to even
    /// (2.0123456789123456 gives 2.01234567891235). NaN, infinities and magnitudes of
    /// 2^96 or more are errors.
    [[nodiscard]] static std::optional<Decimal> fromDouble(double v);

    /// Reads a number typed by a user: blanks around it, a sign in front or at the end,
    /// "," group separators, one "."; the full-width forms of digits, signs, "." and ","
    /// are read as their ASCII counterparts. Extra fraction digits are rounded half to even.
    [[nodiscard]] static std::optional<Decimal> parse(std::u16string_view text);
    [[nodiscard]] static std::optional<Decimal> parse(std::string_view text);

    [[nodiscard]] double toDouble() const;

    [[nodiscard]] std::optional<Decimal> add(const Decimal& rhs) const;
    [[nodiscard]] std::optional<Decimal> sub(const Decimal& rhs) const;
    [[nodiscard]] std::optional<Decimal> mul(const Decimal& rhs) const;
    /// Exact at the natural scale when the quotient terminates within 28 places;
    /// otherwise rounded half to even to as many digits as fit. A zero divisor is an error.
    [[nodiscard]] std::optional<Decimal> div(const Decimal& rhs) const;
    /// this ^ exponent computed in double precision (std::pow on toDouble() of both) and
    /// converted back with fromDouble, so the result keeps 15 significant digits rounded half
    /// to even: 1.1 ^ 2 gives 1.21 rather than the binary 1.2100000000000002. A negative
    /// base with a fractional exponent (NaN), 0 to a negative power and an out-of-range result
    /// are errors.
    [[nodiscard]] std::optional<Decimal> pow(const Decimal& exponent) const;

    /// Truncation toward zero (drops the fraction, keeps the sign).
    [[nodiscard]] Decimal truncated() const;
    /// Rounds half away from zero to `places` (0..28) digits after the point.
    [[nodiscard]] Decimal roundedHalfAwayFromZero(int places) const;
    /// Rounds half to even to `places` (0..28) digits after the point.
    [[nodiscard]] Decimal roundedHalfEven(int places) const;
    [[nodiscard]] Decimal negated() const {
        Decimal d = *this;
        d.m_negative = !d.m_negative;
        return d;
    }
    [[nodiscard]] Decimal abs() const {
        Decimal d = *this;
        d.m_negative = false;
        return d;
    }
    /// 10^k for k in -28..28; empty outside that range.
    [[nodiscard]] static std::optional<Decimal> pow10(int k);

    [[nodiscard]] bool isZero() const { return m_mantissa == 0; }
    /// True for values below zero; a zero never counts as negative.
    [[nodiscard]] bool isNegative() const { return m_negative && m_mantissa != 0; }
    [[nodiscard]] bool isWhole() const;
    [[nodiscard]] int scale() const { return m_scale; }
    [[nodiscard]] Mantissa mantissa() const { return m_mantissa; }
    /// The raw sign bit; a zero may carry it (as -0 does in the OLE decimal).
    [[nodiscard]] bool signBit() const { return m_negative; }

    /// Value comparison: 1.0 == 1, -0 == 0.
    friend bool operator==(const Decimal& a, const Decimal& b) {
        return compare(a, b) == std::strong_ordering::equal;
    }
    friend std::strong_ordering operator<=>(const Decimal& a, const Decimal& b) {
        return compare(a, b);
    }

    /// The plain form: optional "-", digits without grouping, "." and the fraction
    /// without trailing zeros (1234.5, 0.0125, 80). Zero is "0" whatever its sign bit.
    [[nodiscard]] std::u16string toPlainString() const;
    /// The plain form written over `out`, whose storage is kept.
    void assignPlainString(std::u16string& out) const;
    [[nodiscard]] std::string toPlainAscii() const;

private:
    static std::strong_ordering compare(const Decimal& a, const Decimal& b);
    /// Builds a value from parts already known to be in range.
    static constexpr Decimal fromRaw(Mantissa mantissa, int scale, bool negative) {
        Decimal d;
        d.m_mantissa = mantissa;
        d.m_scale = static_cast<std::uint8_t>(scale);
        d.m_negative = negative;
        return d;
    }

    Mantissa m_mantissa = 0;
    std::uint8_t m_scale = 0;
    bool m_negative = false;
};

/// Writes `value` with a number pattern made of "#", "0", "," and at most one "."
/// ("#,##0", "#,##0.############################", "#,##0.#0", "#,##0.####", "#0"):
/// the value is first rounded half away from zero to the pattern's fraction places;
/// "0" places are always written, "#" places only when significant; a "," asks for
/// grouping in threes; the "." is written whenever the pattern has one; a negative value
/// leads with "-", unless it rounds to zero.
[[nodiscard]] std::u16string formatPattern(const Decimal& value, std::u16string_view pattern);
/// formatPattern appended to `out`, with no text of its own to allocate.
void appendPattern(std::u16string& out, const Decimal& value, std::u16string_view pattern);

/// The display form: "#,##0" for a whole value, "#,##0.############################"
/// otherwise (1234 → "1,234", -1234.5 → "-1,234.5", 0.5 → "0.5").
[[nodiscard]] std::u16string FormatAmount(const Decimal& value);

/// The pattern names used across the program.
inline constexpr std::u16string_view kPatternWhole = u"#,##0";
inline constexpr std::u16string_view kPatternLong = u"#,##0.############################";
inline constexpr std::u16string_view kPatternRate = u"#,##0.#0";

} // namespace sumiplex
