#pragma once

#include "driver/dialog_answers.h"
#include "platform/dialogs.h"

#include <QStringList>

#include <utility>

namespace sumiplex::driver {

// What the program's dialog services take their answers from: the script's answer queues,
// shared with the standard dialogs a test window may open itself, so answers are used in
// the order the script gives them whichever way a dialog is asked. A dialog asked with no
// answer given is noted.
class ScriptAnswered {
public:
    explicit ScriptAnswered(DialogAnswers& answers) : m_answers(answers) {}

    /// Dialogs asked with no answer given, each described; the runner reports them as a
    /// failure of the line that asked.
    [[nodiscard]] QStringList takeUnanswered() { return std::exchange(m_unanswered, {}); }

protected:
    /// The next answer from `queue`; when there is none, `dialog` is noted as unanswered.
    template <typename T>
    [[nodiscard]] std::optional<T> take(platform::AnswerQueue<T>& queue, const QString& dialog) {
        std::optional<T> answer = queue.take();
        if (!answer)
            m_unanswered.append(dialog);
        return answer;
    }

    DialogAnswers& m_answers;

private:
    QStringList m_unanswered;
};

// The program's message boxes, answered from the script's `answer` lines; a question with
// no answer given is answered No and reported.
class ScriptMessageBoxes final : public platform::MessageBoxes, public ScriptAnswered {
public:
    using ScriptAnswered::ScriptAnswered;

    [[nodiscard]] bool question(QWidget* parent, const QString& text,
                                const QString& title) override;
    void information(QWidget* parent, const QString& text, const QString& title) override;
    void warning(QWidget* parent, const QString& text, const QString& title) override;
    void critical(QWidget* parent, const QString& text, const QString& title) override;
    void notice(QWidget* parent, const QString& text, const QString& title) override;
};

// The program's file dialogs, answered from the script's `file` lines; a dialog with no
// answer given is cancelled and reported.
class ScriptFileDialogs final : public platform::FileDialogs, public ScriptAnswered {
public:
    using ScriptAnswered::ScriptAnswered;

    [[nodiscard]] std::optional<QString>
    getOpenFileName(QWidget* parent, const QString& title, const QString& filters,
                    int selectedFilter, const QString& startFolder = QString()) override;
    /// The answer with the filter's extension added when it has none, as the real dialog.
    [[nodiscard]] std::optional<QString>
    getSaveFileName(QWidget* parent, const QString& title, const QString& filters,
                    const QString& startFolder = QString(),
                    const QString& suggestedName = QString()) override;

    /// The file dialog asked last: its title, the folder it opens in and the name it offers
    /// (empty for open dialogs), separated by tabs; empty before the first.
    [[nodiscard]] const QString& lastAsked() const { return m_lastAsked; }

private:
    std::optional<QString> answer(const QString& title);

    QString m_lastAsked;
};

// The program's colour and font pickers, answered from the script's `colour` and `font`
// lines; a picker with no answer given is cancelled and reported.
class ScriptPickerDialogs final : public platform::PickerDialogs, public ScriptAnswered {
public:
    using ScriptAnswered::ScriptAnswered;

    [[nodiscard]] std::optional<QColor> getColour(QWidget* parent, const QString& title,
                                                  const QColor& initial) override;
    [[nodiscard]] std::optional<QFont> getFont(QWidget* parent, const QString& title,
                                               const QFont& initial) override;
};

} // namespace sumiplex::driver
