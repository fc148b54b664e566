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
    if (text == m_view.text1)
        return;
    m_view.text1 = std::move(text);
    // A text box put its caret at the start when the program replaces its text.
    m_view.text1SelStart = 0;
    m_view.text1SelLength = 0;
    ChangeHandling();
}

void Engine::setText1Unevaluated(std::u16string text) {
    const bool outer = m_lineHeldForCaller;
    m_lineHeldForCaller = true;
    setText1(std::move(text));
    m_lineHeldForCaller = outer;
}

void Engine::caretToEndOfText1() {
    m_view.text1SelStart = static_cast<int>(m_view.text1.size());
    m_view.text1SelLength = 0;
}

void Engine::setLabel5(std::u16string caption) {
    m_view.label5 = std::move(caption);
    m_view.mnuCashEnabled = m_view.label5 != u"USD";
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
    assignConcat(m_view.label1, kTotalWord, shownTotal());
}

void Engine::rewriteLabel1(std::u16string_view amount, int blanks) {
    const std::u16string_view caption = m_view.label1;
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
    m_view.label1 = std::move(label);
}

void Engine::recordTotalInList1() {
    m_view.list1.push_back(plainTotal());
    m_historyPos = static_cast<std::int32_t>(std::min<std::size_t>(m_view.list1.size(), INT32_MAX));
    m_view.command4Enabled = true;
}

void Engine::replaceAmounts() {
    m_view.list3.clear();
    m_view.list3.push_back(plainTotal());
}

void Engine::refreshTotalReading() {
    if (m_view.mnuOkuChecked)
        refreshFourDigitDisplay();
    else
        refreshReadingLine();
}

void Engine::resetUndo() {
    m_view.mnuPopUndoEnabled = false;
    m_undoValue = Decimal{};
}

void Engine::reportError(ErrorMark mark) {
    setText1(m_view.text1 + u" ERROR ");
    // Without the word, the tape line the failed step began still ends, so the next entry
    // starts a line of its own.
    appendTape(mark == ErrorMark::OnTape ? u"ERROR\r\n" : u"\r\n");
    m_opTyped = 0;
    requestFocus(FocusTarget::Text1);
    m_view.text1SelStart = 0;
    m_view.text1SelLength = static_cast<int>(m_view.text1.size());
}

void Engine::Text1_Click() {
    m_view.txtTimeVisible = false;
    m_lastInputTime = m_timeOfDay();
}

void Engine::Text1_DblClick() {
    setText1(std::u16string{});
}

void Engine::Text1_LostFocus() {
    m_view.text4 = m_totalValue.toPlainString();
}

void Engine::setInputFontName(std::u16string name) {
    m_inputFontName = std::move(name);
    m_view.text1FontName = m_inputFontName;
}

void Engine::setLabel1FontName(std::u16string name) {
    m_view.label1FontName = std::move(name);
}

} // namespace sumiplex::engine
