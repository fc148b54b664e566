// The tool windows and dialogs as the main window opens them from its menus.
//
// Adding a tool window: derive it from ToolWindow (its place keys in platform/settings_keys.h,
// its object name its own), give the main window's menu table a row for it
// (frm_main_menus.cpp) whose handler opens it here through the ToolWindows registry. The
// registry holds it from then on: a second opening raises it, one after it unloaded builds
// it anew, and the program's end closes it, so its place is stored.

#include "ui/mainwindow/main_tools.h"

#include "core/engine/engine.h"
#include "core/engine/tape.h"
#include "core/tools/datetime/day_span.h"
#include "core/tools/taxrate/summary_printout.h"
#include "platform/clock.h"
#include "ui/dialogs/dialog_font.h"
#include "ui/dialogs/frm_about.h"
#include "ui/dialogs/frm_tip1.h"
#include "ui/dialogs/window_looks.h"
#include "ui/mainwindow/companion_windows.h"
#include "ui/mainwindow/credit.h"
#include "ui/mainwindow/dialog_doll.h"
#include "ui/mainwindow/dialog_tax.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/mainwindow/frm_tip3.h"
#include "ui/mainwindow/main_controls.h"
#include "ui/mainwindow/main_settings.h"
#include "ui/mainwindow/picture_area.h"
#include "ui/print/print_outs.h"
#include "ui/tools/cash/cash_links.h"
#include "ui/tools/cash/dialog_cash.h"
#include "ui/tools/cash/dialog_cash2.h"
#include "ui/tools/datetime/dialog_days.h"
#include "ui/tools/datetime/dialog_time.h"
#include "ui/tools/datetime/tool_links.h"
#include "ui/tools/margin/dialog_margin.h"
#include "ui/tools/taxrate/dialog_zei.h"
#include "ui/widgets/text_list_model.h"
#include "ui/widgets/tool_window_keys.h"

#include <QApplication>
#include <QMainWindow>

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

MainTools::MainTools(QMainWindow& window, const Services& services, engine::Engine& engine,
                     engine::Tape& tape, ToolWindows& tools, Parts parts, Links links)
    : m_window(window), m_services(services), m_engine(engine), m_tape(tape), m_tools(tools),
      m_parts(parts), m_links(std::move(links)) {}

QString MainTools::caption() const {
    return m_window.windowTitle();
}

ToolLinks MainTools::toolLinks() {
    return ToolLinks{
        .clock = m_services.clock,
        .settings = m_services.settings,
        .appendMemo =
            [this](const QString& text) {
                m_parts.memo->appendMemo(text);
                m_parts.companions.showMemo();
            },
        .appendTape =
            [this](std::u16string_view piece) { m_tape.recordTool(std::u16string(piece)); },
        .replaceInputLine = m_links.replaceInputLine,
    };
}

void MainTools::openDaysDialog(datetime::DaysMode mode) {
    DialogDays& days = m_tools.load<DialogDays>(QStringLiteral("DialogDays"),
                                                [this] { return new DialogDays(toolLinks()); });
    const QDate today = m_services.clock.now().date();
    // The calendar starts on today; before it is built, that is its date.
    const QDate calendarDate = m_parts.picture.calendarDate(today);
    std::optional<QString> total;
    if (!m_engine.totalValue().isZero())
        total = QString::fromStdU16String(m_engine.totalValue().toPlainString());
    days.prepare(mode, calendarDate, today, total);
    m_tools.show(days, ToolShow::Activate);
}

void MainTools::openTimeDialog() {
    m_tools.show(m_tools.load<DialogTime>(QStringLiteral("DialogTime"),
                                          [this] { return new DialogTime(toolLinks()); }),
                 ToolShow::Activate);
}

void MainTools::openMarginDialog() {
    DialogMargin& margin = m_tools.load<DialogMargin>(
        QStringLiteral("DialogMargin"), [this] { return new DialogMargin(toolLinks()); });
    m_tools.show(margin, ToolShow::Activate);
    margin.prepare(QString::fromStdU16String(m_engine.totalValue().toPlainString()));
}

