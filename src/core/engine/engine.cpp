#include "core/engine/engine.h"

#include "core/engine/engine_text.h"
#include "core/engine/four_digit.h"

#include <algorithm>
#include <utility>

namespace sumiplex::engine {

Engine::Engine(Tape& tape, std::function<std::chrono::seconds()> timeOfDay)
    : m_tape(tape), m_timeOfDay(std::move(timeOfDay)) {}

Requests Engine::takeRequests() {
    return std::exchange(m_requests, Requests{});
}

void Engine::setText1(std::u16string text) {
    if (text == m_view.input.text)
        return;
    m_view.input.text = std::move(text);
    // A text box put its caret at the start when the program replaces its text.
    m_view.input.selStart = 0;
    m_view.input.selLength = 0;
    ChangeHandling();
}

void Engine::setText1Unevaluated(std::u16string text) {
    const bool outer = m_lineHeldForCaller;
    m_lineHeldForCaller = true;
    setText1(std::move(text));
    m_lineHeldForCaller = outer;
}

void Engine::caretToEndOfText1() {
    m_view.input.selStart = static_cast<int>(m_view.input.text.size());
    m_view.input.selLength = 0;
}

void Engine::setLabel5(std::u16string caption) {
    m_view.currencyMark = std::move(caption);
    m_view.menus.cash = m_view.currencyMark != u"USD";
}

const std::u16string& Engine::shownTotal() {
    if (!m_shownTotal || m_shownTotal->first != m_totalValue)
        m_shownTotal.emplace(m_totalValue, FormatAmount(m_totalValue));
    return m_shownTotal->second;
}

const std::u16string& Engine::plainTotal() {
    if (!m_plainTotal || m_plainTotal->first != m_totalValue)
        m_plainTotal.emplace(m_totalValue, m_totalValue.toPlainString());
    return m_plainTotal->second;
}

void Engine::showTotal() {
    assignConcat(m_view.total.caption, kTotalWord, shownTotal());
}

void Engine::rewriteLabel1(std::u16string_view amount, int blanks) {
    const std::u16string_view caption = m_view.total.caption;
    std::u16string_view word;
    if (startsWith(caption, u"USD"))
        word = u"USD";
    else if (startsWith(caption, u"JPY"))
        word = u"JPY";
    else if (startsWith(caption, u"Tot"))
        word = u"Total";
    else
        return;
    std::u16string label;
    label.reserve(word.size() + static_cast<std::size_t>(blanks) + amount.size());
    label.append(word).append(static_cast<std::size_t>(blanks), u' ').append(amount);
    m_view.total.caption = std::move(label);
}

void Engine::recordTotalInList1() {
    m_view.totals.push_back(plainTotal());
    m_historyPos =
        static_cast<std::int32_t>(std::min<std::size_t>(m_view.totals.size(), INT32_MAX));
    m_view.buttons.back = true;
}

void Engine::replaceAmounts() {
    m_view.amounts.clear();
    m_view.amounts.push_back(plainTotal());
}

void Engine::refreshTotalReading() {
    if (m_view.menus.fourDigit)
        refreshFourDigitDisplay();
    else
        refreshReadingLine();
}

void Engine::resetUndo() {
    m_view.menus.undo = false;
    m_undoValue = Decimal{};
}

void Engine::reportError(ErrorMark mark) {
    setText1(m_view.input.text + u" ERROR ");
    // Without the word, the tape line the failed step began still ends, so the next entry
    // starts a line of its own.
    appendTape(mark == ErrorMark::OnTape ? u"ERROR\r\n" : u"\r\n");
    m_opTyped = 0;
    requestFocus(FocusTarget::Text1);
    m_view.input.selStart = 0;
    m_view.input.selLength = static_cast<int>(m_view.input.text.size());
}

void Engine::Text1_Click() {
    m_view.clock.visible = false;
    m_lastInputTime = m_timeOfDay();
}

void Engine::Text1_DblClick() {
    setText1(std::u16string{});
}

void Engine::Text1_LostFocus() {
    m_view.totalCopy = m_totalValue.toPlainString();
}

void Engine::setInputFontName(std::u16string name) {
    m_inputFontName = std::move(name);
    m_view.input.fontName = m_inputFontName;
}

void Engine::setLabel1FontName(std::u16string name) {
    m_view.total.fontName = std::move(name);
}

} // namespace sumiplex::engine
