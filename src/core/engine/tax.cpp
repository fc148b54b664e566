#include "core/engine/tax.h"

#include <cstdint>
#include <limits>

namespace sumiplex::engine {

namespace {

// The caption's text, emptied but keeping its storage: captions are rebuilt for every new
// total, mostly into the text of a total a few steps back.
std::u16string& reusedCaption(std::optional<std::u16string>& caption) {
    if (!caption)
        caption.emplace();
    caption->clear();
    return *caption;
}

// The figures are formatted straight into the caption.
void writeCaption(std::optional<std::u16string>& caption, std::u16string_view head,
                  const Decimal& amount, std::u16string_view pattern, std::u16string_view gap,
                  const Decimal& tax) {
    std::u16string& text = reusedCaption(caption);
    // Room for both figures at their widest display length, so the text grows only once.
    text.reserve(head.size() + gap.size() + std::size_t{2} * 48);
    text.append(head);
    appendPattern(text, amount, pattern);
    text.append(gap);
    appendPattern(text, tax, kPatternWhole);
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
    const auto withTax = t1 ? total.add(*t1) : std::nullopt;
    if (!withTax) {
        lines.label2.reset();
        lines.withTax.reset();
        lines.taxAdded.reset();
        return;
    }
    writeCaption(lines.label2, u"Tax +   ", *withTax, pattern, u"   (  ", *t1);
    lines.withTax = withTax;
    lines.taxAdded = t1;
}

void taxContainedLine(TaxLines& lines, const Decimal& total, const Decimal& rate,
                      std::u16string_view pattern) {
    const auto divisor = Decimal::fromInt(1).add(rate);
    const auto body = divisor ? total.div(*divisor) : std::nullopt;
    const auto t2 = body ? body->truncated().mul(rate) : std::nullopt;
    const auto net = t2 ? total.sub(*t2) : std::nullopt;
    if (!net) {
        lines.label3.reset();
        lines.net.reset();
        lines.taxContained.reset();
        return;
    }
    writeCaption(lines.label3, u"Tax  -   ", *net, pattern, u"      ", *t2);
    lines.net = net;
    lines.taxContained = t2;
}

// Fills `lines` afresh, reusing the storage of the captions it held.
void fillTaxLines(TaxLines& lines, const Decimal& total, int ratePercent, int ruleCode) {
    // rate / 100 exactly: the same digits two places further right.
    const auto rate = Decimal::fromParts(
        static_cast<Decimal::Mantissa>(ratePercent < 0 ? -static_cast<long long>(ratePercent)
                                                       : static_cast<long long>(ratePercent)),
        2, ratePercent < 0);
    if (!rate) {
        lines = TaxLines{};
        return;
    }
    const std::u16string_view pattern = total.isWhole() ? kPatternWhole : kPatternLong;
    taxAddedLine(lines, total, *rate, ruleCode, pattern);
    taxContainedLine(lines, total, *rate, pattern);
}

} // namespace

TaxLines computeTaxLines(const Decimal& total, int ratePercent, int ruleCode) {
    TaxLines lines;
    fillTaxLines(lines, total, ratePercent, ruleCode);
    return lines;
}

bool taxLinesCannotFail(const Decimal& total, int ratePercent) {
    // With |rate| <= 1000 and a divisor 1 + rate of at least 0.01 (it is a multiple of 0.01
    // and not 0), a total below 10^22 keeps every intermediate below 10^27, well inside
    // the decimal range.
    static const Decimal kLimit = Decimal::pow10(22).value_or(Decimal{});
    return ratePercent != -100 && ratePercent >= -100'000 && ratePercent <= 100'000 &&
           total.abs() < kLimit;
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
    e.total = total;
    e.rate = ratePercent;
    e.rule = ruleCode;
    if (!e.lines)
        e.lines.emplace();
    fillTaxLines(*e.lines, total, ratePercent, ruleCode);
    return *e.lines;
}

} // namespace sumiplex::engine
