#include "core/engine/engine.h"

#include "core/engine/currency.h"
#include "core/engine/engine_text.h"
#include "core/engine/input_forms.h"

#include <algorithm>
#include <utility>

namespace sumiplex::engine {

namespace {

bool isOneOf(char16_t c, std::u16string_view set) {
    return contains(set, c);
}

using KeptText = std::optional<std::pair<Decimal, std::u16string>>;

// A text of the total, kept with the total it was written for. A new total's text is written
// over the one before, in its storage.
template <class Write>
const std::u16string& textOfTotal(KeptText& kept, const Decimal& total, Write write) {
    if (!kept) {
        kept.emplace(total, std::u16string{});
    } else if (kept->first != total) {
        kept->first = total;
    } else {
        return kept->second;
    }
    write(kept->second);
    return kept->second;
}

} // namespace

Engine::Engine(Tape& tape, std::function<std::chrono::seconds()> timeOfDay)
    : m_tape(&tape), m_timeOfDay(std::move(timeOfDay)) {}

Requests Engine::takeRequests() {
    return std::exchange(m_requests, Requests{});
}

// --- the input line -----------------------------------------------------------------

void Engine::typed(std::u16string text, int caret) {
    // What an input method commits in full width is read, and shown, as the ASCII keys.
    toAsciiInputForms(text);
    m_view.input.text = std::move(text);
    m_view.input.selStart = std::clamp(caret, 0, static_cast<int>(m_view.input.text.size()));
    m_view.input.selLength = 0;
    lineChanged(TrailingSign::Evaluates);
}

void Engine::assignLine(std::u16string text, TrailingSign sign) {
    if (text == m_view.input.text)
        return;
    m_view.input.text = std::move(text);
    // A text box puts its caret at the start when the program replaces its text.
    m_view.input.selStart = 0;
    m_view.input.selLength = 0;
    lineChanged(sign);
}

void Engine::lineChanged(TrailingSign sign) {
    m_opTypedBeforeChange = m_opTyped;
    m_view.clock.visible = false;
    m_lastInputTime = m_timeOfDay();
    const std::u16string& t = m_view.input.text;
    if (t.empty()) {
        m_opTyped = 0;
        return;
    }
    if (m_cashStep != 0) {
        m_view.buttons.memo = false;
        return;
    }
    // A sign typed right after "*" or "/" belongs to the second operand.
    if (t.size() >= 2 && isOneOf(t[t.size() - 2], u"*/") && isOneOf(t.back(), u"+-"))
        return;
    m_view.buttons.memo = true;
    if (t.size() > 1 && isOneOf(t.back(), u"+-")) {
        // An evaluation ends a rounding run, whichever way it was started.
        if (sign == TrailingSign::Evaluates && EvaluateLine() == Evaluation::Started)
            endRoundingRun();
        return;
    }
    if (m_opTyped == 1 && isOneOf(t.back(), u"+-*/")) {
        if (isOneOf(t.front(), u"-+"))
            return;
        // A second operator is refused. The shortened line is handled afresh, so that it
        // does not take its own last operator for a second one ("3**" keeps "3*").
        m_opTyped = 0;
        assignLine(t.substr(0, t.size() - 1), sign);
        caretToEndOfLine();
    }
    const std::u16string& line = m_view.input.text;
    m_opTyped =
        std::any_of(line.begin(), line.end(), [](char16_t c) { return isOneOf(c, u"+-*/"); }) ? 1
                                                                                              : 0;
}

void Engine::caretToEndOfLine() {
    m_view.input.selStart = static_cast<int>(m_view.input.text.size());
    m_view.input.selLength = 0;
}

void Engine::lineClicked() {
    m_view.clock.visible = false;
    m_lastInputTime = m_timeOfDay();
}

void Engine::clearLine() {
    assignLine({});
}

void Engine::refreshTotalCopy() {
    m_view.totalCopy = plainTotal();
}

void Engine::reportError() {
    assignLine(m_view.input.text + u" ERROR ");
    m_opTyped = 0;
    requestFocus(FocusTarget::Text1);
    m_view.input.selStart = 0;
    m_view.input.selLength = static_cast<int>(m_view.input.text.size());
}

void Engine::setInputFontName(std::u16string name) {
    m_inputFontName = std::move(name);
    m_view.input.fontName = m_inputFontName;
}

void Engine::record(TapeEntry&& entry) {
    if (m_inDaysLine && entry.kind != EntryKind::DaysWord)
        entry.follows = true;
    entry.keyed = m_keyed;
    m_tape->record(std::move(entry));
}

TapeEntry Engine::entryOf(EntryKind kind) const {
    TapeEntry entry;
    entry.kind = kind;
    entry.before = m_totalValue;
    return entry;
}

// --- the total ------------------------------------------------------------------------

void Engine::setCurrencyMark(std::u16string caption) {
    m_view.currencyMark = std::move(caption);
    m_view.menus.cash = m_view.currencyMark != u"USD";
}

const std::u16string& Engine::shownTotal() {
    return textOfTotal(m_shownTotal, m_totalValue,
                       [this](std::u16string& out) { out = formattedAmount(m_totalValue); });
}

const std::u16string& Engine::plainTotal() {
    return textOfTotal(m_plainTotal, m_totalValue,
                       [this](std::u16string& out) { m_totalValue.assignPlainString(out); });
}

void Engine::showTotal() {
    assignConcat(m_view.total.caption, kTotalWord, shownTotal());
}

void Engine::rewriteTotalCaption(std::u16string_view amount, int blanks) {
    if (auto caption = totalCaptionWithAmount(m_view.total.caption, amount, blanks))
        m_view.total.caption = std::move(*caption);
}

void Engine::recordInHistory() {
    m_history.record(plainTotal());
    m_view.buttons.back = true;
}

void Engine::replaceAmounts() {
    // The first amount's text keeps its storage.
    m_view.amounts.resize(1);
    m_view.amounts.front() = plainTotal();
}

void Engine::refreshTotalReading() {
    if (m_view.menus.fourDigit)
        refreshFourDigitDisplay();
    else
        refreshReadingLine();
}

void Engine::endRoundingRun() {
    m_view.menus.undo = false;
    m_history.endRoundingRun();
}

} // namespace sumiplex::engine
