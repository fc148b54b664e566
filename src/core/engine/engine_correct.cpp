#include "core/engine/engine.h"

#include "core/engine/engine_text.h"

namespace sumiplex::engine {

void Engine::applyCorrection(std::span<const TapeEntry> block, const Decimal& total) {
    const Decimal recorded = m_totalValue;
    if (m_cashStep != 0)
        abandonCashTally();
    // The lines above stay as they were written: a tape is never rewritten. The corrected
    // steps follow them, each as the engine evaluated it.
    for (const TapeEntry& entry : block)
        m_tape->record(entry);
    // Then the new total, as a total keyed back in: the calculation goes on from it, and
    // keying its input again reaches it.
    TapeEntry entry = entryOf(EntryKind::TotalReEntry);
    m_totalValue = total;
    m_lineValue = Decimal{};
    setCurrencyMark({});
    showTotal();
    entry.input = m_view.total.caption;
    entry.value = m_totalValue;
    entry.keyed = 0;
    m_tape->record(std::move(entry));
    recordInHistory();
    replaceAmounts();
    assignLine({});
    m_view.rate.visible = false;
    refreshTaxLines();
    refreshTotalReading();
    m_history.beginCorrectionUndo(recorded);
    m_view.menus.undo = true;
    requestFocus(FocusTarget::Text1);
    markCalculationStart();
}

} // namespace sumiplex::engine
