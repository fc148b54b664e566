#include "core/engine/engine.h"

#include "core/engine/engine_text.h"
#include "core/engine/kanji_amount.h"

namespace sumiplex::engine {

namespace {

constexpr auto npos = std::u16string::npos;

// p / 100 as a decimal.
std::optional<Decimal> fraction(const std::optional<Decimal>& percent) {
    if (!percent)
        return std::nullopt;
    return percent->div(Decimal::fromInt(100));
}

// base × (p / 100) for "*", base / (p / 100) for "/".
std::optional<Decimal> share(char16_t op, const Decimal& base, const Decimal& fraction) {
    return op == u'*' ? base.mul(fraction) : base.div(fraction);
}

} // namespace

void Engine::percentOperation(char16_t op) {
    std::u16string t = m_view.input.text;
    if (t.front() == u'%') {
        // "%10" is the percent typed first: it becomes "10%" and waits for the next Enter.
        if (op == u'*')
            setText1(concat(std::u16string_view(t).substr(1), u"%"));
        caretToEndOfText1();
        requestFocus(FocusTarget::Text1);
        return;
    }
    if (t.front() == op) {
        // The line then acts once, as typed: "/10%+" stays a division.
        setText1Unevaluated(t.substr(1));
        t = m_view.input.text;
        if (t.empty())
            return;
    }
    const auto p = t.find(op);
    if (p != npos && p >= 1 && percentOfLine(t, p, op))
        return;
    percentOfTotal(t, op);
}

bool Engine::percentOfLine(const std::u16string& t, std::size_t pos, char16_t op) {
    std::size_t cut = 0;
    std::u16string_view mark;
    switch (t.back()) {
    case u'-':
        cut = 2;
        // The two procedures write this mark differently; both forms are kept as they are.
        mark = op == u'*' ? u"%-  =" : u"%- =";
        break;
    case u'+':
        cut = 2;
        mark = u"%+ =";
        break;
    case u'%':
        cut = 1;
        mark = u"% =";
        break;
    default:
        return false;
    }
    if (t.size() < cut)
        return false;
    setText1Unevaluated(t.substr(0, t.size() - cut));
    const std::u16string& line = m_view.input.text;
    appendTapeJoined(u"      (", line, mark);
    const auto a = parseAmount(std::u16string_view(t).substr(0, pos));
    const std::u16string_view b =
        pos + 1 < line.size() ? std::u16string_view(line).substr(pos + 1) : std::u16string_view{};
    const auto f = fraction(parseAmount(b));
    std::optional<Decimal> result;
    if (a && f) {
        const auto part = share(op, *a, *f);
        if (t.back() == u'%' || !part)
            result = part;
        else
            result = t.back() == u'+' ? a->add(*part) : a->sub(*part);
    }
    if (!result) {
        reportError(ErrorMark::LineOnly);
        return true;
    }
    m_lineValue = *result;
    WriteLineResult();
    return true;
}

void Engine::percentOfTotal(const std::u16string& t, char16_t op) {
    const char16_t last = t.back();
    const std::size_t cut = last == u'%' ? 1 : 2;
    if ((last != u'%' && last != u'+' && last != u'-') || t.size() < cut)
        return;
    appendTapeJoined(kIndent, shownTotal(), std::u16string_view(&op, 1), t);
    const auto f = fraction(parseAmount(std::u16string_view(t).substr(0, t.size() - cut)));
    std::optional<Decimal> result;
    if (f) {
        // Taking a percentage off multiplies in both procedures.
        const auto part = share(last == u'-' ? u'*' : op, m_totalValue, *f);
        if (last == u'%' || !part)
            result = part;
        else
            result = last == u'+' ? m_totalValue.add(*part) : m_totalValue.sub(*part);
    }
    if (!result)
        return reportError(ErrorMark::LineOnly);
    m_totalValue = *result;
    replaceAmounts();
    RecordTotal();
}

} // namespace sumiplex::engine
