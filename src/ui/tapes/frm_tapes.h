#pragma once

#include "core/engine/correction.h"
#include "core/journal/journal_format.h"
#include "core/journal/tape_summary.h"
#include "ui/tapes/tape_lines_model.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QPushButton;

namespace sumiplex::platform {
class FileDialogs;
class MessageBoxes;
} // namespace sumiplex::platform

namespace sumiplex::ui {

/// Saves a tape chosen by the user: as CSV (made by `csv`, only when asked for) when the
/// chosen name ends in ".csv", else as the text the tape shows. Shows a message when the
/// file cannot be written; true once saved.
bool saveTapeAs(QWidget* parent, std::u16string_view text, const std::function<std::string()>& csv,
                const QString& title, platform::FileDialogs& files,
                platform::MessageBoxes& messages);
/// The same for a tape read from a file.
bool saveTapeAs(QWidget* parent, const journal::JournalContents& tape, const QString& title,
                platform::FileDialogs& files, platform::MessageBoxes& messages);

/// The earlier tapes: the runs kept in the tape folder, newest first, and the chosen one
/// beside the list, read-only, with search, copy, sending an amount to the input line,
/// saving and removing.
class frmTapes : public QWidget {
    Q_OBJECT
public:
    struct Links {
        QString folder;
        /// The files of the running program, which are no earlier tape.
        QStringList currentFiles;
        platform::FileDialogs& files;
        platform::MessageBoxes& messages;
        /// Puts an amount into the calculator's input line.
        std::function<void(const QString&)> sendToInput;
        /// Checks a calculation of the chosen tape by keying it again.
        std::function<void(const engine::CalculationAt&)> checkCalculation = {};
    };

    explicit frmTapes(Links links);

    /// Lists the folder again, keeping the chosen tape when it is still there.
    void refresh();
    /// Chooses the tape of `path`; false when it is not listed.
    bool choose(const QString& path);

private:
    void showChosen();
    void findNext();
    /// Searches on from `m_search` for a slice of time, then lets the window's events run and
    /// goes on, so a long tape never holds the window; a newer search or tape ends it.
    void searchSlice(unsigned generation);
    /// Whether row `row` of the chosen tape holds a step about the needle's amount.
    [[nodiscard]] bool hasValueAt(int row) const;
    /// Searches every listed tape, a few files at a time between the window's events, and
    /// lists what it finds in lstFound; pressed again with the same text, goes to the next
    /// line found.
    void findInAllTapes();
    void allTapesSlice(unsigned generation);
    /// Shows the tape and line of found row `row`.
    void showFound(int row);
    void showAllTapes(bool all);
    void copyText();
    void sendLine();
    /// The calculation of the line at the caret (the last one when none is chosen), checked.
    void checkChosen();
    void deleteChosen();
    void saveChosen();
    [[nodiscard]] QString chosenPath() const;

    /// Item data of lstTapes beside the path: whether the entry is a regular file, the only
    /// kind read.
    static constexpr int kRegularRole = Qt::UserRole + 1;

    Links m_links;
    TapeLinesModel* m_lines;
    struct Search {
        std::u16string needle;
        int next = 0; ///< the row to look at next
        int left = 0; ///< rows still to look at
        unsigned generation = 0;
        /// The lines of the chosen tape where a step is about the needle's amount (or that
        /// hold its text), sorted, and the needle they were found for (empty: to be found
        /// again).
        std::vector<std::size_t> valueLines;
        std::u16string valuesOf;
    } m_search;
    struct AllTapesSearch {
        std::u16string text;
        journal::TapeNeedle needle;
        struct File {
            QString path;
            QString start; ///< as the list shows the tape
        };
        std::vector<File> files;
        std::size_t next = 0; ///< the file to read next
        int found = 0;
        unsigned generation = 0;
    } m_all;
    QListWidget* lstTapes;  // the runs kept
    QListView* txtTape;     // the chosen run's tape, a row a line
    QLineEdit* txtFind;     // text to search for
    QCheckBox* chkAllTapes; // search every tape kept, not only the chosen one
    QListWidget* lstFound;  // the lines a search of every tape found, a row each
    QPushButton* cmdFind;
    QPushButton* cmdCopy;
    QPushButton* cmdSend;  // the amount of the line at the caret to the input line
    QPushButton* cmdCheck; // the calculation of the line at the caret keyed again
    QPushButton* cmdSave;
    QPushButton* cmdDelete;
    QPushButton* cmdClose;
    QLabel* lblStatus; // what the chosen file holds, and marks of damage
};

} // namespace sumiplex::ui
