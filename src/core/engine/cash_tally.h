#pragma once

#include "core/decimal/decimal.h"
#include "core/engine/denominations.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sumiplex::cash {

/// Counts of the nine denominations; index k - 1 holds denomination k. A count is negative
/// for an amount that was subtracted.
using Counts = std::array<Decimal, kDenominations>;

/// One step of the cash tally: the input line holds a denomination, "*" and the count.
struct TallyLine {
    std::u16string line; ///< the line as counted: an empty count reads "0" ("500*0")
    /// The tape line: six blanks, the line, "= " and the amount, or "ERROR" when the line
    /// does not count; CR LF.
    std::u16string tape;
    /// denomination × count; empty when the count (or the denomination) is not a number or
    /// the total would overflow. Nothing else changes then.
    std::optional<Decimal> amount;
    Decimal total;          ///< the total after the step
    Decimal count;          ///< the count entered, exactly as it reads
    std::u16string caption; ///< "Subtotal    " and the amount
};

[[nodiscard]] TallyLine tallyLine(std::u16string_view inputLine, const Decimal& total);

/// The closing lines of a tally.
struct TallySummary {
    std::u16string caption; ///< "Total    " and the total
    std::u16string tape;    ///< six blanks, "Total  ", the total, CR LF
};

[[nodiscard]] TallySummary tallySummary(const Decimal& total);

/// The counts a tally keyed in the input line has reached, one per denomination, kept
/// exactly as they were typed: the tally window shows what the tape counted.
class CashTally {
public:
    /// Every count back to 0, as a new tally starts.
    void clear() { m_counts = {}; }
    /// Counts `inputLine` as the line of the denomination `faceValue` on `total`; a line
    /// that counts keeps its count for that denomination.
    [[nodiscard]] TallyLine count(std::int64_t faceValue, std::u16string_view inputLine,
                                  const Decimal& total);
    /// The nine counts, 10,000 yen first.
    [[nodiscard]] const Counts& counts() const { return m_counts; }

    /// The denomination asked for after `faceValue` (5000 after 10000, …); 0 after the
    /// one-yen coin and for a value that is no denomination.
    [[nodiscard]] static std::int64_t next(std::int64_t faceValue);
    /// What the input line offers for the count of `faceValue`: "5000*".
    [[nodiscard]] static std::u16string prompt(std::int64_t faceValue);

private:
    Counts m_counts{};
};

} // namespace sumiplex::cash
