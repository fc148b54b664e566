#pragma once

#include "core/engine/tape_entry.h"
#include "core/journal/journal_format.h"

#include <span>
#include <string>

namespace sumiplex::journal {

/// A tape as CSV for a spreadsheet: a header row, then one row per step — its time, what
/// was keyed, the operator, the amount and the total after it, and the user's note — with
/// CR LF line ends, in UTF-8 with a byte-order mark so spreadsheet programs read the
/// Japanese text. Amounts are the steps' exact values in plain form ("-1234.5"); a text
/// cell that a spreadsheet would take for a formula (it starts with "=", "+", "-", "@", a
/// tab or a CR) gets a leading "'", an amount never does.
///
/// The running program's tape, from its entries.
[[nodiscard]] std::string tapeCsv(std::span<const engine::TapeEntry> entries);
/// A tape read from a file: its entries, each step without a time of its own taking the
/// time mark of its first line.
[[nodiscard]] std::string tapeCsv(const JournalContents& tape);

/// Steps as a spreadsheet range: one row per step — what was keyed, the operator, the
/// amount, the total after it and the note — cells joined by tabs, each row ended by a line
/// break, no header (a range pasted among rows already there). Cells are as in tapeCsv.
[[nodiscard]] std::u16string tapeRows(std::span<const engine::TapeEntry> entries);

} // namespace sumiplex::journal
