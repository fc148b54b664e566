#pragma once

#include "core/decimal/decimal.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace sumiplex::taxrate {

/// Whether the amounts of the rows already hold their tax (税込) or get it on top (税抜).
enum class Basis { TaxIncluded, TaxExcluded };

/// A consumption tax rate in percent typed by the user: a number from 0 to 100 with at most
/// two decimals ("8", "8.25", full-width "８．５"), blanks around it allowed. Empty for
/// anything else, group separators included ("1,0" is no rate).
[[nodiscard]] std::optional<Decimal> parseRate(std::u16string_view text);

/// The tax on the sum of one rate's rows, rounded once to whole yen by the main window's
/// tax rule code: 1 truncates, 2 rounds any fraction up away from zero (91.09 → 92,
/// -37.04 → -38), 3 rounds half away from zero; any other code truncates. Included basis: sum × r /
/// (100 + r); excluded: sum × r / 100. Empty when the computation leaves the decimal range.
[[nodiscard]] std::optional<Decimal> taxOnSum(const Decimal& sum, const Decimal& ratePercent,
                                              Basis basis, int ruleCode);

/// The rows of one rate, or of both together for the grand total.
struct RateGroup {
    Decimal rate; ///< percent; zero in the grand total
    std::size_t rows = 0;
    Decimal sum;        ///< the rows' amounts as entered
    Decimal tax;        ///< whole yen
    Decimal withTax;    ///< 税込
    Decimal withoutTax; ///< 税抜
};

struct RateSummary {
    Basis basis = Basis::TaxIncluded;
    /// Both rates are the same: every row is in `standard` and taxed once, `reduced` is empty.
    bool merged = false;
    RateGroup standard;
    RateGroup reduced;
    RateGroup total;
};

struct RateChoice {
    Decimal standard;
    Decimal reduced;
    Basis basis = Basis::TaxIncluded;
    int ruleCode = 1;
};

enum class SummaryError {
    Overflow,         ///< a sum or tax leaves the decimal range
    UnreadableAmount, ///< a row is not a number
};

using SummaryResult = std::variant<RateSummary, SummaryError>;

/// The per-rate sums and taxes of the rows; `reduced[i]` marks row i as reduced rate.
/// Negative rows (subtractions, returns) lower their rate's sum.
[[nodiscard]] SummaryResult summarise(const std::vector<Decimal>& amounts,
                                      const std::vector<bool>& reduced, const RateChoice& choice);

/// The summary as an invoice carries it, one line each: a line per rate that has rows
/// (the reduced one flagged with "※" and explained by a last note line), then the total:
/// "10%対象(税込)　11,000円　内消費税　1,000円" … "合計　16,400円　内消費税等　1,400円".
[[nodiscard]] std::vector<std::u16string> summaryLines(const RateSummary& summary);

} // namespace sumiplex::taxrate
