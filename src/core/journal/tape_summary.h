#pragma once

#include "core/journal/journal_format.h"
#include "core/journal/tape_csv.h"
#include "core/journal/tape_search.h"
#include "core/journal/tape_step.h"

#include <cstddef>
#include <optional>
#include <span>
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

/// The first and the last total a tape's steps set, read from its entries; nothing when no
/// step sets one.
struct TapeTotals {
    std::optional<Decimal> first;
    std::optional<Decimal> last;
};
[[nodiscard]] TapeTotals tapeTotals(std::span<const JournalEntry> entries);
/// The same for a tape file's bytes, reading the steps near its start and its end only
/// (the whole file when they set no total), so that a long list of long tapes lists fast.
[[nodiscard]] TapeTotals fileTotals(std::string_view bytes);

} // namespace sumiplex::journal
