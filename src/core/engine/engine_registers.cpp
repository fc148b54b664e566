// The grand total and the independent memory, as the main window's menus reach them.

#include "core/engine/engine.h"

namespace sumiplex::engine {

void Engine::addTotalToGrandTotal() {
    if (!m_registers.addToGrandTotal(m_totalValue))
        m_requests.overflowed = RegisterKind::GrandTotal;
}

void Engine::mnuGT_Click() {
    writeRegisterLine(u'G', m_registers.grandTotal());
    recallIntoLine(m_registers.grandTotal());
}

void Engine::mnuGTClear_Click() {
    m_registers.clearGrandTotal();
    requestFocus(FocusTarget::Text1);
}

void Engine::mnuMemPlus_Click() {
    if (m_registers.addToMemory(m_totalValue))
        writeRegisterLine(u'+', m_totalValue);
    else
        m_requests.overflowed = RegisterKind::Memory;
    requestFocus(FocusTarget::Text1);
}

void Engine::mnuMemMinus_Click() {
    if (m_registers.subtractFromMemory(m_totalValue))
        writeRegisterLine(u'-', m_totalValue);
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
