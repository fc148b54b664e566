#include "core/engine/cash_tally.h"

#include <string>

namespace sumiplex::cash {

namespace {

constexpr std::u16string_view kIndent = u"      ";
constexpr std::u16string_view kLineEnd = u"\r\n";

} // namespace

TallyLine tallyLine(std::u16string_view inputLine, const Decimal& total) {
    TallyLine step;
    step.line = inputLine;
    step.total = total;
    const auto star = step.line.find(u'*');
    if (star != std::u16string::npos && star + 1 == step.line.size())
        step.line += u'0';
    std::optional<Decimal> amount;
    if (star != std::u16string::npos) {
        const std::u16string_view line = step.line;
        const auto a = Decimal::parse(line.substr(0, star));
        const auto b = Decimal::parse(line.substr(star + 1));
        amount = a && b ? a->mul(*b) : std::nullopt;
        const auto sum = amount ? total.add(*amount) : std::nullopt;
        if (sum) {
            step.total = *sum;
            step.count = *b;
        } else
            amount.reset();
    }
    step.tape.append(kIndent).append(step.line).append(u"= ");
    if (amount) {
        // Each amount takes the pattern its own wholeness asks for: 10*0.25 writes 2.5.
        const std::u16string shown = FormatAmount(*amount);
        step.tape.append(shown);
        step.caption = u"Subtotal    " + shown;
        step.amount = amount;
    } else {
        step.tape.append(u"ERROR");
    }
    step.tape.append(kLineEnd);
    return step;
}

TallySummary tallySummary(const Decimal& total) {
    const std::u16string shown = FormatAmount(total);
    return {u"Total    " + shown, std::u16string(kIndent) + u"Total  " + shown + u"\r\n"};
}

TallyLine CashTally::count(std::int64_t faceValue, std::u16string_view inputLine,
                           const Decimal& total) {
    TallyLine step = tallyLine(inputLine, total);
    if (const std::size_t k = denominationIndex(faceValue); step.amount && k < kDenominations)
        m_counts[k] = step.count;
    return step;
}

std::int64_t CashTally::next(std::int64_t faceValue) {
    const std::size_t k = denominationIndex(faceValue);
    return k + 1 < kDenominations ? kFaceValues[k + 1] : 0;
}

std::u16string CashTally::prompt(std::int64_t faceValue) {
    std::u16string line;
    for (const char c : std::to_string(faceValue))
        line.push_back(static_cast<char16_t>(c));
    line.push_back(u'*');
    return line;
}

} // namespace sumiplex::cash
