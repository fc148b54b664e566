#include "core/tools/cash/tally.h"

namespace sumiplex::cash {

namespace {

constexpr std::u16string_view kIndent = u"      ";
constexpr std::u16string_view kLineEnd = u"\r\n";

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

std::array<std::u16string, kDenominations> countTexts(const TallyCounts& counts) {
    std::array<std::u16string, kDenominations> texts;
    for (std::size_t k = 0; k < kDenominations; ++k)
        texts[k] = countText(counts[k + 1]);
    return texts;
}

TallySheet tallySheet(const std::array<std::u16string, kDenominations>& countBoxes) {
    TallySheet sheet;
    Tally tally;
    std::optional<Decimal> total = Decimal{};
    for (std::size_t k = 0; k < kDenominations; ++k) {
        SummaryRow& line = sheet.summary[k];
        line.name = kShortNames[k];
        const auto count = Decimal::parse(countBoxes[k]);
        const auto amount = count ? times(*count, k) : std::nullopt;
        if (count) {
            tally.counts[k] = *count;
            line.count = count->toPlainString();
        }
        if (amount)
            line.amount = amount->toPlainString();
        sheet.row[k + 1] = line.count;
        total = total && amount ? total->add(*amount) : std::nullopt;
        if (!total && sheet.unreadable == 0)
            sheet.unreadable = k + 1;
    }
    if (!total) {
        // No figure at all rather than the sum of the counts that happen to read.
        sheet.label1 = u"合計";
        return sheet;
    }
    tally.total = *total;
    sheet.total = total->toPlainString();
    sheet.row[0] = sheet.total;
    sheet.label1 = std::u16string(kTotalCaption) + FormatAmount(*total);
    sheet.tally = tally;
    return sheet;
}

std::u16string tallyMemoText(const Tally& tally) {
    std::u16string text;
    for (std::size_t k = 0; k < kDenominations; ++k) {
        const auto amount = times(tally.counts[k], k);
        text.append(kPaddedNames[k]).append(u"\t").append(FormatAmount(tally.counts[k]));
        text.append(u"\t").append(amount ? FormatAmount(*amount) : std::u16string{});
        text.append(kLineEnd);
    }
    text.append(kTotalCaption).append(u"\t\t").append(FormatAmount(tally.total)).append(kLineEnd);
    text.append(kLineEnd);
    return text;
}

DenominationPrintout tallyPrintout(const Tally& tally) {
    DenominationPrintout p;
    for (std::size_t k = 0; k < kDenominations; ++k) {
        DenominationPrintRow& row = p.rows[k];
        row.denomination = kPrintedFaceValues[k];
        row.count = tally.counts[k].toPlainString();
        if (const auto amount = times(tally.counts[k], k)) {
            row.plainAmount = amount->toPlainString();
            row.amount = row.plainAmount;
        }
    }
    p.plainTotal = tally.total.toPlainString();
    p.total = p.plainTotal;
    return p;
}

} // namespace sumiplex::cash
