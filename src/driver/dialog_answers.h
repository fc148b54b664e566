#pragma once

#include "platform/dialogs.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class QMessageBox;
class QWidget;

namespace sumiplex::driver {

/// Answers a script gives in advance for the standard dialogs the program opens (question
/// boxes, file, colour and font pickers: `answer yes|no`, `file PATH|cancel`,
/// `colour N|cancel`, `font …|cancel`), and the record of every message box shown. The
/// program's dialog services are the platform's fakes sharing these queues.
class DialogAnswers : public platform::DialogAnswerQueues {
public:
    /// Notes every message the program shows through its message-box service.
    void hear(platform::FakeMessageBoxes& boxes);
    /// Notes a message box the first time it is shown.
    void recordShown(QMessageBox& box);
    /// Notes a message the program showed through its message-box service.
    void recordMessage(const QString& title, const QString& text);
    /// Every message box shown so far, one line each: title, tab, text.
    [[nodiscard]] QString messages() const;

    enum class Outcome { NotAStandardDialog, Answered, NoAnswer };
    /// Answers the given modal widget when it is one of the standard dialogs; NoAnswer
    /// when it asks something the script gave no answer for.
    [[nodiscard]] Outcome answer(QWidget& modal);

private:
    Outcome answerMessageBox(QMessageBox& box);

    QList<const QMessageBox*> m_seen;
    QStringList m_messages;
};

/// A colour given as a 32-bit value with red in the low byte.
[[nodiscard]] QColor colourFromValue(quint32 value);

} // namespace sumiplex::driver
