#include "core/text_utf.h"
#include "core/tools/units/unit_dialog.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

namespace sumiplex::units {
namespace {

using engine::RoundMode;
using sumiplex::testing::u16;
using sumiplex::testing::utf8;

// A loaded window with one panel set up: the quantity typed in its box, units chosen by
// position, then price and Q'TY.
struct Setup {
    Kind kind = Kind::Length;
    int source = 1;
    int target = 1;
    std::string_view price;
    std::string_view quantity = "1";
    std::string_view rate = "80";
};

UnitDialog loaded(const Setup& s) {
    UnitDialog d;
    d.load(u"1", 80);
    d.rateChanged(u16(s.rate));
    d.sourceChosen(s.kind, s.source);
    d.targetChosen(s.kind, s.target);
    d.quantityChanged(s.kind, u16(s.quantity));
    d.priceChanged(u16(s.price));
    return d;
}

void expectLines(const UnitDialog& d, std::string_view label5, std::string_view label8) {
    EXPECT_EQ(utf8(d.view().label5), label5);
    EXPECT_EQ(utf8(d.view().label8), label8);
}

TEST(UnitDialog, LoadingLeavesTheVolumePanelActive) {
    UnitDialog d;
    d.load(u"３", 80.5);
    const UnitView& v = d.view();
    EXPECT_EQ(d.activeKind(), 3);
    EXPECT_EQ(utf8(v.panels[0].result), "1. m      1. Meter");
    EXPECT_EQ(utf8(v.panels[2].result), "1. L      1. Liter");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(v.panels[i].resultVisible, i == 2) << i;
        EXPECT_EQ(v.panels[i].memoVisible, i == 2) << i;
    }
    EXPECT_EQ(utf8(v.label4), "Unit Price 1 L");
    EXPECT_EQ(utf8(v.label9), "Liter");
    EXPECT_EQ(utf8(v.text5), "80.5");
    EXPECT_EQ(utf8(v.text6), "３");
    EXPECT_TRUE(v.label5.empty());
}

struct PriceCase {
    Setup setup;
    enum class Command { None, Yen, Dollar } command;
    std::string_view label5;
    std::string_view label8;
};

TEST(UnitDialog, UnitPriceAndQuantityLines) {
    using C = PriceCase::Command;
    const PriceCase cases[] = {
        {{Kind::Length, 1, 2, "1000", "10"},
         C::None,
         "per Inch   25.4000508001016",
         "10. Inch  @25.4000508001016    254.000508001016"},
        {{Kind::Length, 1, 1, "2", "3", "80"},
         C::Yen,
         "per Meter  JPY 160.",
         "3. Meter  @160.   JPY 480."},
        {{Kind::Length, 1, 1, "100", "1", "80"},
         C::Dollar,
         "per Meter  USD 1.25",
         "1. Meter  @1.25   USD 1.25"},
        {{Kind::Length, 1, 1, "1", "1", "3"},
         C::Dollar,
         "per Meter  USD 0.333333333333333",
         "1. Meter  @0.333333333333333   USD 0.3333"},
        {{Kind::Mass, 4, 1, "1,000", "2.5"},
         C::None,
         "per Kilogram   2,204.62262184878",
         "2.5 Kilogram  @2,204.62262184878    5,511.55655462195"},
        {{Kind::Volume, 5, 5, "10", "1"},
         C::None,
         "per British fluid ounce   10.",
         "1. British fluid ounce  @10.    10."},
        // A price or quantity beyond 15 significant digits is worked out exactly.
        {{Kind::Volume, 1, 1, "9223372036854775808", "3,260"},
         C::None,
         "per Liter   9,223,372,036,854,775,808.",
         "3,260. Liter  @9,223,372,036,854,775,808.    30,068,192,840,146,569,134,080."},
        {{Kind::Length, 1, 2, "9223372036854775808", "1"},
         C::None,
         "per Inch   234,274,118,284,347,874.2189484379",
         "1. Inch  @234,274,118,284,347,874.2189484379    234,274,118,284,347,874.2189484379"},
        {{Kind::Length, 1, 1, "9223372036854775808", "3260", "80"},
         C::Yen,
         "per Meter  JPY 737,869,762,948,382,064,640.",
         "3,260. Meter  @737,869,762,948,382,064,640.   JPY 2,405,455,427,211,725,530,726,400."},
        {{Kind::Length, 1, 1, "1234567890123456789", "1", "80"},
         C::Dollar,
         "per Meter  USD 15,432,098,626,543,209.8625",
         "1. Meter  @15,432,098,626,543,209.8625   USD 15,432,098,626,543,209.8625"},
        {{Kind::Length, 1, 1, "2", "12345678901234567"},
         C::None,
         "per Meter   2.",
         "12,345,678,901,234,567. Meter  @2.    24,691,357,802,469,134."},
    };
    for (const auto& c : cases) {
        UnitDialog d = loaded(c.setup);
        if (c.command == C::Yen)
            d.unitPriceToYen();
        else if (c.command == C::Dollar)
            d.unitPriceToDollars();
        SCOPED_TRACE(c.label5);
        expectLines(d, c.label5, c.label8);
        EXPECT_TRUE(d.view().command2Visible);
        EXPECT_TRUE(d.view().command8Visible);
    }
}

struct RoundStep {
    std::optional<RoundMode> mode; // empty: Undo
    std::string_view place;
    std::string_view label5;
    std::string_view label8;
};

TEST(UnitDialog, RoundingRunStartsFromThePriceBeforeItAndUndoGoesBack) {
    UnitDialog d = loaded({Kind::Length, 1, 2, "1000", "10"});
    const RoundStep steps[] = {
        {RoundMode::Down, "1", "per Inch   25.", "10. Inch  @25.    250."},
        {RoundMode::HalfAwayFromZero, "1", "per Inch   25.", "10. Inch  @25.    250."},
        {RoundMode::Up, "5", "per Inch   25.4001", "10. Inch  @25.4001    254.001"},
        {RoundMode::Up, "3", "per Inch   25.4", "10. Inch  @25.4    254."},
        {RoundMode::HalfAwayFromZero, "0", "per Inch   30.", "10. Inch  @30.    300."},
        {std::nullopt, "", "per Inch   25.4000508001016",
         "10. Inch  @25.4000508001016    254.000508001016"},
        {RoundMode::Down, "abc", "per Inch   25.", "10. Inch  @25.    250."},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.label8);
        if (s.mode) {
            d.placeChanged(u16(s.place));
            d.roundUnitPrice(*s.mode);
        } else {
            d.undoRounding();
        }
        expectLines(d, s.label5, s.label8);
        EXPECT_TRUE(d.undoEnabled());
        EXPECT_EQ(utf8(d.undoPrice().toPlainString()), "25.4000508001016");
    }
}

