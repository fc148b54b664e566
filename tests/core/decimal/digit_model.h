#pragma once

// An independent reference for the Decimal tests: non-negative integers as strings of decimal
// digits with schoolbook arithmetic. Slow and simple on purpose, so it shares no code or
// technique with the 64-bit-limb arithmetic it checks.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/decimal/decimal.h"

namespace sumiplex::test::model {

/// Most significant digit first, no leading zeros; zero is "0".
using Digits = std::string;

inline Digits trimmed(Digits d) {
    const auto nz = d.find_first_not_of('0');
    if (nz == Digits::npos) {
        return Digits("0");
    }
    if (nz > 0) {
        d.erase(0, nz);
    }
    return d;
}

inline Digits fromMantissa(Decimal::Mantissa m) {
    constexpr std::uint64_t kChunk = 10'000'000'000'000'000'000ULL;
    const auto high = m / kChunk;
    const auto low = static_cast<std::uint64_t>(m % kChunk);
    if (high == 0) {
        return std::to_string(low);
    }
    const std::string lowText = std::to_string(low);
    return fromMantissa(high) + std::string(19 - lowText.size(), '0') + lowText;
}

inline const Digits& maxMantissa() {
    static const Digits m = "79228162514264337593543950335";
    return m;
}

inline int cmp(const Digits& a, const Digits& b) {
    if (a.size() != b.size()) {
        return a.size() < b.size() ? -1 : 1;
    }
    return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

// The loops below walk raw pointers: the model runs hundreds of thousands of times in
// unoptimised test builds, where every checked string access is a call.
inline Digits add(const Digits& a, const Digits& b) {
    const Digits& longer = a.size() >= b.size() ? a : b;
    const Digits& shorter = a.size() >= b.size() ? b : a;
    Digits r(longer.size() + 1, '0');
    char* out = r.data() + r.size();
    const char* pl = longer.data() + longer.size();
    const char* ps = shorter.data() + shorter.size();
    const char* const shortBegin = shorter.data();
    const char* const longBegin = longer.data();
    int carry = 0;
    while (pl != longBegin) {
        int v = *--pl - '0' + carry + (ps != shortBegin ? *--ps - '0' : 0);
        carry = v >= 10 ? 1 : 0;
        *--out = static_cast<char>('0' + v - 10 * carry);
    }
    *--out = static_cast<char>('0' + carry);
    return trimmed(std::move(r));
}

/// a - b for a >= b.
inline Digits sub(const Digits& a, const Digits& b) {
    Digits r(a.size(), '0');
    char* out = r.data() + r.size();
    const char* pa = a.data() + a.size();
    const char* pb = b.data() + b.size();
    const char* const aBegin = a.data();
    const char* const bBegin = b.data();
    int borrow = 0;
    while (pa != aBegin) {
        int v = *--pa - '0' - borrow - (pb != bBegin ? *--pb - '0' : 0);
        borrow = v < 0 ? 1 : 0;
        *--out = static_cast<char>('0' + v + 10 * borrow);
    }
    return trimmed(std::move(r));
}

inline Digits mul(const Digits& a, const Digits& b) {
    const std::size_t na = a.size();
    const std::size_t nb = b.size();
    std::vector<unsigned> acc(na + nb, 0);
    const char* pa = a.data();
    const char* pb = b.data();
    unsigned* out = acc.data();
    for (std::size_t i = 0; i < na; ++i) {
        const auto da = static_cast<unsigned>(pa[i] - '0');
        for (std::size_t j = 0; j < nb; ++j) {
            out[i + j + 1] += da * static_cast<unsigned>(pb[j] - '0');
        }
    }
    for (std::size_t k = acc.size() - 1; k > 0; --k) {
        out[k - 1] += out[k] / 10;
        out[k] %= 10;
    }
    Digits r(acc.size(), '0');
    char* digits = r.data();
    for (std::size_t k = 0; k < acc.size(); ++k) {
        digits[k] = static_cast<char>('0' + out[k]);
    }
    return trimmed(r);
}

/// a * 10^k
inline Digits shifted(const Digits& a, int k) {
    return a == "0" ? a : a + Digits(k, '0');
}

inline bool isOdd(const Digits& a) {
    return (a.back() - '0') % 2 == 1;
}

/// a / 10^k rounded half to even.
inline Digits dropHalfEven(const Digits& a, int k) {
    if (k == 0) {
        return a;
    }
    const auto n = static_cast<std::ptrdiff_t>(a.size());
    const std::ptrdiff_t keep = n - k; // digits of the quotient, may be <= 0
    const Digits q = keep > 0 ? a.substr(0, static_cast<std::size_t>(keep)) : Digits("0");
    // The first dropped digit is a[keep] when it exists, a leading zero otherwise.
    const char first = keep >= 0 ? a[static_cast<std::size_t>(keep)] : '0';
    const std::size_t restFrom = static_cast<std::size_t>(std::max<std::ptrdiff_t>(keep + 1, 0));
    const bool restAfterFirst =
        keep >= 0 ? a.find_first_not_of('0', restFrom) != Digits::npos : a != "0";
    const bool up = first > '5' || (first == '5' && (restAfterFirst || isOdd(q)));
    return up ? add(q, "1") : q;
}

/// A result as the model sees it: the magnitude's digits, the scale and the sign.
struct Value {
    Digits mantissa;
    int scale = 0;
    bool negative = false;
    bool error = false;
};

inline Value of(const Decimal& d) {
    return {fromMantissa(d.mantissa()), d.scale(), d.isNegative()};
}

inline Value of(const std::optional<Decimal>& d) {
    return d ? of(*d) : Value{"", 0, false, true};
}

/// The exact value mag / 10^scale brought into range by dropping as few digits as possible.
inline Value fit(const Digits& mag, int scale, bool negative) {
    // A quotient of more than 29 digits is beyond the range whatever the rounding.
    const int longest = static_cast<int>(mag.size()) - 29;
    for (int k = std::max({0, scale - Decimal::kMaxScale, longest}); k <= scale; ++k) {
        const Digits q = dropHalfEven(mag, k);
        if (cmp(q, maxMantissa()) <= 0) {
            return {q, scale - k, negative && q != "0"};
        }
    }
    return {"", 0, false, true};
}

inline Value sum(const Value& a, const Value& b) {
    const int scale = std::max(a.scale, b.scale);
    const Digits x = shifted(a.mantissa, scale - a.scale);
    const Digits y = shifted(b.mantissa, scale - b.scale);
    if (a.negative == b.negative) {
        return fit(add(x, y), scale, a.negative);
    }
    return cmp(x, y) >= 0 ? fit(sub(x, y), scale, a.negative) : fit(sub(y, x), scale, b.negative);
}

inline Value product(const Value& a, const Value& b) {
    return fit(mul(a.mantissa, b.mantissa), a.scale + b.scale, a.negative != b.negative);
}

/// Checks a quotient without dividing: q at scale s must be the half-even rounding of a / b at
/// that scale, and one more digit must not fit unless the quotient is exact or s is 28.
/// Returns an empty string when the result is right, else what is wrong.
inline std::string checkQuotient(const Value& a, const Value& b, const Value& got) {
    if (b.mantissa == "0") {
        return got.error ? "" : "division by zero gave a value";
    }
    // a / b at scale t is X_t / Y with X_t = ma * 10^(sb + t), Y = mb * 10^sa.
    const Digits y = shifted(b.mantissa, a.scale);
    const auto x = [&](int t) { return shifted(a.mantissa, b.scale + t); };
    const Digits limit = mul("158456325028528675187087900671", y); // (2 max + 1) * Y
    const auto exceedsMax = [&](int t) {                           // round(X_t / Y) > max
        const Digits xt = x(t);
        return cmp(add(xt, xt), limit) >= 0;
    };
    if (got.error) {
        return exceedsMax(0) ? "" : "overflow reported for a quotient that fits";
    }
    const Digits qy = mul(got.mantissa, y);
    const Digits xs = x(got.scale);
    const Digits diff = cmp(xs, qy) >= 0 ? sub(xs, qy) : sub(qy, xs);
    const int c = cmp(add(diff, diff), y);
    if (c > 0 || (c == 0 && isOdd(got.mantissa))) {
        return "not the half-even rounding at its scale";
    }
    if (diff != "0" && got.scale < Decimal::kMaxScale && !exceedsMax(got.scale + 1)) {
        return "inexact quotient with fewer digits than fit";
    }
    const bool negative = (a.negative != b.negative) && got.mantissa != "0";
    return got.negative == negative ? "" : "wrong sign";
}

} // namespace sumiplex::test::model
