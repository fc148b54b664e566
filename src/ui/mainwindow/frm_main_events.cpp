// The main window's own events and its controls' events, each handed to the engine or to
// the part of the window it concerns.

#include "core/engine/engine.h"
#include "platform/window_placement.h"
#include "ui/mainwindow/column_paste.h"
#include "ui/mainwindow/companion_windows.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/mainwindow/frm_tip2.h"
#include "ui/mainwindow/frm_tip3.h"
#include "ui/mainwindow/picture_area.h"
#include "ui/mainwindow/tape_keeping.h"
#include "ui/widgets/clickable_label.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

namespace sumiplex::ui {

namespace {

using sumiplex::engine::Key;
using sumiplex::engine::MouseButton;

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

} // namespace

void frmMain::connectControls() {
    for (QWidget* filtered : {static_cast<QWidget*>(m_ui.Text1), static_cast<QWidget*>(m_ui.Text2),
                              static_cast<QWidget*>(m_ui.Text3)})
        filtered->installEventFilter(this);

    connect(m_ui.Text1, &QLineEdit::textChanged, this, [this](const QString& text) {
        lineEngine().typed(text.toStdU16String(), m_ui.Text1->cursorPosition());
        render();
    });
    connect(m_ui.Text2, &QLineEdit::textChanged, this, [this](const QString& text) {
        lineEngine().rateTyped(text.toStdU16String(), m_ui.Text2->cursorPosition());
        render();
    });
    connect(m_ui.Text3, &QLineEdit::textChanged, this, [this](const QString& text) {
        lineEngine().placeTyped(text.toStdU16String(), m_ui.Text3->cursorPosition());
        render();
    });

    const auto onClick = [this](QPushButton* b, void (engine::Engine::*handler)()) {
        connect(b, &QPushButton::clicked, this, [this, handler] {
            (lineEngine().*handler)();
            render();
        });
    };
    onClick(m_ui.Command1, &engine::Engine::allClear);
    onClick(m_ui.Command4, &engine::Engine::back);
    onClick(m_ui.Command5, &engine::Engine::forward);
    onClick(m_ui.Command6, &engine::Engine::convertToYen);
    onClick(m_ui.Command7, &engine::Engine::convertToDollars);
    connect(m_ui.Command3, &QPushButton::clicked, this, [this] { m_companions->showHistory(); });
    connect(m_ui.Command2, &QPushButton::clicked, this, [this] { m_companions->Command2_Click(); });

    connect(m_ui.Label1, &ClickableLabel::pressed, this, [this](Qt::MouseButton button) {
        const bool popup = lineEngine().totalPressed(button == Qt::RightButton ? MouseButton::Right
                                                                               : MouseButton::Left);
        render();
        if (popup)
            openPopup2();
    });
    connect(m_ui.Label1, &ClickableLabel::clicked, this, [this] {
        lineEngine().toggleTotalInLine();
        render();
    });
    connect(m_ui.Label4, &ClickableLabel::clicked, this, [this] {
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
    onLabel(m_ui.Label2, &engine::Engine::copyTaxAdded);
    onLabel(m_ui.Label3, &engine::Engine::copyTaxContained);
    onLabel(m_ui.Label7, &engine::Engine::toggleFourDigit);
    onLabel(m_ui.Label6, &engine::Engine::showClock);

    connect(m_ui.tmrClock, &QTimer::timeout, this, [this] {
        lineEngine().clockTick();
        render();
    });
}

bool frmMain::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        activate();
        // Placed before it had a frame or its height, the window may reach past the
        // screen's edge by what the window manager and the activation have added since; it
        // is moved in once, never again, so a window the user pushes half off the screen
        // stays there.
        if (!m_life.keptOnScreen) {
            m_life.keptOnScreen = true;
            platform::keepOnScreen(*this);
        }
    }
    return QMainWindow::event(event);
}

void frmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // A window shown for the first time counts as activated even where no window manager
    // hands it the focus (a bare X server, the offscreen platform).
    if (!m_life.shownOnce) {
        m_life.shownOnce = true;
        activate();
        QTimer::singleShot(0, this, [this] { m_picture->ensureCalendar(); });
        QTimer::singleShot(0, this, [this] { m_tapes->housekeeping(); });
        QTimer::singleShot(0, this, [this] { m_tapes->announceKeptFiles(); });
        // Hidden until asked for, so built once the window is on the screen; built by then,
        // the history window takes each later line as it comes.
        QTimer::singleShot(0, this, [this] {
            (void)m_tip2.get();
            (void)m_tip3.get();
        });
    }
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    // Left unaccepted, the override lets the menu's shortcut run.
    if (event->type() == QEvent::ShortcutOverride &&
        m_menus.isMenuShortcut(*static_cast<QKeyEvent*>(event)))
        return true;
    if (m_picture && watched == m_picture->image())
        return m_picture->filterImage1(event);
    if (watched == m_ui.Label4) {
        if (event->type() == QEvent::FontChange)
            m_ui.placeDecimalPlaceBox();
        return false;
    }
    // Enter is acted on when the key is released; its press is swallowed so no control
    // takes it as a command of its own.
    if (event->type() == QEvent::KeyPress && isEnterKey(static_cast<QKeyEvent*>(event)->key()))
        return true;
    if (watched == m_ui.Text1)
        return filterText1(event);
    if (watched == m_ui.Text3)
        return filterText3(event);
    return false;
}

bool frmMain::filterText1(QEvent* event) {
    // A column pasted or dropped into the line is added amount by amount; a single line is
    // left to the line edit.
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste))
        return m_paste->pasteColumnFrom(QClipboard::Clipboard);
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton &&
        QApplication::clipboard()->supportsSelection())
        return m_paste->pasteColumnFrom(QClipboard::Selection);
    if (m_paste->filterFileDrag(event))
        return true;
    if (isReleaseOfKey(event)) {
        lineEngine().keyReleased(engineKey(*static_cast<QKeyEvent*>(event)));
        render();
    } else if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            m_ui.Text1->rect().contains(mouse->position().toPoint())) {
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

void frmMain::dragEnterEvent(QDragEnterEvent* event) {
    if (!m_paste->filterFileDrag(event))
        QMainWindow::dragEnterEvent(event);
}

void frmMain::dropEvent(QDropEvent* event) {
    if (!m_paste->filterFileDrag(event))
        QMainWindow::dropEvent(event);
}

} // namespace sumiplex::ui
