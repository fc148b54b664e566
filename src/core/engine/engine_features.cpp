#include "core/engine/engine.h"

#include "core/engine/currency.h"
#include "core/engine/engine_text.h"
#include "core/engine/four_digit.h"

namespace sumiplex::engine {

// --- rounding and the decimal place ---------------------------------------------------

void Engine::roundTotal(RoundMode mode) {
    const int k = roundingShift(m_view.place.text);
    // Every command of a run starts again from the value before the run.
    const Decimal original = m_undoValue.isZero() ? m_totalValue : m_undoValue;
    const auto rounded = roundAtShift(original, k, mode);
    if (rounded) {
        m_undoValue = original;
        m_totalValue = *rounded;
        const std::u16string shown = formatPattern(m_totalValue, kPatternLong);
        rewriteLabel1(shown, 4);
        refreshTotalReading();
        recordTotalInList1();
        appendTapeJoined(kIndent, formatPattern(original, kPatternLong), roundingTapeWord(mode),
                         shown, kLineEnd);
        m_view.menus.undo = true;
    }
    // A place so far out that the scaled value leaves the decimal range keeps the total.
    caretToEndOfText1();
    requestFocus(FocusTarget::Text1);
    m_view.place.visible = false;
    if (rounded)
        refreshTaxLines();
}

void Engine::mnuPopDcl_Click() {
    m_view.place.visible = true;
    m_view.place.caret = static_cast<int>(m_view.place.text.size());
    requestFocus(FocusTarget::Text3);
}

void Engine::Text3_Change(std::u16string text, int caret) {
    m_view.place.text = std::move(text);
    m_view.place.caret = std::clamp(caret, 0, static_cast<int>(m_view.place.text.size()));
}

void Engine::Text3_KeyUp(Key key) {
    if (key != Key::Enter)
        return;
    m_view.place.visible = false;
    // The box goes away with the focus in it; typing goes on in the input line.
    requestFocus(FocusTarget::Text1);
}

void Engine::Text3_LostFocus() {
    // push_back rather than assigning a literal: GCC 12 gives a false -Wrestrict for that.
    if (m_view.place.text.empty())
        m_view.place.text.push_back(u'1');
}

// --- tax lines --------------------------------------------------------------------------

void Engine::refreshTaxLines() {
    // Back and Forward show totals again whose lines were worked out a moment ago.
    const TaxMemo* memo = nullptr;
    for (const TaxMemo& m : m_taxMemos)
        if (m.lines && m.rate == m_taxRate && m.rule == m_taxRule && m.total == m_totalValue)
            memo = &m;
    if (!memo) {
        TaxMemo& m = m_taxMemos[m_nextTaxMemo];
        m_nextTaxMemo = (m_nextTaxMemo + 1) % m_taxMemos.size();
        m = TaxMemo{m_totalValue, m_taxRate, m_taxRule,
                    computeTaxLines(m_totalValue, m_taxRate, m_taxRule)};
        memo = &m;
    }
    if (memo->lines->label2)
        m_view.tax.added = *memo->lines->label2;
    if (memo->lines->label3)
        m_view.tax.contained = *memo->lines->label3;
}

void Engine::Label2_Click() {
    if (m_view.tax.added.empty())
        return;
    if (startsWith(m_view.input.text, u"Tax +")) {
        setText1(std::u16string{});
        return;
    }
    setText1(m_view.tax.added);
    appendTapeJoined(kIndent, m_view.input.text, kLineEnd);
    caretToEndOfText1();
    requestFocus(FocusTarget::Text1);
}

void Engine::Label3_Click() {
    if (m_view.tax.contained.empty())
        return;
    if (startsWith(m_view.input.text, u"Tax  -")) {
        setText1(std::u16string{});
        return;
    }
    setText1(m_view.tax.contained);
    appendTapeJoined(kIndent, m_view.input.text, kLineEnd);
    caretToEndOfText1();
    requestFocus(FocusTarget::Text1);
}

void Engine::mnuTax_Click() {
    m_view.tax.visible = !m_view.tax.visible;
}

void Engine::setTaxLinesVisible(bool visible) {
    m_view.tax.visible = visible;
}

void Engine::setTaxRate(int ratePercent) {
    m_taxRate = ratePercent;
}

void Engine::setTaxRule(int ruleCode) {
    m_taxRule = ruleCode;
}

// --- currency ---------------------------------------------------------------------------

bool Engine::writeYenLine() {
    auto line = yenConversionText(m_totalValue, m_view.rate.text);
    if (!line)
        return false;
    setText1(std::move(*line));
    appendTapeJoined(kIndent, m_view.input.text, kLineEnd);
    assignConcat(m_view.total.caption, u"USD    ", shownTotal());
    refreshTotalReading();
    return true;
}

bool Engine::writeDollarLine() {
    auto line = dollarConversionText(m_totalValue, m_view.rate.text);
    if (!line)
        return false;
    setText1(std::move(*line));
    appendTapeJoined(kIndent, m_view.input.text, kLineEnd);
    assignConcat(m_view.total.caption, u"JPY    ", shownTotal());
    refreshTotalReading();
    return true;
}

void Engine::Command6_Click() {
    if (startsWith(m_view.input.text, u"JPY") || startsWith(m_view.input.text, u"1 U")) {
        setText1(std::u16string{});
        return;
    }
    // Without a usable rate nothing is converted; the rate box is still shown for a fix.
    (void)writeYenLine();
    m_view.input.fontName = m_inputFontName;
    caretToEndOfText1();
    requestFocus(FocusTarget::Text1);
    m_view.rate.visible = true;
}

void Engine::Command7_Click() {
    if (startsWith(m_view.input.text, u"USD") || startsWith(m_view.input.text, u"1 J")) {
        setText1(std::u16string{});
        return;
    }
    (void)writeDollarLine();
    m_view.input.fontName = m_inputFontName;
    caretToEndOfText1();
    requestFocus(FocusTarget::Text1);
    m_view.rate.visible = true;
}

void Engine::Text2_Change(std::u16string text, int caret) {
    m_view.rate.text = std::move(text);
    m_view.rate.caret = std::clamp(caret, 0, static_cast<int>(m_view.rate.text.size()));
    recomputeConversions();
}

void Engine::setText2(std::u16string text) {
    if (text == m_view.rate.text)
        return;
    m_view.rate.text = std::move(text);
    m_view.rate.caret = 0;
    recomputeConversions();
}

void Engine::recomputeConversions() {
    if (m_view.rate.text.empty())
        return;
    // A zero total shows a line with both words; the dollar line is redone first, then the
    // yen line, which stays on display.
    if (contains(m_view.input.text, u"USD"))
        (void)writeDollarLine();
    if (contains(m_view.input.text, u"JPY"))
        (void)writeYenLine();
    m_view.rate.caret = static_cast<int>(m_view.rate.text.size());
    requestFocus(FocusTarget::Text2);
}

void Engine::setExchangeRate(double yenPerDollar) {
    m_exchangeRate = yenPerDollar;
}

void Engine::Form_Activate() {
    const std::u16string rate = plainRateText(m_exchangeRate);
    assignConcat(m_view.status.rate, u"1 USD ", rate);
    setText2(rate);
    caretToEndOfText1();
    requestFocus(FocusTarget::Text1);
}

// --- four-digit display -----------------------------------------------------------------

void Engine::refreshFourDigitDisplay() {
    m_view.reading = formatPattern(m_totalValue.truncated(), kPatternWhole);
    const std::u16string full = fourDigitFullForm(m_totalValue);
    rewriteLabel1(full, 3);
    caretToEndOfText1();
    requestFocus(FocusTarget::Text1);
}

void Engine::refreshReadingLine() {
    m_view.reading = fourDigitShortReading(m_totalValue);
}

void Engine::toggleFourDigit() {
    m_view.menus.fourDigit = !m_view.menus.fourDigit;
    if (m_view.menus.fourDigit) {
        m_view.total.fontName = kFourDigitFontName;
        refreshFourDigitDisplay();
    } else {
        m_view.total.fontName = m_inputFontName;
        m_view.input.fontName = m_inputFontName;
        rewriteLabel1(shownTotal(), 4);
        refreshReadingLine();
    }
    const auto width = windowWidthForCaption(static_cast<int>(m_view.total.caption.size()),
                                             m_view.menus.fourDigit);
    if (width)
        m_requests.windowWidthTwips = *width;
}

// --- idle clock -------------------------------------------------------------------------

void Engine::tmrClock_Timer() {
    using namespace std::chrono;
    static constexpr minutes kDay = hours(24);
    const auto minuteOfDay = [](seconds t) { return (floor<minutes>(t) % kDay + kDay) % kDay; };
    const minutes now = minuteOfDay(m_timeOfDay());
    const auto hh = now.count() / 60;
    const auto mm = now.count() % 60;
    m_view.clock.text = {
        static_cast<char16_t>(u'0' + hh / 10), static_cast<char16_t>(u'0' + hh % 10), u':',
        static_cast<char16_t>(u'0' + mm / 10), static_cast<char16_t>(u'0' + mm % 10)};
    if (!m_view.input.text.empty())
        return;
    if (!m_lastInputTime) {
        // Nothing typed since start-up: the program has been idle all along.
        m_view.clock.visible = true;
        return;
    }
    // The clock face's minute and hour fields are compared each on its own: five minutes
    // on within the hour, or any later hour (10:58 to 11:02 counts, as the hour went up).
    // A time of day earlier than the last input means the day rolled over; the fields alone
    // would then keep the clock hidden for good, so that counts as a later hour too.
    const minutes last = minuteOfDay(*m_lastInputTime);
    const auto lastHour = last.count() / 60;
    const auto lastMinute = last.count() % 60;
    if (mm >= lastMinute + 5 || hh >= lastHour + 1 || now < last)
        m_view.clock.visible = true;
}

void Engine::Label6_Click() {
    m_view.clock.visible = true;
}

} // namespace sumiplex::engine
