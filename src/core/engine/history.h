#pragma once

#include "core/decimal/decimal.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sumiplex::engine {

/// The recorded totals (List1, plain form, oldest first), the position Back and Forward move
/// along (HistoryPos, 1-based), and the total a rounding run started from (UndoValue).
class History {
public:
    /// Records a total; the position moves to it.
    void record(std::u16string plainTotal);
    /// All clear: the totals go; the position and a rounding run stay as they are, as the
    /// next recorded total sets the position again.
    void clearTotals() { m_totals.clear(); }

    /// Moves one place back or forward and returns the total recorded there; nothing when
    /// the position is then outside the list or the item does not read as a number.
    [[nodiscard]] std::optional<Decimal> back();
    [[nodiscard]] std::optional<Decimal> forward();
    [[nodiscard]] bool atFirst() const { return m_position <= 1; }
    [[nodiscard]] bool atLast() const;

    [[nodiscard]] const std::vector<std::u16string>& totals() const { return m_totals; }
    [[nodiscard]] std::int32_t position() const { return m_position; }

    // --- rounding run: every rounding command starts again from the value before the run
    /// The value the next rounding command starts from.
    [[nodiscard]] const Decimal& roundingBase(const Decimal& total) const {
        return m_undoValue.isZero() || m_undoesCorrection ? total : m_undoValue;
    }
    void beginRoundingRun(const Decimal& original) {
        m_undoValue = original;
        m_undoesCorrection = false;
    }
    void endRoundingRun() {
        m_undoValue = Decimal{};
        m_undoesCorrection = false;
    }
    /// The total before the run; 0 when no run is going.
    [[nodiscard]] const Decimal& undoValue() const { return m_undoValue; }
    /// A corrected calculation replaced `recorded`: the undo brings it back until the next
    /// step, and a rounding rounds the corrected total, not the recorded one.
    void beginCorrectionUndo(const Decimal& recorded) {
        m_undoValue = recorded;
        m_undoesCorrection = true;
    }
    /// Whether the undo has a total to bring back (a recorded total of 0 too).
    [[nodiscard]] bool canUndo() const { return !m_undoValue.isZero() || m_undoesCorrection; }

private:
    [[nodiscard]] std::optional<Decimal> itemAtPosition() const;

    std::vector<std::u16string> m_totals;
    std::int32_t m_position = 0;
    Decimal m_undoValue;
    bool m_undoesCorrection = false;
};

} // namespace sumiplex::engine
