#pragma once

// The tape as data: every completed step of the calculator is one entry, and the tape text
// is what renderEntry() makes of the entries, one after another. Readers of the tape (the
// journal, the export, the search, the check and correction of a calculation) read the
// entries; nothing reads the figures back out of the text.

#include "core/decimal/decimal.h"
#include "core/engine/classify.h"
#include "core/engine/rounding.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sumiplex::engine {

enum class EntryKind : std::uint8_t {
    // --- steps of the input line (input: the line as it stood when the step was made)
    OnTotal,        ///< "500+", "*2", "2^": the total and one operand; op + - * / ^
    Number,         ///< "500", "-500", "+500": a number added to the total; op '+'
    PercentOfTotal, ///< "10%+", "10%-", "10%", "/10%": the total takes a percentage
    LineResult,     ///< "3*4": the result goes back into the input line
    PercentOfLine,  ///< "200*10%+": the result goes back into the input line
    // --- the total's own commands
    AllClear,     ///< AC: "Total = 0"; starts a calculation
    Back,         ///< the total recorded one place back
    Forward,      ///< the total recorded one place forward
    Rounding,     ///< a rounding of the total; input: the decimal place box's text
    RoundingUndo, ///< the total before a rounding run, back again
    TaxLine,      ///< a tax line copied into the input line; op '+' added, '-' contained
    TotalReEntry, ///< "Total    1,500" keyed back in; starts a calculation
    Conversion,   ///< the total converted ("JPY  …", "USD  …"); op '¥' or '$'; input: rate
    /// A new exchange rate while a conversion is shown: the conversion again at that rate
    /// (input: the rate box's text).
    RateChange,
    ConvertedReEntry, ///< "JPY    123" keyed back in: the total becomes it; starts a calculation
    /// A line keyed with a leading "Days" (input: the whole line): a line of its own before
    /// the step the rest of the line makes, which follows as an entry of its own.
    DaysWord,
    /// The grand total recalled (op 'G'), the total added to the memory ('+') or taken
    /// from it ('-'); value: the amount written.
    Register,
    // --- the cash tally
    CashTallyStart, ///< the tally starts from a total of 0
    CashTallyStep,  ///< one denomination counted; operand: the count; value: the total
    CashTallyEnd,   ///< the tally's closing total
    // --- another window's output (days between dates, tax by rate): its text as written
    Tool,
};

/// An exact amount or none, kept in 16 bytes (an optional Decimal takes 48): an entry holds
/// three, and a long tape holds many entries. Reads like an optional Decimal.
class StoredAmount {
public:
    StoredAmount() = default;
    // Converting, so that an entry's amounts are set and read as optional Decimals.
    StoredAmount(const std::optional<Decimal>& value) { assign(value); } // NOLINT
    StoredAmount(const Decimal& value) { assign(value); }                // NOLINT
    StoredAmount(std::nullopt_t) {}                                      // NOLINT

    [[nodiscard]] bool has_value() const { return (m_flags & kPresent) != 0; }
    explicit operator bool() const { return has_value(); }
    /// The amount; only when there is one.
    [[nodiscard]] Decimal operator*() const;
    struct Arrow {
        Decimal value;
        const Decimal* operator->() const { return &value; }
    };
    [[nodiscard]] Arrow operator->() const { return Arrow{**this}; }
    [[nodiscard]] std::optional<Decimal> optional() const;
    operator std::optional<Decimal>() const { return optional(); } // NOLINT
    [[nodiscard]] Decimal value_or(const Decimal& otherwise) const {
        return has_value() ? **this : otherwise;
    }
    /// Equal when both are empty or both hold the same value, however written (1.5, 1.50).
    friend bool operator==(const StoredAmount& a, const StoredAmount& b) {
        if (a.has_value() != b.has_value())
            return false;
        return !a.has_value() || *a == *b;
    }

private:
    friend struct StoredAmountParts; // packs amounts into the tape's entry store
    void assign(const std::optional<Decimal>& value);

    static constexpr std::uint8_t kPresent = 1;
    static constexpr std::uint8_t kNegative = 2;
    std::uint64_t m_low = 0;
    std::uint32_t m_high = 0;
    std::uint8_t m_scale = 0;
    std::uint8_t m_flags = 0;
};

