#include "core/engine/engine.h"

#include "core/engine/engine_text.h"
#include "core/engine/kanji_amount.h"
#include "core/engine/paste_column.h"

namespace sumiplex::engine {

void Engine::beginPastedColumn() {
    // A tally counts notes and coins from its own lines; a column ends it, as Back does.
    if (m_cashStep != 0)
        abandonCashTally();
    m_pasteStarting = true;
}

void Engine::addPastedAmount(std::u16string_view cell) {
    if (!isPastedAmount(cell))
        return;
    const Decimal amount = *parseAmount(cell);
    TapeEntry entry = entryOf(EntryKind::OnTotal);
    entry.op = u'+';
    entry.input = concat(cell, u"+");
    entry.shown = std::u16string(cell);
    entry.operand = amount;
    const std::optional<Decimal> sum = m_totalValue.add(amount);
    entry.value = sum;
    entry.failed = !sum;
    const bool first = sum && m_pasteStarting;
    if (sum) {
        if (first) {
            // Undo goes back to the total before the column, whatever run went before it.
            endRoundingRun();
            m_history.beginPasteRun(m_totalValue, m_view.amounts.size());
            m_view.menus.undo = true;
            m_pasteStarting = false;
        }
        m_totalValue = *sum;
        m_view.amounts.push_back(amount.toPlainString());
        if (first)
            recordInHistory();
        else
            m_history.replaceLast(plainTotal());
    }
    const std::uint8_t keyed = m_keyed;
    m_keyed = TapeEntry::kPasted | (first ? TapeEntry::kPastedFirst : 0);
    record(std::move(entry));
    m_keyed = keyed;
}

void Engine::showPastedTotal() {
    assignConcat(m_view.total.caption, kTotalWord, shownTotal());
    refreshTaxLines();
    refreshTotalReading();
}

void Engine::recordPastedSkips(std::size_t count) {
    if (count != 0)
        m_tape->recordTool(skippedTapeLine(count));
}

} // namespace sumiplex::engine