TEST(UnitDialog, RoundedPriceKeepsTheCurrencyOfItsLine) {
    // 79.4 yen an ounce at 100 yen to the dollar.
    UnitDialog d = loaded({Kind::Mass, 3, 3, "79.4", "0.2", "100"});
    d.unitPriceToDollars();
    expectLines(d, "per Ounce  USD 0.794", "0.2 Ounce  @0.794   USD 0.1588");
    d.placeChanged(u"3");
    d.roundUnitPrice(RoundMode::Down);
    expectLines(d, "per Ounce   USD 0.79", "0.2 Ounce  @0.79   USD 0.158");
    d.undoRounding();
    expectLines(d, "per Ounce   USD 0.794", "0.2 Ounce  @0.794   USD 0.1588");

    d.unitPriceToYen();
    EXPECT_FALSE(d.undoEnabled());
    d.placeChanged(u"1");
    d.roundUnitPrice(RoundMode::HalfAwayFromZero);
    expectLines(d, "per Ounce   JPY 7,940.", "0.2 Ounce  @7,940.   JPY 1,588.");
}

TEST(UnitDialog, ANewPriceEndsTheRoundingRun) {
    UnitDialog d = loaded({Kind::Length, 1, 2, "1000", "10"});
    d.roundUnitPrice(RoundMode::Down);
    d.priceChanged(u"2000");
    EXPECT_FALSE(d.undoEnabled());
    d.roundUnitPrice(RoundMode::Down);
    expectLines(d, "per Inch   50.", "10. Inch  @50.    500.");
    EXPECT_EQ(utf8(d.undoPrice().toPlainString()), "50.8001016002032");
}

struct BadInputCase {
    std::string_view what;
    void (*spoil)(UnitDialog&);
};

TEST(UnitDialog, InputThatIsNotANumberEmptiesBothLines) {
    const BadInputCase cases[] = {
        {"price", [](UnitDialog& d) { d.priceChanged(u"abc"); }},
        {"Q'TY", [](UnitDialog& d) { d.qtyChanged(u"1x"); }},
        {"quantity of the active panel",
         [](UnitDialog& d) { d.quantityChanged(Kind::Length, u"abc"); }},
        {"rate for yen",
         [](UnitDialog& d) {
             d.rateChanged(u"eighty");
             d.unitPriceToYen();
         }},
        {"rate 0 for dollars",
         [](UnitDialog& d) {
             d.rateChanged(u"0");
             d.unitPriceToDollars();
         }},
        {"price for dollars",
         [](UnitDialog& d) {
             d.priceChanged(u"1000");
             d.unitPriceToDollars();
             d.priceChanged(u"1o00");
             d.unitPriceToDollars();
         }},
        {"exact amount past the decimal range",
         [](UnitDialog& d) { d.qtyChanged(u"79228162514264337593543950335"); }},
        {"exact yen price past the decimal range",
         [](UnitDialog& d) {
             d.priceChanged(u"79228162514264337593543950335");
             d.unitPriceToYen();
         }},
        {"emptied Q'TY then rounding",
         [](UnitDialog& d) {
             d.qtyChanged(u"");
             d.roundUnitPrice(RoundMode::Down);
         }},
    };
    for (const auto& c : cases) {
        UnitDialog d = loaded({Kind::Length, 1, 2, "1000", "10"});
        ASSERT_FALSE(d.view().label5.empty());
        c.spoil(d);
        SCOPED_TRACE(c.what);
        expectLines(d, "", "");
        EXPECT_FALSE(d.view().command2Visible);
        EXPECT_FALSE(d.undoEnabled());
        EXPECT_FALSE(d.unitPriceLineClick().has_value());
        EXPECT_FALSE(d.qtyLineMemo().has_value());
        // Rounding has no price to work on until a valid one is typed.
        d.roundUnitPrice(RoundMode::HalfAwayFromZero);
        EXPECT_TRUE(d.view().label5.empty());
    }
}

