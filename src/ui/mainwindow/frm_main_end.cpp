// The main window's end: closing it, and ending without questions (logout, shutdown, a
// closed terminal), where the program ends as a normal close does and what it would have
// asked about is kept in files beside the tapes instead, named to the user at the next start.

#include "ui/mainwindow/frm_main.h"

#include "core/engine/engine.h"
#include "platform/tape_journal.h"
#include "ui/mainwindow/check_windows.h"
#include "ui/mainwindow/companion_windows.h"
#include "ui/mainwindow/frm_tip3.h"
#include "ui/mainwindow/main_settings.h"
#include "ui/mainwindow/tape_keeping.h"
#include "ui/widgets/clickable_label.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QEvent>
#include <QTimer>

namespace sumiplex::ui {
namespace {

// Cancels a modal dialog as soon as it shows, for as long as the program is ending: its
// caller goes on as after the user's cancel, and nothing waits for an answer.
class DialogCanceller final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            if (auto* dialog = qobject_cast<QDialog*>(watched); dialog && dialog->isModal())
                QTimer::singleShot(0, dialog, &QDialog::reject);
        return false;
    }
};

void cancelOpenDialogs() {
    // An open menu runs a loop of its own too.
    for (int open = 0; open < 8 && QApplication::activePopupWidget() != nullptr; ++open)
        QApplication::activePopupWidget()->close();
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(window);
            dialog && dialog->isModal() && dialog->isVisible())
            dialog->reject();
}

} // namespace

void frmMain::endWithoutQuestions() {
    if (m_life.endingQuietly)
        return;
    m_life.endingQuietly = true;
    // Kept before any dialog is cancelled: the memo pad's own question may be open, and a
    // cancelled question lets the memo go.
    m_tapes->keepUnsavedMemo(*m_tip3);
    qApp->installEventFilter(new DialogCanceller(this));
    cancelOpenDialogs();
    // The close runs from the event loop, after the cancelled dialogs have returned.
    QTimer::singleShot(0, this, [this] { close(); });
}

void frmMain::closeEvent(QCloseEvent* event) {
    // Closing is never refused; whatever the memo pad's question gets for an answer, the
    // program ends.
    if (!m_life.unloaded) {
        queryUnload();
        unloadWindow();
        m_tapes->closeEarlierTapes();
        if (const std::optional<platform::UnsavedTape> lost = m_tapes->unloadJournal()) {
            if (m_life.endingQuietly)
                m_tapes->keepUnsavedTape(*lost);
            else
                m_tapes->offerUnsavedTape(*lost);
        }
    }
    event->accept();
}

void frmMain::queryUnload() {
    m_ui.Label1->hide();
    // Closing in the four-digit reading would store its font as the user's.
    const std::u16string& input = m_engine->inputFontName();
    if (m_engine->view().menus.fourDigit ||
        m_engine->view().total.fontName == engine::kFourDigitFontName) {
        m_engine->setLabel1FontName(input);
        m_engine->setInputFontName(input);
    } else if (m_engine->view().input.fontName != input) {
        m_engine->setInputFontName(input);
    }
    render();
}

void frmMain::unloadWindow() {
    if (m_life.unloaded)
        return;
    m_life.unloaded = true;
    m_checks->unload();
    m_settings->save();
    m_settings->saveRegisters(m_life.endingQuietly);
    // The tool windows unload newest first; each saves its own position.
    m_tools->closeAll();
    m_companions->unload();
}

} // namespace sumiplex::ui
