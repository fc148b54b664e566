#include "core/tools/cash/tally.h"

namespace sumiplex::cash {

namespace {

constexpr std::u16string_view kLineEnd = u"\r\n";

std::optional<Decimal> times(const Decimal& count, std::size_t k) {
    return count.mul(Decimal::fromInt(kFaceValues[k]));
}

} // namespace

std::array<std::u16string, kDenominations> countTexts(const Counts& counts) {
    std::array<std::u16string, kDenominations> texts;
    for (std::size_t k = 0; k < kDenominations; ++k)
        texts[k] = counts[k].toPlainString();
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
        DenominationPrintout::Row& row = p.rows[k];
        row.denomination = kPrintedFaceValues[k];
        row.count = tally.counts[k].toPlainString();
        if (const auto amount = times(tally.counts[k], k))
            row.amount = amount->toPlainString();
    }
    p.total = tally.total.toPlainString();
    return p;
}

} // namespace sumiplex::cash
