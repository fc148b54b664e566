#include "core/engine/engine.h"

#include "core/engine/engine_text.h"

namespace sumiplex::engine {

std::optional<std::u16string> Engine::Command2_Click() {
    if (!m_view.buttons.memo)
        return std::nullopt;
    // One paste per change of the line: a second press would paste the same number again.
    m_view.buttons.memo = false;
    return m_view.input.text.empty() ? m_view.total.caption : m_view.input.text;
}

std::optional<std::u16string> Engine::totalMemoLine() {
    if (m_totalValue.isZero())
        return std::nullopt;
    return concat(kTotalWord, shownTotal());
}

void Engine::setInputFontBold(bool bold) {
    m_view.input.bold = bold;
}

} // namespace sumiplex::engine