void MainTools::openCashDialog() {
    m_engine.refreshTotalCopy();
    m_links.render();
    DialogCash& cash = m_tools.load<DialogCash>(QStringLiteral("DialogCash"), [this] {
        return new DialogCash(linksOf(m_services, *m_parts.memo, m_engine,
                                      [this] { m_parts.companions.showMemo(); }));
    });
    const bool wasActive = cash.isVisible() && QApplication::activeWindow() == &cash;
    m_tools.show(cash, ToolShow::Activate);
    // Already the active window, it hears of no activation; the menu still reads the
    // main window afresh.
    if (wasActive)
        cash.Form_Activate();
}

void MainTools::showCashTally() {
    DialogCash2& tally = m_tools.load<DialogCash2>(QStringLiteral("DialogCash2"), [this] {
        return new DialogCash2(linksOf(m_services, *m_parts.memo, m_engine,
                                       [this] { m_parts.companions.showMemo(); }));
    });
    tally.fill(m_engine.cashCounts());
    m_tools.show(tally, ToolShow::Activate);
}

void MainTools::openZeiDialog() {
    // Built once and only hidden when closed, so the rate marks stay with the amounts.
    DialogZei& zei = m_tools.load<DialogZei>(QStringLiteral("DialogZei"), [this] {
        return new DialogZei(
            toolLinks(),
            ZeiSource{.amounts = m_engine.view().amounts,
                      .amountsModel = *m_parts.ui.list3Model,
                      .taxRule = [this] { return m_engine.taxRule(); },
                      .print =
                          [this](QWidget* parent, const taxrate::RateSummary& summary) {
                              printTaxSummary(parent, summary);
                          }},
            &m_window);
    });
    m_tools.show(zei, ToolShow::Activate);
}

void MainTools::printTaxSummary(QWidget* parent, const taxrate::RateSummary& summary) {
    const QDate today = m_services.clock.now().date();
    const QString date =
        QStringLiteral("%1年%2月%3日").arg(today.year()).arg(today.month()).arg(today.day());
    (void)ui::printTaxSummary(parent, printServices(m_services),
                              taxrate::summaryPrintout(summary, date.toStdU16String()));
}

void MainTools::openTaxDialog() {
    DialogTax dialog(m_engine.taxRate(), m_engine.taxRule(), &m_window);
    dialog.exec();
    m_engine.setTaxRate(dialog.rate());
    m_engine.setTaxRule(dialog.rule());
    m_engine.refreshTaxLines();
    m_links.render();
    // The tax by rate window rounds by the same rule and must not go on showing the old one.
    if (auto* zei = m_tools.find<DialogZei>(QStringLiteral("DialogZei")))
        zei->taxRuleChanged();
}

void MainTools::openExchangeRateDialog() {
    DialogDoll dialog(m_engine.exchangeRate(), &m_window);
    dialog.exec();
    m_engine.setExchangeRate(dialog.rate());
    // Closing the modal dialog hands the activation back to the main window, which carries
    // the rate into the rate box and the status bar.
    m_links.activate();
}

void MainTools::mnuViewOptions_Click() {
    DialogFont dialog(
        m_parts.settings.currentLooks(), caption(), m_services.pickers,
        [this](const WindowLooks& looks) {
            m_parts.settings.applyLooks(looks);
            m_links.render();
        },
        &m_window);
    dialog.exec();
}

void MainTools::mnuTip_Click() {
    const QString name = QStringLiteral("frmTip1");
    const bool opened = m_tools.find<frmTip1>(name) != nullptr;
    frmTip1& guide = m_tools.load<frmTip1>(name, [this, name] {
        auto* built = new frmTip1;
        // A guide on its way out is no longer the one to show.
        QObject::connect(built, &frmTip1::unloaded, &m_window,
                         [this, name] { m_tools.forget(name); });
        return built;
    });
    // The guide reads as it would after the main window's next activation.
    if (!opened)
        captionUsageGuide();
    m_tools.show(guide, ToolShow::Activate);
}

void MainTools::mnuHelpAbout_Click() {
    frmAbout about(caption(), m_services.shell, m_services.messages, &m_window);
    about.exec();
    m_links.giveKeyboard();
}

void MainTools::captionUsageGuide() {
    frmTip1* guide = m_tools.find<frmTip1>(QStringLiteral("frmTip1"));
    if (guide == nullptr)
        return;
    guide->setWindowTitle(QStringLiteral("　") + caption() + QStringLiteral("　基本的な使い方"));
    guide->setCredit(kCredit);
}

} // namespace sumiplex::ui
