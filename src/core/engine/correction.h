#pragma once

// Checking and correcting a calculation: its steps as the user keyed them, whether a step
// keyed again is the same one, and the calculation worked out again from edited steps by
// the engine's own evaluation.

#include "core/decimal/decimal.h"
#include "core/engine/tape.h"
#include "core/engine/tape_entry.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace sumiplex::engine {

class Engine;

/// Gives an engine as it stood when a calculation started, recording onto the tape given.
using CalculationStart = std::function<std::unique_ptr<Engine>(Tape&)>;

/// Whether an entry is a step of its calculation: something the user keyed or pressed that
/// changed something. A line that ended in ERROR changed nothing; an entry that follows
/// from the one before is made again by that one; another window's output is no key.
[[nodiscard]] bool isCalculationStep(const TapeEntry& entry);

/// The steps of the entries from `first` on (the current calculation: from
/// Tape::calculationStart()).
[[nodiscard]] std::vector<TapeEntry> calculationSteps(std::span<const TapeEntry> entries);

/// A calculation of a tape read back: the entry it started from (a total keyed back in, a
/// tally's start; none after an all clear or at the tape's start) and its steps.
struct CalculationAt {
    std::optional<TapeEntry> start;
    std::vector<TapeEntry> steps;
};

/// The calculation entry `index` belongs to. An all clear ends the calculation before it.
[[nodiscard]] CalculationAt calculationAt(std::span<const TapeEntry> entries, std::size_t index);

/// A step keyed as `input` in the input line and ended with Enter unless its trailing sign
/// ended it.
[[nodiscard]] TapeEntry typedStep(std::u16string input);

/// What the grid shows as a step's input: the input line as it stood (an operator where it
/// had one), or for a command its tape text.
[[nodiscard]] std::u16string stepText(const TapeEntry& step);

/// Whether `typed` is the same step as `recorded`: the same operator and the same value,
/// however the figures were written ("1,000+", "1000+", "１０００＋", "1千+").
[[nodiscard]] bool sameStep(const TapeEntry& recorded, const TapeEntry& typed);

/// A step of a correction: the step, and how many leading characters of its input are the
/// previous step's line result ("12+" after "3*4"), which follow that result when it changes.
struct CorrectionRow {
    TapeEntry step;
    std::size_t carried = 0;
};

/// The rows of recorded steps, each marked where it goes on from a line result.
[[nodiscard]] std::vector<CorrectionRow> correctionRows(std::vector<TapeEntry> steps);

/// How a row came out when the calculation was worked out again.
struct RowOutcome {
    enum class State {
        Done,    ///< the step was made; `total` is the total after it
        Empty,   ///< nothing keyed: the row is passed over
        Invalid, ///< not a valid step: it changed nothing
    };
    State state = State::Empty;
    Decimal total;
    /// The input as keyed when it went on from a line result that has changed ("20+" for a
    /// recorded "12+"); empty otherwise.
    std::u16string carriedInput;
    /// Where its entries are in the recomputation's tape: [firstEntry, endEntry).
    std::size_t firstEntry = 0;
    std::size_t endEntry = 0;
};

/// A calculation worked out again from its rows.
struct Recomputation {
    std::unique_ptr<Tape> tape;
    std::unique_ptr<Engine> engine;
    std::vector<RowOutcome> rows;

    [[nodiscard]] bool valid() const;
    /// The entries of the correction block: the entries the rows made, each row's note on
    /// its last entry.
    [[nodiscard]] std::vector<TapeEntry> block(std::span<const CorrectionRow> steps) const;
    /// The total the calculation reaches.
    [[nodiscard]] Decimal total() const;
};

/// Works the calculation out again: `start` gives the engine as it stood when it started,
/// and each row is keyed into it as the user would have keyed it.
[[nodiscard]] Recomputation recompute(const CalculationStart& start,
                                      std::span<const CorrectionRow> rows);

} // namespace sumiplex::engine
