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
    if (m_view.text1FontName != m_inputFontName) {
        m_view.text1FontName = m_inputFontName;
        m_view.text1Bold = true;
    }
    m_totalValue = Decimal{};
    m_lineValue = Decimal{};
    appendTapeJoined(kIndent, formatPattern(m_totalValue, kPatternWhole), kLineEnd);
    appendTape(u"      Cash Total\r\n");
    recordTotalInList1();
    assignConcat(m_view.label1, kTotalWord, formatPattern(m_totalValue, kPatternWhole));
    m_view.label2.clear();
    m_view.label3.clear();
    setLabel5(std::u16string{});
    setText1(std::u16string{});
    m_view.command2Enabled = false;
    m_view.command3Enabled = false;
    m_view.command5Enabled = false;
    m_view.command6Enabled = false;
    m_view.command7Enabled = false;
    m_view.list3.clear();
    m_view.text2Visible = false;
    // The step is set before the line, so the line's change handling already knows the
    // tally runs and leaves the memo button disabled.
    m_cashStep = 10000;
    setText1(u"10000*");
    caretToEndOfText1();
    requestFocus(FocusTarget::Text1);
}

void Engine::mnuCash_Click() {
    m_view.text4 = plainTotal();
}

bool Engine::CashTallyLine() {
    cash::TallyLine step = cash::tallyLine(m_view.text1, m_totalValue);
    setText1(std::move(step.line));
    appendTape(step.tape);
    if (!step.amount)
        return false;
    if (const std::size_t j = countIndex(m_cashStep); j != 0)
        m_cashCounts[j] = step.count;
    m_totalValue = step.total;
    m_view.label1 = std::move(step.caption);
    m_cashCounts[0] = m_totalValue.toDouble();
    m_view.label2.clear();
    m_view.label3.clear();
    return true;
}

void Engine::CashTallySummary() {
    cash::TallySummary summary = cash::tallySummary(m_totalValue);
    m_view.label1 = std::move(summary.caption);
    appendTape(summary.tape);
    refreshTotalReading();
    m_requests.showCashTally = true;
    m_view.command3Enabled = true;
    m_view.command4Enabled = true;
    m_view.command5Enabled = true;
    m_view.command6Enabled = true;
    m_view.command7Enabled = true;
}

void Engine::abandonCashTally() {
    if (m_cashStep == 0)
        return;
    m_cashStep = 0;
    m_view.command3Enabled = true;
    m_view.command6Enabled = true;
    m_view.command7Enabled = true;
}

} // namespace sumiplex::engine
