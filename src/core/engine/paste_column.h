#pragma once

// Text pasted or dropped into the input line as a column of amounts: the cells it holds, in
// reading order, each with the row it stands on so that a skipped cell can be pointed at.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace sumiplex::engine {

/// One cell of pasted text, blanks around it removed.
struct PastedCell {
    std::u16string text;
    std::size_t row = 0; ///< 1-based: the line (for CSV, the record) the cell stands on
};

/// How pasted text is divided into cells.
enum class PastedLayout {
    /// Lines, each divided at tabs: a spreadsheet range read row by row, left to right, or
    /// plain text read line by line.
    Rows,
    /// Comma-separated values: a field in double quotes may hold commas, line breaks and
    /// doubled quotes ("1,234" is one cell).
    Csv,
};

/// Whether `text` is a column rather than a line: two or more lines, not counting one line
/// break at its very end.
[[nodiscard]] bool isPastedColumn(std::u16string_view text);

/// The cells of `text` in reading order. Empty cells are cells too (a blank line, an empty
/// spreadsheet cell), so that nothing the user pasted goes unaccounted for; only the line
/// break that ends the last line makes no row of its own.
[[nodiscard]] std::vector<PastedCell> splitPastedCells(std::u16string_view text,
                                                       PastedLayout layout);

/// Pasted cells parted into the amounts a column adds and the cells it skips (headings,
/// labels, empty cells), each kept in reading order.
struct PastedColumn {
    std::vector<PastedCell> amounts;
    std::vector<PastedCell> skipped;
};

/// Whether a pasted cell is an amount: a number in any form the input line reads as one
/// operand ("¥1,234", "△500", "(200)", "300-", "3万"); a cell that holds an operator or a
/// percent of its own is not.
[[nodiscard]] bool isPastedAmount(std::u16string_view cell);
[[nodiscard]] PastedColumn readPastedColumn(std::u16string_view text, PastedLayout layout);

/// The tape line naming how many cells a column skipped.
[[nodiscard]] std::u16string skippedTapeLine(std::size_t count);
/// The message about skipped cells: how many, then the first few with their rows.
[[nodiscard]] std::u16string skippedMessage(const std::vector<PastedCell>& skipped);
/// How many skipped cells the message lists one by one.
inline constexpr std::size_t kSkippedListed = 5;

/// The question asked before a column of more than kAskAbove amounts is added.
[[nodiscard]] std::u16string pasteQuestion(std::size_t amounts);
inline constexpr std::size_t kAskAbove = 20;

} // namespace sumiplex::engine
