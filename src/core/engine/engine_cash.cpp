#include "core/engine/engine.h"

#include "core/engine/engine_text.h"

namespace sumiplex::engine {

void Engine::startCashTally() {
    TapeEntry entry = entryOf(EntryKind::CashTallyStart);
    entry.value = Decimal{};
    restoreInputFont();
    m_totalValue = Decimal{};
    m_lineValue = Decimal{};
    record(std::move(entry));
    recordInHistory();
    assignConcat(m_view.total.caption, kTotalWord, formatPattern(m_totalValue, kPatternWhole));
    m_view.tax.added.clear();
    m_view.tax.contained.clear();
    setCurrencyMark({});
    assignLine({});
    m_view.buttons.memo = false;
    m_view.buttons.history = false;
    m_view.buttons.forward = false;
    m_view.buttons.yen = false;
    m_view.buttons.dollar = false;
    m_view.amounts.clear();
    m_view.rate.visible = false;
    m_cashTally.clear();
    // The step is set before the line, so the line's change handling already knows the
    // tally runs and leaves the memo button disabled.
    m_cashStep = static_cast<std::int16_t>(cash::kFaceValues.front());
    assignLine(cash::CashTally::prompt(m_cashStep));
    caretToEndOfLine();
    requestFocus(FocusTarget::Text1);
    markCalculationStart();
}

bool Engine::CashTallyLine() {
    cash::TallyLine step = m_cashTally.count(m_cashStep, m_view.input.text, m_totalValue);
    TapeEntry entry = entryOf(EntryKind::CashTallyStep);
    entry.input = m_view.input.text;
    entry.shown = std::move(step.tape);
    entry.failed = !step.amount;
    if (step.amount) {
        entry.operand = step.count;
        entry.value = step.total;
    }
    assignLine(std::move(step.line));
    record(std::move(entry));
    if (!step.amount)
        return false;
    m_totalValue = step.total;
    m_view.total.caption = std::move(step.caption);
    m_view.tax.added.clear();
    m_view.tax.contained.clear();
    return true;
}

void Engine::CashTallySummary() {
    cash::TallySummary summary = cash::tallySummary(m_totalValue);
    m_view.total.caption = std::move(summary.caption);
    TapeEntry entry = entryOf(EntryKind::CashTallyEnd);
    entry.shown = std::move(summary.tape);
    entry.value = m_totalValue;
    entry.follows = true;
    record(std::move(entry));
    refreshTotalReading();
    m_requests.showCashTally = true;
    m_view.buttons.history = true;
    m_view.buttons.back = true;
    m_view.buttons.forward = true;
    m_view.buttons.yen = true;
    m_view.buttons.dollar = true;
}

void Engine::abandonCashTally() {
    if (m_cashStep == 0)
        return;
    m_cashStep = 0;
    m_view.buttons.history = true;
    m_view.buttons.yen = true;
    m_view.buttons.dollar = true;
}

} // namespace sumiplex::engine
