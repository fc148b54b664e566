#include "core/text_utf.h"
#include "core/tools/units/unit_lines.h"
#include "core/tools/units/unit_tables.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sumiplex::units {
namespace {

using sumiplex::testing::u16;
using sumiplex::testing::utf8;

// The published tables, rows by source unit and columns by target unit in list order,
// exactly as the figures are written.
struct FactorTable {
    Kind kind;
    std::vector<std::vector<std::string_view>> rows;
};

const FactorTable kWritten[] = {
    {Kind::Length,
     {{"1", "39.37", "3.2808", "1.0936"},
      {"0.0254", "1", "0.083333", "0.027778"},
      {"0.3048", "12", "1", "0.33333"},
      {"0.9144", "36", "3", "1"}}},
    {Kind::Mass,
     {{"1", "15432", "35.274", "2.2046"},
      {"0.00006479891", "1", "0.0022857", "0.00014285"},
      {"0.028349523125", "437.5", "1", "0.0625"},
      {"0.45359237", "7000", "16", "1"}}},
    {Kind::Volume,
     {{"1", "0.001", "33.814", "0.264172", "35.1951", "0.219969"},
      {"1000", "1", "33814", "264.172", "35195.1", "219.969"},
      {"0.0295735295625", "0.0000295735295625", "1", "0.0078125", "1.04084", "0.00650527"},
      {"3.785411784", "0.003785411784", "128", "1", "133.228", "0.832674"},
      {"0.0284130625", "0.0000284130625", "0.9607599", "0.00750594", "1", "0.00625"},
      {"4.54609", "0.00454609", "153.722", "1.20095", "160", "1"}}},
};

TEST(UnitTables, EveryFactorIsTheDoubleNearestItsWrittenDecimal) {
    for (const auto& table : kWritten) {
        ASSERT_EQ(unitsOf(table.kind).size(), table.rows.size());
        for (std::size_t s = 0; s < table.rows.size(); ++s) {
            for (std::size_t t = 0; t < table.rows[s].size(); ++t) {
                const std::string written(table.rows[s][t]);
                SCOPED_TRACE(::testing::Message() << static_cast<int>(table.kind) << " (" << s + 1
                                                  << ", " << t + 1 << ") " << written);
                const auto factor =
                    unitFactor(table.kind, static_cast<int>(s) + 1, static_cast<int>(t) + 1);
                ASSERT_TRUE(factor.has_value());
                EXPECT_EQ(*factor, std::strtod(written.c_str(), nullptr));
                // One source unit converts to the written figure, digit for digit.
                const auto one = convertQuantity(table.kind, u"1", static_cast<int>(s) + 1,
                                                 static_cast<int>(t) + 1);
                ASSERT_TRUE(one.has_value());
                EXPECT_EQ(utf8(one->value.toPlainString()), written);
            }
        }
    }
}

TEST(UnitTables, PositionsOutsideTheListsHaveNoFactor) {
    const std::array<std::array<int, 3>, 6> outside{{
        {1, 0, 1},
        {1, 1, 5},
        {2, 5, 1},
        {3, 7, 1},
        {3, 1, -1},
        {3, 11, 11},
    }};
    for (const auto& [kind, s, t] : outside)
        EXPECT_FALSE(unitFactor(static_cast<Kind>(kind), s, t).has_value()) << s << "," << t;
}

TEST(UnitTables, RepeatedVolumeSymbolsNameDifferentUnits) {
    const auto volume = unitsOf(Kind::Volume);
    ASSERT_EQ(volume.size(), 6u);
    EXPECT_EQ(volume[2].symbol, volume[4].symbol);
    EXPECT_EQ(volume[3].symbol, volume[5].symbol);
    EXPECT_NE(unitFactor(Kind::Volume, 3, 1), unitFactor(Kind::Volume, 5, 1));
    EXPECT_NE(unitFactor(Kind::Volume, 4, 1), unitFactor(Kind::Volume, 6, 1));
}

struct ConversionCase {
    Kind kind;
    std::string_view quantity;
    int source;
    int target;
    std::optional<std::string_view> line; // empty: the conversion fails
};

TEST(UnitConversion, WritesTheResultLine) {
    const ConversionCase cases[] = {
        {Kind::Length, "1", 1, 1, "1. m      1. Meter"},
        {Kind::Length, "1", 1, 2, "1. m      39.37 Inch"},
        {Kind::Length, "12", 2, 3, "12. in      0.999996 Feet"},
        {Kind::Length, "1,000", 1, 2, "1,000. m      39,370. Inch"},
        {Kind::Length, "-2.5", 4, 1, "-2.5 yd      -2.286 Meter"},
        {Kind::Length, "１２", 2, 3, "12. in      0.999996 Feet"},
        {Kind::Mass, "1", 1, 2, "1. Kg      15,432. Grain"},
        {Kind::Mass, "1", 2, 1, "1. gr      0.00006479891 Kilogram"},
        {Kind::Mass, "0.1", 3, 2, "0.1 oz      43.75 Grain"},
        {Kind::Volume, "1", 2, 3, "1. m3      33,814. U.S. fluid ounce"},
        {Kind::Volume, "1", 5, 1, "1. fl oz      0.0284130625 Liter"},
        {Kind::Volume, "1", 3, 1, "1. fl oz      0.0295735295625 Liter"},
        {Kind::Volume, "2", 6, 5, "2. gal      320. British fluid ounce"},
        // Within 15 significant digits the double's rounding stands (exactly …3,416,022.65).
        {Kind::Length, "123456789012345", 1, 2,
         "123,456,789,012,345. m      4,860,493,783,416,020. Inch"},
        // Beyond 15 the figures are exact: no digit is invented or dropped.
        {Kind::Length, "0.333333333333333333", 1, 1,
         "0.333333333333333333 m      0.333333333333333333 Meter"},
        {Kind::Length, "99999999999999999999", 1, 1,
         "99,999,999,999,999,999,999. m      99,999,999,999,999,999,999. Meter"},
        {Kind::Length, "9,223,372,036,854,775,808", 1, 2,
         "9,223,372,036,854,775,808. m      363,124,157,090,972,523,560.96 Inch"},
        {Kind::Length, "1.0000000000000001", 2, 1,
         "1.0000000000000001 in      0.02540000000000000254 Meter"},
        {Kind::Length, "79228162514264337593543950335", 1, 2, std::nullopt},
        {Kind::Length, "abc", 1, 2, std::nullopt},
        {Kind::Length, "1.2.3", 1, 2, std::nullopt},
        {Kind::Length, "", 1, 2, std::nullopt},
        {Kind::Length, "1", 1, 5, std::nullopt},
        // Past the decimal range: no figure at all rather than a wrong one.
        {Kind::Volume, "79228162514264337593543950", 2, 3, std::nullopt},
    };
    for (const auto& c : cases) {
        const auto result = convertQuantity(c.kind, u16(c.quantity), c.source, c.target);
        SCOPED_TRACE(c.quantity);
        ASSERT_EQ(result.has_value(), c.line.has_value());
        if (result) {
            EXPECT_EQ(utf8(result->line), *c.line);
        }
    }
}

TEST(UnitConversion, InchAndMeterFactorsAreNotInversesOfEachOther) {
    const auto perInch = convertQuantity(Kind::Length, u"1", 2, 1);
    const auto backToInch = convertQuantity(Kind::Length, u"0.0254", 1, 2);
    ASSERT_TRUE(perInch && backToInch);
    EXPECT_EQ(utf8(perInch->value.toPlainString()), "0.0254");
    EXPECT_EQ(utf8(backToInch->value.toPlainString()), "0.999998");
}

} // namespace
} // namespace sumiplex::units