/// One completed step. Which fields a kind fills is said at the kind; a field that does
/// not apply is empty.
struct TapeEntry {
    EntryKind kind = EntryKind::Tool;
    /// The step changed nothing: its line ended in ERROR (or, for a percent step, its tape
    /// line ended without a result).
    bool failed = false;
    /// The entry follows from the one before it and is no input of its own (the step of a
    /// "Days" line, a tally's closing total).
    bool follows = false;
    /// The row's operator: '+', '-', '*', '/', '^'; for the percent kinds '*' or '/'.
    char16_t op = 0;
    /// How the input line stood when the step was keyed, for keying it again exactly (a
    /// line's operator refuses a second one): kOperatorBeforeLastKey, kOperatorAtEvaluation.
    std::uint8_t keyed = 0;
    static constexpr std::uint8_t kOperatorBeforeLastKey = 1;
    static constexpr std::uint8_t kOperatorAtEvaluation = 2;
    /// The step is an amount of a pasted column (kept by replaying the column, not keying
    /// it line by line: the column records one total); kPastedFirst marks the amount that
    /// started the column.
    static constexpr std::uint8_t kPasted = 4;
    static constexpr std::uint8_t kPastedFirst = 8;
    PercentEnd end = PercentEnd::Share; ///< percent kinds
    RoundMode mode = RoundMode::Down;   ///< Rounding
    /// Local time of the step, seconds since 1970-01-01 00:00 local; 0 when unknown.
    std::int64_t time = 0;
    /// What was keyed: the input line as it stood when the step was made, with its
    /// operator where it has one ("500+", "*2", "3*4", "10%+"); the place box's text of a
    /// rounding, the rate box's text of a conversion, the whole line of a "Days" word.
    std::u16string input;
    /// The figures as keyed, where the tape shows them as keyed: the operand of a step on
    /// the total ("1万" of "1万+"), the line of a line result, the line a percent of a line
    /// shows while it is worked out; the whole line of a tax line, a conversion, a tally
    /// step and a tool's output.
    std::u16string shown;
    StoredAmount operand; ///< the operand of a step on the total; a tally count
    StoredAmount before;  ///< the total before the step
    StoredAmount value;   ///< the new total, or the result of a line
    /// A short note of the user's (摘要); shown after the figures of the entry's last line.
    std::u16string note;

    /// Whether the step is a line keyed into the input line (its `input`), as opposed to a
    /// command or another window's output.
    [[nodiscard]] bool keyedInInputLine() const;
    /// Whether the step sets the total (as opposed to a line result or a tool's text).
    [[nodiscard]] bool setsTotal() const;
    /// Whether a calculation starts after this entry: the total started again from zero
    /// or from a total keyed back in.
    [[nodiscard]] bool startsCalculation() const;
    /// "+", "-", "*", "/", "^", "%+", "%-", "%", "=" for a line's result, else empty.
    [[nodiscard]] std::u16string_view operatorText() const;
    /// The amount the step is about: the operand of a step on the total, the share of a
    /// percent of the total, the result of a line; else the value.
    [[nodiscard]] std::optional<Decimal> amount() const;
};

/// Appends the tape text of `entry` to `out`: exactly the text the calculator has always
/// written for the step, its note (if any) after the figures of its last line.
void renderEntry(std::u16string& out, const TapeEntry& entry);
[[nodiscard]] std::u16string renderEntry(const TapeEntry& entry);

/// FormatAmount(value), from a memo of the last few amounts formatted (a step's totals are
/// written on the tape and shown in the total's caption). The text stays valid until a few
/// more amounts have been formatted: copy it to keep it.
[[nodiscard]] const std::u16string& formattedAmount(const Decimal& value);

/// How a note stands after the figures: two blanks, then the note on one line.
[[nodiscard]] std::u16string noteSuffix(std::u16string_view note);

/// The longest note kept, in UTF-16 code units.
inline constexpr std::size_t kMaxNoteLength = 100;

/// A note as it is kept: line breaks and tabs become blanks, blanks around it go, and it is
/// cut at kMaxNoteLength.
[[nodiscard]] std::u16string cleanNote(std::u16string_view note);

} // namespace sumiplex::engine
