#include "core/engine/registers.h"

namespace sumiplex::engine {

namespace {

std::u16string indicator(std::u16string_view word, const Decimal& value) {
    if (value.isZero())
        return {};
    std::u16string text(word);
    text += FormatAmount(value);
    return text;
}

Decimal storedValue(std::u16string_view text) {
    return Decimal::parse(text).value_or(Decimal{});
}

} // namespace

bool Registers::addToGrandTotal(const Decimal& total) {
    if (total.isZero())
        return true;
    const auto sum = m_grandTotal.add(total);
    if (!sum)
        return false;
    m_grandTotal = *sum;
    return true;
}

bool Registers::addToMemory(const Decimal& amount) {
    const auto sum = m_memory.add(amount);
    if (!sum)
        return false;
    m_memory = *sum;
    return true;
}

bool Registers::subtractFromMemory(const Decimal& amount) {
    const auto difference = m_memory.sub(amount);
    if (!difference)
        return false;
    m_memory = *difference;
    return true;
}

std::u16string Registers::grandTotalIndicator() const {
    return indicator(u"GT ", m_grandTotal);
}

std::u16string Registers::memoryIndicator() const {
    return indicator(u"M ", m_memory);
}

void Registers::restore(std::u16string_view grandTotal, std::u16string_view memory) {
    m_grandTotal = storedValue(grandTotal);
    m_memory = storedValue(memory);
}

} // namespace sumiplex::engine
