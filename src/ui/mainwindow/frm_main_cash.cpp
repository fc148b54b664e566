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
    connect(mnuCashTotal, &QAction::triggered, this, [this] {
        m_engine->startCashTally();
        render();
    });
}

void frmMain::openCashDialog() {
    m_engine->refreshTotalCopy();
    render();
    DialogCash& cash = m_tools->load<DialogCash>(QStringLiteral("DialogCash"), [this] {
        return new DialogCash(linksOf(m_services, *m_tip3, *m_engine, [this] { showMemo(); }));
    });
    const bool wasActive = cash.isVisible() && QApplication::activeWindow() == &cash;
    m_tools->show(cash, ToolShow::Activate);
    // Already the active window, it hears of no activation; the menu still reads the
    // main window afresh.
    if (wasActive)
        cash.Form_Activate();
}

void frmMain::showCashTally() {
    DialogCash2& tally = m_tools->load<DialogCash2>(QStringLiteral("DialogCash2"), [this] {
        return new DialogCash2(linksOf(m_services, *m_tip3, *m_engine, [this] { showMemo(); }));
    });
    tally.fill(m_engine->cashCounts());
    m_tools->show(tally, ToolShow::Activate);
}

} // namespace sumiplex::ui
