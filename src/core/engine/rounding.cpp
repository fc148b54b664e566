#include "core/engine/rounding.h"

#include <algorithm>

namespace sumiplex::engine {

namespace {

using Mantissa = Decimal::Mantissa;

// Places beyond this are clamped: every decimal has at most 29 digits, so any shift past
// it gives the same result as the limit, and the clamp keeps k - scale well inside int.
constexpr int kShiftLimit = 100;

// Exactly representable powers of ten in 128 bits reach 10^38.
constexpr int kMaxPow10 = 38;

Mantissa pow10(int e) {
    Mantissa p = 1;
    for (int i = 0; i < e; ++i)
        p *= 10;
    return p;
}

// Whether the dropped part rem / 10^drop lifts the kept digits by one unit: the mode's
// offset h is added to the fraction and the sum truncated, so the unit is added when the
// fraction is at least 1 - h (0.5 for half away from zero, 0.1 for up).
bool liftsKeptDigits(Mantissa rem, int drop, RoundMode mode) {
    if (mode == RoundMode::Down || rem == 0)
        return false;
    if (drop > kMaxPow10)
        return false; // the fraction is far below 0.1: no offset reaches the next unit
    const Mantissa unit = pow10(drop);
    const Mantissa threshold = mode == RoundMode::HalfAwayFromZero ? unit / 2 : unit / 10;
    return rem >= threshold;
}

} // namespace

std::u16string_view roundingTapeWord(RoundMode mode) {
    switch (mode) {
    case RoundMode::HalfAwayFromZero:
        return u"  Round-Off ";
    case RoundMode::Up:
        return u"  Round-Up ";
    case RoundMode::Down:
        break;
    }
    return u"  Round-Down ";
}

int roundingShift(std::u16string_view placeText) {
    const auto parsed = Decimal::parse(placeText);
    if (!parsed)
        return 0;
    // The shift itself is what gets rounded: N = 2.5 is k = 1.5, which rounds to 2.
    const Decimal limit = Decimal::fromInt(kShiftLimit);
    const Decimal place = std::clamp(*parsed, limit.negated(), limit);
    const auto shift = place.sub(Decimal::fromInt(1));
    return shift ? static_cast<int>(shift->roundedHalfEven(0).toDouble()) : 0;
}

// Works on the mantissa directly: |s| x 10^k = m / 10^drop with drop = scale - k, so the
// kept digits and the dropped fraction come out of one exact integer division. Adding the
// offset and multiplying in the decimal type would round on the way for values with many
// digits (4.9999999999999999999999999995 at N = 0 would become 10).
std::optional<Decimal> roundAtShift(const Decimal& original, int k, RoundMode mode) {
    k = std::clamp(k, -kShiftLimit, kShiftLimit);
    const int drop = original.scale() - k;
    if (drop <= 0)
        return original.isZero() ? Decimal{} : original; // no digit at or after place N

    const Mantissa m = original.mantissa();
    Mantissa kept = 0;
    Mantissa rem = m;
    if (drop <= kMaxPow10) {
        const Mantissa unit = pow10(drop);
        kept = m / unit;
        rem = m % unit;
    }
    if (liftsKeptDigits(rem, drop, mode))
        ++kept;
    if (kept == 0)
        return Decimal{};

    if (k >= 0) // k < scale <= 28 here
        return Decimal::fromParts(kept, k, original.isNegative());
    // Rounded to tens or beyond: scale the kept digits back up, watching the 96-bit limit.
    for (int i = 0; i < -k; ++i) {
        if (kept > Decimal::kMaxMantissa / 10)
            return std::nullopt;
        kept *= 10;
    }
    return Decimal::fromParts(kept, 0, original.isNegative());
}

} // namespace sumiplex::engine
