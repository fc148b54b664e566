#pragma once

// What evaluating one classified line does, worked out from the line and the total alone;
// the engine then carries it out.

#include "core/decimal/decimal.h"
#include "core/engine/classify.h"
#include "core/engine/tape_entry.h"

#include <optional>
#include <string_view>

namespace sumiplex::engine {

struct LineStep {
    enum class Finish {
        None,       ///< nothing is computed
        NewTotal,   ///< the value becomes the total (RecordTotal)
        LineResult, ///< the value goes back into the input line (WriteLineResult)
    };
    Finish finish = Finish::None;
    /// The step as the tape records it: its kind, operator, the figures as keyed and the
    /// total before. The caller adds what was typed and the outcome.
    TapeEntry entry;
    /// The result; nothing when an operand does not read or the computation fails.
    std::optional<Decimal> value;
    /// A new total from one operand adds this amount to the amounts that make up the total;
    /// without it the amounts become the new total alone.
    std::optional<Decimal> amount;
};

/// `shownLine` is the input line as it reads while the step is worked out (a percent of a
/// line shows the line without its "%" end, and its percentage is read from there).
[[nodiscard]] LineStep computeLineStep(const LineClass& line, const Decimal& total,
                                       std::u16string_view shownLine);

} // namespace sumiplex::engine
