#pragma once

#include "core/decimal/decimal.h"
#include "core/tools/taxrate/tax_by_rate.h"

#include <cstddef>
#include <string>
#include <vector>

namespace sumiplex::taxrate {

/// The amounts that make up the total, each with its rate mark. It follows the main
/// window's list of amounts: rows added at the end arrive standard and the earlier rows
/// keep their marks; a list replaced (all clear, a product, back or forward) starts again
/// with every row standard.
class RateSheet {
public:
    /// A new list: every row standard.
    void assign(const std::vector<std::u16string>& amounts);
    /// The rows of `amounts` from `from` on, added at the end of the sheet, standard.
    void append(const std::vector<std::u16string>& amounts, std::size_t from);
    /// Switches row `row` between standard and reduced; a row past the end is ignored.
    void toggle(std::size_t row);

    [[nodiscard]] std::size_t size() const { return m_amounts.size(); }
    [[nodiscard]] bool isReduced(std::size_t row) const { return m_reduced.at(row); }
    [[nodiscard]] const Decimal& amount(std::size_t row) const { return m_amounts.at(row); }

    /// The sums and taxes by rate; UnreadableAmount when a row of the list is no number.
    [[nodiscard]] SummaryResult summary(const RateChoice& choice) const;

private:
    std::vector<Decimal> m_amounts;
    std::vector<bool> m_reduced;
    std::size_t m_unreadable = 0;
};

} // namespace sumiplex::taxrate
