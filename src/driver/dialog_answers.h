#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <queue>

class QMessageBox;
class QWidget;

namespace sumiplex::driver {

/// Answers a script gives in advance for the standard dialogs the program opens (question
/// boxes, file, colour and font pickers), and the record of every message box shown.
class DialogAnswers {
public:
    void queueYesNo(bool yes) { m_yesNo.push(yes); }
    /// An empty path cancels the file dialog.
    void queueFile(std::optional<QString> path) { m_files.push(std::move(path)); }
    void queueColour(std::optional<QColor> colour) { m_colours.push(colour); }
    void queueFont(std::optional<QFont> font) { m_fonts.push(std::move(font)); }

    /// Notes a message box the first time it is shown.
    void recordShown(QMessageBox& box);
    /// Notes a message the program showed through its message-box service.
    void recordMessage(const QString& title, const QString& text);

    /// The next yes/no answer, taken off the queue; nothing when none was given.
    [[nodiscard]] std::optional<bool> takeYesNo();
    /// The next file answer (a path, or nothing to cancel), taken off the queue; nothing
    /// when none was given.
    [[nodiscard]] std::optional<std::optional<QString>> takeFile();
    /// The next colour answer (a colour, or nothing to cancel); nothing when none was given.
    [[nodiscard]] std::optional<std::optional<QColor>> takeColour();
    /// The next font answer (a font, or nothing to cancel); nothing when none was given.
    [[nodiscard]] std::optional<std::optional<QFont>> takeFont();
    /// Every message box shown so far, one line each: title, tab, text.
    [[nodiscard]] QString messages() const;

    enum class Outcome { NotAStandardDialog, Answered, NoAnswer };
    /// Answers the given modal widget when it is one of the standard dialogs; NoAnswer
    /// when it asks something the script gave no answer for.
    [[nodiscard]] Outcome answer(QWidget& modal);

private:
    Outcome answerMessageBox(QMessageBox& box);

    std::queue<bool> m_yesNo;
    std::queue<std::optional<QString>> m_files;
    std::queue<std::optional<QColor>> m_colours;
    std::queue<std::optional<QFont>> m_fonts;
    QList<const QMessageBox*> m_seen;
    QStringList m_messages;
};

/// A colour given as a 32-bit value with red in the low byte.
[[nodiscard]] QColor colourFromValue(quint32 value);

} // namespace sumiplex::driver
