#include "ui/mainwindow/frm_main.h"

#include "core/engine/engine.h"
#include "core/engine/tape.h"
#include "core/settings/values.h"
#include "platform/clock.h"
#include "platform/settings_keys.h"
#include "platform/tape_journal.h"
#include "platform/twips_geometry.h"
#include "platform/window_placement.h"
#include "ui/dialogs/frm_tip1.h"
#include "ui/mainwindow/credit.h"
#include "ui/mainwindow/dialog_doll.h"
#include "ui/mainwindow/dialog_tax.h"
#include "ui/mainwindow/frm_tip2.h"
#include "ui/mainwindow/frm_tip3.h"
#include "ui/picture/picture_list.h"
#include "ui/tools/cash/dialog_cash.h"
#include "ui/tools/cash/dialog_cash2.h"
#include "ui/tools/datetime/dialog_days.h"
#include "ui/tools/datetime/dialog_time.h"
#include "ui/tools/datetime/tool_links.h"
#include "ui/tools/margin/dialog_margin.h"
#include "ui/tools/units/dialog_ton.h"
#include "ui/widgets/clickable_label.h"
#include "ui/widgets/stray_key_release_filter.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QCursor>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>

#include <chrono>

namespace sumiplex::ui {

namespace {

using sumiplex::engine::Key;
using sumiplex::engine::MouseButton;
using sumiplex::engine::RoundMode;

const QString kMainCaption = QStringLiteral("電卓");
constexpr int kStartWidthTwips = 5220;
constexpr int kShortHeightTwips = 5000;
constexpr int kTallHeightTwips = 7000;

std::function<std::chrono::seconds()> timeOfDayFrom(const platform::Clock& clock) {
    return
        [&clock] { return std::chrono::seconds(clock.now().time().msecsSinceStartOfDay() / 1000); };
}

bool isEnterKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

Key engineKey(const QKeyEvent& event) {
    if (isEnterKey(event.key()))
        return Key::Enter;
    if (event.key() == Qt::Key_Space)
        return Key::Space;
    return Key::Other;
}

bool isReleaseOfKey(const QEvent* event) {
    return event->type() == QEvent::KeyRelease &&
           !static_cast<const QKeyEvent*>(event)->isAutoRepeat();
}

// Focus that leaves for a menu comes back to the same control; only a move to another
// control or window counts as leaving.
bool isLeavingFocus(const QEvent* event) {
    if (event->type() != QEvent::FocusOut)
        return false;
    const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason != Qt::PopupFocusReason && reason != Qt::MenuBarFocusReason;
}

enum class EditCommand { Undo, Cut, Copy, Paste };

template <typename Edit> void runEdit(Edit* edit, EditCommand command) {
    switch (command) {
    case EditCommand::Undo:
        edit->undo();
        break;
    case EditCommand::Cut:
        edit->cut();
        break;
    case EditCommand::Copy:
        edit->copy();
        break;
    case EditCommand::Paste:
        edit->paste();
        break;
    }
}

// The edit menu acts on whichever text control has the keyboard focus.
void runOnFocusedEdit(EditCommand command) {
    QWidget* focused = QApplication::focusWidget();
    if (auto* line = qobject_cast<QLineEdit*>(focused))
        runEdit(line, command);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(focused))
        runEdit(plain, command);
    else if (auto* rich = qobject_cast<QTextEdit*>(focused))
        runEdit(rich, command);
}

} // namespace

