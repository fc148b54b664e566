#pragma once

// Integer helpers shared by the Decimal sources; not part of the public interface.

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

#include "core/decimal/decimal.h"

namespace sumiplex::detail {

using U128 = Decimal::Mantissa;
inline constexpr U128 kMax = Decimal::kMaxMantissa;

constexpr std::array<U128, 39> makePow10() {
    std::array<U128, 39> t{};
    t[0] = 1;
    for (std::size_t i = 1; i < t.size(); ++i) {
        t[i] = t[i - 1] * 10;
    }
    return t;
}
/// 10^0 .. 10^38, every power of ten a 128-bit integer holds.
inline constexpr std::array<U128, 39> kPow10 = makePow10();

constexpr std::array<std::uint64_t, 20> makePow10u64() {
    std::array<std::uint64_t, 20> t{};
    t[0] = 1;
    for (std::size_t i = 1; i < t.size(); ++i) {
        t[i] = t[i - 1] * 10;
    }
    return t;
}
/// 10^0 .. 10^19 as 64-bit integers, for products that need only one multiplication.
inline constexpr std::array<std::uint64_t, 20> kPow10u64 = makePow10u64();

inline constexpr std::uint64_t kPow10_19 = 10'000'000'000'000'000'000ULL;

inline int bitLength(U128 v) {
    const auto hi = static_cast<std::uint64_t>(v >> 64);
    if (hi != 0) {
        return 128 - std::countl_zero(hi);
    }
    return 64 - std::countl_zero(static_cast<std::uint64_t>(v));
}

/// A 192-bit unsigned integer, least significant limb first: room for the product of two
/// mantissas and for a mantissa scaled by 10^28.
struct U192 {
    std::uint64_t limb[3] = {0, 0, 0};

