#pragma once

#include <QString>
#include <QWidget>

class QFont;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace sumiplex::platform {
class FileDialogs;
class MessageBoxes;
} // namespace sumiplex::platform

namespace sumiplex::ui {

/// The memo pad: a free text the user and the tool dialogs paste results into, loaded from
/// and saved to text files. "Close" only hides it, so the memo lives as long as the program;
/// the frame's close box unloads it (asking first whether to save) and empties it.
///
/// The memo is kept as text with CR LF line ends; the widget shows the same lines, a line
/// of more than a few thousand characters in several paragraphs so that its layout stays
/// quick. Appends cost time in proportion to the piece appended, whatever the memo's length.
class frmTip3 : public QWidget {
    Q_OBJECT
public:
    enum class SaveResult {
        NothingToSave, ///< the memo is empty; no dialog was shown
        Cancelled,     ///< the user cancelled the file dialog
        Saved,
        Failed, ///< the file could not be written; the user was told why
    };

    explicit frmTip3(QWidget* parent = nullptr);

    /// memo := memo + text + CR LF (line ends inside `text` become CR LF). Does not show the
    /// pad or move the caret; callers do that.
    void appendMemo(const QString& text);
    /// The memo, lines ended by CR LF, including the user's own edits.
    [[nodiscard]] QString memoText() const;
    /// Replaces the whole memo (lines ended by CR LF, LF or CR).
    void setMemoText(const QString& text);
    /// Caret after the last character, scrolled into view.
    void caretToEnd();

    void setCredit(const QString& credit);
    void setMemoFont(const QFont& font);
    [[nodiscard]] QFont memoFont() const;
    [[nodiscard]] QPlainTextEdit& text() { return *Text1; }

    /// The open command: when the memo is not empty, shows the pad and asks whether to save
    /// it first (a save the user asked for that fails stops the command, so the memo is not
    /// lost); then the file-open dialog; the chosen file's lines replace the memo and the pad
    /// is shown. True when the memo was replaced. A file that cannot be read, or is not
    /// text, is reported and leaves the memo as it was; a text file with bytes that are
    /// neither UTF-8 nor CP932 is loaded only when the user says yes to a warning.
    bool openFile(platform::FileDialogs& files, platform::MessageBoxes& boxes,
                  const QString& mainCaption);

    /// The save-as command: the file-save dialog offering the memo's file (the one last
    /// opened or saved), then the memo and one CR LF written to the chosen file, replacing it
    /// whole only once it is fully written. The pad stays as it was, so the user goes on
    /// where they were; a failure is reported in a message box naming the file and the
    /// reason.
    SaveResult saveAs(platform::FileDialogs& files, platform::MessageBoxes& boxes,
                      const QString& mainCaption);

    /// The question when the pad unloads: nothing when the memo is empty, else "save?" and on
    /// yes the save dialog titled after the pad. A failed write is reported and the dialog
    /// offered again, until the memo is saved or the user cancels. Never refuses the unload.
    void unloadAsk(platform::FileDialogs& files, platform::MessageBoxes& boxes);

    /// Unloads the pad: unloadAsk, then the memo is emptied, the pad hidden and unloaded()
    /// emitted (the owner saves the pad's position then). The program's end calls this.
    void unload(platform::FileDialogs& files, platform::MessageBoxes& boxes);

    /// Where the file dialogs open: the folder of the last memo file opened or saved, else
    /// the user's documents folder, else (a desktop without one) the home folder.
    [[nodiscard]] QString startFolder() const;
    /// The name of the memo's file, offered by the save dialogs; empty before the memo was
    /// opened from or saved to a file, and again once the pad unloads.
    [[nodiscard]] QString fileName() const;

    /// The question asked before a file with bytes the memo cannot keep is loaded.
    [[nodiscard]] static QString damagedFileQuestion(const QString& path);

    /// Services the frame's close box uses for unload(); without them the close box only
    /// hides the pad and keeps the memo.
    void setCloseServices(platform::FileDialogs* files, platform::MessageBoxes* boxes);

signals:
    void unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void markEdited();

    QPlainTextEdit* Text1; // the memo
    QPushButton* cmdOK;
    QLabel* Label9; // credit line
    platform::FileDialogs* m_closeFiles = nullptr;
    platform::MessageBoxes* m_closeBoxes = nullptr;
    // The memo with CR LF line ends; stale while m_edited (the user typed since the last
    // sync), and then rebuilt from the widget on demand.
    mutable QString m_memo;
    mutable bool m_edited = false;
    bool m_programChange = false;
    QString m_lastFolder; // of the last memo file opened or saved
    QString m_filePath;   // the memo's file while the memo is the one in it
};

} // namespace sumiplex::ui
