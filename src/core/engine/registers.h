#pragma once

#include "core/decimal/decimal.h"

#include <optional>
#include <string>
#include <string_view>

namespace sumiplex::engine {

/// The two registers a desk calculator keeps beside its running total: the grand total
/// (the sum of every calculation that ended with a non-zero total) and the independent
/// memory. Both are decimal; a step that would leave the decimal range is refused and the
/// register keeps its value.
class Registers {
public:
    /// Adds a calculation's final total; a zero total leaves the grand total untouched.
    /// False when the sum would overflow (the grand total is then unchanged).
    [[nodiscard]] bool addToGrandTotal(const Decimal& total);
    void clearGrandTotal() { m_grandTotal = Decimal{}; }
    /// M+ and M−. False when the result would overflow (the memory is then unchanged).
    [[nodiscard]] bool addToMemory(const Decimal& amount);
    [[nodiscard]] bool subtractFromMemory(const Decimal& amount);
    void clearMemory() { m_memory = Decimal{}; }

    [[nodiscard]] const Decimal& grandTotal() const { return m_grandTotal; }
    [[nodiscard]] const Decimal& memory() const { return m_memory; }

    /// The status-bar indicators: "GT " or "M " and the amount as the total is written;
    /// empty while the register is zero.
    [[nodiscard]] std::u16string grandTotalIndicator() const;
    [[nodiscard]] std::u16string memoryIndicator() const;

    /// The stored form of a register is its plain number ("12345.5", "-300").
    /// restore() reads one back; a text that is no number (a damaged settings file) gives 0,
    /// so a start never fails on it.
    void restore(std::u16string_view grandTotal, std::u16string_view memory);

private:
    Decimal m_grandTotal;
    Decimal m_memory;
};

} // namespace sumiplex::engine
