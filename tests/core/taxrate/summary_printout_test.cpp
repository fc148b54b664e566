#include "core/text_utf.h"
#include "core/tools/taxrate/summary_printout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sumiplex::taxrate {
namespace {

using sumiplex::testing::utf8;

using Rows = std::vector<std::vector<std::string>>;

Rows rowsOf(const std::vector<print::TaxSummaryPrintout::Row>& rows) {
    Rows out;
    for (const auto& r : rows)
        out.push_back({utf8(r.label), utf8(r.base), utf8(r.tax)});
    return out;
}

TEST(SummaryPrintout, ColumnsAddUpDownThePage) {
    const auto d = [](const char* s) { return Decimal::parse(std::string_view(s)).value(); };
    // A receipt: 1,100 and 2,200 standard less a 110 return; 540 and 1,080 reduced.
    const std::vector<Decimal> amounts = {d("1100"), d("540"), d("2200"), d("-110"), d("1080")};
    const std::vector<bool> mixed = {false, true, false, false, true};
    const std::vector<bool> standardOnly(amounts.size(), false);
    const struct {
        const char* name;
        const std::vector<bool>& reduced;
        Basis basis;
        const char* baseHeading;
        const char* taxHeading;
        Rows rates;
        Rows totals;
        std::vector<std::string> notes;
    } cases[] = {
        {"included",
         mixed,
         Basis::TaxIncluded,
         "対象額(税込)",
         "内消費税",
         {{"10%対象", "3,190円", "290円"}, {"※8%対象", "1,620円", "120円"}},
         {{"合計", "4,810円", "410円"}},
         {"※は軽減税率対象"}},
        // The amounts column holds amounts without tax, so its total does too; the total
        // with tax follows on a row of its own.
        {"excluded",
         mixed,
         Basis::TaxExcluded,
         "対象額(税抜)",
         "消費税",
         {{"10%対象", "3,190円", "319円"}, {"※8%対象", "1,620円", "129円"}},
         {{"合計", "4,810円", "448円"}, {"税込合計", "5,258円", ""}},
         {"※は軽減税率対象"}},
        {"standard only: no reduced row, no note",
         standardOnly,
         Basis::TaxIncluded,
         "対象額(税込)",
         "内消費税",
         {{"10%対象", "4,810円", "437円"}},
         {{"合計", "4,810円", "437円"}},
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SummaryResult result =
            summarise(amounts, c.reduced, RateChoice{d("10"), d("8"), c.basis, 1});
        ASSERT_TRUE(std::holds_alternative<RateSummary>(result));
        const print::TaxSummaryPrintout p =
            summaryPrintout(std::get<RateSummary>(result), u"2026年12月7日");
        EXPECT_EQ(utf8(p.date), "2026年12月7日");
        EXPECT_EQ(utf8(p.baseHeading), c.baseHeading);
        EXPECT_EQ(utf8(p.taxHeading), c.taxHeading);
        EXPECT_EQ(rowsOf(p.rates), c.rates);
        EXPECT_EQ(rowsOf(p.totals), c.totals);
        std::vector<std::string> notes;
        for (const auto& n : p.notes)
            notes.push_back(utf8(n));
        EXPECT_EQ(notes, c.notes);
    }
}

} // namespace
} // namespace sumiplex::taxrate
