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

bool beyondDouble(const Decimal& value) {
    return significantDigits(value) > kDoubleDigits;
}

// Every published factor has at most 15 significant digits, so the double holding it turns
// back into exactly the decimal that was written.
std::optional<Decimal> exactFactor(double factor) {
    return Decimal::fromDouble(factor);
}

} // namespace

int significantDigits(const Decimal& value) {
    Decimal::Mantissa m = value.mantissa();
    if (m == 0)
        return 0;
    while (m % 10 == 0)
        m /= 10;
    int digits = 0;
    for (; m != 0; m /= 10)
        ++digits;
    return digits;
}

std::optional<Decimal> quantityValue(std::u16string_view text) {
    const auto typed = Decimal::parse(text);
    if (!typed || beyondDouble(*typed))
        return typed;
    return Decimal::fromDouble(typed->toDouble());
}

std::optional<std::u16string> quantityText(std::u16string_view text) {
    const auto value = quantityValue(text);
    if (!value)
        return std::nullopt;
    return formatPattern(*value, kPatternLong);
}

std::optional<Decimal> unitPriceOf(std::u16string_view price, double factor, Currency currency,
                                   std::u16string_view rate) {
    const auto typedPrice = Decimal::parse(price);
    std::optional<Decimal> typedRate;
    if (currency != Currency::None) {
        typedRate = Decimal::parse(rate);
        if (!typedRate)
            return std::nullopt;
    }
    if (!typedPrice)
        return std::nullopt;
    if (beyondDouble(*typedPrice) || (typedRate && beyondDouble(*typedRate))) {
        const auto exact = exactFactor(factor);
        auto perTarget = exact ? typedPrice->div(*exact) : std::nullopt;
        if (!perTarget || currency == Currency::None)
            return perTarget;
        return currency == Currency::Yen ? perTarget->mul(*typedRate) : perTarget->div(*typedRate);
    }
    const double perTarget = typedPrice->toDouble() / factor;
    // A rate of 0 makes the dollar price infinite, which no decimal holds.
    switch (currency) {
    case Currency::Yen:
        return Decimal::fromDouble(perTarget * typedRate->toDouble());
    case Currency::Dollar:
        return Decimal::fromDouble(perTarget / typedRate->toDouble());
    case Currency::None:
        break;
    }
    return Decimal::fromDouble(perTarget);
}

std::optional<ConvertedQuantity> convertQuantity(Kind kind, std::u16string_view quantity,
                                                 int source, int target) {
    const auto factor = unitFactor(kind, source, target);
    const auto typed = Decimal::parse(quantity);
    if (!factor || !typed)
        return std::nullopt;
    std::optional<Decimal> result;
    if (!beyondDouble(*typed))
        result = Decimal::fromDouble(typed->toDouble() * *factor);
    else if (const auto exact = exactFactor(*factor))
        result = typed->mul(*exact);
    const auto written = quantityText(quantity);
    if (!result || !written)
        return std::nullopt;
    const auto units = unitsOf(kind);
    std::u16string line = *written;
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
