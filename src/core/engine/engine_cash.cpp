#include "core/engine/engine.h"

#include "core/engine/engine_text.h"
#include "core/tools/cash/tally.h"

namespace sumiplex::engine {

namespace {

// The count index of a tally step's denomination (10000 → 1 … 1 → 9); 0 for no step.
std::size_t countIndex(std::int16_t step) {
    static constexpr std::int16_t kSteps[] = {10000, 5000, 1000, 500, 100, 50, 10, 5, 1};
    for (std::size_t j = 0; j < std::size(kSteps); ++j)
        if (kSteps[j] == step)
            return j + 1;
    return 0;
}

} // namespace

void Engine::mnuCashTotal_Click() {
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
    // The step is set before the line, so the line's change handling already knows the
    // tally runs and leaves the memo button disabled.
    m_cashStep = 10000;
    assignLine(u"10000*");
    caretToEndOfLine();
    requestFocus(FocusTarget::Text1);
    markCalculationStart();
}

void Engine::mnuCash_Click() {
    m_view.totalCopy = plainTotal();
}

bool Engine::CashTallyLine() {
    cash::TallyLine step = cash::tallyLine(m_view.input.text, m_totalValue);
    TapeEntry entry = entryOf(EntryKind::CashTallyStep);
    entry.input = m_view.input.text;
    entry.shown = std::move(step.tape);
    entry.failed = !step.amount;
    if (step.amount) {
        entry.operand = Decimal::fromDouble(step.count);
        entry.value = step.total;
    }
    assignLine(std::move(step.line));
    record(std::move(entry));
    if (!step.amount)
        return false;
    if (const std::size_t j = countIndex(m_cashStep); j != 0)
        m_cashCounts[j] = step.count;
    m_totalValue = step.total;
    m_view.total.caption = std::move(step.caption);
    m_cashCounts[0] = m_totalValue.toDouble();
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
