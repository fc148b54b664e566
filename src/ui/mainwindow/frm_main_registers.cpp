// The grand total and the memory as the main window's menus and status bar show them.

#include "core/engine/engine.h"
#include "platform/dialogs.h"
#include "platform/settings_keys.h"
#include "ui/mainwindow/frm_main.h"

#include <QAction>
#include <QLabel>

namespace sumiplex::ui {

void frmMain::connectRegisterTools() {
    const auto onTrigger = [this](QAction* action, void (engine::Engine::*handler)()) {
        connect(action, &QAction::triggered, this, [this, handler] {
            ((*m_engine).*handler)();
            render();
        });
    };
    onTrigger(mnuGT, &engine::Engine::recallGrandTotal);
    onTrigger(mnuGTClear, &engine::Engine::clearGrandTotal);
    onTrigger(mnuMemPlus, &engine::Engine::addToMemory);
    onTrigger(mnuMemMinus, &engine::Engine::subtractFromMemory);
    onTrigger(mnuMemRecall, &engine::Engine::recallMemory);
    onTrigger(mnuMemClear, &engine::Engine::clearMemory);
}

void frmMain::loadRegisters() {
    const platform::SettingsStore& store = m_services.settings;
    m_engine->restoreRegisters(readSetting(store, platform::kGrandTotal).toStdU16String(),
                               readSetting(store, platform::kMemoryValue).toStdU16String());
}

void frmMain::saveRegisters() {
    m_engine->addTotalToGrandTotal();
    if (m_engine->takeRequests().overflowed && !m_endingQuietly)
        sayRegisterOverflow(engine::RegisterKind::GrandTotal, true);
    const engine::Registers& registers = m_engine->registers();
    platform::SettingsStore& store = m_services.settings;
    store.write(platform::kGrandTotal,
                QString::fromStdU16String(registers.grandTotal().toPlainString()));
    store.write(platform::kMemoryValue,
                QString::fromStdU16String(registers.memory().toPlainString()));
}

void frmMain::renderRegisters() {
    const engine::Registers& registers = m_engine->registers();
    const auto show = [](QLabel* panel, const std::u16string& text) {
        const QString value = QString::fromStdU16String(text);
        if (panel->text() != value)
            panel->setText(value);
        if (panel->isHidden() != value.isEmpty())
            panel->setVisible(!value.isEmpty());
    };
    show(sbPanelGT, registers.grandTotalIndicator());
    show(sbPanelMemory, registers.memoryIndicator());
}

void frmMain::sayRegisterOverflow(engine::RegisterKind kind, bool blocking) {
    const QString text =
        kind == engine::RegisterKind::GrandTotal
            ? QStringLiteral("GTが計算できる桁数を超えるため、この合計はGTに加えていません。")
            : QStringLiteral("メモリーが計算できる桁数を超えるため、メモリーは変わりません。");
    // At the end the program waits for the answer; while it runs, typing goes on.
    if (blocking)
        m_services.messages.warning(this, text, mainCaption());
    else
        m_services.messages.notice(this, text, mainCaption());
}

} // namespace sumiplex::ui
