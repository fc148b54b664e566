// Decimal arithmetic, parsing and display formatting in nanoseconds per operation, on
// money-sized values (at most 12 digits, scale at most 4) and on full 28-29 digit values,
// next to the raw 128-bit integer operations they are built from.

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "core/decimal/decimal.h"

namespace {

using sumiplex::Decimal;
__extension__ using U128 = unsigned __int128;

constexpr std::size_t kCount = 1024; // a power of two: the index wraps with a mask

enum class Size { Money, Full };

std::vector<Decimal> makeValues(Size size, std::uint64_t seed) {
    std::mt19937_64 rng(seed);
    std::vector<Decimal> out;
    while (out.size() < kCount) {
        Decimal::Mantissa m = 0;
        int scale = 0;
        if (size == Size::Money) {
            m = 1 + rng() % 999'999'999'999ULL;
            scale = static_cast<int>(rng() % 5);
        } else {
            // 28 or 29 significant digits, anywhere in the scale range.
            m = (Decimal::Mantissa{rng() & 0xFFFF'FFFFULL} << 64) | rng();
            if (m < Decimal::pow10(27)->mantissa()) {
                continue;
            }
            scale = static_cast<int>(rng() % 29);
        }
        out.push_back(*Decimal::fromParts(m, scale, (rng() & 1) != 0));
    }
    return out;
}

template <class Op> void binary(benchmark::State& state, Size size, Op op) {
    const auto a = makeValues(size, 1);
    const auto b = makeValues(size, 2);
    std::size_t i = 0;
    for (auto _ : state) {
        auto r = op(a[i], b[i]);
        benchmark::DoNotOptimize(r);
        i = (i + 1) & (kCount - 1);
    }
}

void BM_AddMoney(benchmark::State& s) {
    binary(s, Size::Money, [](const Decimal& x, const Decimal& y) { return x.add(y); });
}
void BM_SubMoney(benchmark::State& s) {
    binary(s, Size::Money, [](const Decimal& x, const Decimal& y) { return x.sub(y); });
}
void BM_MulMoney(benchmark::State& s) {
    binary(s, Size::Money, [](const Decimal& x, const Decimal& y) { return x.mul(y); });
}
void BM_DivMoney(benchmark::State& s) {
    binary(s, Size::Money, [](const Decimal& x, const Decimal& y) { return x.div(y); });
}
void BM_AddFull(benchmark::State& s) {
    binary(s, Size::Full, [](const Decimal& x, const Decimal& y) { return x.add(y); });
}
void BM_SubFull(benchmark::State& s) {
    binary(s, Size::Full, [](const Decimal& x, const Decimal& y) { return x.sub(y); });
}
void BM_MulFull(benchmark::State& s) {
    binary(s, Size::Full, [](const Decimal& x, const Decimal& y) { return x.mul(y); });
}
void BM_DivFull(benchmark::State& s) {
    binary(s, Size::Full, [](const Decimal& x, const Decimal& y) { return x.div(y); });
}
void BM_CompareFull(benchmark::State& s) {
    binary(s, Size::Full, [](const Decimal& x, const Decimal& y) { return x < y; });
}

std::vector<std::u16string> texts(Size size) {
    std::vector<std::u16string> out;
    for (const Decimal& d : makeValues(size, 3)) {
        out.push_back(sumiplex::FormatAmount(d));
    }
    return out;
}

void parse(benchmark::State& state, Size size) {
    const auto t = texts(size);
    std::size_t i = 0;
    for (auto _ : state) {
        auto r = Decimal::parse(t[i]);
        benchmark::DoNotOptimize(r);
        i = (i + 1) & (kCount - 1);
    }
}
void BM_ParseMoney(benchmark::State& s) {
    parse(s, Size::Money);
}
void BM_ParseFull(benchmark::State& s) {
    parse(s, Size::Full);
}

void format(benchmark::State& state, Size size) {
    const auto v = makeValues(size, 4);
    std::size_t i = 0;
    for (auto _ : state) {
        auto r = sumiplex::FormatAmount(v[i]);
        benchmark::DoNotOptimize(r);
        i = (i + 1) & (kCount - 1);
    }
}
void BM_FormatAmountMoney(benchmark::State& s) {
    format(s, Size::Money);
}
void BM_FormatAmountFull(benchmark::State& s) {
    format(s, Size::Full);
}

/// What the input line does with an entry: read it, then show it in display form.
void BM_ParseThenFormatMoney(benchmark::State& state) {
    const auto t = texts(Size::Money);
    std::size_t i = 0;
    for (auto _ : state) {
        auto r = sumiplex::FormatAmount(*Decimal::parse(t[i]));
        benchmark::DoNotOptimize(r);
        i = (i + 1) & (kCount - 1);
    }
}

void BM_PlainStringFull(benchmark::State& state) {
    const auto v = makeValues(Size::Full, 5);
    std::size_t i = 0;
    for (auto _ : state) {
        auto r = v[i].toPlainString();
        benchmark::DoNotOptimize(r);
        i = (i + 1) & (kCount - 1);
    }
}

// The reference: bare 128-bit integer operations on the same mantissas.
template <class Op> void raw(benchmark::State& state, Size size, Op op) {
    std::vector<U128> a;
    std::vector<U128> b;
    for (const Decimal& d : makeValues(size, 1)) {
        a.push_back(d.mantissa());
    }
    for (const Decimal& d : makeValues(size, 2)) {
        b.push_back(d.mantissa());
    }
    std::size_t i = 0;
    for (auto _ : state) {
        U128 r = op(a[i], b[i]);
        benchmark::DoNotOptimize(r);
        i = (i + 1) & (kCount - 1);
    }
}
void BM_RawU128AddFull(benchmark::State& s) {
    raw(s, Size::Full, [](U128 x, U128 y) { return x + y; });
}
void BM_RawU128MulFull(benchmark::State& s) {
    raw(s, Size::Full, [](U128 x, U128 y) { return x * y; });
}
void BM_RawU128DivFull(benchmark::State& s) {
    raw(s, Size::Full, [](U128 x, U128 y) { return (x << 30) / y; });
}
void BM_RawU128DivMoney(benchmark::State& s) {
    raw(s, Size::Money, [](U128 x, U128 y) { return (x << 60) / y; });
}

} // namespace

BENCHMARK(BM_AddMoney);
BENCHMARK(BM_SubMoney);
BENCHMARK(BM_MulMoney);
BENCHMARK(BM_DivMoney);
BENCHMARK(BM_AddFull);
BENCHMARK(BM_SubFull);
BENCHMARK(BM_MulFull);
BENCHMARK(BM_DivFull);
BENCHMARK(BM_CompareFull);
BENCHMARK(BM_ParseMoney);
BENCHMARK(BM_ParseFull);
BENCHMARK(BM_FormatAmountMoney);
BENCHMARK(BM_FormatAmountFull);
BENCHMARK(BM_ParseThenFormatMoney);
BENCHMARK(BM_PlainStringFull);
BENCHMARK(BM_RawU128AddFull);
BENCHMARK(BM_RawU128MulFull);
BENCHMARK(BM_RawU128DivFull);
BENCHMARK(BM_RawU128DivMoney);

BENCHMARK_MAIN();