frmMain::frmMain(Services services, QWidget* parent)
    : QMainWindow(parent), m_services(std::move(services)),
      m_tape(std::make_unique<engine::Tape>()),
      m_engine(std::make_unique<engine::Engine>(*m_tape, timeOfDayFrom(m_services.clock))),
      m_pictures(std::make_unique<PictureList>()),
      m_backColour(platform::kMeBackColorRead.defaultValue),
      m_lineColour(platform::kLin1.defaultValue), m_totalColour(platform::kLabel1c.defaultValue) {
    setObjectName(QStringLiteral("frmMain"));
    m_tip2.setSetUp([this](frmTip2& history) { setUpHistoryWindow(history); });
    m_tip3.setSetUp([this](frmTip3& memo) { setUpMemoPad(memo); });
    // For every window of the program, not only this one: a key that closes a dialog on
    // its press must not come up in the window below.
    qApp->installEventFilter(new StrayKeyReleaseFilter(this));
    setWindowTitle(kMainCaption);
    setAutoFillBackground(true);

    buildControls();
    m_tools = std::make_unique<ToolWindows>(*this, *Text1, [this] { giveKeyboardToInputLine(); });
    buildPictureArea();
    buildMenus();
    connectControls();
    connectMenus();
    connectFeatures();
    connectOptionsMenus();
    connectToolWindows();
    connectCashTools();
    connectRegisterTools();
    connectNotes();
    connectCheck();

    m_tape->setClock(
        [this] { return platform::localTime(m_services.clock).time_since_epoch().count(); });
    m_tapeListener = m_tape->addListener(engine::Tape::Listener{
        .recorded =
            [this](const engine::TapeEntry&, std::u16string_view piece) {
                // A history window not built yet shows the whole tape when it is.
                if (m_tapeBatch)
                    m_tapeBatch->append(piece);
                else if (m_tip2.exists())
                    m_tip2->appendTape(piece);
            },
        .noteChanged =
            [this](std::size_t) {
                if (m_tip2.exists())
                    m_tip2->showTape(m_tape->text());
            },
    });
    startTapeJournal();

    // A text or CSV file dropped on the window adds its amounts.
    setAcceptDrops(true);
    resizeToTwips(kStartWidthTwips, kShortHeightTwips);
    loadSettings();
    // The height activation would give, set while the window has no native window yet: a
    // window resized between being mapped and being framed by a window manager is placed
    // by its client area, and would open a title bar higher at every start.
    fitActivationHeight();
    render();
    Text1->setFocus();
    tmrClock->start();
}

frmMain::~frmMain() {
    // The tool windows send to this window's tape and input line: they go first.
    m_tools.reset();
    deleteCheckWindows();
    m_tape->removeListener(m_tapeListener);
    m_tape->removeListener(m_noteListener);
    // Destroyed without its close event: no one to ask, so lines the journal could not
    // write are kept beside the tapes.
    if (const std::optional<platform::UnsavedTape> lost = unloadTapes())
        keepUnsavedTape(*lost);
    tmrClock->stop();
    // The controls forward their last events (focus leaving, for one) while they are
    // destroyed; destroy them while the engine they forward to still exists.
    delete takeCentralWidget();
}

void frmMain::connectControls() {
    for (QWidget* filtered :
         {static_cast<QWidget*>(Text1), static_cast<QWidget*>(Text2), static_cast<QWidget*>(Text3)})
        filtered->installEventFilter(this);

    connect(Text1, &QLineEdit::textChanged, this, [this](const QString& text) {
        lineEngine().typed(text.toStdU16String(), Text1->cursorPosition());
        render();
    });
    connect(Text2, &QLineEdit::textChanged, this, [this](const QString& text) {
        lineEngine().rateTyped(text.toStdU16String(), Text2->cursorPosition());
        render();
    });
    connect(Text3, &QLineEdit::textChanged, this, [this](const QString& text) {
        lineEngine().placeTyped(text.toStdU16String(), Text3->cursorPosition());
        render();
    });

    const auto onClick = [this](QPushButton* b, void (engine::Engine::*handler)()) {
        connect(b, &QPushButton::clicked, this, [this, handler] {
            (lineEngine().*handler)();
            render();
        });
    };
    onClick(Command1, &engine::Engine::allClear);
    onClick(Command4, &engine::Engine::back);
    onClick(Command5, &engine::Engine::forward);
    onClick(Command6, &engine::Engine::convertToYen);
    onClick(Command7, &engine::Engine::convertToDollars);
    connect(Command3, &QPushButton::clicked, this, &frmMain::showHistory);

    connect(Label1, &ClickableLabel::pressed, this, [this](Qt::MouseButton button) {
        const bool popup = lineEngine().totalPressed(button == Qt::RightButton ? MouseButton::Right
                                                                               : MouseButton::Left);
        render();
        if (popup)
            openPopup2();
    });
    connect(Label1, &ClickableLabel::clicked, this, [this] {
        lineEngine().toggleTotalInLine();
        render();
    });
    connect(Label4, &ClickableLabel::clicked, this, [this] {
        openPopup2();
        lineEngine().hidePlaceEditor();
        render();
    });
    const auto onLabel = [this](ClickableLabel* label, void (engine::Engine::*handler)()) {
        connect(label, &ClickableLabel::clicked, this, [this, handler] {
            (lineEngine().*handler)();
            render();
        });
    };
    onLabel(Label2, &engine::Engine::copyTaxAdded);
    onLabel(Label3, &engine::Engine::copyTaxContained);
    onLabel(Label7, &engine::Engine::toggleFourDigit);
    onLabel(Label6, &engine::Engine::showClock);

    connect(tmrClock, &QTimer::timeout, this, [this] {
        lineEngine().clockTick();
        render();
    });
}

