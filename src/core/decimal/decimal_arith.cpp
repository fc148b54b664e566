#include <algorithm>

#include "core/decimal/decimal.h"
#include "core/decimal/wide.h"

namespace sumiplex {

using detail::kMax;
using detail::kMaxOverPow10;
using detail::kPow10;
using detail::U128;
using detail::U192;

namespace {

/// x / 10^k rounded half to even (the exact quotient, not a chain of roundings).
U192 divPow10HalfEven(U192 x, int k) {
    bool sticky = false;
    while (k > 19) {
        sticky |= detail::divSmall(x, detail::kPow10_19) != 0;
        k -= 19;
    }
    const auto p = static_cast<std::uint64_t>(kPow10[static_cast<std::size_t>(k)]);
    const std::uint64_t r = detail::divSmall(x, p);
    const std::uint64_t half = p / 2;
    const bool up = r > half || (r == half && (sticky || (x.limb[0] & 1) != 0));
    if (up) {
        x = detail::add(x, U192::from(1));
    }
    return x;
}

struct Fitted {
    U128 mantissa;
    int scale;
};

/// Brings an exact result x / 10^scale (scale up to 56) into range: drops as few trailing
/// digits as possible, rounding half to even, so that the mantissa fits in 96 bits and the
/// scale in 0..28. Empty when even the whole number does not fit.
std::optional<Fitted> fitExact(const U192& x, int scale) {
    int k = std::max(0, scale - Decimal::kMaxScale);
    const int bits = x.bitLength();
    if (bits > 97) {
        // x >= 2^(bits-1), so fewer than (bits - 97) * log10(2) dropped digits cannot fit.
        k = std::max(k, ((bits - 97) * 77) >> 8);
    }
    for (;; ++k) {
        if (k > scale) {
            return std::nullopt;
        }
        const U192 q = k == 0 ? x : divPow10HalfEven(x, k);
        if (q.fitsMantissa()) {
            return Fitted{q.low128(), scale - k};
        }
    }
}

} // namespace

std::optional<Decimal> Decimal::add(const Decimal& rhs) const {
    const Decimal& a = *this;
    const Decimal& b = rhs;
    if (a.m_scale == b.m_scale) {
        if (a.m_negative == b.m_negative) {
            const U128 sum = a.m_mantissa + b.m_mantissa;
            if (sum <= kMax) {
                return fromRaw(sum, a.m_scale, a.m_negative && sum != 0);
            }
        } else if (a.m_mantissa >= b.m_mantissa) {
            const U128 diff = a.m_mantissa - b.m_mantissa;
            return fromRaw(diff, a.m_scale, a.m_negative && diff != 0);
        } else {
            return fromRaw(b.m_mantissa - a.m_mantissa, a.m_scale, b.m_negative);
        }
    }
    if (((a.m_mantissa | b.m_mantissa) >> 64) == 0) {
        // Money-sized operands at different scales: the aligned values stay below 2^127.
        const int diff = a.m_scale - b.m_scale;
        if (diff >= -18 && diff <= 18) {
            const U128 x =
                diff >= 0 ? a.m_mantissa : a.m_mantissa * kPow10[static_cast<std::size_t>(-diff)];
            const U128 y =
                diff <= 0 ? b.m_mantissa : b.m_mantissa * kPow10[static_cast<std::size_t>(diff)];
            const int scale = std::max<int>(a.m_scale, b.m_scale);
            U128 magnitude = 0;
            bool negative = a.m_negative;
            if (a.m_negative == b.m_negative) {
                magnitude = x + y;
            } else if (x >= y) {
                magnitude = x - y;
            } else {
                magnitude = y - x;
                negative = b.m_negative;
            }
            if (magnitude <= kMax) {
                return fromRaw(magnitude, scale, negative && magnitude != 0);
            }
        }
    }
    // Align both at the finer scale; the coarser mantissa grows by up to 28 digits.
    const int scale = std::max<int>(a.m_scale, b.m_scale);
    const U192 x =
        detail::mulWide(a.m_mantissa, kPow10[static_cast<std::size_t>(scale - a.m_scale)]);
    const U192 y =
        detail::mulWide(b.m_mantissa, kPow10[static_cast<std::size_t>(scale - b.m_scale)]);
    U192 exact;
    bool negative = a.m_negative;
    if (a.m_negative == b.m_negative) {
        exact = detail::add(x, y);
    } else if (detail::compare(x, y) >= 0) {
        exact = detail::sub(x, y);
    } else {
        exact = detail::sub(y, x);
        negative = b.m_negative;
    }
    if (exact.fitsMantissa()) {
        const U128 m = exact.low128();
        return fromRaw(m, scale, negative && m != 0);
    }
    const auto fitted = fitExact(exact, scale);
    if (!fitted) {
        return std::nullopt;
    }
    return fromRaw(fitted->mantissa, fitted->scale, negative && fitted->mantissa != 0);
}

std::optional<Decimal> Decimal::sub(const Decimal& rhs) const {
    return add(rhs.negated());
}

std::optional<Decimal> Decimal::mul(const Decimal& rhs) const {
    const bool negative = m_negative != rhs.m_negative;
    const int scale = m_scale + rhs.m_scale;
    U192 exact;
    if ((m_mantissa >> 64) == 0 && (rhs.m_mantissa >> 64) == 0) {
        const U128 p = U128{static_cast<std::uint64_t>(m_mantissa)} *
                       static_cast<std::uint64_t>(rhs.m_mantissa);
        if (p <= kMax && scale <= kMaxScale) {
            return fromRaw(p, scale, negative && p != 0);
        }
        exact = U192::from(p);
    } else {
        exact = detail::mulWide(m_mantissa, rhs.m_mantissa);
        if (exact.fitsMantissa() && scale <= kMaxScale) {
            const U128 p = exact.low128();
            return fromRaw(p, scale, negative && p != 0);
        }
    }
    const auto fitted = fitExact(exact, scale);
    if (!fitted) {
        return std::nullopt;
    }
    return fromRaw(fitted->mantissa, fitted->scale, negative && fitted->mantissa != 0);
}

namespace {

double approx(U128 x) {
    return static_cast<double>(static_cast<std::uint64_t>(x >> 64)) * 0x1p64 +
           static_cast<double>(static_cast<std::uint64_t>(x));
}

/// Long division state: q = floor(n * 10^e / d) and r the remainder, for the dividend
/// mantissa n and some digit count e. Each step appends up to k quotient digits.
struct Quotient {
    U128 q;
    U128 r;
    U128 d;
    double inverse = 1.0 / approx(d);

