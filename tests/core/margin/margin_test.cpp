#include "core/text_utf.h"
#include "core/tools/margin/margin.h"
#include "core/tools/margin/margin_sheet.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <variant>

namespace sumiplex::margin {
namespace {

using sumiplex::testing::u16;
using sumiplex::testing::utf8;

Decimal dec(std::string_view text) {
    return Decimal::parse(text).value();
}

/// "cost/price/rate" of a sale, or the refusal's sentence.
std::string describe(const Outcome& outcome) {
    if (const auto* refusal = std::get_if<Refusal>(&outcome))
        return utf8(refusalText(*refusal));
    const Sale& s = std::get<Sale>(outcome);
    return s.cost.toPlainAscii() + "/" + s.price.toPlainAscii() + "/" + s.rate.toPlainAscii();
}

constexpr std::string_view kRateTooHigh = "利益率が100%以上になるため計算できません。";
constexpr std::string_view kPriceZero = "売価が0のため計算できません。";
constexpr std::string_view kTooLarge = "桁数が大きすぎて計算できません。";

TEST(MarginRelations, WorkOutTheThirdFigureOrSayWhyNot) {
    struct Row {
        Figure computed;
        std::string_view a; // cost, or the price when the cost is computed
        std::string_view b; // the rate, or the price when the rate is computed
        std::string_view expected;
    };
    const Row rows[] = {
        {Figure::Price, "800", "20", "800/1000/20"},
        {Figure::Price, "1000", "25", "1000/1333.3333333333333333333333333/25"},
        {Figure::Price, "1100", "-10", "1100/1000/-10"}, // a sale below cost
        {Figure::Price, "1", "99.99", "1/10000/99.99"},
        {Figure::Price, "1", "100", std::string_view(kRateTooHigh)},
        {Figure::Price, "1", "250", std::string_view(kRateTooHigh)},
        {Figure::Price, "0", "20", std::string_view(kPriceZero)},
        // 28 digits: the cost times 100 leaves the range, dividing first does not.
        {Figure::Price, "1234567890123456789012345678", "20",
         "1234567890123456789012345678/1543209862654320986265432097.5/20"},
        {Figure::Price, "79228162514264337593543950335", "50", std::string_view(kTooLarge)},
        {Figure::Rate, "800", "1000", "800/1000/20"},
        {Figure::Rate, "1200", "1000", "1200/1000/-20"},
        {Figure::Rate, "0", "500", std::string_view(kRateTooHigh)},
        {Figure::Rate, "-100", "500", std::string_view(kRateTooHigh)},
        {Figure::Rate, "500", "0", std::string_view(kPriceZero)},
        {Figure::Rate, "1", "3", "1/3/66.666666666666666666666666667"},
        {Figure::Rate, "9999999999999999999999999999", "19999999999999999999999999998",
         "9999999999999999999999999999/19999999999999999999999999998/50"},
        {Figure::Cost, "1000", "20", "800/1000/20"},
        {Figure::Cost, "1000", "-25", "1250/1000/-25"},
        {Figure::Cost, "1000", "99.9999", "0.001/1000/99.9999"},
        {Figure::Cost, "1000", "100", std::string_view(kRateTooHigh)},
        {Figure::Cost, "0", "20", std::string_view(kPriceZero)},
        {Figure::Cost, "79228162514264337593543950335", "-100", std::string_view(kTooLarge)},
    };
    for (const Row& r : rows) {
        const Outcome outcome = r.computed == Figure::Price  ? priceFrom(dec(r.a), dec(r.b))
                                : r.computed == Figure::Rate ? rateFrom(dec(r.a), dec(r.b))
                                                             : costFrom(dec(r.a), dec(r.b));
        EXPECT_EQ(describe(outcome), r.expected) << r.a << " " << r.b;
    }
}

struct Edit {
    Figure box;
    std::string_view text;
};

/// The sheet after the edits, as the window shows it: the three boxes, then the profit,
/// markup and reason lines.
std::string sheetAfter(std::initializer_list<Edit> edits) {
    MarginSheet sheet;
    for (const Edit& e : edits)
        sheet.edit(e.box, u16(e.text));
    const SheetView& v = sheet.view();
    return utf8(v.boxes[0]) + " | " + utf8(v.boxes[1]) + " | " + utf8(v.boxes[2]) + " | " +
           utf8(v.profit) + " | " + utf8(v.markup) + " | " + utf8(v.reason);
}

TEST(MarginSheet, WorksOutTheBoxNotEditedMostRecently) {
    constexpr auto cost = Figure::Cost;
    constexpr auto price = Figure::Price;
    constexpr auto rate = Figure::Rate;
    struct Row {
        std::initializer_list<Edit> edits;
        std::string_view shown;
    };
    const Row rows[] = {
        {{{cost, "800"}, {rate, "20"}}, "800 | 1,000 | 20 | 利益 200 | 値入率 25% | "},
        {{{cost, "800"}, {price, "1000"}}, "800 | 1000 | 20 | 利益 200 | 値入率 25% | "},
        {{{price, "1,000"}, {rate, "20%"}}, "800 | 1,000 | 20% | 利益 200 | 値入率 25% | "},
        // Amounts are read as the input line reads them.
        {{{cost, "8万"}, {rate, "２０"}}, "8万 | 100,000 | ２０ | 利益 20,000 | 値入率 25% | "},
        // Once all three hold figures, the box edited longest ago is the one worked out.
        {{{cost, "800"}, {rate, "20"}, {cost, "900"}},
         "900 | 1,125 | 20 | 利益 225 | 値入率 25% | "},
        {{{cost, "800"}, {rate, "20"}, {price, "1200"}},
         "960 | 1200 | 20 | 利益 240 | 値入率 25% | "},
        // A given emptied again empties the worked-out box; the empty box is then asked for.
        {{{cost, "800"}, {rate, "20"}, {rate, ""}}, "800 |  |  |  |  | "},
        {{{cost, "800"}, {rate, "20"}, {rate, ""}, {price, "1000"}},
         "800 | 1000 | 20 | 利益 200 | 値入率 25% | "},
        // A box worked out is the program's figure, whenever the user last typed in it.
        {{{cost, "800"}, {rate, "20"}, {rate, ""}, {price, "1000"}, {price, "640"}},
         "800 | 640 | -25 | 利益 -160 | 値入率 -20% | "},
        // Refusals leave the worked-out box empty and say why.
        {{{cost, "800"}, {rate, "abc"}}, "800 |  | abc |  |  | 利益率が数値ではありません。"},
        {{{cost, "1.2.3"}, {rate, "20"}}, "1.2.3 |  | 20 |  |  | 原価が数値ではありません。"},
        {{{cost, "800"}, {price, "0"}}, "800 | 0 |  |  |  | 売価が0のため計算できません。"},
        {{{cost, "800"}, {rate, "100"}},
         "800 |  | 100 |  |  | 利益率が100%以上になるため計算できません。"},
        {{{cost, "800"}, {price, "-100"}},
         "800 | -100 |  |  |  | 利益率が100%以上になるため計算できません。"},
        // Only one figure: nothing to work out, nothing to complain of.
        {{{cost, "800"}}, "800 |  |  |  |  | "},
    };
    for (const Row& r : rows) {
        std::string edits;
        for (const Edit& e : r.edits)
            edits += std::string(e.text) + ";";
        EXPECT_EQ(sheetAfter(r.edits), r.shown) << edits;
    }
}

TEST(MarginSheet, OffersTheWorkedOutFigureAndTheWholeSaleOnlyWhenThereIsOne) {
    MarginSheet sheet;
    sheet.edit(Figure::Cost, u"1000");
    sheet.edit(Figure::Rate, u"25");
    ASSERT_TRUE(sheet.view().result);
    EXPECT_EQ(sheet.view().result->toPlainAscii(), "1333.3333333333333333333333333");
    EXPECT_EQ(utf8(sheet.view().memoText),
              "原価 1,000\r\n売価 1,333.3333333333333333333333333\r\n利益率 25%\r\n"
              "利益 333.3333333333333333333333333");
    sheet.edit(Figure::Rate, u"100");
    EXPECT_FALSE(sheet.view().result);
    EXPECT_EQ(sheet.view().memoText, u"");
}

} // namespace
} // namespace sumiplex::margin