void frmMain::connectMenus() {
    const auto onTrigger = [this](QAction* action, auto handler) {
        connect(action, &QAction::triggered, this, [this, handler] {
            handler();
            render();
        });
    };
    onTrigger(mnuPopUndo, [this] { lineEngine().undo(); });
    onTrigger(mnuPopFix, [this] { lineEngine().roundTotal(RoundMode::Down); });
    onTrigger(mnuPopu, [this] { lineEngine().roundTotal(RoundMode::Up); });
    onTrigger(mnuPopB, [this] { lineEngine().roundTotal(RoundMode::HalfAwayFromZero); });
    onTrigger(mnuPopDcl, [this] { lineEngine().showPlaceEditor(); });
    onTrigger(mnuFix, [this] { lineEngine().showPlaceEditor(); });
    onTrigger(mnuOku, [this] { lineEngine().toggleFourDigit(); });
    onTrigger(mnuJapan, [this] { lineEngine().toggleFourDigit(); });
    onTrigger(mnuTax, [this] { lineEngine().toggleTaxLines(); });
    onTrigger(mnuYen, [this] { lineEngine().convertToYen(); });
    onTrigger(mnuDoller, [this] { lineEngine().convertToDollars(); });

    const auto onEdit = [this](QAction* action, EditCommand command) {
        connect(action, &QAction::triggered, this, [this, command] {
            if (command == EditCommand::Paste && QApplication::focusWidget() == Text1 &&
                pasteColumnFrom(QClipboard::Clipboard))
                return;
            runOnFocusedEdit(command);
        });
    };
    onEdit(mnuEditUndo, EditCommand::Undo);
    onEdit(mnuEditCut, EditCommand::Cut);
    onEdit(mnuEditCopy, EditCommand::Copy);
    onEdit(mnuEditPaste, EditCommand::Paste);

    connect(mnuTaxRate, &QAction::triggered, this, &frmMain::openTaxDialog);
    connect(mnuDoll, &QAction::triggered, this, &frmMain::openExchangeRateDialog);
    connect(mnuRireki, &QAction::triggered, this, &frmMain::showHistory);
    connect(mnuFileExit, &QAction::triggered, this, &QWidget::close);
}

void frmMain::openPopup2() {
    // Non-blocking: the chosen item arrives as its own event, like any other command.
    // Opened from the keyboard on a label, it drops from the label; the mouse may be anywhere.
    const QWidget* focused = focusWidget();
    if (qobject_cast<const ClickableLabel*>(focused) &&
        QApplication::mouseButtons() == Qt::NoButton)
        mnuPopup2->popup(focused->mapToGlobal(focused->rect().bottomLeft()));
    else
        mnuPopup2->popup(QCursor::pos());
}

void frmMain::showHistory() {
    m_tools->show(*m_tip2, ToolShow::Quietly);
}

void frmMain::openTaxDialog() {
    DialogTax dialog(m_engine->taxRate(), m_engine->taxRule(), this);
    dialog.exec();
    m_engine->setTaxRate(dialog.rate());
    m_engine->setTaxRule(dialog.rule());
    m_engine->refreshTaxLines();
    render();
    taxRuleChangedForZei();
}

void frmMain::openExchangeRateDialog() {
    DialogDoll dialog(m_engine->exchangeRate(), this);
    dialog.exec();
    m_engine->setExchangeRate(dialog.rate());
    // Closing the modal dialog hands the activation back to this window, which carries the
    // rate into the rate box and the status bar.
    activate();
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

bool frmMain::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        activate();
        // Placed before it had a frame or its height, the window may reach past the
        // screen's edge by what the window manager and the activation have added since; it
        // is moved in once, never again, so a window the user pushes half off the screen
        // stays there.
        if (!m_keptOnScreen) {
            m_keptOnScreen = true;
            platform::keepOnScreen(*this);
        }
    }
    return QMainWindow::event(event);
}

void frmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // A window shown for the first time counts as activated even where no window manager
    // hands it the focus (a bare X server, the offscreen platform).
    if (!m_shownOnce) {
        m_shownOnce = true;
        activate();
        QTimer::singleShot(0, this, &frmMain::ensureCalendar);
        QTimer::singleShot(0, this, &frmMain::tapeHousekeeping);
        QTimer::singleShot(0, this, &frmMain::announceKeptFiles);
        // Hidden until asked for, so built once the window is on the screen; built by then,
        // the history window takes each later line as it comes.
        QTimer::singleShot(0, this, [this] {
            (void)m_tip2.get();
            (void)m_tip3.get();
        });
    }
}

