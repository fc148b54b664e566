#pragma once

#include "driver/dialog_answers.h"
#include "platform/dialogs.h"

#include <QStringList>

namespace sumiplex::driver {

// The program's message boxes, answered from the script's `answer` lines. They share the
// queue with the standard dialogs a test window may open itself, so answers are used in
// the order the script gives them whichever way a question is asked.
class ScriptMessageBoxes final : public platform::MessageBoxes {
public:
    explicit ScriptMessageBoxes(DialogAnswers& answers) : m_answers(answers) {}

    [[nodiscard]] bool question(QWidget* parent, const QString& text,
                                const QString& title) override;
    void information(QWidget* parent, const QString& text, const QString& title) override;
    void warning(QWidget* parent, const QString& text, const QString& title) override;
    void critical(QWidget* parent, const QString& text, const QString& title) override;

    /// Questions asked with no answer given, each described; the runner reports them as a
    /// failure of the line that asked.
    [[nodiscard]] QStringList takeUnanswered();

private:
    DialogAnswers& m_answers;
    QStringList m_unanswered;
};

// The program's file dialogs, answered from the script's `file` lines; a dialog with no
// answer given is cancelled and reported.
class ScriptFileDialogs final : public platform::FileDialogs {
public:
    explicit ScriptFileDialogs(DialogAnswers& answers) : m_answers(answers) {}

    [[nodiscard]] std::optional<QString>
    getOpenFileName(QWidget* parent, const QString& title, const QString& filters,
                    int selectedFilter, const QString& startFolder = QString()) override;
    /// The answer with the filter's extension added when it has none, as the real dialog.
    [[nodiscard]] std::optional<QString>
    getSaveFileName(QWidget* parent, const QString& title, const QString& filters,
                    const QString& startFolder = QString()) override;

    [[nodiscard]] QStringList takeUnanswered();

private:
    std::optional<QString> answer(const QString& title);

    DialogAnswers& m_answers;
    QStringList m_unanswered;
};

// The program's colour and font pickers, answered from the script's `colour` and `font`
// lines; a picker with no answer given is cancelled and reported.
class ScriptPickerDialogs final : public platform::PickerDialogs {
public:
    explicit ScriptPickerDialogs(DialogAnswers& answers) : m_answers(answers) {}

    [[nodiscard]] std::optional<QColor> getColour(QWidget* parent, const QString& title,
                                                  const QColor& initial) override;
    [[nodiscard]] std::optional<QFont> getFont(QWidget* parent, const QString& title,
                                               const QFont& initial) override;

    [[nodiscard]] QStringList takeUnanswered();

private:
    DialogAnswers& m_answers;
    QStringList m_unanswered;
};

} // namespace sumiplex::driver
