#include "core/engine/classify.h"

#include "core/engine/engine_text.h"

namespace sumiplex::engine {

namespace {

constexpr auto npos = std::u16string_view::npos;

LineClass make(LineKind kind, char16_t op, std::u16string_view line, std::u16string_view first = {},
               std::u16string_view second = {}) {
    LineClass c;
    c.kind = kind;
    c.op = op;
    c.line = line;
    c.first = first;
    c.second = second;
    return c;
}

LineClass twoOperands(char16_t op, std::u16string_view line, std::size_t at) {
    return make(LineKind::TwoOperands, op, line, line.substr(0, at), line.substr(at + 1));
}

// The percent rows on a line whose leading operator, if it had one, is gone.
LineClass percentRows(std::u16string_view rest, char16_t op) {
    if (rest.empty())
        return make(LineKind::Nothing, op, rest);
    std::size_t cut = 0;
    PercentEnd end = PercentEnd::Share;
    switch (rest.back()) {
    case u'%':
        cut = 1;
        break;
    case u'+':
        cut = 2;
        end = PercentEnd::Add;
        break;
    case u'-':
        cut = 2;
        end = PercentEnd::TakeOff;
        break;
    default:
        return make(LineKind::Nothing, op, rest);
    }
    if (rest.size() < cut)
        return make(LineKind::Nothing, op, rest);
    LineClass c;
    if (const auto p = rest.find(op); p != npos && p >= 1) {
        const std::u16string_view shown = rest.substr(0, rest.size() - cut);
        c = make(LineKind::PercentOfLine, op, rest, rest.substr(0, p),
                 p + 1 < shown.size() ? shown.substr(p + 1) : std::u16string_view{});
        c.operatorAt = p;
    } else {
        c = make(LineKind::PercentOfTotal, op, rest, rest.substr(0, rest.size() - cut));
    }
    c.cut = cut;
    c.end = end;
    return c;
}

LineClass classifyPercent(std::u16string_view line) {
    const char16_t op = contains(line, u'/') ? u'/' : u'*';
    if (line.front() == u'%')
        return make(LineKind::PercentTypedFirst, op, line, line.substr(1));
    if (line.front() != op)
        return percentRows(line, op);
    LineClass c = percentRows(line.substr(1), op);
    c.dropsLeadingOperator = true;
    return c;
}

bool isCurrencyMark(char16_t c) {
    return c == u'\u00A5' || c == u'\uFFE5' || c == u'$' || c == u'\uFF04'; // ¥ ￥ $ ＄
}

LineClass classifyMinus(std::u16string_view line) {
    if (line.back() == u'-')
        return make(LineKind::OnTotal, u'-', line, line.substr(0, line.size() - 1));
    // The sign of a negative first operand stands first, or right after a currency mark
    // ("¥-1,234"); split there, the line would be the mark alone less an amount.
    const std::size_t signAt = isCurrencyMark(line.front()) ? 1 : 0;
    const auto p = line.find(u'-');
    if (p == signAt) {
        // The operator is the next "-" after at least one digit.
        if (const auto q = line.find(u'-', p + 1); q != npos && q >= p + 2)
            return twoOperands(u'-', line, q);
    }
    if (p == npos || p == signAt)
        return make(LineKind::BareNumber, u'+', line, line);
    return twoOperands(u'-', line, p);
}

// The rows from the two-operand "+" on, on a line without a trailing "+".
LineClass plusAndMinusRows(std::u16string_view rest) {
    if (rest.empty())
        return make(LineKind::Nothing, u'+', rest);
    if (const auto p = rest.find(u'+'); p != npos && p != 0)
        return twoOperands(u'+', rest, p);
    return classifyMinus(rest);
}

} // namespace

LineClass classify(std::u16string_view line) {
    if (line.empty() || (line.front() == u'-' && line.back() == u'-'))
        return make(LineKind::Incomplete, 0, line);
    if (contains(line, u'%'))
        return classifyPercent(line);
    for (const char16_t op : {u'^', u'*', u'/'}) {
        if (line.back() == op)
            return make(LineKind::OnTotal, op, line, line.substr(0, line.size() - 1));
        if (line.front() == op)
            return make(LineKind::OnTotal, op, line, line.substr(1));
        if (const auto p = line.find(op); p != npos)
            return twoOperands(op, line, p);
    }
    if (line.back() == u'+')
        return make(LineKind::OnTotal, u'+', line, line.substr(0, line.size() - 1));
    if (line.front() != u'+')
        return plusAndMinusRows(line);
    LineClass c = plusAndMinusRows(line.substr(1));
    c.dropsLeadingOperator = true;
    return c;
}

LineClass classifyRest(const LineClass& dropped, std::u16string_view rest) {
    LineClass c = dropped.op == u'+' ? plusAndMinusRows(rest) : percentRows(rest, dropped.op);
    c.dropsLeadingOperator = true;
    return c;
}

} // namespace sumiplex::engine
