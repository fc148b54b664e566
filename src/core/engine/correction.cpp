#include "core/engine/correction.h"

#include "core/engine/classify.h"
#include "core/engine/engine.h"
#include "core/engine/input_forms.h"
#include "core/engine/kanji_amount.h"

#include <algorithm>
#include <utility>

namespace sumiplex::engine {

namespace {

/// An operand with its sign: "500-" and "-500" both take 500 off the total.
std::optional<Decimal> signedOperand(const TapeEntry& e) {
    if (!e.operand)
        return std::nullopt;
    return e.kind == EntryKind::OnTotal && e.op == u'-' ? (*e.operand).negated() : *e.operand;
}

bool sameAmount(std::u16string_view a, std::u16string_view b) {
    if (a.empty() || b.empty())
        return a.empty() && b.empty();
    const auto x = parseAmount(a);
    const auto y = parseAmount(b);
    return x && y && *x == *y;
}

/// The same row of the evaluation with the same figures: the line's classes compared part
/// by part, the figures by value.
bool sameLine(std::u16string a, std::u16string b) {
    (void)toAsciiInputForms(a);
    (void)toAsciiInputForms(b);
    const LineClass x = classify(a);
    const LineClass y = classify(b);
    if (x.kind != y.kind || x.op != y.op || x.end != y.end)
        return false;
    if (x.kind == LineKind::BareNumber)
        return sameAmount(x.line, y.line);
    return sameAmount(x.first, y.first) && sameAmount(x.second, y.second);
}

bool isAdding(const TapeEntry& e) {
    return e.kind == EntryKind::Number ||
           (e.kind == EntryKind::OnTotal && (e.op == u'+' || e.op == u'-'));
}

bool resultsInLine(const TapeEntry& e) {
    return e.kind == EntryKind::LineResult || e.kind == EntryKind::PercentOfLine;
}

} // namespace

bool isCalculationStep(const TapeEntry& entry) {
    return !entry.failed && !entry.follows && entry.kind != EntryKind::Tool;
}

std::vector<TapeEntry> calculationSteps(std::span<const TapeEntry> entries) {
    std::vector<TapeEntry> steps;
    for (const TapeEntry& e : entries)
        if (isCalculationStep(e))
            steps.push_back(e);
    return steps;
}

CalculationAt calculationAt(std::span<const TapeEntry> entries, std::size_t index) {
    CalculationAt calculation;
    if (entries.empty())
        return calculation;
    index = std::min(index, entries.size() - 1);
    // An all clear closes the calculation it ends; a total keyed back in opens the next.
    if (index > 0 && entries[index].kind == EntryKind::AllClear)
        --index;
    std::size_t first = index + 1;
    while (first > 0 && !entries[first - 1].startsCalculation())
        --first;
    if (first > 0 && entries[first - 1].kind != EntryKind::AllClear)
        calculation.start = entries[first - 1];
    std::size_t end = first;
    while (end < entries.size() && !entries[end].startsCalculation())
        ++end;
    calculation.steps = calculationSteps(entries.subspan(first, end - first));
    return calculation;
}

TapeEntry typedStep(std::u16string input) {
    TapeEntry step;
    // Any kind of the input line is keyed the same way: the line whole, then Enter unless
    // its trailing sign has evaluated it.
    step.kind = EntryKind::OnTotal;
    step.input = std::move(input);
    return step;
}

std::u16string stepText(const TapeEntry& step) {
    if (step.keyedInInputLine())
        return step.input;
    std::u16string text = renderEntry(step);
    // One line, without the tape's indent and line ends.
    std::u16string out;
    for (const char16_t c : text)
        out.push_back(c == u'\r' || c == u'\n' ? u' ' : c);
    const auto first = out.find_first_not_of(u' ');
    const auto last = out.find_last_not_of(u' ');
    return first == std::u16string::npos ? std::u16string{} : out.substr(first, last - first + 1);
}

bool sameStep(const TapeEntry& recorded, const TapeEntry& typed) {
    if (isAdding(recorded) && isAdding(typed)) {
        const auto a = signedOperand(recorded);
        const auto b = signedOperand(typed);
        return a && b && *a == *b;
    }
    if (recorded.operatorText() != typed.operatorText())
        return false;
    if (recorded.keyedInInputLine() && typed.keyedInInputLine()) {
        if (recorded.kind != typed.kind)
            return false;
        if (recorded.kind == EntryKind::OnTotal || recorded.kind == EntryKind::PercentOfTotal ||
            recorded.kind == EntryKind::LineResult || recorded.kind == EntryKind::PercentOfLine)
            return sameLine(recorded.input, typed.input);
        // A total keyed back in, a "Days" line, a tally count: what it made.
        return recorded.value == typed.value && recorded.operand == typed.operand;
    }
    // The total's own commands: the same command to the same effect.
    return recorded.kind == typed.kind && recorded.op == typed.op && recorded.mode == typed.mode &&
           recorded.value == typed.value;
}

std::vector<CorrectionRow> correctionRows(std::vector<TapeEntry> steps) {
    std::vector<CorrectionRow> rows;
    rows.reserve(steps.size());
    for (TapeEntry& step : steps) {
        CorrectionRow row{std::move(step), 0};
        if (!rows.empty() && resultsInLine(rows.back().step) && rows.back().step.value) {
            // The line result stood in the line as the total's pattern shows it.
            const std::u16string result = FormatAmount(*rows.back().step.value);
            if (row.step.input.starts_with(result))
                row.carried = result.size();
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

bool Recomputation::valid() const {
    for (const RowOutcome& row : rows)
        if (row.state == RowOutcome::State::Invalid)
            return false;
    return true;
}

Decimal Recomputation::total() const {
    return engine->totalValue();
}

std::vector<TapeEntry> Recomputation::block(std::span<const CorrectionRow> steps) const {
    std::vector<TapeEntry> out;
    const auto& entries = tape->entries();
    for (std::size_t i = 0; i < rows.size() && i < steps.size(); ++i) {
        const RowOutcome& row = rows[i];
        if (row.state != RowOutcome::State::Done)
            continue;
        for (std::size_t k = row.firstEntry; k < row.endEntry; ++k) {
            out.push_back(entries[k]);
            out.back().time = 0;
        }
        out.back().note = steps[i].step.note;
    }
    return out;
}

Recomputation recompute(const CalculationStart& start, std::span<const CorrectionRow> rows) {
    Recomputation result;
    result.tape = std::make_unique<Tape>();
    result.engine = start(*result.tape);
    Engine& engine = *result.engine;
    const Tape& tape = *result.tape;
    result.rows.reserve(rows.size());
    // The line result the previous row left in the input line, for a row that goes on from it.
    std::optional<std::u16string> lineResult;
    for (const CorrectionRow& row : rows) {
        RowOutcome outcome;
        const TapeEntry* step = &row.step;
        TapeEntry carried;
        if (row.carried > 0 && lineResult && row.carried <= row.step.input.size()) {
            carried = row.step;
            carried.input = *lineResult + row.step.input.substr(row.carried);
            step = &carried;
            if (carried.input != row.step.input)
                outcome.carriedInput = carried.input;
        }
        const bool empty = step->keyedInInputLine() && step->input.empty();
        outcome.firstEntry = tape.entries().size();
        if (!empty)
            engine.feed(*step);
        outcome.endEntry = tape.entries().size();
        if (empty)
            outcome.state = RowOutcome::State::Empty;
        else if (outcome.endEntry == outcome.firstEntry ||
                 tape.entries()[outcome.firstEntry].failed)
            outcome.state = RowOutcome::State::Invalid;
        else
            outcome.state = RowOutcome::State::Done;
        outcome.total = engine.totalValue();
        lineResult.reset();
        if (outcome.state == RowOutcome::State::Done &&
            resultsInLine(tape.entries()[outcome.firstEntry]))
            lineResult = engine.view().input.text;
        result.rows.push_back(outcome);
    }
    return result;
}

} // namespace sumiplex::engine
