#pragma once

#include "core/decimal/decimal.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

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
    /// The figures of the two lines, present with their line.
    std::optional<Decimal> withTax, taxAdded, net, taxContained;
};

/// Tax added on top (t1) and tax contained (t2) for a total at a whole-percent rate.
[[nodiscard]] TaxLines computeTaxLines(const Decimal& total, int ratePercent, int ruleCode);

/// Whether both tax lines are sure to be worked out for `total` at `ratePercent` (no
/// overflow, no division by zero) whatever the rule; false says only that one may fail.
[[nodiscard]] bool taxLinesCannotFail(const Decimal& total, int ratePercent);

/// computeTaxLines for the last two totals asked about: Back and Forward show totals again
/// whose lines were worked out a moment ago.
class TaxLinesMemo {
public:
    [[nodiscard]] const TaxLines& linesFor(const Decimal& total, int ratePercent, int ruleCode);

private:
    struct Entry {
        Decimal total;
        int rate = 0;
        int rule = 0;
        std::optional<TaxLines> lines;
    };
    std::array<Entry, 2> m_entries;
    std::size_t m_next = 0;
};

/// The rate typed into the tax dialog: an empty box means 0; a fraction rounds half to even;
/// text that is not a number or lies outside the 16-bit range keeps `oldRate`.
[[nodiscard]] int taxRateFromText(std::u16string_view text, int oldRate);

/// The check states of the tax dialog's three rule buttons.
struct TaxRuleOptions {
    bool option1 = false; ///< 切り捨て
    bool option2 = false; ///< 切り上げ
    bool option3 = false; ///< 四捨五入
};

/// The rule code of the checked button, tested in the order Option1, Option2, Option3;
/// `oldRule` when none is checked (a stored code other than 1..3 checks none).
[[nodiscard]] int taxRuleFromOptions(const TaxRuleOptions& options, int oldRule);

} // namespace sumiplex::engine
