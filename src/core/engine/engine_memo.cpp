#include "core/engine/engine.h"

#include "core/engine/engine_text.h"

namespace sumiplex::engine {

std::optional<std::u16string> Engine::Command2_Click() {
    if (!m_view.command2Enabled)
        return std::nullopt;
    // One paste per change of the line: a second press would paste the same number again.
    m_view.command2Enabled = false;
    return m_view.text1.empty() ? m_view.label1 : m_view.text1;
}

std::optional<std::u16string> Engine::totalMemoLine() {
    if (m_totalValue.isZero())
        return std::nullopt;
    return concat(kTotalWord, shownTotal());
}

void Engine::setInputFontBold(bool bold) {
    m_view.text1Bold = bold;
}

} // namespace sumiplex::engine
