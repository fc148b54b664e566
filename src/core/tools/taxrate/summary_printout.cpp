#include "core/tools/taxrate/summary_printout.h"

namespace sumiplex::taxrate {

namespace {

std::u16string yen(const Decimal& amount) {
    return FormatAmount(amount) + u"円";
}

print::TaxSummaryPrintout::Row rateRow(const RateGroup& g, bool reduced) {
    return {(reduced ? u"※" : u"") + g.rate.toPlainString() + u"%対象", yen(g.sum), yen(g.tax)};
}

} // namespace

print::TaxSummaryPrintout summaryPrintout(const RateSummary& s, std::u16string date) {
    const bool included = s.basis == Basis::TaxIncluded;
    print::TaxSummaryPrintout p;
    p.date = std::move(date);
    p.baseHeading = included ? u"対象額(税込)" : u"対象額(税抜)";
    p.taxHeading = included ? u"内消費税" : u"消費税";
    if (s.standard.rows > 0)
        p.rates.push_back(rateRow(s.standard, false));
    if (s.reduced.rows > 0)
        p.rates.push_back(rateRow(s.reduced, true));
    p.totals.push_back({u"合計", yen(s.total.sum), yen(s.total.tax)});
    if (!included)
        p.totals.push_back({u"税込合計", yen(s.total.withTax), u""});
    if (s.reduced.rows > 0)
        p.notes.emplace_back(u"※は軽減税率対象");
    return p;
}

} // namespace sumiplex::taxrate
