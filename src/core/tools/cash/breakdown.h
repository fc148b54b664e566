#pragma once

#include "core/decimal/decimal.h"
#include "core/engine/cash_tally.h"
#include "core/tools/cash/printout.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sumiplex::cash {

/// Splits the integer part of `amount` (its fraction is ignored) into notes and coins: the
/// 10,000 count takes every digit above the thousands, and each lower digit d becomes a
/// five-piece (d ≥ 5) and d mod 5 one-pieces. Every count carries the amount's sign, so the
/// counts times the face values add up to the integer part exactly.
[[nodiscard]] Counts splitAmount(const Decimal& amount);

/// One item of the main window's entry list as the breakdown reads it.
struct Entry {
    Decimal integerPart;
    /// The fraction with the entry's sign (-3.25 gives -0.25), so integer part plus
    /// fraction is the entry.
    Decimal fraction;
    Counts counts;
    bool readable = true; ///< false for a text that is no number; its counts are then 0
};

[[nodiscard]] Entry readEntry(std::u16string_view text);

/// Borrows from the next larger denomination wherever a count is negative, from the one
/// coin up to the 5,000 note, in two passes. The money value never changes; a count can
/// stay negative after the two passes.
void normalise(Counts& counts);

/// Sum of count × face value; empty on overflow.
[[nodiscard]] std::optional<Decimal> moneyValue(const Counts& counts);

/// The tables a rebuild makes of the entry list.
struct CashTables {
    Decimal amount;      ///< sum of the entries' integer parts (the total of the summary)
    Counts entryTotals;  ///< column sums of the per-entry table, before borrowing
    Counts counts;       ///< the summary: entryTotals borrowed when `amount` is positive
    Decimal cashValue;   ///< money value of `counts`
    Decimal fractionSum; ///< sum of the entries' signed fractions
    /// False when an entry did not read as a number or a sum overflowed: the tables then
    /// cannot be trusted and the window warns.
    bool sound = true;
};

[[nodiscard]] CashTables BuildCashTables(const std::vector<std::u16string>& entries);

/// Whether the summary and the fractions make the main window's total (`mainTotal`, its
/// plain text), compared in the integer part. A total that does not read never matches.
[[nodiscard]] bool addsUpTo(const CashTables& tables, std::u16string_view mainTotal);

/// The summary topped up (or cut down) to a principal.
struct Exchange {
    Decimal difference; ///< integer part of principal - amount
    Counts counts;      ///< the summary after adding the difference's pieces and borrowing
    Decimal cashValue;  ///< money value of `counts`; the summary's new total
};

/// Empty when `principal` does not read as a number or a sum overflows.
[[nodiscard]] std::optional<Exchange> exchange(const CashTables& tables,
                                               std::u16string_view principal);

/// One row of the summary grid.
struct SummaryRow {
    std::u16string_view name;
    std::u16string count;  ///< plain
    std::u16string amount; ///< count × face value, plain
};

enum class SummaryNames { Short, Padded };

[[nodiscard]] std::array<SummaryRow, kDenominations> summaryRows(const Counts& counts,
                                                                 SummaryNames names);

/// The ten cells of a per-entry row (amount and nine counts), plain.
[[nodiscard]] std::array<std::u16string, 10> entryRowCells(const Decimal& amount,
                                                           const Counts& counts);

/// The memo text of a summary: nine lines of padded name, count and amount, the total line
/// and an empty line, fields joined by tabs, every line ended by CR LF.
[[nodiscard]] std::u16string breakdownMemoText(const Counts& counts, const Decimal& total);

/// The printed table of a summary, amounts and total grouped in threes.
[[nodiscard]] DenominationPrintout breakdownPrintout(const Counts& counts, const Decimal& total);

/// The window's state that the breakdown decides.
struct BreakdownView {
    std::u16string text1;            ///< the principal for the exchange
    std::u16string label1 = u"合計"; ///< "合計　　" and the summary's total
    std::u16string label2;           ///< the exchange's difference
    bool label3Visible = false;      ///< the warning that the summary does not add up
    bool command2Visible = true;     ///< paste to the memo
    bool command2Enabled = true;
    SummaryNames summaryNames = SummaryNames::Short;
    bool text1Selected = false; ///< the principal is to be selected for correction
};

/// The breakdown window without its widgets: it rebuilds from the main window's entries on
/// every activation, exchanges and pastes.
class CashBreakdown {
public:
    /// The window became active: rebuild from `entries`, the principal shows the summary's
    /// value, and the warning shows when the summary does not make `mainTotal`.
    void activated(std::vector<std::u16string> entries, std::u16string_view mainTotal);
    /// The user changed the principal for the exchange.
    void principalChanged(std::u16string text) { m_view.text1 = std::move(text); }

    enum class ExchangeOutcome { NothingToDo, Exchanged, PrincipalNotANumber };
    /// "両替": rebuilds, then tops the summary up to the principal.
    ExchangeOutcome exchangeToPrincipal();
    /// The text to paste into the memo, or nothing when the summary's total is 0 (the button
    /// is then disabled). After a paste the button hides.
    [[nodiscard]] std::optional<std::u16string> takeMemoText();

    [[nodiscard]] const BreakdownView& view() const { return m_view; }
    [[nodiscard]] const CashTables& tables() const { return m_tables; }
    [[nodiscard]] const std::vector<std::u16string>& entries() const { return m_entries; }
    [[nodiscard]] std::array<SummaryRow, kDenominations> summary() const {
        return summaryRows(m_tables.counts, m_view.summaryNames);
    }
    [[nodiscard]] DenominationPrintout printout() const {
        return breakdownPrintout(m_tables.counts, m_tables.amount);
    }

private:
    void rebuild();

    std::vector<std::u16string> m_entries;
    CashTables m_tables;
    BreakdownView m_view;
};

} // namespace sumiplex::cash
