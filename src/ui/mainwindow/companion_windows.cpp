// The history window and the memo pad as the main window keeps them. Notes (摘要) on tape
// lines come from the edit menu for the last step, from the history window's context menu
// for a line of the current calculation.

#include "ui/mainwindow/companion_windows.h"

#include "core/engine/engine.h"
#include "core/engine/tape.h"
#include "core/journal/tape_csv.h"
#include "platform/clock.h"
#include "platform/printing.h"
#include "platform/settings_keys.h"
#include "platform/window_placement.h"
#include "ui/dialogs/dialog_note.h"
#include "ui/mainwindow/credit.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/mainwindow/frm_tip2.h"
#include "ui/mainwindow/frm_tip3.h"
#include "ui/print/print_outs.h"
#include "ui/widgets/tool_window_keys.h"

#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QMainWindow>
#include <QPlainTextEdit>

#include <algorithm>

namespace sumiplex::ui {

namespace {

// Printed at the size of the window the text is read in, in that window's face, which
// reads the same Japanese text.
print::PageFont fontOf(const QPlainTextEdit& box) {
    const QFont& font = box.font();
    // A size set in pixels has no point size of its own; the one it shows at is used.
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : QFontInfo(font).pointSizeF();
    return print::PageFont{font.family().toStdU16String(), points};
}

} // namespace

CompanionWindows::CompanionWindows(QMainWindow& window, const Services& services,
                                   const MainLifecycle& life, engine::Engine& engine,
                                   engine::Tape& tape, ToolWindows& tools,
                                   LazyWindow<frmTip2>& history, LazyWindow<frmTip3>& memo,
                                   std::function<void()> render, std::function<void()> giveKeyboard)
    : m_window(window), m_services(services), m_life(life), m_engine(engine), m_tape(tape),
      m_tools(tools), m_tip2(history), m_tip3(memo), m_render(std::move(render)),
      m_giveKeyboard(std::move(giveKeyboard)) {}

QString CompanionWindows::caption() const {
    return m_window.windowTitle();
}

void CompanionWindows::setUpHistory(frmTip2& history, std::size_t pending) {
    if (m_life.shownOnce)
        setCaption(history);
    history.setStepRows([this](std::size_t first, std::size_t last) {
        const auto& entries = m_tape.entries();
        const std::size_t from = m_tape.entryAtLine(first);
        const std::size_t to = std::min(m_tape.entryAtLine(last) + 1, entries.size());
        if (from >= to)
            return QString();
        return QString::fromStdU16String(journal::tapeRows(entries.slice(from, to)));
    });
    history.setNoteLinks(frmTip2::NoteLinks{
        .canNote =
            [this](std::size_t line) { return notableEntryAtLine(m_tape, line).has_value(); },
        // Checked again: the tape may have moved on since the menu was opened.
        .note =
            [this](std::size_t line) {
                if (const auto index = notableEntryAtLine(m_tape, line))
                    editNote(*index, *m_tip2);
            },
    });
    // Lines of a paste still being collected reach the window when the paste ends.
    std::u16string_view shown = m_tape.text();
    shown.remove_suffix(pending);
    history.showTape(shown);
}

void CompanionWindows::setUpMemo(frmTip3& memo) {
    if (m_life.shownOnce)
        setCaption(memo);
    memo.setCloseServices(&m_services.files, &m_services.messages);
    QObject::connect(&memo, &frmTip3::unloaded, &m_window, [this, &memo] {
        platform::saveWindowPosition(memo, m_services.settings, platform::kTip3Left.key,
                                     platform::kTip3Top.key);
    });
}

void CompanionWindows::setCaptions() {
    if (m_tip2.exists())
        setCaption(*m_tip2);
    if (m_tip3.exists())
        setCaption(*m_tip3);
}

void CompanionWindows::setCaption(frmTip2& history) {
    history.setWindowTitle(QStringLiteral("　") + kMainCaption.toString() +
                           QStringLiteral("　計算履歴"));
    history.setCredit(kCredit);
}

void CompanionWindows::setCaption(frmTip3& memo) {
    memo.setWindowTitle(QStringLiteral("　") + kMainCaption.toString() +
                        QStringLiteral("　メモ帳"));
    memo.setCredit(kCredit);
}

void CompanionWindows::unload() {
    // The memo pad saves its position when it reports itself unloaded.
    m_tip3->unload(m_services.files, m_services.messages);
    m_tip2->hide();
    platform::saveWindowPosition(*m_tip2, m_services.settings, platform::kTip2Left.key,
                                 platform::kTip2Top.key);
}

void CompanionWindows::showHistory() {
    m_tools.show(*m_tip2, ToolShow::Quietly);
}

void CompanionWindows::showMemo() {
    m_tip3->caretToEnd();
    m_tools.show(*m_tip3, ToolShow::KeepEscape);
}

void CompanionWindows::Command2_Click() {
    const auto text = m_engine.takeMemoLine();
    m_render();
    if (!text)
        return;
    m_tip3->appendMemo(QString::fromStdU16String(*text));
    showMemo();
}

void CompanionWindows::mnuEditPasteSpecial_Click() {
    const auto line = m_engine.totalMemoLine();
    if (!line)
        return;
    m_tip3->appendMemo(QString::fromStdU16String(*line));
    showMemo();
}

void CompanionWindows::mnuCopyPlain_Click() {
    // The plain form (no grouping, "." and "-" only) is what any spreadsheet reads as a number.
    QApplication::clipboard()->setText(
        QString::fromStdU16String(m_engine.totalValue().toPlainString()));
}

void CompanionWindows::mnuOpen_Click() {
    // The pad shows itself, to ask about the memo it holds and with the file loaded.
    m_tools.prepare(*m_tip3, ToolShow::KeepEscape);
    (void)m_tip3->openFile(m_services.files, m_services.messages, caption());
}

void CompanionWindows::mnuSaveMemo_Click() {
    (void)m_tip3->saveAs(m_services.files, m_services.messages, caption());
}

void CompanionWindows::mnuNote_Click() {
    if (m_tape.entries().empty())
        return;
    editNote(m_tape.entries().size() - 1, m_window);
}

void CompanionWindows::editNote(std::size_t index, QWidget& over) {
    const engine::TapeEntry& entry = m_tape.entries().at(index);
    DialogNote dialog(noteLineCaption(entry), QString::fromStdU16String(entry.note), &over);
    if (dialog.exec() == QDialog::Accepted)
        (void)m_tape.setNote(index, dialog.note().toStdU16String());
    // Asked from the keyboard, the calculation goes on in the input line; asked from the
    // history window, the user goes on reading the tape there.
    if (&over == &m_window)
        m_giveKeyboard();
    else if (!m_life.unloaded && over.isVisible())
        over.activateWindow();
}

void CompanionWindows::mnuFilePrint_Click() {
    (void)printPlainText(&m_window, printServices(m_services), QStringLiteral("Sumiplex 計算履歴"),
                         QStringView(m_tape.text()).toString(), fontOf(m_tip2->text()));
}

void CompanionWindows::mnuPrintMemo_Click() {
    (void)printPlainText(&m_window, printServices(m_services), QStringLiteral("Sumiplex メモ帳"),
                         m_tip3->memoText(), fontOf(m_tip3->text()));
}

void CompanionWindows::mnuFilePageSetup_Click() {
    // The margins confirmed here hold for every print-out from now on, and after a restart.
    const auto margins = m_services.printing.showPageSetup(
        &m_window, caption() + QStringLiteral("\u3000\u3000プリンタの設定"),
        storedMargins(m_services.settings));
    if (margins)
        storeMargins(m_services.settings, *margins);
}

} // namespace sumiplex::ui