    static U192 from(U128 v) {
        U192 r;
        r.limb[0] = static_cast<std::uint64_t>(v);
        r.limb[1] = static_cast<std::uint64_t>(v >> 64);
        return r;
    }
    [[nodiscard]] U128 low128() const { return (U128{limb[1]} << 64) | limb[0]; }
    [[nodiscard]] bool fitsMantissa() const { return limb[2] == 0 && (limb[1] >> 32) == 0; }
    [[nodiscard]] bool isZero() const { return (limb[0] | limb[1] | limb[2]) == 0; }
    [[nodiscard]] int bitLength() const {
        for (int i = 2; i >= 0; --i) {
            if (limb[i] != 0) {
                return 64 * i + 64 - std::countl_zero(limb[i]);
            }
        }
        return 0;
    }
};

/// a * b for a product below 2^192 (two mantissas, or a 64-bit number and a 128-bit one).
inline U192 mulWide(U128 a, U128 b) {
    const auto a0 = static_cast<std::uint64_t>(a);
    const auto a1 = static_cast<std::uint64_t>(a >> 64);
    const auto b0 = static_cast<std::uint64_t>(b);
    const auto b1 = static_cast<std::uint64_t>(b >> 64);
    const U128 p00 = U128{a0} * b0;
    const U128 p01 = U128{a0} * b1;
    const U128 p10 = U128{a1} * b0;
    const U128 p11 = U128{a1} * b1;
    const U128 mid =
        (p00 >> 64) + static_cast<std::uint64_t>(p01) + static_cast<std::uint64_t>(p10);
    U192 r;
    r.limb[0] = static_cast<std::uint64_t>(p00);
    r.limb[1] = static_cast<std::uint64_t>(mid);
    r.limb[2] = static_cast<std::uint64_t>((mid >> 64) + (p01 >> 64) + (p10 >> 64) + p11);
    return r;
}

inline U192 add(const U192& a, const U192& b) {
    U192 r;
    U128 carry = 0;
    for (int i = 0; i < 3; ++i) {
        const U128 s = U128{a.limb[i]} + b.limb[i] + carry;
        r.limb[i] = static_cast<std::uint64_t>(s);
        carry = s >> 64;
    }
    return r;
}

/// a - b for a >= b.
inline U192 sub(const U192& a, const U192& b) {
    U192 r;
    std::uint64_t borrow = 0;
    for (int i = 0; i < 3; ++i) {
        const std::uint64_t d = a.limb[i] - b.limb[i];
        const std::uint64_t nb = (a.limb[i] < b.limb[i]) || (d < borrow) ? 1 : 0;
        r.limb[i] = d - borrow;
        borrow = nb;
    }
    return r;
}

inline int compare(const U192& a, const U192& b) {
    for (int i = 2; i >= 0; --i) {
        if (a.limb[i] != b.limb[i]) {
            return a.limb[i] < b.limb[i] ? -1 : 1;
        }
    }
    return 0;
}

/// x * m in place; returns the limb carried out of the top (0 when the product fits).
inline std::uint64_t mulSmall(U192& x, std::uint64_t m) {
    U128 carry = 0;
    for (int i = 0; i < 3; ++i) {
        const U128 t = U128{x.limb[i]} * m + carry;
        x.limb[i] = static_cast<std::uint64_t>(t);
        carry = t >> 64;
    }
    return static_cast<std::uint64_t>(carry);
}

/// m * 10^e for e in 0..57 when the product is known to stay below 2^192.
inline U192 mulPow10(U128 m, int e) {
    if (e <= 28) {
        return mulWide(m, kPow10[static_cast<std::size_t>(e)]);
    }
    U192 x = mulWide(m, kPow10[28]);
    for (e -= 28; e > 0; e -= 19) {
        mulSmall(x, static_cast<std::uint64_t>(kPow10[static_cast<std::size_t>(std::min(e, 19))]));
    }
    return x;
}

/// (hi:lo) / d for hi < d, so that the quotient fits in 64 bits; the remainder goes to rem.
inline std::uint64_t div128by64(std::uint64_t hi, std::uint64_t lo, std::uint64_t d,
                                std::uint64_t& rem) {
#if defined(__x86_64__)
    // One hardware instruction; the compiler's 128-bit division is a library call.
    std::uint64_t q = 0;
    __asm__("divq %[d]" : "=a"(q), "=d"(rem) : "a"(lo), "d"(hi), [d] "rm"(d));
    return q;
#else
    const U128 n = (U128{hi} << 64) | lo;
    const auto q = static_cast<std::uint64_t>(n / d);
    rem = static_cast<std::uint64_t>(n - U128{q} * d);
    return q;
#endif
}

/// Divides x in place by d (d != 0) and returns the remainder.
inline std::uint64_t divSmall(U192& x, std::uint64_t d) {
    std::uint64_t rem = 0;
    for (int i = 2; i >= 0; --i) {
        x.limb[i] = div128by64(rem, x.limb[i], d, rem);
    }
    return rem;
}

/// x / d and x % d for x < d * 2^96, so that the quotient fits in 96 bits; d != 0.
inline U128 divWide(const U192& x, U128 d, U128& rem) {
    if ((d >> 64) == 0) {
        const auto d0 = static_cast<std::uint64_t>(d);
        std::uint64_t r = x.limb[2]; // below d: the quotient has no third limb
        const std::uint64_t q1 = div128by64(r, x.limb[1], d0, r);
        const std::uint64_t q0 = div128by64(r, x.limb[0], d0, r);
        rem = r;
        return (U128{q1} << 64) | q0;
    }
    // Two-limb divisor: normalise it so its top bit is set, then find each quotient limb
    // from the top limbs (Knuth's estimate, at most two too large) and correct it.
    const int shift = std::countl_zero(static_cast<std::uint64_t>(d >> 64));
    const U128 dn = d << shift;
    const auto dn1 = static_cast<std::uint64_t>(dn >> 64);
    std::uint64_t u[4];
    u[0] = x.limb[0] << shift;
    u[1] = (x.limb[1] << shift) | (x.limb[0] >> (64 - shift));
    u[2] = (x.limb[2] << shift) | (x.limb[1] >> (64 - shift));
    u[3] = x.limb[2] >> (64 - shift);
    U128 r = (U128{u[3]} << 64) | u[2]; // below dn
    std::uint64_t q[2];
    for (int i = 1; i >= 0; --i) {
        const auto r1 = static_cast<std::uint64_t>(r >> 64);
        std::uint64_t qhat = ~std::uint64_t{0};
        if (r1 < dn1) {
            std::uint64_t ignored = 0;
            qhat = div128by64(r1, static_cast<std::uint64_t>(r), dn1, ignored);
        }
        U192 n;
        n.limb[0] = u[i];
        n.limb[1] = static_cast<std::uint64_t>(r);
        n.limb[2] = r1;
        U192 p = mulWide(qhat, dn);
        while (compare(p, n) > 0) {
            --qhat;
            p = sub(p, U192::from(dn));
        }
        r = sub(n, p).low128();
        q[i] = qhat;
    }
    rem = r >> shift;
    return (U128{q[1]} << 64) | q[0];
}

/// "00" "01" … "99": two digits per division, half the divisions of one digit at a time.
inline constexpr std::array<char, 200> kDigitPairs = [] {
    std::array<char, 200> t{};
    for (std::size_t i = 0; i < 100; ++i) {
        t[2 * i] = static_cast<char>('0' + i / 10);
        t[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return t;
}();

template <class Ch> inline void writePair(std::uint32_t pair, Ch* at) {
    const std::size_t i = std::size_t{2} * pair;
    at[0] = static_cast<Ch>(kDigitPairs[i]);
    at[1] = static_cast<Ch>(kDigitPairs[i + 1]);
}

/// Writes n (below 10^8) as exactly eight digits ending just before `end`. Eight digits go
/// in 32-bit steps, which cost less than the 64-bit division of each pair.
template <class Ch> inline void writeEight(std::uint32_t n, Ch* end) {
    const std::uint32_t high = n / 10000;
    const std::uint32_t low = n - high * 10000;
    writePair(high / 100, end - 8);
    writePair(high % 100, end - 6);
    writePair(low / 100, end - 4);
    writePair(low % 100, end - 2);
}

/// Writes the decimal digits of w, at least `minDigits` of them (zeros in front), so that
/// they end just before `end`; returns the first digit. In any character type, so a caller
/// writing UTF-16 needs no second pass.
template <class Ch> Ch* writeDigits64(std::uint64_t w, Ch* end, int minDigits) {
    Ch* const stop = end - minDigits;
    constexpr std::uint64_t kEightDigits = 100'000'000;
    while (w >= kEightDigits) {
        const std::uint64_t q = w / kEightDigits;
        writeEight(static_cast<std::uint32_t>(w - q * kEightDigits), end);
        end -= 8;
        w = q;
    }
    auto n = static_cast<std::uint32_t>(w);
    while (n >= 100) {
        const std::uint32_t q = n / 100;
        end -= 2;
        writePair(n - q * 100, end);
        n = q;
    }
    if (n >= 10) {
        end -= 2;
        writePair(n, end);
    } else {
        *--end = static_cast<Ch>('0' + n);
    }
    while (end > stop) {
        *--end = static_cast<Ch>('0');
    }
    return end;
}

/// Writes the decimal digits of v so that they end just before `end`; returns the first digit.
/// Zero gives "0".
template <class Ch> Ch* writeDigits(U128 v, Ch* end) {
    while ((v >> 64) != 0) {
        const auto high = static_cast<std::uint64_t>(v >> 64);
        if (high < kPow10_19) {
            // The quotient fits 64 bits: one hardware division. Every mantissa takes this.
            std::uint64_t low19 = 0;
            const std::uint64_t q =
                div128by64(high, static_cast<std::uint64_t>(v), kPow10_19, low19);
            end = writeDigits64(low19, end, 19);
            v = q;
            break;
        }
        const U128 q = v / kPow10_19;
        end = writeDigits64(static_cast<std::uint64_t>(v - q * kPow10_19), end, 19);
        v = q;
    }
    return writeDigits64(static_cast<std::uint64_t>(v), end, 1);
}

} // namespace sumiplex::detail
