#pragma once

#include <QDialog>

#include <cstddef>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace sumiplex::engine {
class Tape;
struct TapeEntry;
} // namespace sumiplex::engine

namespace sumiplex::ui {

/// The one-line editor of a tape line's note (摘要). Shown modally over the window it was
/// asked from: Enter takes the note, Escape leaves the note as it was. An empty note
/// removes it.
class DialogNote : public QDialog {
    Q_OBJECT
public:
    /// `line` names the tape line the note is for; `note` is the note it has now.
    DialogNote(const QString& line, const QString& note, QWidget* parent = nullptr);

    /// The note as typed; the tape cleans it as it keeps it.
    [[nodiscard]] QString note() const;

private:
    QLabel* Label1;      // names the tape line
    QLineEdit* TextNote; // the note
    QLabel* Label2;      // what a note may hold
    QPushButton* CommandOK;
    QPushButton* CommandCancel;
};

/// How the note editor names an entry's line: the line its note goes on, as the tape shows
/// it without the note, trimmed and shortened to fit the dialog.
[[nodiscard]] QString noteLineCaption(const engine::TapeEntry& entry);

/// The entry whose note tape line `line` may change: any entry of the current calculation,
/// and the last step whatever it was; nothing for the lines of earlier calculations (their
/// totals are done with) or on an empty tape.
[[nodiscard]] std::optional<std::size_t> notableEntryAtLine(const engine::Tape& tape,
                                                            std::size_t line);

} // namespace sumiplex::ui
