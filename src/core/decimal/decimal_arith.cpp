#include <algorithm>
#include <array>

#include "core/decimal/decimal.h"
#include "core/decimal/wide.h"

namespace sumiplex {

using detail::kMax;
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

namespace {

constexpr std::array<std::uint64_t, 19> makeSmallLimits() {
    std::array<std::uint64_t, 19> t{};
    for (std::size_t k = 0; k < t.size(); ++k) {
        t[k] = (std::uint64_t{1} << 62) / detail::kPow10u64[k];
    }
    return t;
}
/// Mantissas below kSmallLimit[k] stay below 2^62 when scaled by 10^k.
constexpr std::array<std::uint64_t, 19> kSmallLimit = makeSmallLimits();

struct Signed {
    U128 mantissa;
    int scale;
    bool negative;
};

/// The general sum: both operands aligned at the finer scale in 192 bits, then brought into
/// range. Kept out of line so that the fast path of add stays small.
[[gnu::noinline]] std::optional<Signed> addGeneral(const Signed& a, const Signed& b) {
    const int scale = std::max(a.scale, b.scale);
    const U192 x = detail::mulWide(a.mantissa, kPow10[static_cast<std::size_t>(scale - a.scale)]);
    const U192 y = detail::mulWide(b.mantissa, kPow10[static_cast<std::size_t>(scale - b.scale)]);
    U192 exact;
    bool negative = a.negative;
    if (a.negative == b.negative) {
        exact = detail::add(x, y);
    } else if (detail::compare(x, y) >= 0) {
        exact = detail::sub(x, y);
    } else {
        exact = detail::sub(y, x);
        negative = b.negative;
    }
    if (exact.fitsMantissa()) {
        const U128 m = exact.low128();
        return Signed{m, scale, negative && m != 0};
    }
    const auto fitted = fitExact(exact, scale);
    if (!fitted) {
        return std::nullopt;
    }
    return Signed{fitted->mantissa, fitted->scale, negative && fitted->mantissa != 0};
}

} // namespace

std::optional<Decimal> Decimal::add(const Decimal& rhs) const {
    const Decimal& a = *this;
    const Decimal& b = rhs;
    const int diff = a.m_scale - b.m_scale;
    if (((a.m_mantissa | b.m_mantissa) >> 64) == 0 && diff >= -18 && diff <= 18) {
        // Money-sized operands: when both stay below 2^62 aligned at the finer scale, the sum
        // is 64-bit arithmetic and always within range.
        const int k = diff < 0 ? -diff : diff;
        const auto ma = static_cast<std::uint64_t>(a.m_mantissa);
        const auto mb = static_cast<std::uint64_t>(b.m_mantissa);
        if ((ma | mb) < kSmallLimit[static_cast<std::size_t>(k)]) {
            const auto x = static_cast<std::int64_t>(
                ma * detail::kPow10u64[static_cast<std::size_t>(diff < 0 ? k : 0)]);
            const auto y = static_cast<std::int64_t>(
                mb * detail::kPow10u64[static_cast<std::size_t>(diff > 0 ? k : 0)]);
            const std::int64_t sum = (a.m_negative ? -x : x) + (b.m_negative ? -y : y);
            const auto magnitude = static_cast<std::uint64_t>(sum < 0 ? -sum : sum);
            return fromRaw(magnitude, std::max<int>(a.m_scale, b.m_scale), sum < 0);
        }
    }
    const auto r = addGeneral({a.m_mantissa, a.m_scale, a.m_negative},
                              {b.m_mantissa, b.m_scale, b.m_negative});
    if (!r) {
        return std::nullopt;
    }
    return fromRaw(r->mantissa, r->scale, r->negative);
}

std::optional<Decimal> Decimal::sub(const Decimal& rhs) const {
    return add(rhs.negated());
}

namespace {

/// The general product: 192 bits exact, then brought into range. Out of line for the same
/// reason as addGeneral.
[[gnu::noinline]] std::optional<Signed> mulGeneral(const Signed& a, const Signed& b) {
    const bool negative = a.negative != b.negative;
    const int scale = a.scale + b.scale;
    const U192 exact = detail::mulWide(a.mantissa, b.mantissa);
    if (exact.fitsMantissa() && scale <= Decimal::kMaxScale) {
        const U128 p = exact.low128();
        return Signed{p, scale, negative && p != 0};
    }
    const auto fitted = fitExact(exact, scale);
    if (!fitted) {
        return std::nullopt;
    }
    return Signed{fitted->mantissa, fitted->scale, negative && fitted->mantissa != 0};
}

} // namespace

std::optional<Decimal> Decimal::mul(const Decimal& rhs) const {
    const int scale = m_scale + rhs.m_scale;
    if (((m_mantissa | rhs.m_mantissa) >> 64) == 0) {
        const U128 p = U128{static_cast<std::uint64_t>(m_mantissa)} *
                       static_cast<std::uint64_t>(rhs.m_mantissa);
        if (p <= kMax && scale <= kMaxScale) {
            return fromRaw(p, scale, m_negative != rhs.m_negative && p != 0);
        }
    }
    const auto r = mulGeneral({m_mantissa, m_scale, m_negative},
                              {rhs.m_mantissa, rhs.m_scale, rhs.m_negative});
    if (!r) {
        return std::nullopt;
    }
    return fromRaw(r->mantissa, r->scale, r->negative);
}

namespace {

/// Drops trailing zeros of an exact quotient while the scale stays at least minScale.
void stripZeros(U128& q, int& scale, int minScale) {
    for (const int step : {16, 8, 4, 2, 1}) {
        const auto p = static_cast<std::uint64_t>(kPow10[static_cast<std::size_t>(step)]);
        while (scale - minScale >= step) {
            if ((q >> 64) == 0) {
                const auto q64 = static_cast<std::uint64_t>(q);
                if (q64 % p != 0) {
                    break;
                }
                q = q64 / p;
            } else {
                const U128 next = q / p;
                if (next * p != q) {
                    break;
                }
                q = next;
            }
            scale -= step;
        }
    }
}

/// The largest e <= eMax for which n * 10^e < d * 2^96, so that n * 10^e / d fits in 96
/// bits; x receives n * 10^e. A quotient that then turns out exact gives its trailing
/// zeros back afterwards.
int widestDividend(U128 n, U128 d, int eMax, U192& x) {
    U192 limit; // d * 2^96
    limit.limb[1] = static_cast<std::uint64_t>(d) << 32;
    limit.limb[2] = static_cast<std::uint64_t>(d >> 32);
    const int bn = detail::bitLength(n);
    const int bd = detail::bitLength(d);
    // n * 10^e < 2^bn * 2^(bd + 95 - bn) <= d * 2^96 for this e, so it always fits; the
    // answer is at most a digit or two more.
    int e = std::min(((bd + 95 - bn) * 77) >> 8, eMax);
    x = detail::mulPow10(n, e);
    while (e < eMax) {
        U192 next = x;
        if (detail::mulSmall(next, 10) != 0 || detail::compare(next, limit) >= 0) {
            break;
        }
        x = next;
        ++e;
    }
    return e;
}

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
    // The quotient at scale natural + e is n * 10^e / d: take the most digits that fit.
    U192 x;
    const int e = widestDividend(m_mantissa, d, kMaxScale - natural, x);
    int scale = natural + e;
    if (scale < 0) {
        return std::nullopt; // even the whole quotient exceeds the range
    }
    U128 rem = 0;
    U128 q = detail::divWide(x, d, rem);
    if (rem == 0) {
        stripZeros(q, scale, minScale);
        return fromRaw(q, scale, negative);
    }
    const U128 twice = 2 * rem;
    bool up = twice > d || (twice == d && (q & 1) != 0);
    if (up && q == kMax) {
        // Rounding up would leave the range: round the exact quotient one digit earlier.
        if (scale == 0) {
            return std::nullopt;
        }
        const auto last = static_cast<int>(q % 10);
        q /= 10;
        --scale;
        up = last >= 5; // the remainder makes any 5 more than half
    }
    q += up ? 1 : 0;
    return fromRaw(q, scale, negative && q != 0);
}

} // namespace sumiplex