void frmMain::activate() {
    setWindowTitle(kMainCaption);
    if (m_tip2.exists())
        setCompanionCaptions(*m_tip2);
    if (m_tip3.exists())
        setCompanionCaptions(*m_tip3);
    captionUsageGuide();
    fitActivationHeight();
    Line4->setVisible(Image1->isHidden());
    lineEngine().activated();
    render();
}

frmTip2& frmMain::historyWindow() {
    return *m_tip2;
}

frmTip3& frmMain::memoPad() {
    return *m_tip3;
}

void frmMain::setCompanionCaptions(frmTip2& history) {
    history.setWindowTitle(QStringLiteral("　") + kMainCaption + QStringLiteral("　計算履歴"));
    history.setCredit(kCredit);
}

void frmMain::setCompanionCaptions(frmTip3& memo) {
    memo.setWindowTitle(QStringLiteral("　") + kMainCaption + QStringLiteral("　メモ帳"));
    memo.setCredit(kCredit);
}

void frmMain::fitActivationHeight() {
    const bool tall = calendarShown() || !Image1->isHidden();
    platform::resizeInTwips(*this, -1, tall ? kTallHeightTwips : kShortHeightTwips);
}

// The line edits take Ctrl+E and Ctrl+K as their own editing keys on X11 (end of line,
// delete to the end); in this window they open the age and unit windows, as the menus say.
// The edit keys (cut, copy, paste) stay with the line edit, which does the same as the menu.
bool frmMain::isMenuShortcut(const QKeyEvent& key) const {
    // A character typed without Ctrl, Alt or Meta is never a menu's shortcut: every digit
    // typed would otherwise walk the menus.
    const Qt::KeyboardModifiers commandModifiers =
        key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (commandModifiers == Qt::NoModifier && key.key() < Qt::Key_Escape)
        return false;
    const QKeySequence pressed(key.keyCombination());
    for (const QAction* action : findChildren<QAction*>()) {
        if (action->shortcut() != pressed || !action->isEnabled())
            continue;
        return action != mnuEditCut && action != mnuEditCopy && action != mnuEditPaste;
    }
    return false;
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    // Left unaccepted, the override lets the menu's shortcut run.
    if (event->type() == QEvent::ShortcutOverride &&
        isMenuShortcut(*static_cast<QKeyEvent*>(event)))
        return true;
    if (watched == Image1)
        return filterImage1(event);
    if (watched == Label4) {
        if (event->type() == QEvent::FontChange)
            placeDecimalPlaceBox();
        return false;
    }
    // Enter is acted on when the key is released; its press is swallowed so no control
    // takes it as a command of its own.
    if (event->type() == QEvent::KeyPress && isEnterKey(static_cast<QKeyEvent*>(event)->key()))
        return true;
    if (watched == Text1)
        return filterText1(event);
    if (watched == Text3)
        return filterText3(event);
    return false;
}

bool frmMain::filterText1(QEvent* event) {
    // A column pasted or dropped into the line is added amount by amount; a single line is
    // left to the line edit.
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste))
        return pasteColumnFrom(QClipboard::Clipboard);
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton &&
        QApplication::clipboard()->supportsSelection())
        return pasteColumnFrom(QClipboard::Selection);
    if (filterFileDrag(event))
        return true;
    if (isReleaseOfKey(event)) {
        lineEngine().keyReleased(engineKey(*static_cast<QKeyEvent*>(event)));
        render();
    } else if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            Text1->rect().contains(mouse->position().toPoint())) {
            lineEngine().lineClicked();
            render();
        }
    } else if (event->type() == QEvent::MouseButtonDblClick) {
        lineEngine().clearLine();
        render();
        return true;
    } else if (isLeavingFocus(event)) {
        lineEngine().refreshTotalCopy();
        render();
    }
    return false;
}

bool frmMain::filterText3(QEvent* event) {
    if (isReleaseOfKey(event)) {
        lineEngine().placeKeyReleased(engineKey(*static_cast<QKeyEvent*>(event)));
        render();
    } else if (isLeavingFocus(event)) {
        lineEngine().placeLeft();
        render();
    }
    return false;
}

void frmMain::closeEvent(QCloseEvent* event) {
    // Closing is never refused; whatever the memo pad's question gets for an answer, the
    // program ends.
    if (!m_unloaded) {
        queryUnload();
        unloadWindow();
        if (const std::optional<platform::UnsavedTape> lost = unloadTapes()) {
            if (m_endingQuietly)
                keepUnsavedTape(*lost);
            else
                offerUnsavedTape(*lost);
        }
    }
    event->accept();
}

} // namespace sumiplex::ui
