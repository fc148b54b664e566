// The main window: it assembles its controls, menus and parts, and binds them to the engine.

#include "ui/mainwindow/frm_main.h"

#include "core/engine/engine.h"
#include "core/engine/tape.h"
#include "platform/clock.h"
#include "platform/tape_journal.h"
#include "platform/twips_geometry.h"
#include "platform/window_placement.h"
#include "ui/mainwindow/check_windows.h"
#include "ui/mainwindow/column_paste.h"
#include "ui/mainwindow/companion_windows.h"
#include "ui/mainwindow/frm_tip2.h"
#include "ui/mainwindow/frm_tip3.h"
#include "ui/mainwindow/main_render.h"
#include "ui/mainwindow/main_settings.h"
#include "ui/mainwindow/main_tools.h"
#include "ui/mainwindow/picture_area.h"
#include "ui/mainwindow/tape_keeping.h"
#include "ui/tools/datetime/tool_links.h"
#include "ui/tools/units/dialog_ton.h"
#include "ui/widgets/clickable_label.h"
#include "ui/widgets/stray_key_release_filter.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include <chrono>

namespace sumiplex::ui {

namespace {

constexpr int kStartWidthTwips = 5220;
constexpr int kShortHeightTwips = 5000;
constexpr int kTallHeightTwips = 7000;

std::function<std::chrono::seconds()> timeOfDayFrom(const platform::Clock& clock) {
    return
        [&clock] { return std::chrono::seconds(clock.now().time().msecsSinceStartOfDay() / 1000); };
}

} // namespace

frmMain::frmMain(Services services, QWidget* parent)
    : QMainWindow(parent), m_services(std::move(services)),
      m_tape(std::make_unique<engine::Tape>()),
      m_engine(std::make_unique<engine::Engine>(*m_tape, timeOfDayFrom(m_services.clock))) {
    setObjectName(QStringLiteral("frmMain"));
    m_tip2.setSetUp([this](frmTip2& history) {
        m_settings->dressHistoryWindow(history);
        m_companions->setUpHistory(history, m_paste->pending());
    });
    m_tip3.setSetUp([this](frmTip3& memo) {
        m_settings->dressMemoPad(memo);
        m_companions->setUpMemo(memo);
    });
    // For every window of the program, not only this one: a key that closes a dialog on
    // its press must not come up in the window below.
    qApp->installEventFilter(new StrayKeyReleaseFilter(this));
    setWindowTitle(kMainCaption.toString());
    setAutoFillBackground(true);

    const auto render = [this] { this->render(); };
    const auto giveKeyboard = [this] { giveKeyboardToInputLine(); };
    m_ui.build(*this, *m_engine);
    m_ui.Label4->installEventFilter(this);
    m_tools = std::make_unique<ToolWindows>(*this, *m_ui.Text1, giveKeyboard);
    m_picture = std::make_unique<PictureArea>(*this, m_services, m_ui,
                                              [this] { m_settings->applyAccentColour(); });
    m_picture->build();
    m_menus.build(*this, menuTable());
    m_picture->bindMenus(m_menus);
    m_render = std::make_unique<MainRender>(*this, m_ui, m_menus);
    m_settings = std::make_unique<MainSettings>(*this, m_services, *m_engine, m_ui, m_menus,
                                                *m_picture, m_tip2, m_tip3);
    m_companions =
        std::make_unique<CompanionWindows>(*this, m_services, m_life, *m_engine, *m_tape, *m_tools,
                                           m_tip2, m_tip3, render, giveKeyboard);
    m_checks =
        std::make_unique<CheckWindows>(*this, *m_engine, *m_tape, *m_tools, render, giveKeyboard);
    m_paste = std::make_unique<ColumnPaste>(*this, m_services, *m_engine, render,
                                            [this](std::u16string_view pieces) {
                                                if (m_tip2.exists())
                                                    m_tip2->appendTape(pieces);
                                            });
    m_tapes = std::make_unique<TapeKeeping>(
        *this, m_services, m_life, *m_tape, *m_tools,
        TapeKeeping::Links{
            .takeAmount = [this](const QString& amount) { takeToolResult(amount); },
            .checkEarlier =
                [this](const engine::CalculationAt& calculation) {
                    m_checks->checkEarlierCalculation(calculation);
                },
        });
    m_mainTools = std::make_unique<MainTools>(
        *this, m_services, *m_engine, *m_tape, *m_tools,
        MainTools::Parts{m_ui, *m_picture, *m_settings, *m_companions, m_tip3},
        MainTools::Links{
            .render = render,
            .activate = [this] { activate(); },
            .giveKeyboard = giveKeyboard,
            .replaceInputLine = [this](const QString& text,
                                       InputLineFocus focus) { replaceInputLine(text, focus); },
        });
    connectControls();
    connectTape();

    // A text or CSV file dropped on the window adds its amounts.
    setAcceptDrops(true);
    platform::resizeInTwips(*this, kStartWidthTwips, kShortHeightTwips);
    m_settings->load();
    // The height activation would give, set while the window has no native window yet: a
    // window resized between being mapped and being framed by a window manager is placed
    // by its client area, and would open a title bar higher at every start.
    fitActivationHeight();
    this->render();
    m_ui.Text1->setFocus();
    m_ui.tmrClock->start();
}

frmMain::~frmMain() {
    // The tool windows send to this window's tape and input line: they go first.
    m_tools.reset();
    m_checks->deleteWindows();
    m_tape->removeListener(m_tapeListener);
    // Destroyed without its close event: no one to ask, so lines the journal could not
    // write are kept beside the tapes.
    if (const std::optional<platform::UnsavedTape> lost = m_tapes->unloadJournal())
        m_tapes->keepUnsavedTape(*lost);
    m_ui.tmrClock->stop();
    // The controls forward their last events (focus leaving, for one) while they are
    // destroyed; destroy them while the engine they forward to still exists.
    delete takeCentralWidget();
}

PictureList& frmMain::pictureList() {
    return m_picture->list();
}

frmTip2& frmMain::historyWindow() {
    return *m_tip2;
}

frmTip3& frmMain::memoPad() {
    return *m_tip3;
}

void frmMain::connectTape() {
    // An empty tape has no step to note; the tape only grows, so the first step enables
    // the items for good.
    m_menus.tapeHasSteps(!m_tape->entries().empty());
    m_tape->setClock(
        [this] { return platform::localTime(m_services.clock).time_since_epoch().count(); });
    m_tapeListener = m_tape->addListener(engine::Tape::Listener{
        .recorded =
            [this](const engine::TapeEntry&, std::u16string_view piece) {
                m_menus.tapeHasSteps(true);
                // A history window not built yet shows the whole tape when it is.
                if (!m_paste->collect(piece) && m_tip2.exists())
                    m_tip2->appendTape(piece);
            },
        .noteChanged =
            [this](std::size_t) {
                if (m_tip2.exists())
                    m_tip2->showTape(m_tape->text());
            },
    });
    m_tapes->startJournal();
}

engine::Engine& frmMain::lineEngine() {
    return m_checks->lineEngine();
}

void frmMain::render() {
    m_render->run([this] { renderOnce(); });
}

void frmMain::renderOnce() {
    // While a check is open the input line keys it, and the window shows what is keyed.
    m_checks->takeKeyed();
    engine::Engine& shown = lineEngine();
    const engine::Requests requests = shown.takeRequests();
    m_render->show(shown.view(), m_engine->registers(), requests);
    if (requests.showCashTally)
        m_mainTools->showCashTally();
    if (requests.overflowed)
        m_settings->sayRegisterOverflow(*requests.overflowed, false);
}

void frmMain::openPopup2() {
    // Non-blocking: the chosen item arrives as its own event, like any other command.
    // Opened from the keyboard on a label, it drops from the label; the mouse may be anywhere.
    QMenu& popup = m_menus.menu(MenuId::Popup2);
    const QWidget* focused = focusWidget();
    if (qobject_cast<const ClickableLabel*>(focused) &&
        QApplication::mouseButtons() == Qt::NoButton)
        popup.popup(focused->mapToGlobal(focused->rect().bottomLeft()));
    else
        popup.popup(QCursor::pos());
}

void frmMain::mmnuTon_Click() {
    // Created on first use, it keeps its contents while hidden; once unloaded it is
    // created (and loaded) again.
    DialogTon& ton = m_tools->load<DialogTon>(
        QStringLiteral("DialogTon"), [this] { return new DialogTon(m_services.settings, *this); });
    if (!m_engine->totalValue().isZero())
        ton.takeTotal(m_engine->totalValue());
    m_tools->show(ton, ToolShow::Activate);
}

void frmMain::takeToolResult(const QString& text) {
    replaceInputLine(text, InputLineFocus::TakeFocus);
}

void frmMain::replaceInputLine(const QString& text, InputLineFocus focus) {
    // The engine hears of the new line as of typed text and renders the window.
    m_ui.Text1->setText(text);
    if (focus == InputLineFocus::LeaveFocus)
        return;
    m_ui.Text1->setCursorPosition(static_cast<int>(m_ui.Text1->text().size()));
    activateWindow();
    m_ui.Text1->setFocus(Qt::OtherFocusReason);
}

void frmMain::giveKeyboardToInputLine() {
    if (m_life.unloaded || !isVisible() || isMinimized())
        return;
    // The activation puts the caret at the end of the line; a window already active keeps
    // the caret where the user left it.
    if (QApplication::activeWindow() != this)
        activateWindow();
    m_ui.Text1->setFocus(Qt::OtherFocusReason);
}

void frmMain::activate() {
    setWindowTitle(kMainCaption.toString());
    m_companions->setCaptions();
    m_mainTools->captionUsageGuide();
    fitActivationHeight();
    m_ui.Line4->setVisible(m_picture->pictureHidden());
    lineEngine().activated();
    render();
}

void frmMain::fitActivationHeight() {
    const bool tall = m_picture->calendarShown() || !m_picture->pictureHidden();
    platform::resizeInTwips(*this, -1, tall ? kTallHeightTwips : kShortHeightTwips);
}

} // namespace sumiplex::ui
