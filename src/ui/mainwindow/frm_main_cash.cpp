// The denomination breakdown and the cash tally as the main window opens them.

#include "core/engine/engine.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/mainwindow/frm_tip3.h"
#include "ui/print/print_outs.h"
#include "ui/tools/cash/cash_links.h"
#include "ui/tools/cash/dialog_cash.h"
#include "ui/tools/cash/dialog_cash2.h"

#include <QAction>
#include <QApplication>

#include <utility>

namespace sumiplex::ui {

namespace {

CashLinks linksOf(const Services& services, frmTip3& memo, engine::Engine& engine,
                  std::function<void()> showMemo) {
    platform::SettingsStore& settings = services.settings;
    return CashLinks{
        .settings = settings,
        .appendMemo =
            [&memo, showMemo = std::move(showMemo)](const QString& text) {
                memo.appendMemo(text);
                showMemo();
            },
        .entries = [&engine] { return engine.view().amounts; },
        .mainTotal = [&engine] { return engine.view().totalCopy; },
        .print =
            [&services](QWidget* parent, const cash::DenominationPrintout& table) {
                (void)printDenominationTable(parent, services, table);
            },
    };
}

} // namespace

void frmMain::connectCashTools() {
    connect(mnuCash, &QAction::triggered, this, &frmMain::openCashDialog);
    connect(mnuPopCash, &QAction::triggered, this, &frmMain::openCashDialog);
    connect(mnuCashTotal, &QAction::triggered, this, [this] {
        m_engine->mnuCashTotal_Click();
        render();
    });
}

void frmMain::openCashDialog() {
    m_engine->mnuCash_Click();
    render();
    // A closed window is built anew, so each opening starts as the first one did.
    if (m_cash && m_cash->isUnloaded())
        m_cash.reset();
    if (!m_cash)
        m_cash = std::make_unique<DialogCash>(
            linksOf(m_services, *m_tip3, *m_engine, [this] { showMemo(); }));
    const bool wasActive = m_cash->isVisible() && QApplication::activeWindow() == m_cash.get();
    showToolWindow(*m_cash, ToolShow::Activate);
    // Already the active window, it hears of no activation; the menu still reads the
    // main window afresh.
    if (wasActive)
        m_cash->Form_Activate();
}

void frmMain::showCashTally() {
    if (m_cash2 && m_cash2->isUnloaded())
        m_cash2.reset();
    if (!m_cash2)
        m_cash2 = std::make_unique<DialogCash2>(
            linksOf(m_services, *m_tip3, *m_engine, [this] { showMemo(); }));
    m_cash2->fill(m_engine->cashCounts());
    showToolWindow(*m_cash2, ToolShow::Activate);
}

void frmMain::unloadCashTools() {
    for (QWidget* tool :
         {static_cast<QWidget*>(m_cash2.get()), static_cast<QWidget*>(m_cash.get())})
        if (tool)
            tool->close();
}

} // namespace sumiplex::ui
