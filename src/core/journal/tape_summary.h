#pragma once

#include "core/journal/journal_format.h"
#include "core/journal/tape_step.h"

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

/// Where a search found its text in the tape: the first character and how many follow.
struct TapeMatch {
    std::size_t at;
    std::size_t length;
    friend bool operator==(const TapeMatch&, const TapeMatch&) = default;
};

/// Where `needle` next occurs in `text` at or after `from`, wrapping round to the start.
/// Full-width and half-width digits, letters and signs match alike, and a comma between
/// two digits is passed over in both, so "3840", "3,840" and "３，８４０" find one another
/// (and "384" finds "3,840" as it finds "3840"). Nothing when absent.
[[nodiscard]] std::optional<TapeMatch> findInTape(std::u16string_view text,
                                                  std::u16string_view needle, std::size_t from);

/// The tape as CSV: a header row, then one row per tape line (parseStep), CR LF line ends,
/// in UTF-8 with a byte-order mark so spreadsheet programs read the Japanese text. A text
/// cell that a spreadsheet would take for a formula (it starts with "=", "+", "-", "@", a
/// tab or a CR) gets a leading "'"; the amount and total cells are plain numbers.
[[nodiscard]] std::string tapeCsv(const JournalContents& tape);

} // namespace sumiplex::journal
