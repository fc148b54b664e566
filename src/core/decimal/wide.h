#pragma once

// Integer helpers shared by the Decimal sources; not part of the public interface.

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

constexpr std::array<U128, 29> makeMaxOverPow10() {
    std::array<U128, 29> t{};
    for (std::size_t i = 0; i < t.size(); ++i) {
        t[i] = kMax / kPow10[i];
    }
    return t;
}
/// floor(kMax / 10^k): a mantissa q can take k more digits iff q <= kMaxOverPow10[k].
inline constexpr std::array<U128, 29> kMaxOverPow10 = makeMaxOverPow10();

inline constexpr std::uint64_t kPow10_19 = 10'000'000'000'000'000'000ULL;

inline int bitLength(U128 v) {
    const auto hi = static_cast<std::uint64_t>(v >> 64);
    if (hi != 0) {
        return 128 - std::countl_zero(hi);
    }
    return 64 - std::countl_zero(static_cast<std::uint64_t>(v));
}

/// A lower bound of the number of decimal digits k with v * 10^k < 2^128.
inline int spareDigits(U128 v) {
    return ((128 - bitLength(v)) * 77) >> 8;
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

/// a * b for a, b < 2^96 (the product stays below 2^192).
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

/// Divides x in place by d (d != 0) and returns the remainder.
inline std::uint64_t divSmall(U192& x, std::uint64_t d) {
    U128 rem = 0;
    for (int i = 2; i >= 0; --i) {
        const U128 cur = (rem << 64) | x.limb[i];
        const U128 q = cur / d;
        x.limb[i] = static_cast<std::uint64_t>(q);
        rem = cur - q * d;
    }
    return static_cast<std::uint64_t>(rem);
}

/// Writes the decimal digits of v so that they end just before `end`; returns the first digit.
/// Zero gives "0".
inline char* writeDigits(U128 v, char* end) {
    while ((v >> 64) != 0) {
        const U128 q = v / kPow10_19;
        auto low = static_cast<std::uint64_t>(v - q * kPow10_19);
        for (int i = 0; i < 19; ++i) {
            *--end = static_cast<char>('0' + low % 10);
            low /= 10;
        }
        v = q;
    }
    auto w = static_cast<std::uint64_t>(v);
    do {
        *--end = static_cast<char>('0' + w % 10);
        w /= 10;
    } while (w != 0);
    return end;
}

} // namespace sumiplex::detail
