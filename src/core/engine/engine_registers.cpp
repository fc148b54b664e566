// The grand total and the independent memory, as the main window's menus reach them.

#include "core/engine/engine.h"

#include "core/engine/engine_text.h"

namespace sumiplex::engine {

void Engine::addTotalToGrandTotal() {
    if (!m_registers.addToGrandTotal(m_totalValue))
        m_requests.overflowed = RegisterKind::GrandTotal;
}

void Engine::mnuGT_Click() {
    writeRegisterLine(u"GT", m_registers.grandTotal());
    recallIntoLine(m_registers.grandTotal());
}

void Engine::mnuGTClear_Click() {
    m_registers.clearGrandTotal();
    requestFocus(FocusTarget::Text1);
}

void Engine::mnuMemPlus_Click() {
    if (m_registers.addToMemory(m_totalValue))
        writeRegisterLine(u"M+", m_totalValue);
    else
        m_requests.overflowed = RegisterKind::Memory;
    requestFocus(FocusTarget::Text1);
}

void Engine::mnuMemMinus_Click() {
    // The tape's word is written with an ASCII hyphen, as every other tape word is.
    if (m_registers.subtractFromMemory(m_totalValue))
        writeRegisterLine(u"M-", m_totalValue);
    else
        m_requests.overflowed = RegisterKind::Memory;
    requestFocus(FocusTarget::Text1);
}

void Engine::mnuMemRecall_Click() {
    recallIntoLine(m_registers.memory());
}

void Engine::mnuMemClear_Click() {
    m_registers.clearMemory();
    requestFocus(FocusTarget::Text1);
}

void Engine::writeRegisterLine(std::u16string_view word, const Decimal& amount) {
    appendTapeJoined(kIndent, word, u" ", FormatAmount(amount), kLineEnd);
}

void Engine::recallIntoLine(const Decimal& value) {
    // A four-digit reading copy in the line would be cleared by the next key release.
    restoreInputFont();
    assignLine(value.toPlainString());
    // The number is there to be carried on with: the next key goes after it.
    caretToEndOfLine();
    requestFocus(FocusTarget::Text1);
}

} // namespace sumiplex::engine
