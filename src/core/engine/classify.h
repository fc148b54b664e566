#pragma once

// Which row of the evaluation a line of the input line falls into, worked out from the
// text alone.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace sumiplex::engine {

enum class LineKind {
    Incomplete,        ///< "-5-": a negative first operand is still being typed
    Nothing,           ///< no row applies; the line is left as it is
    OnTotal,           ///< one operand and the operator at one end: "3*", "/4", "500+", "2^"
    BareNumber,        ///< "500", "-500": added to the total
    TwoOperands,       ///< "3*4", "-5-3": the result goes back into the input line
    PercentTypedFirst, ///< "%10": becomes "10%" on a multiplication line and waits
    PercentOfLine,     ///< "200*10%+": the result goes back into the input line
    PercentOfTotal,    ///< "10%+", "10%-", "10%": the total takes the percentage
};

/// How a percent line ends: "%" gives the share alone, "%+" adds it, "%-" takes it off.
enum class PercentEnd : std::uint8_t { Share, Add, TakeOff };

struct LineClass {
    LineKind kind = LineKind::Nothing;
    /// The row's operator; "*" or "/" for the percent kinds.
    char16_t op = 0;
    /// A leading operator ("+", or the percent line's own "*" or "/") is removed from the
    /// input line first; `line` is what remains and is what the row acts on.
    bool dropsLeadingOperator = false;
    std::u16string_view line;
    /// x of a one-operand row, the percentage of a percent of the total; a and b of a
    /// two-operand row; the base and the percentage of a percent of a line.
    std::u16string_view first;
    std::u16string_view second;
    /// Percent of a line: the line shows `line` without its last `cut` characters while the
    /// result is worked out, and `operatorAt` is where its operator stands.
    std::size_t cut = 0;
    std::size_t operatorAt = 0;
    PercentEnd end = PercentEnd::Share;
};

/// Classifies a line the way the evaluation tries its rows: a percent line first, then the
/// one-operand, two-operand rows of "^", "*", "/", "+" and "-" in that order (only the
/// first occurrence of an operator counts), then a bare number. Views point into `line`.
[[nodiscard]] LineClass classify(std::u16string_view line);

/// The rows that follow a dropped leading operator, tried on `rest`, the line as it reads
/// once the operator is gone. That is `dropped.line` unless the change handling of the
/// shortened line refused an operator at its end (a pasted "/0%/+*" reads "0%/+").
[[nodiscard]] LineClass classifyRest(const LineClass& dropped, std::u16string_view rest);

} // namespace sumiplex::engine
