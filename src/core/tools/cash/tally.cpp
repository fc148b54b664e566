#include "core/tools/cash/tally.h"

namespace sumiplex::cash {

namespace {

constexpr std::u16string_view kIndent = u"      ";
constexpr std::u16string_view kLineEnd = u"\r\n";

Decimal countValue(double value) {
    return Decimal::fromDouble(value).value_or(Decimal{});
}

std::optional<Decimal> times(const Decimal& count, std::size_t k) {
    return count.mul(Decimal::fromInt(kFaceValues[k]));
}

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
            step.count = b->toDouble();
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

std::u16string countText(double value) {
    const auto d = Decimal::fromDouble(value);
    return d ? d->toPlainString() : std::u16string{};
}

TallySheet tallySheet(const TallyCounts& counts) {
    TallySheet sheet;
    sheet.counts = counts;
    for (std::size_t j = 0; j < counts.size(); ++j)
        sheet.texts[j] = countText(counts[j]);
    for (std::size_t k = 0; k < kDenominations; ++k) {
        SummaryRow& row = sheet.summary[k];
        row.name = kShortNames[k];
        row.count = sheet.texts[k + 1];
        const auto amount = times(countValue(counts[k + 1]), k);
        row.amount = amount ? amount->toPlainString() : std::u16string{};
    }
    sheet.label1 = std::u16string(kTotalCaption) + FormatAmount(countValue(counts[0]));
    return sheet;
}

std::variant<std::u16string, std::size_t>
tallyMemoText(const std::array<std::u16string, 10>& boxes) {
    std::u16string text;
    for (std::size_t k = 0; k < kDenominations; ++k) {
        const auto count = Decimal::parse(boxes[k + 1]);
        const auto amount = count ? times(*count, k) : std::nullopt;
        if (!amount)
            return k + 1;
        text.append(kPaddedNames[k]).append(u"\t").append(FormatAmount(*count)).append(u"\t");
        text.append(FormatAmount(*amount)).append(kLineEnd);
    }
    const auto total = Decimal::parse(boxes[0]);
    if (!total)
        return std::size_t{0};
    text.append(kTotalCaption).append(u"\t\t").append(FormatAmount(*total)).append(kLineEnd);
    text.append(kLineEnd);
    return text;
}

DenominationPrintout tallyPrintout(const TallyCounts& counts) {
    DenominationPrintout p;
    for (std::size_t k = 0; k < kDenominations; ++k) {
        DenominationPrintRow& row = p.rows[k];
        row.denomination = kPrintedFaceValues[k];
        row.count = countText(counts[k + 1]);
        if (const auto amount = times(countValue(counts[k + 1]), k)) {
            row.plainAmount = amount->toPlainString();
            row.amount = row.plainAmount;
        }
    }
    p.plainTotal = countText(counts[0]);
    p.total = p.plainTotal;
    return p;
}

} // namespace sumiplex::cash