TEST(UnitDialog, BadQuantityShowsErrorAndKeepsTheLastResult) {
    UnitDialog d = loaded({Kind::Length, 1, 2, "1000", "10"});
    d.quantityChanged(Kind::Mass, u"abc");
    const UnitView& v = d.view();
    EXPECT_EQ(utf8(v.panels[1].result), "Error");
    EXPECT_TRUE(v.panels[1].resultVisible);
    EXPECT_FALSE(v.panels[1].memoVisible);
    EXPECT_EQ(d.activeKind(), 1);
    EXPECT_EQ(utf8(d.convResult().toPlainString()), "393.7");
    EXPECT_FALSE(d.resultLineClick(Kind::Mass).has_value());
    EXPECT_FALSE(d.resultLineMemo(Kind::Mass).has_value());
}

TEST(UnitDialog, ClearingTheQuantityClearsResultAndUnitPrice) {
    UnitDialog d = loaded({Kind::Length, 1, 2, "1000", "10"});
    d.roundUnitPrice(RoundMode::Down);
    d.quantityChanged(Kind::Length, u"");
    EXPECT_TRUE(d.view().panels[0].result.empty());
    EXPECT_TRUE(d.convResult().isZero());
    EXPECT_EQ(utf8(d.view().text7), "");
    expectLines(d, "", "");
    EXPECT_FALSE(d.view().command2Visible);
    EXPECT_FALSE(d.undoEnabled());
    EXPECT_FALSE(d.resultLineClick(Kind::Length).has_value());
}

TEST(UnitDialog, ResultsGoToTapeInputLineAndMemo) {
    UnitDialog d = loaded({Kind::Length, 1, 2, "1000", "10"});
    const auto result = d.resultLineClick(Kind::Length);
    ASSERT_TRUE(result);
    EXPECT_EQ(utf8(result->tapeBefore), "      10. m      393.7 Inch\r\n");
    EXPECT_EQ(utf8(result->inputLine), "393.7");

    const auto price = d.unitPriceLineClick();
    ASSERT_TRUE(price);
    EXPECT_EQ(utf8(price->tapeBefore),
              "      Unit Price 1000\r\n      per Inch   25.4000508001016\r\n");
    EXPECT_EQ(utf8(price->inputLine), "25.4000508001016");
    EXPECT_EQ(utf8(price->tapeAfter), "\r\n");

    EXPECT_EQ(utf8(d.unitPriceLineMemo().value_or(u"-")),
              "Unit Price 1 m  1000\r\nper Inch   25.4000508001016\r\n\r\n");
    EXPECT_FALSE(d.view().command2Visible);
    EXPECT_EQ(d.takeFocusRequest(), FocusRequest::OKButton);

    d.priceChanged(u"100000");
    d.unitPriceToYen();
    const auto amount = d.qtyLineClick();
    ASSERT_TRUE(amount);
    EXPECT_EQ(utf8(amount->tapeBefore),
              "      10. Inch  @203,200.406400813   JPY 2,032,004.06400813\r\n"
              "      1 USD 80\r\n");
    EXPECT_EQ(utf8(amount->inputLine), "2,032,004.06400813");
    EXPECT_TRUE(amount->tapeAfter.empty());
    EXPECT_EQ(utf8(d.unitPriceLineMemo().value_or(u"-")),
              "Unit Price 1 m  100000  80\r\nper Inch  JPY 203,200.406400813\r\n\r\n");
    EXPECT_EQ(utf8(d.qtyLineMemo().value_or(u"-")),
              "10. Inch  @203,200.406400813   JPY 2,032,004.06400813\r\n\r\n");
}

TEST(UnitDialog, TotalFromTheMenuFillsEveryQuantityBox) {
    UnitDialog d;
    d.load(u"1", 80);
    d.takeTotal(Decimal::fromInt(12));
    for (const auto& p : d.view().panels)
        EXPECT_EQ(utf8(p.quantity), "12");
    EXPECT_EQ(utf8(d.view().text7), "12");
    EXPECT_EQ(d.activeKind(), 3);
    EXPECT_EQ(utf8(d.view().panels[2].result), "12. L      12. Liter");
    d.takeTotal(Decimal{});
    EXPECT_EQ(utf8(d.view().text7), "12");
}

} // namespace
} // namespace sumiplex::units
