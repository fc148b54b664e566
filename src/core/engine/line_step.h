#pragma once

// What evaluating one classified line does, worked out from the line and the total alone;
// the engine then carries it out.

#include "core/decimal/decimal.h"
#include "core/engine/classify.h"

#include <array>
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
    /// Written to the tape before the computation, so that a failure leaves the expression
    /// there, followed by the error mark. Views into the line and the shown total.
    std::array<std::u16string_view, 4> tape{};
    /// The result; nothing when an operand does not read or the computation fails.
    std::optional<Decimal> value;
    /// A new total from one operand adds this amount to the amounts that make up the total;
    /// without it the amounts become the new total alone.
    std::optional<Decimal> amount;
    /// Evaluation rows mark a failure on the tape with "ERROR"; the percent steps only end
    /// the tape line.
    bool errorMarkedOnTape = true;
};

/// `shownTotal` is the total as the tape shows it; `shownLine` the input line as it reads
/// while the step is worked out (a percent of a line shows the line without its "%" end,
/// and its percentage is read from there).
[[nodiscard]] LineStep computeLineStep(const LineClass& line, const Decimal& total,
                                       std::u16string_view shownTotal,
                                       std::u16string_view shownLine);

} // namespace sumiplex::engine
