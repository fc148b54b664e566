#include "core/engine/line_step.h"

#include "core/engine/engine_text.h"
#include "core/engine/kanji_amount.h"

namespace sumiplex::engine {

namespace {

// One operation of a line; powers go through double precision inside Decimal::pow.
std::optional<Decimal> apply(char16_t op, const Decimal& a, const Decimal& b) {
    switch (op) {
    case u'^': {
        // A power keeps the sign of a negative base even where the double result is
        // positive.
        auto result = a.pow(b);
        if (result && a.isNegative() && *result > Decimal{})
            result = result->negated();
        return result;
    }
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

std::optional<Decimal> apply(char16_t op, const std::optional<Decimal>& a,
                             const std::optional<Decimal>& b) {
    if (!a || !b)
        return std::nullopt;
    return apply(op, *a, *b);
}

// base × (p / 100) or base / (p / 100), then the share alone, added or taken off.
std::optional<Decimal> percentOf(const Decimal& base, char16_t op, std::u16string_view percent,
                                 PercentEnd end) {
    const auto p = parseAmount(percent);
    if (!p)
        return std::nullopt;
    const auto fraction = p->div(Decimal::fromInt(100));
    if (!fraction)
        return std::nullopt;
    const auto share = apply(op, base, *fraction);
    if (end == PercentEnd::Share || !share)
        return share;
    return end == PercentEnd::Add ? base.add(*share) : base.sub(*share);
}

} // namespace

LineStep computeLineStep(const LineClass& line, const Decimal& total,
                         std::u16string_view shownLine) {
    using Finish = LineStep::Finish;
    LineStep step;
    TapeEntry& e = step.entry;
    e.op = line.op;
    e.end = line.end;
    switch (line.kind) {
    case LineKind::Incomplete:
    case LineKind::Nothing:
    case LineKind::PercentTypedFirst:
        break;
    case LineKind::OnTotal: {
        step.finish = Finish::NewTotal;
        e.kind = EntryKind::OnTotal;
        e.before = total;
        // A sum or difference shows its operand; the other operators show the line.
        e.shown = line.op == u'+' || line.op == u'-' ? line.first : line.line;
        const auto x = parseAmount(line.first);
        e.operand = x;
        if (!x)
            break;
        step.value = apply(line.op, total, *x);
        if (line.op == u'+')
            step.amount = *x;
        else if (line.op == u'-')
            step.amount = x->negated();
        break;
    }
    case LineKind::BareNumber: {
        step.finish = Finish::NewTotal;
        const auto x = parseAmount(line.line);
        e.kind = EntryKind::Number;
        e.op = u'+';
        e.before = total;
        e.shown = line.line;
        e.operand = x;
        if (!x)
            break;
        step.value = total.add(*x);
        step.amount = *x;
        break;
    }
    case LineKind::TwoOperands:
        step.finish = Finish::LineResult;
        e.kind = EntryKind::LineResult;
        e.shown = line.line;
        step.value = apply(line.op, parseAmount(line.first), parseAmount(line.second));
        break;
    case LineKind::PercentOfLine: {
        step.finish = Finish::LineResult;
        e.kind = EntryKind::PercentOfLine;
        e.shown = shownLine;
        const auto base = parseAmount(line.first);
        const std::u16string_view percent = line.operatorAt + 1 < shownLine.size()
                                                ? shownLine.substr(line.operatorAt + 1)
                                                : std::u16string_view{};
        if (base)
            step.value = percentOf(*base, line.op, percent, line.end);
        break;
    }
    case LineKind::PercentOfTotal:
        step.finish = Finish::NewTotal;
        e.kind = EntryKind::PercentOfTotal;
        e.before = total;
        e.shown = line.line;
        // Taking a percentage off the total multiplies, whatever the line's operator.
        step.value = percentOf(total, line.end == PercentEnd::TakeOff ? u'*' : line.op, line.first,
                               line.end);
        break;
    }
    return step;
}

} // namespace sumiplex::engine
