#pragma once

#include "core/journal/journal_format.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sumiplex::journal {

/// The number of lines of a tape text; an unfinished last line counts.
[[nodiscard]] std::size_t countLines(std::u16string_view text);

/// The total the tape last shows, as it shows it ("1,500"), or empty when no line shows
/// one. Line results in parentheses, error lines and lines of other writers are passed
/// over.
[[nodiscard]] std::u16string lastTotal(std::u16string_view text);
/// The same for the indexed lines of a file's bytes, decoding only the lines it looks at.
[[nodiscard]] std::u16string lastTotal(std::string_view bytes, const TapeIndex& index);

/// One step of the tape, split for a spreadsheet. Amounts are in plain form (no group
/// separators); a field that does not apply is empty.
struct TapeStep {
    std::string time;         ///< "YYYY-MM-DD HH:MM:SS", empty when the file has no mark
    std::u16string input;     ///< what was typed or done, as the tape shows it
    std::u16string operation; ///< "+", "-", "*", "/", "^", "%", "=", or the tape's word
    std::u16string amount;    ///< the operand, the line result, or the value before
    std::u16string total;     ///< the total after the step
};

[[nodiscard]] TapeStep parseStep(std::u16string_view line);

/// The amount a tape line offers for the input line: the total after the step, else the
/// line result or operand, in plain form; empty when the line holds none.
[[nodiscard]] std::u16string amountOfLine(std::u16string_view line);

/// Where `needle` next occurs in `text` at or after `from`, wrapping round to the start;
/// full-width and half-width digits, letters and signs match alike. Nothing when absent.
[[nodiscard]] std::optional<std::size_t> findInTape(std::u16string_view text,
                                                    std::u16string_view needle, std::size_t from);

/// The tape as CSV: a header row, then one row per tape line, CR LF line ends, in UTF-8
/// with a byte-order mark so spreadsheet programs read the Japanese text.
[[nodiscard]] std::string tapeCsv(const JournalContents& tape);

} // namespace sumiplex::journal