    /// floor(x / d) with its remainder, for x / d < 2^31. A 128-bit division by a wide
    /// divisor is a slow library call; the double estimate is within 2^-20 of the true
    /// quotient (a few rounding errors of 2^-53 on a value below 2^31), so one correction
    /// either way makes it exact.
    U128 smallQuotient(U128 x, U128& rem) const {
        auto est = static_cast<U128>(static_cast<std::uint64_t>(approx(x) * inverse));
        U128 t = est * d;
        if (t > x) {
            --est;
            t -= d;
        }
        rem = x - t;
        if (rem >= d) {
            ++est;
            rem -= d;
        }
        return est;
    }

    /// Appends the next k digits if the quotient still fits in 96 bits; otherwise tries
    /// fewer digits. Returns how many digits were appended (0 when not even one fits).
    int extend(int k) {
        k = std::min(k, detail::spareDigits(r));
        // q < 2^b takes at least (96 - b) * log10(2) more digits; one more may still fit.
        const int b = detail::bitLength(q);
        int room = b >= 96 ? 0 : ((96 - b) * 77) >> 8;
        if (room < Decimal::kMaxScale && q <= kMaxOverPow10[static_cast<std::size_t>(room + 1)]) {
            ++room;
        }
        k = std::min(k, room);
        for (; k > 0; --k) {
            const U128 p = kPow10[static_cast<std::size_t>(k)];
            const U128 rp = r * p;
            U128 rem = 0;
            U128 digits = 0;
            if (k <= 9) {
                digits = smallQuotient(rp, rem);
            } else {
                digits = rp / d;
                rem = rp - digits * d;
            }
            const U128 next = q * p + digits;
            if (next <= kMax) {
                q = next;
                r = rem;
                return k;
            }
        }
        return 0;
    }
};

} // namespace

std::optional<Decimal> Decimal::div(const Decimal& rhs) const {
    if (rhs.m_mantissa == 0) {
        return std::nullopt;
    }
    const bool negative = m_negative != rhs.m_negative;
    const int natural = m_scale - rhs.m_scale;
    const int minScale = std::max(natural, 0);
    if (m_mantissa == 0) {
        return fromRaw(0, minScale, false);
    }
    const U128 d = rhs.m_mantissa;
    Quotient s{0, 0, d};
    if (((m_mantissa | d) >> 64) == 0) {
        s.q = static_cast<std::uint64_t>(m_mantissa) / static_cast<std::uint64_t>(d);
        s.r = m_mantissa - s.q * d;
    } else if (detail::bitLength(m_mantissa) <= detail::bitLength(d) + 29) {
        s.q = s.smallQuotient(m_mantissa, s.r);
    } else {
        s.q = m_mantissa / d;
        s.r = m_mantissa - s.q * d;
    }
    int scale = natural;
    // A negative natural scale must be brought to 0: those digits are not optional.
    while (scale < 0) {
        const int added = s.extend(-scale);
        if (added == 0) {
            return std::nullopt;
        }
        scale += added;
    }
    while (s.r != 0 && scale < kMaxScale) {
        const int added = s.extend(kMaxScale - scale);
        if (added == 0) {
            break;
        }
        scale += added;
    }
    if (s.r == 0) {
        // Exact: give back the digits appended beyond the natural scale.
        U128 q = s.q;
        while (scale > minScale && q % 10 == 0) {
            q /= 10;
            --scale;
        }
        return fromRaw(q, scale, negative);
    }
    const U128 twice = 2 * s.r;
    bool up = twice > d || (twice == d && (s.q & 1) != 0);
    U128 q = s.q;
    if (up && q == kMax) {
        // Rounding up would leave the range: round the exact quotient one digit earlier.
        if (scale == 0) {
            return std::nullopt;
        }
        const U128 last = q % 10;
        q /= 10;
        --scale;
        up = last > 5 || (last == 5 && (s.r != 0 || (q & 1) != 0));
    }
    q += up ? 1 : 0;
    return fromRaw(q, scale, negative && q != 0);
}

} // namespace sumiplex
