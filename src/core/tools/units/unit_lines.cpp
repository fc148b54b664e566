#include "core/tools/units/unit_lines.h"

namespace sumiplex::units {

namespace {

constexpr std::u16string_view kPatternDollarAmount = u"#,##0.####";

std::u16string_view currencyPart(Currency currency, PriceLineSource source) {
    const bool rounding = source == PriceLineSource::Rounding;
    switch (currency) {
    case Currency::Yen:
        return rounding ? u"   JPY " : u"  JPY ";
    case Currency::Dollar:
        return rounding ? u"   USD " : u"  USD ";
    case Currency::None:
        break;
    }
    return u"   ";
}

} // namespace

std::optional<double> readBoxNumber(std::u16string_view text) {
    const auto value = Decimal::parse(text);
    if (!value)
        return std::nullopt;
    return value->toDouble();
}

std::optional<Decimal> toDecimal(double value) {
    return Decimal::fromDouble(value);
}

std::optional<std::u16string> quantityText(std::u16string_view text) {
    const auto number = readBoxNumber(text);
    if (!number)
        return std::nullopt;
    const auto value = toDecimal(*number);
    if (!value)
        return std::nullopt;
    return formatPattern(*value, kPatternLong);
}

std::optional<ConvertedQuantity> convertQuantity(Kind kind, std::u16string_view quantity,
                                                 int source, int target) {
    const auto factor = unitFactor(kind, source, target);
    const auto number = readBoxNumber(quantity);
    if (!factor || !number)
        return std::nullopt;
    const auto result = toDecimal(*number * *factor);
    const auto typed = quantityText(quantity);
    if (!result || !typed)
        return std::nullopt;
    const auto units = unitsOf(kind);
    std::u16string line = *typed;
    line += u' ';
    line += units[static_cast<std::size_t>(source - 1)].symbol;
    line += u"      ";
    line += formatPattern(*result, kPatternLong);
    line += u' ';
    line += units[static_cast<std::size_t>(target - 1)].name;
    return ConvertedQuantity{*result, std::move(line)};
}

std::u16string unitPriceLine(std::u16string_view targetName, const Decimal& price,
                             Currency currency, PriceLineSource source) {
    std::u16string line = u"per ";
    line += targetName;
    line += currencyPart(currency, source);
    line += formatPattern(price, kPatternLong);
    return line;
}

std::u16string quantityLine(std::u16string_view quantity, std::u16string_view targetName,
                            const Decimal& price, const Decimal& amount, Currency currency) {
    std::u16string line(quantity);
    line += u' ';
    line += targetName;
    line += u"  @";
    line += formatPattern(price, kPatternLong);
    switch (currency) {
    case Currency::None:
        line += u"    ";
        line += formatPattern(amount, kPatternLong);
        break;
    case Currency::Yen:
        line += u"   JPY ";
        line += formatPattern(amount, kPatternLong);
        break;
    case Currency::Dollar:
        line += u"   USD ";
        line += formatPattern(amount, kPatternDollarAmount);
        break;
    }
    return line;
}

} // namespace sumiplex::units
