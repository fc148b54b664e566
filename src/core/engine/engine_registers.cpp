// The grand total and the independent memory, as the main window's menus reach them.

#include "core/engine/engine.h"

namespace sumiplex::engine {

void Engine::addTotalToGrandTotal() {
    if (!m_registers.addToGrandTotal(m_totalValue))
        m_requests.overflowed = RegisterKind::GrandTotal;
}

void Engine::recallGrandTotal() {
    writeRegisterLine(u'G', m_registers.grandTotal());
    recallIntoLine(m_registers.grandTotal());
}

void Engine::clearGrandTotal() {
    m_registers.clearGrandTotal();
    requestFocus(FocusTarget::Text1);
}

void Engine::addToMemory() {
    if (m_registers.addToMemory(m_totalValue))
        writeRegisterLine(u'+', m_totalValue);
    else
        m_requests.overflowed = RegisterKind::Memory;
    requestFocus(FocusTarget::Text1);
}

void Engine::subtractFromMemory() {
    if (m_registers.subtractFromMemory(m_totalValue))
        writeRegisterLine(u'-', m_totalValue);
    else
        m_requests.overflowed = RegisterKind::Memory;
    requestFocus(FocusTarget::Text1);
}

void Engine::recallMemory() {
    recallIntoLine(m_registers.memory());
}

void Engine::clearMemory() {
    m_registers.clearMemory();
    requestFocus(FocusTarget::Text1);
}

void Engine::writeRegisterLine(char16_t op, const Decimal& amount) {
    TapeEntry entry = entryOf(EntryKind::Register);
    entry.op = op;
    entry.value = amount;
    record(std::move(entry));
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
