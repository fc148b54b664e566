#include "core/engine/engine.h"

#include "core/engine/engine_text.h"

namespace sumiplex::engine {

namespace {

// The recorded total at a 1-based position, or nothing when the position is outside the
// list or the item does not read as a number.
std::optional<Decimal> itemAt(const std::vector<std::u16string>& list, std::int32_t pos) {
    if (pos < 1 || static_cast<std::size_t>(pos) > list.size())
        return std::nullopt;
    return Decimal::parse(list[static_cast<std::size_t>(pos) - 1]);
}

} // namespace

void Engine::Command1_Click() {
    if (m_view.input.fontName != m_inputFontName) {
        m_view.input.fontName = m_inputFontName;
        m_view.input.bold = true;
    }
    m_totalValue = Decimal{};
    m_lineValue = Decimal{};
    abandonCashTally();
    assignConcat(m_view.total.caption, kTotalWord, formatPattern(m_totalValue, kPatternWhole));
    m_view.tax.added.clear();
    m_view.tax.contained.clear();
    setLabel5(std::u16string{});
    m_view.reading.clear();
    setText1(std::u16string{});
    appendTape(u"      Total = 0\r\n");
    m_view.buttons.memo = false;
    m_view.buttons.back = false;
    m_view.buttons.forward = false;
    m_view.totals.clear();
    m_view.amounts.clear();
    requestFocus(FocusTarget::Text1);
    m_view.rate.visible = false;
}

void Engine::Command4_Click() {
    // A disabled button cannot be pressed; this also keeps HistoryPos from running below 0.
    if (!m_view.buttons.back)
        return;
    if (m_cashStep != 0) {
        abandonCashTally();
        setText1(std::u16string{});
    }
    --m_historyPos;
    if (const auto value = itemAt(m_view.totals, m_historyPos))
        m_totalValue = *value;
    // The word is written in lower case for a total with a fraction.
    const std::u16string& shown = shownTotal();
    assignConcat(m_view.total.caption, kTotalWord, shown);
    appendTapeJoined(m_totalValue.isWhole() ? u"      Back " : u"      back ", shown, kLineEnd);
    refreshTotalReading();
    refreshTaxLines();
    m_view.buttons.forward = true;
    if (m_historyPos <= 1)
        m_view.buttons.back = false;
    requestFocus(FocusTarget::Text1);
}

void Engine::Command5_Click() {
    if (!m_view.buttons.forward)
        return;
    ++m_historyPos;
    if (const auto value = itemAt(m_view.totals, m_historyPos))
        m_totalValue = *value;
    // The blank after the word is left out for a total with a fraction.
    const std::u16string& shown = shownTotal();
    assignConcat(m_view.total.caption, kTotalWord, shown);
    appendTapeJoined(m_totalValue.isWhole() ? u"      Forward " : u"      Forward", shown,
                     kLineEnd);
    refreshTotalReading();
    refreshTaxLines();
    m_view.buttons.back = true;
    if (static_cast<std::size_t>(std::max(m_historyPos, 0)) >= m_view.totals.size())
        m_view.buttons.forward = false;
    requestFocus(FocusTarget::Text1);
}

void Engine::mnuPopUndo_Click() {
    if (m_undoValue.isZero())
        return;
    appendTapeJoined(kIndent, formatPattern(m_totalValue, kPatternLong), u" Back ");
    m_totalValue = m_undoValue;
    const std::u16string shown = formatPattern(m_totalValue, kPatternLong);
    rewriteLabel1(shown, 4);
    refreshTotalReading();
    appendTapeJoined(shown, kLineEnd);
    recordTotalInList1();
    resetUndo();
    requestFocus(FocusTarget::Text1);
    m_view.place.visible = false;
    refreshTaxLines();
}

void Engine::Label1_Click() {
    if (m_cashStep != 0)
        return;
    if (m_view.menus.fourDigit) {
        if (startsWith(m_view.input.text, u"Total")) {
            setText1(std::u16string{});
            return;
        }
        // A reading copy: the next key release in the line restores the input font.
        m_view.input.fontName = kFourDigitFontName;
        setText1(m_view.total.caption);
        caretToEndOfText1();
        requestFocus(FocusTarget::Text1);
        return;
    }
    if (startsWith(m_view.input.text, u"Total")) {
        setText1(std::u16string{});
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
    setText1(concat(word, shownTotal()));
    caretToEndOfText1();
    requestFocus(FocusTarget::Text1);
}

bool Engine::Label1_MouseDown(MouseButton button) {
    m_view.place.visible = false;
    return button == MouseButton::Right;
}

void Engine::Label4_Click() {
    m_view.place.visible = false;
}

} // namespace sumiplex::engine
