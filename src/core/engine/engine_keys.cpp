#include "core/engine/engine.h"

#include "core/engine/engine_text.h"
#include "core/engine/four_digit.h"

#include <algorithm>

namespace sumiplex::engine {

void Engine::keyReleased(Key key) {
    if (!sameText(m_view.input.fontName, m_inputFontName)) {
        // The four-digit reading copy of the total is for reading only.
        m_view.input.fontName = m_inputFontName;
        assignLine({});
        return;
    }
    if (key == Key::Space) {
        allClear();
        return;
    }
    if (m_view.input.text.empty() || key != Key::Enter)
        return;
    const std::u16string_view t = m_view.input.text;
    if (t == u"+" || t == u"-" || t == u"*" || t == u"/" || t == u"%")
        return;
    noteKeyedState();
    dispatchPrefix();
}

void Engine::dispatchPrefix() {
    const std::u16string_view t = m_view.input.text;
    if (contains(t, u"ERROR") || startsWith(t, u"Tax")) {
        assignLine({});
    } else if (startsWith(t, u"Total")) {
        reEnterTotal();
    } else if (startsWith(t, u"JPY")) {
        reEnterConvertedTotal(u"JPY");
    } else if (startsWith(t, u"USD")) {
        reEnterConvertedTotal(u"USD");
    } else if (startsWith(t, u"1 U") || startsWith(t, u"1 J")) {
        assignLine({});
        showTotal();
        refreshTotalReading();
        m_view.rate.visible = false;
    } else {
        const bool days = startsWith(t, u"Days");
        if (days) {
            TapeEntry entry = entryOf(EntryKind::DaysWord);
            entry.input = t;
            record(std::move(entry));
            // The rest is evaluated just below, as Enter would.
            assignLine(m_view.input.text.substr(4), TrailingSign::LeftToCaller);
            m_inDaysLine = true;
        }
        dispatchCashStep();
        m_inDaysLine = false;
    }
}

std::optional<Decimal> Engine::reEnteredAmount(std::size_t wordLength) {
    // The amount stands in the line without its word while it is read.
    assignLine(m_view.input.text.substr(wordLength));
    auto value = Decimal::parse(m_view.input.text);
    if (!value)
        reportError();
    return value;
}

void Engine::reEnterTotal() {
    TapeEntry entry = entryOf(EntryKind::TotalReEntry);
    entry.input = m_view.input.text;
    const auto value = reEnteredAmount(5);
    entry.value = value;
    entry.failed = !value;
    if (!value)
        return record(std::move(entry));
    m_totalValue = *value;
    showTotal();
    recordInHistory();
    record(std::move(entry));
    assignLine({});
    requestFocus(FocusTarget::Text1);
    refreshTaxLines();
    refreshReadingLine();
    markCalculationStart();
}

void Engine::reEnterConvertedTotal(std::u16string_view currency) {
    TapeEntry entry = entryOf(EntryKind::ConvertedReEntry);
    entry.input = m_view.input.text;
    entry.op = currency == u"USD" ? u'$' : u'¥';
    const auto value = reEnteredAmount(3);
    entry.value = value;
    entry.failed = !value;
    if (!value)
        return record(std::move(entry));
    m_totalValue = *value;
    replaceAmounts();
    assignConcat(m_view.total.caption, currency, u"    ", shownTotal());
    refreshTotalReading();
    recordInHistory();
    record(std::move(entry));
    setCurrencyMark(std::u16string(currency));
    m_view.rate.visible = false;
    assignLine({});
    requestFocus(FocusTarget::Text1);
    refreshTaxLines();
    markCalculationStart();
}

void Engine::dispatchCashStep() {
    if (m_cashStep == 0) {
        (void)EvaluateLine();
        postEvaluationSteps();
        return;
    }
    // Each count of the tally sequence moves on to the next denomination; a count that does
    // not read asks for the same denomination again.
    if (cash::denominationIndex(m_cashStep) == cash::kDenominations) {
        m_cashStep = 0;
        assignLine({});
        return;
    }
    const bool counted = CashTallyLine();
    const std::int64_t next = cash::CashTally::next(m_cashStep);
    if (counted && next == 0) {
        assignLine({});
        CashTallySummary();
        m_cashStep = 0;
        return;
    }
    if (counted)
        m_cashStep = static_cast<std::int16_t>(next);
    assignLine(cash::CashTally::prompt(m_cashStep));
    caretToEndOfLine();
    requestFocus(FocusTarget::Text1);
}

void Engine::postEvaluationSteps() {
    endRoundingRun();
    refreshTotalReading();
    fitWindowWidth();
}

void Engine::fitWindowWidth() {
    const auto width = windowWidthForCaption(static_cast<int>(m_view.total.caption.size()),
                                             m_view.menus.fourDigit);
    if (width)
        m_requests.windowWidthTwips = *width;
}

} // namespace sumiplex::engine
