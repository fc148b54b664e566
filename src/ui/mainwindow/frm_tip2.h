#pragma once

#include <QWidget>

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>

class QAction;
class QLabel;
class QMimeData;
class QPlainTextEdit;
class QPushButton;

namespace sumiplex::ui {

/// Turns tape text (lines ended by CR LF) into the text widget's line breaks. A CR at the
/// very end of a piece may be the first half of a CR LF split over two pieces, so it is
/// held back in `pendingCr` until the next piece shows what follows it.
[[nodiscard]] QString tapePieceForDisplay(std::u16string_view piece, bool& pendingCr);

/// The history window: shows the tape and keeps its newest line in view. Closing it only
/// hides it, so the tape shown lives as long as the program.
class frmTip2 : public QWidget {
    Q_OBJECT
public:
    explicit frmTip2(QWidget* parent = nullptr);

    /// Adds one piece of tape text at the end, in time proportional to the piece.
    void appendTape(std::u16string_view piece);
    /// Shows the whole tape again (an earlier line changed).
    void showTape(std::u16string_view text);

    [[nodiscard]] QPlainTextEdit& text() { return *Text1; }
    void setCredit(const QString& credit);

    /// What the context menu's note item asks of the tape, by 0-based tape line.
    struct NoteLinks {
        std::function<bool(std::size_t line)> canNote;
        std::function<void(std::size_t line)> note;
    };
    void setNoteLinks(NoteLinks links) { m_noteLinks = std::move(links); }
    /// The steps that wrote tape lines `first` to `last` (0-based, inclusive) as
    /// tab-separated rows; a copy of a selection carries them beside the lines as shown.
    using StepRows = std::function<QString(std::size_t first, std::size_t last)>;
    void setStepRows(StepRows rows) { m_stepRows = std::move(rows); }
    /// What a copy of the selection puts on the clipboard: the lines as shown as plain
    /// text, the steps' rows as tab-separated values and as an HTML table.
    [[nodiscard]] QMimeData* selectionMimeData() const;

    /// The 0-based tape line that holds `position` of the text box.
    [[nodiscard]] std::size_t lineAt(int position) const;
    /// Where tape line `line` begins in the text box; nothing past the last line.
    [[nodiscard]] std::optional<int> positionOfLine(std::size_t line) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void moveCaretToEnd();
    /// The text box's own menu with the note item on top, for tape line `line`, at `global`.
    void openContextMenu(std::size_t line, const QPoint& global);

    QPlainTextEdit* Text1; // the tape
    QPushButton* cmdOK;
    QLabel* Label9; // credit line
    QAction* mnuTapeNote;
    NoteLinks m_noteLinks;
    StepRows m_stepRows;
    std::size_t m_menuLine = 0; // the line the context menu was last opened on
    bool m_pendingCr = false;
    // The first m_groupedBlocks text blocks hold exactly this many tape lines each, the
    // blocks after them one line each, which is how a position is turned into a tape line
    // without counting through the text.
    static constexpr int kLinesPerBlock = 16;
    int m_groupedBlocks = 0;
};

} // namespace sumiplex::ui
