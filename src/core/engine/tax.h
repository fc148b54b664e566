#pragma once

#include "core/decimal/decimal.h"

#include <optional>
#include <string>

namespace sumiplex::engine {

/// Fraction rule codes of the consumption tax; any other stored code acts as kTaxTruncate.
inline constexpr int kTaxTruncate = 1;
inline constexpr int kTaxRoundUp = 2;
inline constexpr int kTaxRoundHalf = 3;

/// The two tax captions for a total. A caption whose computation fails (overflow) is
/// empty in the optional, and the caller leaves that label as it was.
struct TaxLines {
    std::optional<std::u16string> label2; ///< "Tax +   " + total with tax + "   (  " + tax
    std::optional<std::u16string> label3; ///< "Tax  -   " + net body + six blanks + tax contained
};

/// Tax added on top (t1) and tax contained (t2) for a total at a whole-percent rate.
[[nodiscard]] TaxLines computeTaxLines(const Decimal& total, int ratePercent, int ruleCode);

} // namespace sumiplex::engine
