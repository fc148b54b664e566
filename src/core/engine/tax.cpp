#include "core/engine/tax.h"

#include <cstdint>
#include <limits>

namespace sumiplex::engine {

namespace {

// One allocation for a caption; these are rebuilt for every new total.
std::u16string joinCaption(std::u16string_view head, const std::u16string& amount,
                           std::u16string_view gap, const std::u16string& tax) {
    std::u16string caption;
    caption.reserve(head.size() + amount.size() + gap.size() + tax.size());
    caption.append(head).append(amount).append(gap).append(tax);
    return caption;
}

// The tax added on top of `total`, brought to a whole number by the rule. The offset is
// applied before truncating, so rule 2 rounds up only from a tenths digit of 1 (50.05
// stays 50) and rule 3 rounds half away from zero.
std::optional<Decimal> taxOnTop(const Decimal& total, const Decimal& rate, int ruleCode) {
    const auto product = total.mul(rate);
    if (!product)
        return std::nullopt;
    std::optional<Decimal> offset;
    if (ruleCode == kTaxRoundUp)
        offset = Decimal::fromParts(9, 1, false);
    else if (ruleCode == kTaxRoundHalf)
        offset = Decimal::fromParts(5, 1, false);
    if (!offset)
        return product->truncated();
    const auto shifted = total > Decimal{} ? product->add(*offset) : product->sub(*offset);
    if (!shifted)
        return std::nullopt;
    return shifted->truncated();
}

void taxAddedLine(TaxLines& lines, const Decimal& total, const Decimal& rate, int ruleCode,
                  std::u16string_view pattern) {
    const auto t1 = taxOnTop(total, rate, ruleCode);
    if (!t1)
        return;
    const auto withTax = total.add(*t1);
    if (!withTax)
        return;
    lines.label2 = joinCaption(u"Tax +   ", formatPattern(*withTax, pattern), u"   (  ",
                               formatPattern(*t1, kPatternWhole));
    lines.withTax = withTax;
    lines.taxAdded = t1;
}

void taxContainedLine(TaxLines& lines, const Decimal& total, const Decimal& rate,
                      std::u16string_view pattern) {
    const auto divisor = Decimal::fromInt(1).add(rate);
    if (!divisor)
        return;
    const auto body = total.div(*divisor);
    if (!body)
        return;
    const auto t2 = body->truncated().mul(rate);
    if (!t2)
        return;
    const auto net = total.sub(*t2);
    if (!net)
        return;
    lines.label3 = joinCaption(u"Tax  -   ", formatPattern(*net, pattern), u"      ",
                               formatPattern(*t2, kPatternWhole));
    lines.net = net;
    lines.taxContained = t2;
}

} // namespace

TaxLines computeTaxLines(const Decimal& total, int ratePercent, int ruleCode) {
    TaxLines lines;
    // rate / 100 exactly: the same digits two places further right.
    const auto rate = Decimal::fromParts(
        static_cast<Decimal::Mantissa>(ratePercent < 0 ? -static_cast<long long>(ratePercent)
                                                       : static_cast<long long>(ratePercent)),
        2, ratePercent < 0);
    if (!rate)
        return lines;
    const std::u16string_view pattern = total.isWhole() ? kPatternWhole : kPatternLong;
    taxAddedLine(lines, total, *rate, ruleCode, pattern);
    taxContainedLine(lines, total, *rate, pattern);
    return lines;
}

int taxRateFromText(std::u16string_view text, int oldRate) {
    const auto value = Decimal::parse(text.empty() ? std::u16string_view{u"0"} : text);
    if (!value)
        return oldRate;
    const Decimal whole = value->roundedHalfEven(0);
    if (whole < Decimal::fromInt(std::numeric_limits<std::int16_t>::min()) ||
        whole > Decimal::fromInt(std::numeric_limits<std::int16_t>::max()))
        return oldRate;
    return static_cast<int>(whole.toDouble());
}

int taxRuleFromOptions(const TaxRuleOptions& options, int oldRule) {
    if (options.option1)
        return kTaxTruncate;
    if (options.option2)
        return kTaxRoundUp;
    if (options.option3)
        return kTaxRoundHalf;
    return oldRule;
}

const TaxLines& TaxLinesMemo::linesFor(const Decimal& total, int ratePercent, int ruleCode) {
    for (const Entry& e : m_entries)
        if (e.lines && e.rate == ratePercent && e.rule == ruleCode && e.total == total)
            return *e.lines;
    Entry& e = m_entries[m_next];
    m_next = (m_next + 1) % m_entries.size();
    e = Entry{total, ratePercent, ruleCode, computeTaxLines(total, ratePercent, ruleCode)};
    return *e.lines;
}

} // namespace sumiplex::engine
