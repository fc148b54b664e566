// Notes (摘要) on tape lines: from the edit menu for the last step, from the history
// window's context menu for a line of the current calculation.

#include "core/engine/tape.h"
#include "core/journal/tape_csv.h"
#include "ui/dialogs/dialog_note.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/mainwindow/frm_tip2.h"

#include <QAction>

#include <algorithm>
#include <span>

namespace sumiplex::ui {

void frmMain::connectNotes() {
    connect(mnuNote, &QAction::triggered, this, &frmMain::mnuNote_Click);
    // An empty tape has no step to note; the tape only grows, so the first step enables
    // the item for good.
    mnuNote->setEnabled(!m_tape->entries().empty());
    m_noteListener = m_tape->addListener(engine::Tape::Listener{
        .recorded = [this](const engine::TapeEntry&,
                           std::u16string_view) { mnuNote->setEnabled(true); },
        .noteChanged = {},
    });
}

void frmMain::connectHistoryNotes(frmTip2& history) {
    history.setStepRows([this](std::size_t first, std::size_t last) {
        const auto& entries = m_tape->entries();
        const std::size_t from = m_tape->entryAtLine(first);
        const std::size_t to = std::min(m_tape->entryAtLine(last) + 1, entries.size());
        if (from >= to)
            return QString();
        return QString::fromStdU16String(journal::tapeRows(entries.slice(from, to)));
    });
    history.setNoteLinks(frmTip2::NoteLinks{
        .canNote =
            [this](std::size_t line) { return notableEntryAtLine(*m_tape, line).has_value(); },
        // Checked again: the tape may have moved on since the menu was opened.
        .note =
            [this](std::size_t line) {
                if (const auto index = notableEntryAtLine(*m_tape, line))
                    editNote(*index, *m_tip2);
            },
    });
}

void frmMain::mnuNote_Click() {
    if (m_tape->entries().empty())
        return;
    editNote(m_tape->entries().size() - 1, *this);
}

void frmMain::editNote(std::size_t index, QWidget& over) {
    const engine::TapeEntry& entry = m_tape->entries().at(index);
    DialogNote dialog(noteLineCaption(entry), QString::fromStdU16String(entry.note), &over);
    if (dialog.exec() == QDialog::Accepted)
        (void)m_tape->setNote(index, dialog.note().toStdU16String());
    // Asked from the keyboard, the calculation goes on in the input line; asked from the
    // history window, the user goes on reading the tape there.
    if (&over == this)
        giveKeyboardToInputLine();
    else if (!m_unloaded && over.isVisible())
        over.activateWindow();
}

} // namespace sumiplex::ui
