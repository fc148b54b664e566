#include "core/engine/engine.h"

#include "core/engine/classify.h"
#include "core/engine/engine_text.h"

namespace sumiplex::engine {

Engine::Evaluation Engine::EvaluateLine() {
    noteKeyedState();
    std::u16string typed = m_view.input.text;
    const std::u16string& t = typed;
    LineClass line = classify(t);
    if (line.kind == LineKind::Incomplete)
        return Evaluation::NotStarted;
    assignConcat(m_view.status.line, u"         before    ", t);
    if (line.kind == LineKind::PercentTypedFirst) {
        // "%10" is the percent typed first: it becomes "10%" and waits for the next Enter.
        if (line.op == u'*')
            assignLine(concat(line.first, u"%"));
        caretToEndOfLine();
        requestFocus(FocusTarget::Text1);
        return Evaluation::Started;
    }
    // The line then acts once, as it reads without its leading operator ("/10%+" stays a
    // division, "+5" adds 5).
    std::u16string rest;
    if (line.dropsLeadingOperator) {
        assignLine(std::u16string(line.line), TrailingSign::LeftToCaller);
        if (m_view.input.text != line.line) {
            rest = m_view.input.text;
            line = classifyRest(line, rest);
        }
    }
    // A percent of a line shows the line without its "%" end while it is worked out; the
    // change handling may shorten it further (a refused operator: "5*%"), and the
    // percentage is read from the line as it then stands.
    if (line.kind == LineKind::PercentOfLine)
        assignLine(std::u16string(line.line.substr(0, line.line.size() - line.cut)),
                   TrailingSign::LeftToCaller);
    // The step is worked out before the typed line is handed on: `line` views into it.
    LineStep step = computeLineStep(line, m_totalValue, m_view.input.text);
    carryOut(std::move(step), std::move(typed));
    return Evaluation::Started;
}

void Engine::noteKeyedState() {
    m_keyed = static_cast<std::uint8_t>(
        (m_opTypedBeforeChange != 0 ? TapeEntry::kOperatorBeforeLastKey : 0) |
        (m_opTyped != 0 ? TapeEntry::kOperatorAtEvaluation : 0));
}

void Engine::carryOut(LineStep&& step, std::u16string&& typed) {
    if (step.finish == LineStep::Finish::None)
        return;
    TapeEntry& entry = step.entry;
    entry.input = std::move(typed);
    entry.value = step.value;
    entry.failed = !step.value;
    if (!step.value) {
        record(std::move(entry));
        return reportError();
    }
    if (step.finish == LineStep::Finish::LineResult) {
        m_lineValue = *step.value;
        WriteLineResult();
        record(std::move(entry));
        return;
    }
    m_totalValue = *step.value;
    if (step.amount)
        m_view.amounts.push_back(step.amount->toPlainString());
    else
        replaceAmounts();
    recordInHistory();
    record(std::move(entry));
    RecordTotal();
}

void Engine::RecordTotal() {
    const std::u16string& shown = shownTotal();
    assignConcat(m_view.total.caption, kTotalWord, shown);
    assignLine({});
    refreshTaxLines();
    // The four-digit total or the reading line follows every new total, whether Enter or a
    // trailing operator started the evaluation.
    refreshTotalReading();
}

void Engine::WriteLineResult() {
    assignLine(FormatAmount(m_lineValue));
    caretToEndOfLine();
    m_lineValue = Decimal{};
    dropDeferredTaxLines();
    m_view.tax.added.clear();
    m_view.tax.contained.clear();
}

} // namespace sumiplex::engine
