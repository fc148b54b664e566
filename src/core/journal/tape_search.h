#pragma once

#include "core/decimal/decimal.h"
#include "core/engine/tape_entry.h"
#include "core/journal/journal_format.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sumiplex::journal {

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

/// What a search looks for: its text, folded as findInTape folds it, and the amount the
/// text reads as, if it reads as one ("3840", "3,840", "３，８４０", "3840.00", "3千840").
struct TapeNeedle {
    std::u16string key;
    std::optional<Decimal> value;
    [[nodiscard]] bool empty() const { return key.empty(); }
};
[[nodiscard]] TapeNeedle makeNeedle(std::u16string_view text);

/// Whether a step is about `value`: its amount or the value it gave (its new total, or the
/// result of its line) equals it, whatever the scale ("3840.00" is 3840).
[[nodiscard]] bool entryHasValue(const engine::TapeEntry& entry, const Decimal& value);

/// The 0-based lines of `text` holding the needle's text, in order, each once.
[[nodiscard]] std::vector<std::size_t> linesWithText(std::u16string_view text,
                                                     const TapeNeedle& needle);

/// The 0-based lines of a tape where a step about the needle's amount begins, in order.
[[nodiscard]] std::vector<std::size_t> linesWithValue(std::span<const JournalEntry> entries,
                                                      const TapeNeedle& needle);

/// Whether a tape file's bytes can hold a match at all, told without reading its steps:
/// the needle's text must stand in them (grouped or not, in either width), or, for an
/// amount, a step record must hold it (as operand or value, or as a percentage's share);
/// a file without records must show the amount's digits or hold a step that can be about
/// it without writing them (a percentage, an amount keyed with 万 or 千, a cash tally).
[[nodiscard]] bool mayHold(std::string_view bytes, const TapeNeedle& needle);

/// One line a search found.
struct FoundLine {
    std::size_t line;    ///< 0-based
    std::u16string text; ///< without its indent and its line end
};

/// Every line of a tape file (its bytes) where the needle is found by text or by amount,
/// as reading every step would find them; a file of records is searched by its records and
/// its lines as written, and read whole only when a note changed later holds the text.
[[nodiscard]] std::vector<FoundLine> searchTapeFile(std::string_view bytes,
                                                    const TapeNeedle& needle);

} // namespace sumiplex::journal
