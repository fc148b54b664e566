#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/decimal/digit_model.h"
#include "core/decimal/wide.h"

namespace sumiplex {
namespace {

namespace m = test::model;
using detail::U128;
using detail::U192;

m::Digits digitsOf(const U192& x) {
    const m::Digits two64 = "18446744073709551616";
    m::Digits v = m::fromMantissa(x.limb[2]);
    v = m::add(m::mul(v, two64), m::fromMantissa(x.limb[1]));
    return m::add(m::mul(v, two64), m::fromMantissa(x.limb[0]));
}

/// x = q * d + r with r < d, checked in decimal digits.
void expectDivision(const U192& x, U128 d) {
    U128 r = 0;
    const U128 q = detail::divWide(x, d, r);
    const m::Digits dd = m::fromMantissa(d);
    EXPECT_EQ(m::add(m::mul(m::fromMantissa(q), dd), m::fromMantissa(r)), digitsOf(x))
        << digitsOf(x) << " / " << dd;
    EXPECT_LT(m::cmp(m::fromMantissa(r), dd), 0) << digitsOf(x) << " / " << dd;
}

/// A dividend whose shifted remainder, after the high quotient limb, has the divisor's top
/// limb on top: the one case where the quotient estimate cannot come from the hardware
/// division and is taken as 2^64 - 1.
U192 remainderTopEqualsDivisorTop(U128 d, std::uint64_t highQuotient, std::uint64_t low) {
    const int shift = std::countl_zero(static_cast<std::uint64_t>(d >> 64));
    const U128 dn = d << shift;
    const U128 rem = (dn >> 64 << 64) | (static_cast<std::uint64_t>(dn) - 1); // below dn
    const U192 top = detail::add(detail::mulWide(highQuotient, dn), U192::from(rem));
    // Shift (top : low) right by `shift`; the low bits that fall off are zero by choice.
    const std::uint64_t l = low & ~((std::uint64_t{1} << shift) - 1);
    U192 x;
    x.limb[0] = (l >> shift) | (top.limb[0] << (64 - shift));
    x.limb[1] = (top.limb[0] >> shift) | (top.limb[1] << (64 - shift));
    x.limb[2] = (top.limb[1] >> shift) | (top.limb[2] << (64 - shift));
    return x;
}

// The digits are written two at a time; every boundary of that (an odd or even count, a
// last pair of one digit, the 19-digit chunks above 2^64 with their inner zeros) reads back
// as the number.
TEST(WriteDigits, WritesEveryDigitOfTheNumber) {
    const U128 two64 = U128{1} << 64;
    const U128 values[] = {
        0,
        7,
        10,
        99,
        100,
        101,
        999,
        1000,
        12345,
        99'999'999,                // eight digits, the most one block holds
        100'000'000,               // a ninth digit and a block of zeros
        100'000'007,               // zeros inside a block
        10'000'000'000'000'007ULL, // a whole block of zeros between digits
        10'000'000'000'000'000'000ULL,
        9'999'999'999'999'999'999ULL,
        ~std::uint64_t{0},
        two64,
        two64 + 5,
        detail::kPow10[19] * 3, // a zero chunk below the top
        detail::kPow10[28],     // 1 and 28 zeros
        detail::kPow10[28] + 1, // zeros inside the lower chunk
        detail::kMax,           // the largest mantissa
    };
    for (const U128 v : values) {
        char buffer[48];
        char* const end = buffer + sizeof buffer;
        char* const first = detail::writeDigits(v, end);
        EXPECT_EQ(std::string(first, end), m::fromMantissa(v));
    }
}

TEST(WideDivision, QuotientAndRemainderRecomposeTheDividend) {
    const U128 divisors[] = {1,
                             3,
                             10,
                             ~std::uint64_t{0},
                             U128{1} << 64,
                             (U128{1} << 64) + 5,
                             (U128{1} << 64) | 0xFFFF'FFFF'FFFF'FFFFULL,
                             U128{0x8000'0000} << 64,
                             detail::kMax,
                             detail::kPow10[28],
                             detail::kPow10[20] + 1};
    for (const U128 d : divisors) {
        // The largest dividend allowed: d * 2^96 - 1.
        U192 limit;
        limit.limb[1] = static_cast<std::uint64_t>(d) << 32;
        limit.limb[2] = static_cast<std::uint64_t>(d >> 32);
        expectDivision(detail::sub(limit, U192::from(1)), d);
        expectDivision(U192::from(d - 1), d);
        expectDivision(U192::from(d), d);
        if ((d >> 64) != 0 &&
            static_cast<std::uint64_t>(
                d << std::countl_zero(static_cast<std::uint64_t>(d >> 64))) != 0) {
            for (const std::uint64_t high : {0ULL, 1ULL, 0xFFFF'FFFEULL}) {
                expectDivision(remainderTopEqualsDivisorTop(d, high, ~std::uint64_t{0}), d);
            }
        }
    }
    std::mt19937_64 rng(3);
    for (int i = 0; i < 20'000; ++i) {
        const U128 d = ((U128{rng()} << 64) | rng()) >> (32 + rng() % 96);
        if (d == 0) {
            continue;
        }
        const U128 q = ((U128{rng() & 0xFFFF'FFFF} << 64) | rng()) >> (rng() % 96);
        const U128 r = ((U128{rng()} << 64) | rng()) % d;
        expectDivision(detail::add(detail::mulWide(q, d), U192::from(r)), d);
        if (::testing::Test::HasFailure()) {
            break;
        }
    }
}

} // namespace
} // namespace sumiplex
