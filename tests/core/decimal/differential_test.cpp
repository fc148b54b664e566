#include <gtest/gtest.h>

#include <random>

#include "core/decimal/decimal_test_util.h"
#include "core/decimal/digit_model.h"

namespace sumiplex {
namespace {

namespace m = test::model;
using Mantissa = Decimal::Mantissa;

/// Operands drawn from the shapes that stress different paths: money amounts, full-width
/// mantissas at every scale, short mantissas, and the edges of the range.
class OperandSource {
public:
    explicit OperandSource(std::uint64_t seed) : m_rng(seed) {}

    Decimal next() {
        const int kind = pick(0, 9);
        Mantissa mantissa = 0;
        int scale = pick(0, Decimal::kMaxScale);
        if (kind <= 2) {
            mantissa = below(1'000'000'000'000ULL);
            scale = pick(0, 4);
        } else if (kind <= 4) {
            mantissa = bits96() >> pick(0, 95);
        } else if (kind <= 6) {
            mantissa = bits96();
        } else if (kind == 7) {
            const int digits = pick(1, 29);
            for (int i = 0; i < digits; ++i) {
                mantissa = mantissa * 10 + static_cast<Mantissa>(pick(0, 9));
            }
            mantissa = std::min(mantissa, Decimal::kMaxMantissa);
        } else {
            const Mantissa edges[] = {0,
                                      1,
                                      5,
                                      Decimal::kMaxMantissa,
                                      Decimal::kMaxMantissa - 1,
                                      Decimal::kMaxMantissa / 2,
                                      Decimal::kMaxMantissa / 2 + 1,
                                      Mantissa{1} << 64,
                                      (Mantissa{1} << 64) - 1,
                                      Decimal::pow10(28)->mantissa(),
                                      Decimal::pow10(28)->mantissa() * 5};
            mantissa = edges[pick(0, static_cast<int>(std::size(edges)) - 1)];
        }
        return *Decimal::fromParts(mantissa, scale, pick(0, 1) == 1);
    }

    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }

private:
    Mantissa below(std::uint64_t n) {
        return std::uniform_int_distribution<std::uint64_t>(0, n - 1)(m_rng);
    }
    Mantissa bits96() { return (Mantissa{m_rng() & 0xFFFF'FFFFULL} << 64) | m_rng(); }

    std::mt19937_64 m_rng;
};

std::string describe(const m::Value& v) {
    if (v.error) {
        return "error";
    }
    return (v.negative ? "-" : "") + v.mantissa + "e-" + std::to_string(v.scale);
}

void expectSame(const m::Value& want, const m::Value& got, const char* op, const Decimal& a,
                const Decimal& b) {
    EXPECT_TRUE(want.error == got.error &&
                (want.error || (want.mantissa == got.mantissa && want.scale == got.scale &&
                                want.negative == got.negative)))
        << a.toPlainAscii() << ' ' << op << ' ' << b.toPlainAscii() << ": model " << describe(want)
        << ", got " << describe(got);
}

TEST(Differential, ArithmeticAgreesWithDigitStringModel) {
    OperandSource source(20261207);
    constexpr int kPairs = 200'000;
    for (int i = 0; i < kPairs; ++i) {
        const Decimal a = source.next();
        const Decimal b = source.next();
        const m::Value va = m::of(a);
        const m::Value vb = m::of(b);
        m::Value nb = vb;
        nb.negative = !nb.negative && nb.mantissa != "0";

        expectSame(m::sum(va, vb), m::of(a.add(b)), "+", a, b);
        expectSame(m::sum(va, nb), m::of(a.sub(b)), "-", a, b);
        expectSame(m::product(va, vb), m::of(a.mul(b)), "*", a, b);
        const std::string divProblem = m::checkQuotient(va, vb, m::of(a.div(b)));
        EXPECT_EQ(divProblem, "") << a.toPlainAscii() << " / " << b.toPlainAscii() << " = "
                                  << describe(m::of(a.div(b)));
        if (::testing::Test::HasFailure()) {
            break;
        }
    }
}

TEST(Differential, ComparisonAgreesWithDigitStringModel) {
    OperandSource source(7);
    for (int i = 0; i < 50'000; ++i) {
        const Decimal a = source.next();
        const Decimal b = source.next();
        const m::Value d = m::sum(m::of(a), [&] {
            m::Value v = m::of(b);
            v.negative = !v.negative && v.mantissa != "0";
            return v;
        }());
        // A difference beyond the range needs operands of opposite signs: b's sign decides.
        if (d.error) {
            EXPECT_EQ(a < b, !b.isNegative()) << a.toPlainAscii() << " < " << b.toPlainAscii();
            continue;
        }
        const int want = d.mantissa == "0" ? 0 : (d.negative ? -1 : 1);
        const auto got = a <=> b;
        EXPECT_EQ(got < 0 ? -1 : (got > 0 ? 1 : 0), want)
            << a.toPlainAscii() << " <=> " << b.toPlainAscii();
        if (::testing::Test::HasFailure()) {
            break;
        }
    }
}

/// Random number texts: leading zeros, a fraction of any length, commas, blanks, a sign at
/// either end and full-width forms, checked against the model's half-even rounding.
TEST(Differential, ParserAgreesWithDigitStringModel) {
    OperandSource source(99);
    for (int i = 0; i < 40'000; ++i) {
        std::string whole;
        const int wholeDigits = source.pick(0, 31);
        for (int k = 0; k < wholeDigits; ++k) {
            whole.push_back(static_cast<char>('0' + source.pick(k == 0 && wholeDigits > 25, 9)));
        }
        std::string fraction;
        const bool point = source.pick(0, 3) != 0 || wholeDigits == 0;
        if (point) {
            const int fractionDigits = source.pick(wholeDigits == 0 ? 1 : 0, 40);
            for (int k = 0; k < fractionDigits; ++k) {
                fraction.push_back(static_cast<char>('0' + source.pick(0, 9)));
            }
        }
        const bool negative = source.pick(0, 1) == 1;
        const bool fullWidth = source.pick(0, 4) == 0;
        std::u16string text;
        const auto put = [&](char c) {
            text.push_back(fullWidth ? static_cast<char16_t>(c - 0x20 + 0xFF00)
                                     : static_cast<char16_t>(c));
        };
        const int signAt = source.pick(0, 2); // none, front, end
        if (source.pick(0, 1)) {
            text += u"\u3000 ";
        }
        if (signAt == 1) {
            put(negative ? '-' : '+');
        }
        for (std::size_t k = 0; k < whole.size(); ++k) {
            put(whole[k]);
            if ((whole.size() - 1 - k) % 3 == 0 && k + 1 < whole.size() && source.pick(0, 1)) {
                put(',');
            }
        }
        if (point) {
            put('.');
        }
        for (const char c : fraction) {
            put(c);
        }
        if (signAt == 2) {
            put(negative ? '-' : '+');
        }
        if (source.pick(0, 1)) {
            text += u"\t ";
        }
        const m::Digits mag = m::trimmed(whole + fraction);
        m::Value want = m::fit(mag, static_cast<int>(fraction.size()), negative && signAt != 0);
        if (!want.error && static_cast<int>(fraction.size()) < want.scale) {
            want.error = true;
        }
        const m::Value got = m::of(Decimal::parse(text));
        EXPECT_TRUE(want.error == got.error &&
                    (want.error || (want.mantissa == got.mantissa && want.scale == got.scale &&
                                    want.negative == got.negative)))
            << whole << '.' << fraction << ": model " << describe(want) << ", got "
            << describe(got);
        if (::testing::Test::HasFailure()) {
            break;
        }
    }
}

TEST(Differential, WholePatternAgreesWithItsGeneralSpelling) {
    // "###,##0" reads to the same rules as the display pattern but is formatted by the
    // general layout, so every value checks the short path for whole amounts against it.
    OperandSource source(4321);
    for (int i = 0; i < 100'000; ++i) {
        const Decimal x = source.next();
        ASSERT_EQ(test::ascii(formatPattern(x, kPatternWhole)),
                  test::ascii(formatPattern(x, u"###,##0")))
            << x.toPlainAscii();
    }
}

TEST(RoundTrip, TextFormsParseBackToTheSameValue) {
    OperandSource source(1234);
    for (int i = 0; i < 100'000; ++i) {
        const Decimal x = source.next();
        const auto display = FormatAmount(x);
        const auto fromDisplay = Decimal::parse(display);
        const auto fromPlain = Decimal::parse(x.toPlainString());
        const auto fromLong = Decimal::parse(formatPattern(x, kPatternLong));
        ASSERT_TRUE(fromDisplay && fromPlain && fromLong) << x.toPlainAscii();
        EXPECT_EQ(*fromDisplay, x) << x.toPlainAscii();
        EXPECT_EQ(*fromPlain, x) << x.toPlainAscii();
        EXPECT_EQ(*fromLong, x) << x.toPlainAscii();
        // The display form is the plain form with the whole part grouped in threes.
        std::string withoutCommas;
        std::size_t lastComma = std::string::npos;
        const std::string shown = test::ascii(display);
        for (std::size_t k = 0; k < shown.size(); ++k) {
            if (shown[k] == ',') {
                EXPECT_TRUE(lastComma == std::string::npos || k - lastComma == 4) << shown;
                lastComma = k;
            } else {
                withoutCommas.push_back(shown[k]);
            }
        }
        EXPECT_EQ(withoutCommas, x.toPlainAscii());
        const std::size_t point = shown.find('.');
        if (lastComma != std::string::npos) {
            EXPECT_EQ((point == std::string::npos ? shown.size() : point) - lastComma, 4u) << shown;
        }
        if (::testing::Test::HasFailure()) {
            break;
        }
    }
}

} // namespace
} // namespace sumiplex
