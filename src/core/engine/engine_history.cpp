#include "core/engine/engine.h"

#include "core/engine/engine_text.h"

#include <algorithm>

namespace sumiplex::engine {

void Engine::restoreInputFont() {
    if (!sameText(m_view.input.fontName, m_inputFontName)) {
        m_view.input.fontName = m_inputFontName;
        m_view.input.bold = true;
    }
}

void Engine::allClear() {
    addTotalToGrandTotal();
    TapeEntry entry = entryOf(EntryKind::AllClear);
    entry.value = Decimal{};
    restoreInputFont();
    m_totalValue = Decimal{};
    m_lineValue = Decimal{};
    abandonCashTally();
    assignConcat(m_view.total.caption, kTotalWord, formatPattern(m_totalValue, kPatternWhole));
    dropDeferredTaxLines();
    m_view.tax.added.clear();
    m_view.tax.contained.clear();
    setCurrencyMark({});
    m_deferred.reading.reset();
    m_view.reading.clear();
    assignLine({});
    record(std::move(entry));
    m_view.buttons.memo = false;
    m_view.buttons.back = false;
    m_view.buttons.forward = false;
    m_history.clearTotals();
    m_view.amounts.clear();
    requestFocus(FocusTarget::Text1);
    m_view.rate.visible = false;
    markCalculationStart();
}

void Engine::back() {
    // A disabled button cannot be pressed; this also keeps HistoryPos from running below 0.
    if (!m_view.buttons.back)
        return;
    if (m_cashStep != 0) {
        abandonCashTally();
        assignLine({});
    }
    showRecordedTotal(m_history.back(), EntryKind::Back);
    m_view.buttons.forward = true;
    if (m_history.atFirst())
        m_view.buttons.back = false;
    requestFocus(FocusTarget::Text1);
}

void Engine::forward() {
    if (!m_view.buttons.forward)
        return;
    showRecordedTotal(m_history.forward(), EntryKind::Forward);
    m_view.buttons.back = true;
    if (m_history.atLast())
        m_view.buttons.forward = false;
    requestFocus(FocusTarget::Text1);
}

void Engine::showRecordedTotal(const std::optional<Decimal>& recorded, EntryKind kind) {
    TapeEntry entry = entryOf(kind);
    // A position outside the list, or an item that does not read, keeps the total.
    if (recorded)
        m_totalValue = *recorded;
    assignConcat(m_view.total.caption, kTotalWord, shownTotal());
    entry.value = m_totalValue;
    record(std::move(entry));
    refreshTotalReading();
    refreshTaxLines();
}

void Engine::undo() {
    const std::optional<Decimal> target = m_history.undoTarget();
    if (!target)
        return;
    TapeEntry entry = entryOf(EntryKind::RoundingUndo);
    m_totalValue = *target;
    // A pasted column's amounts leave the amounts list with it.
    if (const auto amounts = m_history.amountsBeforePaste())
        m_view.amounts.resize(std::min(*amounts, m_view.amounts.size()));
    rewriteTotalCaption(formatPattern(m_totalValue, kPatternLong), 4);
    refreshTotalReading();
    entry.value = m_totalValue;
    record(std::move(entry));
    recordInHistory();
    endRoundingRun();
    requestFocus(FocusTarget::Text1);
    m_view.place.visible = false;
    refreshTaxLines();
}

void Engine::toggleTotalInLine() {
    if (m_cashStep != 0)
        return;
    if (m_view.menus.fourDigit) {
        if (startsWith(m_view.input.text, u"Total")) {
            assignLine({});
            return;
        }
        // A reading copy: the next key release in the line restores the input font.
        m_view.input.fontName = kFourDigitFontName;
        assignLine(m_view.total.caption);
        caretToEndOfLine();
        requestFocus(FocusTarget::Text1);
        return;
    }
    if (startsWith(m_view.input.text, u"Total")) {
        assignLine({});
        showTotal();
        return;
    }
    if (m_totalValue.isZero()) {
        requestFocus(FocusTarget::Text1);
        return;
    }
    std::u16string_view word = kTotalWord;
    if (startsWith(m_view.total.caption, u"USD"))
        word = u"USD    ";
    else if (startsWith(m_view.total.caption, u"JPY"))
        word = u"JPY    ";
    assignLine(concat(word, shownTotal()));
    caretToEndOfLine();
    requestFocus(FocusTarget::Text1);
}

bool Engine::totalPressed(MouseButton button) {
    m_view.place.visible = false;
    return button == MouseButton::Right;
}

void Engine::hidePlaceEditor() {
    m_view.place.visible = false;
}

// --- rounding and the decimal place ---------------------------------------------------

void Engine::roundTotal(RoundMode mode) {
    const int k = roundingShift(m_view.place.text);
    // Every command of a run starts again from the value before the run.
    const Decimal original = m_history.roundingBase(m_totalValue);
    const auto rounded = roundAtShift(original, k, mode);
    if (rounded) {
        m_history.beginRoundingRun(original);
        m_totalValue = *rounded;
        const std::u16string shown = formatPattern(m_totalValue, kPatternLong);
        rewriteTotalCaption(shown, 4);
        refreshTotalReading();
        recordInHistory();
        TapeEntry entry = entryOf(EntryKind::Rounding);
        entry.before = original;
        entry.value = m_totalValue;
        entry.mode = mode;
        entry.input = m_view.place.text;
        record(std::move(entry));
        m_view.menus.undo = true;
    }
    // A place so far out that the scaled value leaves the decimal range keeps the total.
    caretToEndOfLine();
    requestFocus(FocusTarget::Text1);
    m_view.place.visible = false;
    if (rounded)
        refreshTaxLines();
}

void Engine::showPlaceEditor() {
    m_view.place.visible = true;
    m_view.place.caret = static_cast<int>(m_view.place.text.size());
    requestFocus(FocusTarget::Text3);
}

void Engine::placeTyped(std::u16string text, int caret) {
    m_view.place.text = std::move(text);
    m_view.place.caret = std::clamp(caret, 0, static_cast<int>(m_view.place.text.size()));
}

void Engine::placeKeyReleased(Key key) {
    if (key != Key::Enter)
        return;
    m_view.place.visible = false;
    // The box goes away with the focus in it; typing goes on in the input line.
    requestFocus(FocusTarget::Text1);
}

void Engine::placeLeft() {
    // push_back rather than assigning a literal: GCC 12 gives a false -Wrestrict for that.
    if (m_view.place.text.empty())
        m_view.place.text.push_back(u'1');
}

} // namespace sumiplex::engine
