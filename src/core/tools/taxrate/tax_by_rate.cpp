#include "core/tools/taxrate/tax_by_rate.h"

#include "core/engine/rounding.h"
#include "core/engine/tax.h"

namespace sumiplex::taxrate {

namespace {

const Decimal kHundred = Decimal::fromInt(100);
// Rates are set in hundredths of a percent at the finest.
constexpr int kRatePlaces = 2;

// A tax brought to whole yen by the main window's rule code. An invoice's 切り上げ lifts
// any fraction of a yen, however small, to the next yen away from zero (91.09 → 92,
// -37.04 → -38), so it does not take the tax lines' offset of 0.9.
std::optional<Decimal> toWholeYen(const Decimal& exact, int ruleCode) {
    switch (ruleCode) {
    case engine::kTaxRoundUp: {
        const Decimal whole = exact.truncated();
        if (whole == exact)
            return whole;
        return whole.add(Decimal::fromInt(exact.isNegative() ? -1 : 1));
    }
    case engine::kTaxRoundHalf:
        return engine::roundAtShift(exact, 0, engine::RoundMode::HalfAwayFromZero);
    default:
        return exact.truncated();
    }
}

// The unrounded tax contained in `sum`. The product comes first, so the quotient is the
// only step that can round; a sum too large for the product divides first instead.
std::optional<Decimal> taxContained(const Decimal& sum, const Decimal& rate) {
    const auto divisor = kHundred.add(rate);
    if (!divisor)
        return std::nullopt;
    if (const auto product = sum.mul(rate))
        return product->div(*divisor);
    const auto share = sum.div(*divisor);
    return share ? share->mul(rate) : std::nullopt;
}

std::optional<RateGroup> groupOf(const Decimal& sum, std::size_t rows, const Decimal& rate,
                                 const RateChoice& choice) {
    const auto tax = taxOnSum(sum, rate, choice.basis, choice.ruleCode);
    if (!tax)
        return std::nullopt;
    const bool included = choice.basis == Basis::TaxIncluded;
    const auto other = included ? sum.sub(*tax) : sum.add(*tax);
    if (!other)
        return std::nullopt;
    return RateGroup{.rate = rate,
                     .rows = rows,
                     .sum = sum,
                     .tax = *tax,
                     .withTax = included ? sum : *other,
                     .withoutTax = included ? *other : sum};
}

std::optional<RateGroup> addGroups(const RateGroup& a, const RateGroup& b) {
    const auto sum = a.sum.add(b.sum);
    const auto tax = a.tax.add(b.tax);
    const auto withTax = a.withTax.add(b.withTax);
    const auto withoutTax = a.withoutTax.add(b.withoutTax);
    if (!sum || !tax || !withTax || !withoutTax)
        return std::nullopt;
    return RateGroup{.rate = Decimal{},
                     .rows = a.rows + b.rows,
                     .sum = *sum,
                     .tax = *tax,
                     .withTax = *withTax,
                     .withoutTax = *withoutTax};
}

std::u16string yen(const Decimal& amount) {
    return FormatAmount(amount) + u"円";
}

std::u16string rateLine(const RateGroup& g, Basis basis, bool reduced) {
    const bool included = basis == Basis::TaxIncluded;
    std::u16string line = reduced ? u"※" : u"";
    line += g.rate.toPlainString() + u"%対象" + (included ? u"(税込)" : u"(税抜)");
    line += u"　" + yen(g.sum) + (included ? u"　内消費税　" : u"　消費税　") + yen(g.tax);
    return line;
}

} // namespace

std::optional<Decimal> parseRate(std::u16string_view text) {
    // The number reader takes "," as grouping, which would read a European "1,0" as ten.
    if (text.find_first_of(u",\uFF0C") != std::u16string_view::npos)
        return std::nullopt;
    const auto rate = Decimal::parse(text);
    if (!rate || rate->isNegative() || *rate > kHundred ||
        rate->roundedHalfEven(kRatePlaces) != *rate)
        return std::nullopt;
    return rate;
}

std::optional<Decimal> taxOnSum(const Decimal& sum, const Decimal& ratePercent, Basis basis,
                                int ruleCode) {
    std::optional<Decimal> exact;
    if (basis == Basis::TaxIncluded) {
        exact = taxContained(sum, ratePercent);
    } else if (const auto rate = ratePercent.div(kHundred)) {
        exact = sum.mul(*rate);
    }
    if (!exact)
        return std::nullopt;
    return toWholeYen(*exact, ruleCode);
}

SummaryResult summarise(const std::vector<Decimal>& amounts, const std::vector<bool>& reduced,
                        const RateChoice& choice) {
    const bool merged = choice.standard == choice.reduced;
    Decimal sums[2];
    std::size_t rows[2] = {0, 0};
    for (std::size_t i = 0; i < amounts.size(); ++i) {
        const int k = !merged && i < reduced.size() && reduced[i] ? 1 : 0;
        const auto next = sums[k].add(amounts[i]);
        if (!next)
            return SummaryError::Overflow;
        sums[k] = *next;
        ++rows[k];
    }
    const auto standard = groupOf(sums[0], rows[0], choice.standard, choice);
    const auto lowered = groupOf(sums[1], rows[1], choice.reduced, choice);
    if (!standard || !lowered)
        return SummaryError::Overflow;
    const auto total = addGroups(*standard, *lowered);
    if (!total)
        return SummaryError::Overflow;
    return RateSummary{.basis = choice.basis,
                       .merged = merged,
                       .standard = *standard,
                       .reduced = *lowered,
                       .total = *total};
}

std::vector<std::u16string> summaryLines(const RateSummary& s) {
    std::vector<std::u16string> lines;
    if (s.standard.rows > 0)
        lines.push_back(rateLine(s.standard, s.basis, false));
    if (s.reduced.rows > 0)
        lines.push_back(rateLine(s.reduced, s.basis, true));
    if (s.basis == Basis::TaxIncluded)
        lines.push_back(u"合計　" + yen(s.total.withTax) + u"　内消費税等　" + yen(s.total.tax));
    else
        lines.push_back(u"合計(税込)　" + yen(s.total.withTax) + u"　消費税等　" +
                        yen(s.total.tax));
    if (s.reduced.rows > 0)
        lines.push_back(u"※は軽減税率対象");
    return lines;
}

} // namespace sumiplex::taxrate
