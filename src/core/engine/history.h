#pragma once

#include "core/decimal/decimal.h"
#include "core/engine/text_list.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sumiplex::engine {

/// The recorded totals (List1, plain form, oldest first), the position Back and Forward move
/// along (HistoryPos, 1-based), and the total a rounding run started from (UndoValue).
class History {
public:
    /// Records a total; the position moves to it.
    void record(std::u16string_view plainTotal);
    /// All clear: the totals go; the position and a rounding run stay as they are, as the
    /// next recorded total sets the position again.
    void clearTotals() { m_totals.clear(); }

    /// Moves one place back or forward and returns the total recorded there; nothing when
    /// the position is then outside the list or the item does not read as a number.
    [[nodiscard]] std::optional<Decimal> back();
    [[nodiscard]] std::optional<Decimal> forward();
    [[nodiscard]] bool atFirst() const { return m_position <= 1; }
    [[nodiscard]] bool atLast() const;

    [[nodiscard]] const TextList& totals() const { return m_totals; }
    [[nodiscard]] std::int32_t position() const { return m_position; }

    // --- rounding run: every rounding command starts again from the value before the run
    /// The value the next rounding command starts from.
    [[nodiscard]] const Decimal& roundingBase(const Decimal& total) const {
        return m_undoValue.isZero() || m_undoesCorrection ? total : m_undoValue;
    }
    void beginRoundingRun(const Decimal& original) {
        m_undoValue = original;
        m_undoesCorrection = false;
        m_pasteRun.reset();
    }
    /// Ends a rounding run, a pasted column's run or a correction's undo: Undo has nothing
    /// to take back.
    void endRoundingRun() {
        m_undoValue = Decimal{};
        m_undoesCorrection = false;
        m_pasteRun.reset();
    }
    /// The total before the run; 0 when no run is going.
    [[nodiscard]] const Decimal& undoValue() const { return m_undoValue; }
    /// A corrected calculation replaced `recorded`: the undo brings it back until the next
    /// step, and a rounding rounds the corrected total, not the recorded one.
    void beginCorrectionUndo(const Decimal& recorded) {
        m_undoValue = recorded;
        m_undoesCorrection = true;
        m_pasteRun.reset();
    }

    // --- a pasted column: one Undo takes all its amounts back, to a total of 0 as well
    /// A column starts adding to `total`, with `amounts` items in the amounts list.
    void beginPasteRun(const Decimal& total, std::size_t amounts) {
        m_undoValue = Decimal{};
        m_undoesCorrection = false;
        m_pasteRun = PasteRun{total, amounts};
    }
    /// The column's latest total takes the place of the one recorded when it started.
    void replaceLast(std::u16string_view plainTotal);
    /// How many amounts the list held before the pasted column; nothing outside one.
    [[nodiscard]] std::optional<std::size_t> amountsBeforePaste() const {
        return m_pasteRun ? std::optional(m_pasteRun->amounts) : std::nullopt;
    }
    /// The total Undo goes back to: before the pasted column, the recorded total a
    /// correction replaced (0 too), or the total before the rounding run; nothing when none
    /// is going.
    [[nodiscard]] std::optional<Decimal> undoTarget() const;

private:
    [[nodiscard]] std::optional<Decimal> itemAtPosition() const;

    TextList m_totals;
    std::int32_t m_position = 0;
    Decimal m_undoValue;
    struct PasteRun {
        Decimal total;
        std::size_t amounts = 0;
    };
    std::optional<PasteRun> m_pasteRun;
    bool m_undoesCorrection = false;
};

} // namespace sumiplex::engine
