#include "core/engine/engine.h"

#include "core/engine/engine_text.h"
#include "core/engine/four_digit.h"
#include "core/engine/input_forms.h"

namespace sumiplex::engine {

namespace {

bool isOneOf(char16_t c, std::u16string_view set) {
    return contains(set, c);
}

} // namespace

void Engine::Text1_Change(std::u16string text, int caret) {
    // What an input method commits in full width is read, and shown, as the ASCII keys.
    toAsciiInputForms(text);
    m_view.input.text = std::move(text);
    m_view.input.selStart = std::clamp(caret, 0, static_cast<int>(m_view.input.text.size()));
    m_view.input.selLength = 0;
    ChangeHandling();
}

void Engine::ChangeHandling() {
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
    if (t.size() >= 2) {
        const std::u16string_view lastTwo = std::u16string_view(t).substr(t.size() - 2);
        if (lastTwo == u"*+" || lastTwo == u"*-" || lastTwo == u"/-" || lastTwo == u"/+")
            return;
    }
    m_view.buttons.memo = true;
    if (t.size() > 1 && isOneOf(t.back(), u"+-")) {
        if (m_lineHeldForCaller)
            return;
        const auto before = m_evaluations;
        EvaluateLine();
        // An evaluation ends a rounding run, whichever way it was started.
        if (m_evaluations != before)
            resetUndo();
        return;
    }
    if (m_opTyped == 1 && isOneOf(t.back(), u"+-*/")) {
        if (isOneOf(t.front(), u"-+"))
            return;
        // A second operator is refused. The shortened line is handled afresh, so that it
        // does not take its own last operator for a second one ("3**" keeps "3*").
        m_opTyped = 0;
        setText1(t.substr(0, t.size() - 1));
        caretToEndOfText1();
    }
    const std::u16string& now = m_view.input.text;
    m_opTyped = now.find_first_of(u"+-*/") != std::u16string::npos ? 1 : 0;
}

void Engine::Text1_KeyUp(Key key) {
    if (m_view.input.fontName != m_inputFontName) {
        // The four-digit reading copy of the total is for reading only.
        m_view.input.fontName = m_inputFontName;
        setText1(std::u16string{});
        return;
    }
    if (key == Key::Space) {
        Command1_Click();
        return;
    }
    if (m_view.input.text.empty() || key != Key::Enter)
        return;
    const std::u16string_view t = m_view.input.text;
    if (t == u"+" || t == u"-" || t == u"*" || t == u"/" || t == u"%")
        return;
    PrefixDispatch();
}

void Engine::PrefixDispatch() {
    const std::u16string_view t = m_view.input.text;
    if (contains(t, u"ERROR") || startsWith(t, u"Tax")) {
        setText1(std::u16string{});
    } else if (startsWith(t, u"Total")) {
        ReEnterTotal();
    } else if (startsWith(t, u"JPY")) {
        ReEnterConvertedTotal(u"JPY");
    } else if (startsWith(t, u"USD")) {
        ReEnterConvertedTotal(u"USD");
    } else if (startsWith(t, u"1 U") || startsWith(t, u"1 J")) {
        setText1(std::u16string{});
        showTotal();
        refreshTotalReading();
        m_view.rate.visible = false;
    } else {
        if (startsWith(t, u"Days")) {
            appendTapeJoined(kIndent, t);
            setText1Unevaluated(m_view.input.text.substr(4));
            appendTapeJoined(kIndent, kLineEnd);
        }
        CashStepDispatch();
    }
}

void Engine::ReEnterTotal() {
    setText1(m_view.input.text.substr(5));
    const auto value = Decimal::parse(m_view.input.text);
    if (!value)
        return reportError(ErrorMark::OnTape);
    m_totalValue = *value;
    showTotal();
    appendTapeJoined(kIndent, m_view.total.caption, kLineEnd);
    recordTotalInList1();
    setText1(std::u16string{});
    requestFocus(FocusTarget::Text1);
    refreshTaxLines();
    refreshReadingLine();
}

void Engine::ReEnterConvertedTotal(std::u16string_view currency) {
    appendTapeJoined(kIndent, formatPattern(m_totalValue, kPatternLong), u" ");
    setText1(m_view.input.text.substr(3));
    const auto value = Decimal::parse(m_view.input.text);
    if (!value)
        return reportError(ErrorMark::OnTape);
    m_totalValue = *value;
    replaceAmounts();
    assignConcat(m_view.total.caption, currency, u"    ", shownTotal());
    refreshTotalReading();
    appendTapeJoined(u">", currency, u"  ", formatPattern(m_totalValue, kPatternLong), kLineEnd);
    recordTotalInList1();
    setLabel5(std::u16string(currency));
    m_view.rate.visible = false;
    setText1(std::u16string{});
    requestFocus(FocusTarget::Text1);
    refreshTaxLines();
}

void Engine::CashStepDispatch() {
    if (m_cashStep == 0) {
        EvaluateLine();
        PostEvaluationSteps();
        return;
    }
    // Each count of the tally sequence moves on to the next denomination; a count that does
    // not read asks for the same denomination again.
    static constexpr std::int16_t kSteps[] = {10000, 5000, 1000, 500, 100, 50, 10, 5, 1};
    const auto* it = std::find(std::begin(kSteps), std::end(kSteps), m_cashStep);
    if (it == std::end(kSteps)) {
        m_cashStep = 0;
        setText1(std::u16string{});
        return;
    }
    const bool counted = CashTallyLine();
    if (counted && *it == 1) {
        setText1(std::u16string{});
        CashTallySummary();
        m_cashStep = 0;
        return;
    }
    if (counted)
        m_cashStep = *(it + 1);
    std::u16string next;
    for (char c : std::to_string(m_cashStep))
        next.push_back(static_cast<char16_t>(c));
    next.push_back(u'*');
    setText1(std::move(next));
    caretToEndOfText1();
    requestFocus(FocusTarget::Text1);
}

void Engine::PostEvaluationSteps() {
    resetUndo();
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
