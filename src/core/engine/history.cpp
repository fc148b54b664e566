#include "core/engine/history.h"

#include <algorithm>
#include <climits>

namespace sumiplex::engine {

void History::record(std::u16string_view plainTotal) {
    m_totals.push_back(plainTotal);
    m_position = static_cast<std::int32_t>(std::min<std::size_t>(m_totals.size(), INT32_MAX));
}

void History::replaceLast(std::u16string_view plainTotal) {
    if (m_totals.empty())
        return record(plainTotal);
    m_totals.replaceBack(plainTotal);
}

std::optional<Decimal> History::undoTarget() const {
    if (m_pasteRun)
        return m_pasteRun->total;
    if (m_undoValue.isZero() && !m_undoesCorrection)
        return std::nullopt;
    return m_undoValue;
}

std::optional<Decimal> History::back() {
    --m_position;
    return itemAtPosition();
}

std::optional<Decimal> History::forward() {
    ++m_position;
    return itemAtPosition();
}

bool History::atLast() const {
    return static_cast<std::size_t>(std::max(m_position, 0)) >= m_totals.size();
}

std::optional<Decimal> History::itemAtPosition() const {
    if (m_position < 1 || static_cast<std::size_t>(m_position) > m_totals.size())
        return std::nullopt;
    return Decimal::parse(m_totals[static_cast<std::size_t>(m_position) - 1]);
}

} // namespace sumiplex::engine
