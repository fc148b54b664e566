#include "core/engine/engine.h"

#include "core/engine/currency.h"
#include "core/engine/engine_text.h"
#include "core/engine/four_digit.h"
#include "core/engine/idle_clock.h"

namespace sumiplex::engine {

// --- tax lines --------------------------------------------------------------------------

void Engine::refreshTaxLines() {
    if (m_deferred.active) {
        // A line that fails keeps what the total before showed: that one is then needed.
        if (m_deferred.taxLines && !taxLinesCannotFail(m_totalValue, m_taxRate)) {
            const auto before = *m_deferred.taxLines;
            applyTaxLines(before.total, before.rate, before.rule);
        }
        m_deferred.taxLines = DeferredDisplays::TaxInputs{m_totalValue, m_taxRate, m_taxRule};
        return;
    }
    applyTaxLines(m_totalValue, m_taxRate, m_taxRule);
}

void Engine::applyTaxLines(const Decimal& total, int rate, int rule) {
    const TaxLines& lines = m_taxLines.linesFor(total, rate, rule);
    // A line whose computation failed (overflow) keeps what it showed.
    if (lines.label2) {
        m_view.tax.added = *lines.label2;
        m_taxAddedFigures = {lines.withTax, lines.taxAdded};
    }
    if (lines.label3) {
        m_view.tax.contained = *lines.label3;
        m_taxContainedFigures = {lines.net, lines.taxContained};
    }
}

void Engine::copyTaxLine(const std::u16string& caption, std::u16string_view shownPrefix,
                         char16_t op,
                         const std::pair<std::optional<Decimal>, std::optional<Decimal>>& figures) {
    if (caption.empty())
        return;
    // A second click takes the copy away again.
    if (startsWith(m_view.input.text, shownPrefix)) {
        assignLine({});
        return;
    }
    assignLine(caption);
    TapeEntry entry = entryOf(EntryKind::TaxLine);
    entry.op = op;
    entry.shown = m_view.input.text;
    entry.value = figures.first;
    entry.operand = figures.second;
    record(std::move(entry));
    caretToEndOfLine();
    requestFocus(FocusTarget::Text1);
}

void Engine::settleDeferredDisplays() {
    if (const auto tax = std::exchange(m_deferred.taxLines, std::nullopt))
        applyTaxLines(tax->total, tax->rate, tax->rule);
    if (const auto reading = std::exchange(m_deferred.reading, std::nullopt)) {
        if (!m_shortReading || m_shortReading->first != *reading)
            m_shortReading.emplace(*reading, fourDigitShortReading(*reading));
        m_view.reading = m_shortReading->second;
    }
}

void Engine::copyTaxAdded() {
    settleDeferredDisplays();
    copyTaxLine(m_view.tax.added, u"Tax +", u'+', m_taxAddedFigures);
}

void Engine::copyTaxContained() {
    settleDeferredDisplays();
    copyTaxLine(m_view.tax.contained, u"Tax  -", u'-', m_taxContainedFigures);
}

void Engine::toggleTaxLines() {
    m_view.tax.visible = !m_view.tax.visible;
}

void Engine::setTaxLinesVisible(bool visible) {
    m_view.tax.visible = visible;
}

// --- currency ---------------------------------------------------------------------------

bool Engine::writeConversionLine(bool toYen, EntryKind kind) {
    auto line = toYen ? yenConversionText(m_totalValue, m_view.rate.text)
                      : dollarConversionText(m_totalValue, m_view.rate.text);
    if (!line)
        return false;
    assignLine(std::move(*line));
    TapeEntry entry = entryOf(kind);
    entry.op = toYen ? u'¥' : u'$';
    entry.input = m_view.rate.text;
    entry.shown = m_view.input.text;
    record(std::move(entry));
    // The total's caption names the currency the total was in.
    assignConcat(m_view.total.caption, toYen ? u"USD    " : u"JPY    ", shownTotal());
    refreshTotalReading();
    return true;
}

void Engine::convertTotal(bool toYen) {
    // A second press takes the converted line away again.
    const std::u16string_view t = m_view.input.text;
    if (toYen ? startsWith(t, u"JPY") || startsWith(t, u"1 U")
              : startsWith(t, u"USD") || startsWith(t, u"1 J")) {
        assignLine({});
        return;
    }
    // Without a usable rate nothing is converted; the rate box is still shown for a fix.
    (void)writeConversionLine(toYen, EntryKind::Conversion);
    m_view.input.fontName = m_inputFontName;
    caretToEndOfLine();
    requestFocus(FocusTarget::Text1);
    m_view.rate.visible = true;
}

void Engine::convertToYen() {
    convertTotal(true);
}

void Engine::convertToDollars() {
    convertTotal(false);
}

void Engine::rateTyped(std::u16string text, int caret) {
    m_view.rate.text = std::move(text);
    m_view.rate.caret = std::clamp(caret, 0, static_cast<int>(m_view.rate.text.size()));
    recomputeConversions();
}

void Engine::setRateText(std::u16string text) {
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
        (void)writeConversionLine(false, EntryKind::RateChange);
    if (contains(m_view.input.text, u"JPY"))
        (void)writeConversionLine(true, EntryKind::RateChange);
    m_view.rate.caret = static_cast<int>(m_view.rate.text.size());
    requestFocus(FocusTarget::Text2);
}

void Engine::activated() {
    const std::u16string rate = plainRateText(m_exchangeRate);
    assignConcat(m_view.status.rate, u"1 USD ", rate);
    setRateText(rate);
    caretToEndOfLine();
    requestFocus(FocusTarget::Text1);
}

// --- four-digit display -----------------------------------------------------------------

void Engine::refreshFourDigitDisplay() {
    m_deferred.reading.reset();
    m_view.reading = formatPattern(m_totalValue.truncated(), kPatternWhole);
    rewriteTotalCaption(fourDigitFullForm(m_totalValue), 3);
    caretToEndOfLine();
    requestFocus(FocusTarget::Text1);
}

void Engine::refreshReadingLine() {
    if (m_deferred.active) {
        m_deferred.reading = m_totalValue;
        return;
    }
    // An evaluation asks for the reading twice, and Back and Forward return to totals read
    // a moment ago.
    if (!m_shortReading || m_shortReading->first != m_totalValue)
        m_shortReading.emplace(m_totalValue, fourDigitShortReading(m_totalValue));
    m_view.reading = m_shortReading->second;
}

void Engine::toggleFourDigit() {
    m_view.menus.fourDigit = !m_view.menus.fourDigit;
    if (m_view.menus.fourDigit) {
        m_view.total.fontName = kFourDigitFontName;
        refreshFourDigitDisplay();
    } else {
        m_view.total.fontName = m_inputFontName;
        m_view.input.fontName = m_inputFontName;
        rewriteTotalCaption(shownTotal(), 4);
        refreshReadingLine();
    }
    fitWindowWidth();
}

// --- idle clock -------------------------------------------------------------------------

void Engine::clockTick() {
    const std::chrono::seconds now = m_timeOfDay();
    m_view.clock.text = clockFace(now);
    if (m_view.input.text.empty() && idleClockShows(now, m_lastInputTime))
        m_view.clock.visible = true;
}

// --- memo pad ---------------------------------------------------------------------------

std::optional<std::u16string> Engine::takeMemoLine() {
    if (!m_view.buttons.memo)
        return std::nullopt;
    // One paste per change of the line: a second press would paste the same number again.
    m_view.buttons.memo = false;
    return m_view.input.text.empty() ? m_view.total.caption : m_view.input.text;
}

std::optional<std::u16string> Engine::totalMemoLine() {
    if (m_totalValue.isZero())
        return std::nullopt;
    return concat(kTotalWord, shownTotal());
}

} // namespace sumiplex::engine
