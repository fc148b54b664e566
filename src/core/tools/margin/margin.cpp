#include "core/tools/margin/margin.h"

#include "core/engine/kanji_amount.h"

namespace sumiplex::margin {

namespace {

const Decimal kHundred = Decimal::fromInt(100);

/// a × b ÷ c. Multiplying first keeps every digit the quotient can hold; where the product
/// leaves the range (28-digit amounts times 100), dividing first still gives the figure.
std::optional<Decimal> mulDiv(const Decimal& a, const Decimal& b, const Decimal& c) {
    if (const auto product = a.mul(b))
        if (const auto quotient = product->div(c))
            return quotient;
    if (const auto quotient = a.div(c))
        return quotient->mul(b);
    return std::nullopt;
}

bool tooHigh(const Decimal& rate) {
    return rate >= kHundred;
}

} // namespace

Outcome priceFrom(const Decimal& cost, const Decimal& rate) {
    if (tooHigh(rate))
        return Refusal::RateTooHigh;
    const auto rest = kHundred.sub(rate);
    const auto price = rest ? mulDiv(cost, kHundred, *rest) : std::nullopt;
    if (!price)
        return Refusal::OutOfRange;
    if (price->isZero())
        return Refusal::PriceZero;
    return Sale{cost, *price, rate};
}

Outcome rateFrom(const Decimal& cost, const Decimal& price) {
    if (price.isZero())
        return Refusal::PriceZero;
    const auto profit = price.sub(cost);
    const auto rate = profit ? mulDiv(*profit, kHundred, price) : std::nullopt;
    if (!rate)
        return Refusal::OutOfRange;
    if (tooHigh(*rate))
        return Refusal::RateTooHigh;
    return Sale{cost, price, *rate};
}

Outcome costFrom(const Decimal& price, const Decimal& rate) {
    if (price.isZero())
        return Refusal::PriceZero;
    if (tooHigh(rate))
        return Refusal::RateTooHigh;
    const auto rest = kHundred.sub(rate);
    const auto cost = rest ? mulDiv(price, *rest, kHundred) : std::nullopt;
    if (!cost)
        return Refusal::OutOfRange;
    return Sale{*cost, price, rate};
}

std::optional<Earnings> earnings(const Sale& sale) {
    const auto profit = sale.price.sub(sale.cost);
    // A sale that worked out never has a cost of 0: its margin would be 100 %.
    const auto markup = profit ? mulDiv(*profit, kHundred, sale.cost) : std::nullopt;
    if (!markup)
        return std::nullopt;
    return Earnings{*profit, *markup};
}

std::optional<Decimal> parseRate(std::u16string_view text) {
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\u3000'))
        text.remove_suffix(1);
    if (!text.empty() && (text.back() == u'%' || text.back() == u'％'))
        text.remove_suffix(1);
    return engine::parseAmount(text);
}

std::u16string_view refusalText(Refusal refusal) {
    switch (refusal) {
    case Refusal::CostNotANumber:
        return u"原価が数値ではありません。";
    case Refusal::PriceNotANumber:
        return u"売価が数値ではありません。";
    case Refusal::RateNotANumber:
        return u"利益率が数値ではありません。";
    case Refusal::RateTooHigh:
        return u"利益率が100%以上になるため計算できません。";
    case Refusal::PriceZero:
        return u"売価が0のため計算できません。";
    case Refusal::OutOfRange:
        return u"桁数が大きすぎて計算できません。";
    }
    return {};
}

} // namespace sumiplex::margin
