#include "core/engine/engine.h"

#include "core/engine/engine_text.h"
#include "core/engine/kanji_amount.h"

namespace sumiplex::engine {

namespace {

constexpr auto npos = std::u16string::npos;

// One operation of a line; powers go through double precision inside Decimal::pow.
std::optional<Decimal> apply(char16_t op, const Decimal& a, const Decimal& b) {
    switch (op) {
    case u'^':
        return a.pow(b);
    case u'*':
        return a.mul(b);
    case u'/':
        return a.div(b);
    case u'+':
        return a.add(b);
    default:
        return a.sub(b);
    }
}

// A power keeps the sign of a negative base even where the double result is positive.
std::optional<Decimal> power(const Decimal& base, const Decimal& exponent) {
    auto result = base.pow(exponent);
    if (result && base.isNegative() && *result > Decimal{})
        result = result->negated();
    return result;
}

} // namespace

// Every row writes its expression to the tape before it computes, so that a failing
// computation leaves the expression there, followed by the error mark.

void Engine::EvaluateLine() {
    const std::u16string t = m_view.input.text;
    // A negative first operand followed by "-" is still being typed.
    if (t.empty() || (t.front() == u'-' && t.back() == u'-'))
        return;
    ++m_evaluations;
    assignConcat(m_view.status.line, u"         before    ", t);
    if (contains(t, u'%')) {
        if (contains(t, u'/'))
            PercentDivide();
        else
            PercentMultiply();
        return;
    }
    for (const char16_t op : {u'^', u'*', u'/'})
        if (evaluateOperatorRows(t, op))
            return;
    std::u16string rest = t;
    if (evaluatePlusRows(rest))
        return;
    evaluateMinusRows(rest);
}

bool Engine::evaluateOperatorRows(const std::u16string& t, char16_t op) {
    const std::u16string_view line = t;
    std::u16string_view operand;
    if (t.back() == op)
        operand = line.substr(0, t.size() - 1);
    else if (t.front() == op)
        operand = line.substr(1);
    else if (const auto p = t.find(op); p != npos) {
        twoOperandStep(t, line.substr(0, p), line.substr(p + 1), op);
        return true;
    } else
        return false;
    appendTapeJoined(kIndent, shownTotal(), u" ", t);
    singleOperandStep(operand, op, Amounts::Replace);
    return true;
}

bool Engine::evaluatePlusRows(std::u16string& t) {
    if (t.back() == u'+') {
        const std::u16string_view x = std::u16string_view(t).substr(0, t.size() - 1);
        appendTapeJoined(kIndent, shownTotal(), u" +", x);
        singleOperandStep(x, u'+', Amounts::AppendOperand);
        return true;
    }
    if (t.front() == u'+') {
        // This evaluation goes on with the shortened line; the change handling must not
        // evaluate it as well, or a trailing sign would apply the step twice.
        setText1Unevaluated(t.substr(1));
        t = m_view.input.text;
        if (t.empty())
            return true;
    }
    const auto p = t.find(u'+');
    if (p == npos || p == 0)
        return false;
    const std::u16string_view line = t;
    twoOperandStep(t, line.substr(0, p), line.substr(p + 1), u'+');
    return true;
}

void Engine::evaluateMinusRows(const std::u16string& t) {
    const std::u16string_view line = t;
    if (t.back() == u'-') {
        const std::u16string_view x = line.substr(0, t.size() - 1);
        appendTapeJoined(kIndent, shownTotal(), u"  -", x);
        singleOperandStep(x, u'-', Amounts::AppendNegatedOperand);
        return;
    }
    const auto p = t.find(u'-');
    if (p == 0) {
        const auto q = t.find(u'-', 1);
        if (q != npos && q >= 2) {
            twoOperandStep(t, line.substr(0, q), line.substr(q + 1), u'-');
            return;
        }
    }
    if (p == npos || p == 0) {
        // A bare number is added; the separator shows whether it was positive.
        const auto x = parseAmount(line);
        const bool positive = x && *x > Decimal{};
        appendTapeJoined(kIndent, shownTotal(), positive ? u"+" : u" ", t);
        singleOperandStep(line, u'+', Amounts::AppendOperand);
        return;
    }
    twoOperandStep(t, line.substr(0, p), line.substr(p + 1), u'-');
}

void Engine::singleOperandStep(std::u16string_view operand, char16_t op, Amounts amounts) {
    const auto x = parseAmount(operand);
    if (!x)
        return reportError(ErrorMark::OnTape);
    const auto result = op == u'^' ? power(m_totalValue, *x) : apply(op, m_totalValue, *x);
    if (!result)
        return reportError(ErrorMark::OnTape);
    m_totalValue = *result;
    switch (amounts) {
    case Amounts::AppendOperand:
        m_view.amounts.push_back(x->toPlainString());
        break;
    case Amounts::AppendNegatedOperand:
        m_view.amounts.push_back(x->negated().toPlainString());
        break;
    case Amounts::Replace:
        replaceAmounts();
        break;
    }
    RecordTotal();
}

void Engine::twoOperandStep(const std::u16string& t, std::u16string_view a, std::u16string_view b,
                            char16_t op) {
    appendTapeJoined(u"      (", t, u"= ");
    const auto left = parseAmount(a);
    const auto right = parseAmount(b);
    if (!left || !right)
        return reportError(ErrorMark::OnTape);
    const auto result = op == u'^' ? power(*left, *right) : apply(op, *left, *right);
    if (!result)
        return reportError(ErrorMark::OnTape);
    m_lineValue = *result;
    WriteLineResult();
}

void Engine::RecordTotal() {
    recordTotalInList1();
    const std::u16string& shown = shownTotal();
    appendTapeJoined(u"= ", shown, kLineEnd);
    assignConcat(m_view.total.caption, kTotalWord, shown);
    setText1(std::u16string{});
    refreshTaxLines();
    // The four-digit total or the reading line follows every new total, whether Enter or a
    // trailing operator started the evaluation.
    refreshTotalReading();
}

void Engine::WriteLineResult() {
    setText1(FormatAmount(m_lineValue));
    appendTapeJoined(m_view.input.text, u")", kLineEnd);
    caretToEndOfText1();
    m_lineValue = Decimal{};
    m_view.tax.added.clear();
    m_view.tax.contained.clear();
}

} // namespace sumiplex::engine
