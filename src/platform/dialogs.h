#pragma once

#include "platform/answer_queue.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

class QWidget;

namespace sumiplex::platform {

/// Qt's name-filter entries for a filter list in the program's form, description and
/// pattern alternating between bars: "すべてのﾌｧｲﾙ (*.*)|*.*|ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt|".
/// Each entry is the description without its own "(…)" followed by the pattern column in
/// parentheses, several patterns (separated by ';') joined by blanks; "*.*" becomes "*",
/// because on this platform a name needs no dot.
[[nodiscard]] QStringList qtNameFilters(QStringView programFilters);

/// The extension the filter entry `index` of a program filter list stands for: "txt" for
/// "*.txt"; empty when its first pattern names no single extension ("*.*", "*", "*.t?t").
[[nodiscard]] QString filterSuffix(QStringView programFilters, int index);

/// `path` with "." + `suffix` added when its file name has no extension of its own, as a
/// save dialog does with the extension of the filter chosen ("memo1" → "memo1.txt").
[[nodiscard]] QString withDefaultSuffix(const QString& path, const QString& suffix);

// The standard file dialogs. Filters come in the program's bar-separated form; a dialog
// opens in `startFolder` (or the nearest folder above it that exists: a folder that is not
// there is never taken for a file name), or where the platform chooses when that is empty.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;

    /// The chosen file, or nothing when the user cancels. `selectedFilter` is the 0-based
    /// index of the filter entry shown first.
    [[nodiscard]] virtual std::optional<QString>
    getOpenFileName(QWidget* parent, const QString& title, const QString& filters,
                    int selectedFilter, const QString& startFolder = QString()) = 0;

    /// The file to write, or nothing when the user cancels. The dialog opens with
    /// `suggestedName` as the name to save under (empty: no name yet). A name typed without
    /// an extension gets the extension of the filter chosen. The dialog itself asks before
    /// an existing file is chosen for overwriting.
    [[nodiscard]] virtual std::optional<QString>
    getSaveFileName(QWidget* parent, const QString& title, const QString& filters,
                    const QString& startFolder = QString(),
                    const QString& suggestedName = QString()) = 0;
};

enum class MessageIcon { Question, Information, Warning, Critical };

// The standard message boxes; button texts come from the translation the program loads.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    /// A question with the buttons Yes (the default) and No; true for Yes.
    [[nodiscard]] virtual bool question(QWidget* parent, const QString& text,
                                        const QString& title) = 0;
    /// A message with an OK button and the information, warning or stop icon.
    virtual void information(QWidget* parent, const QString& text, const QString& title) = 0;
    virtual void warning(QWidget* parent, const QString& text, const QString& title) = 0;
    virtual void critical(QWidget* parent, const QString& text, const QString& title) = 0;
    /// A warning that neither blocks nor takes the keyboard: it stays on the screen until
    /// the user closes it, while typing goes on in the window that has the focus.
    virtual void notice(QWidget* parent, const QString& text, const QString& title) = 0;
};

// The standard colour and font pickers.
class PickerDialogs {
public:
    virtual ~PickerDialogs() = default;

    /// The chosen colour, or nothing when the user cancels.
    [[nodiscard]] virtual std::optional<QColor> getColour(QWidget* parent, const QString& title,
                                                          const QColor& initial) = 0;
    /// The chosen font with its family, size, bold and italic, or nothing when the user
    /// cancels.
    [[nodiscard]] virtual std::optional<QFont> getFont(QWidget* parent, const QString& title,
                                                       const QFont& initial) = 0;
};

class QtFileDialogs final : public FileDialogs {
public:
    [[nodiscard]] std::optional<QString>
    getOpenFileName(QWidget* parent, const QString& title, const QString& filters,
                    int selectedFilter, const QString& startFolder = QString()) override;
    [[nodiscard]] std::optional<QString>
    getSaveFileName(QWidget* parent, const QString& title, const QString& filters,
                    const QString& startFolder = QString(),
                    const QString& suggestedName = QString()) override;
};

class QtMessageBoxes final : public MessageBoxes {
public:
    [[nodiscard]] bool question(QWidget* parent, const QString& text,
                                const QString& title) override;
    void information(QWidget* parent, const QString& text, const QString& title) override;
    void warning(QWidget* parent, const QString& text, const QString& title) override;
    void critical(QWidget* parent, const QString& text, const QString& title) override;
    void notice(QWidget* parent, const QString& text, const QString& title) override;
};

class QtPickerDialogs final : public PickerDialogs {
public:
    [[nodiscard]] std::optional<QColor> getColour(QWidget* parent, const QString& title,
                                                  const QColor& initial) override;
    [[nodiscard]] std::optional<QFont> getFont(QWidget* parent, const QString& title,
                                               const QFont& initial) override;
};

/// Answers given in advance for the standard dialogs, one queue per kind, used in the order
/// given. Fakes that share one set (the script driver's, which also answers the Qt dialogs a
/// window opens itself) use the answers in that order whichever way a dialog is asked.
struct DialogAnswerQueues {
    AnswerQueue<bool> yesNo;
    AnswerQueue<std::optional<QString>> files;
    AnswerQueue<std::optional<QColor>> colours;
    AnswerQueue<std::optional<QFont>> fonts;
};

// What every fake dialog does alike: it takes the next answer of its kind from its own
// queues or from shared ones, and a dialog asked with none left is noted, so that a test or
// a script can report the dialogs nobody answered.
class AnsweredDialogs {
public:
    AnsweredDialogs() = default;
    explicit AnsweredDialogs(DialogAnswerQueues& shared) : m_shared(&shared) {}

    /// How many dialogs were asked with no answer left.
    [[nodiscard]] int unanswered() const { return m_misses; }
    /// The dialogs asked with no answer left since the last call, each described
    /// ("the file dialog \"…\"").
    [[nodiscard]] QStringList takeUnanswered() { return std::exchange(m_unanswered, {}); }

protected:
    [[nodiscard]] DialogAnswerQueues& queues() { return m_shared ? *m_shared : m_own; }
    [[nodiscard]] const DialogAnswerQueues& queues() const { return m_shared ? *m_shared : m_own; }
    /// The next answer from `queue`; when there is none, `dialog` is noted as unanswered.
    template <typename T>
    [[nodiscard]] std::optional<T> take(AnswerQueue<T>& queue, const QString& dialog) {
        std::optional<T> answer = queue.take();
        if (!answer) {
            ++m_misses;
            m_unanswered.append(dialog);
        }
        return answer;
    }

private:
    DialogAnswerQueues m_own;
    DialogAnswerQueues* m_shared = nullptr;
    int m_misses = 0;
    QStringList m_unanswered;
};

// File dialogs answered from a queue (the driver's `file PATH|cancel`); every request is
// kept so tests can check titles, filters and start folders. A save answer without an
// extension gets the filter's, as in the real dialog. A dialog with no answer queued is
// cancelled and counted as unanswered.
class FakeFileDialogs final : public FileDialogs, public AnsweredDialogs {
public:
    enum class Kind { Open, Save };
    struct Request {
        Kind kind;
        QString title;
        QString filters;
        int selectedFilter; ///< 0 for save dialogs
        QString startFolder;
        QString suggestedName; ///< save dialogs: the name offered
    };

    using AnsweredDialogs::AnsweredDialogs;

    /// A path to choose, or nothing to cancel.
    void queueAnswer(std::optional<QString> path) { queues().files.push(std::move(path)); }
    [[nodiscard]] const std::vector<Request>& requests() const { return m_requests; }
    [[nodiscard]] std::size_t pendingAnswers() const { return queues().files.size(); }

    [[nodiscard]] std::optional<QString>
    getOpenFileName(QWidget* parent, const QString& title, const QString& filters,
                    int selectedFilter, const QString& startFolder = QString()) override;
    [[nodiscard]] std::optional<QString>
    getSaveFileName(QWidget* parent, const QString& title, const QString& filters,
                    const QString& startFolder = QString(),
                    const QString& suggestedName = QString()) override;

private:
    std::optional<QString> answer(Request request);

    std::vector<Request> m_requests;
};

// Message boxes answered from a queue (the driver's `answer yes|no`), with a log of every
// box shown for `print messages`. A question with no answer queued is answered No and
// counted as unanswered.
class FakeMessageBoxes final : public MessageBoxes, public AnsweredDialogs {
public:
    struct Shown {
        MessageIcon icon;
        QString text;
        QString title;
        std::optional<bool> answer; ///< questions only
        bool notice = false;        ///< shown without blocking or taking the keyboard
    };

    using AnsweredDialogs::AnsweredDialogs;

    void queueAnswer(bool yes) { queues().yesNo.push(yes); }
    [[nodiscard]] const std::vector<Shown>& shown() const { return m_shown; }
    [[nodiscard]] std::size_t pendingAnswers() const { return queues().yesNo.size(); }
    /// Calls `hear` with every box as it is shown, besides keeping it in shown().
    void whenShown(std::function<void(const Shown&)> hear) { m_hear = std::move(hear); }

    [[nodiscard]] bool question(QWidget* parent, const QString& text,
                                const QString& title) override;
    void information(QWidget* parent, const QString& text, const QString& title) override;
    void warning(QWidget* parent, const QString& text, const QString& title) override;
    void critical(QWidget* parent, const QString& text, const QString& title) override;
    void notice(QWidget* parent, const QString& text, const QString& title) override;

private:
    void show(Shown shown);

    std::vector<Shown> m_shown;
    std::function<void(const Shown&)> m_hear;
};

// Pickers answered from two queues, one for colours and one for fonts; every request is
// kept so tests can check titles and initial values. A picker with no answer queued is
// cancelled and counted as unanswered.
class FakePickerDialogs final : public PickerDialogs, public AnsweredDialogs {
public:
    struct Request {
        QString title;
        QColor initialColour; ///< colour pickers only
        QFont initialFont;    ///< font pickers only
    };

    using AnsweredDialogs::AnsweredDialogs;

    /// A colour to choose, or nothing to cancel.
    void queueColour(std::optional<QColor> colour) { queues().colours.push(colour); }
    /// A font to choose, or nothing to cancel.
    void queueFont(std::optional<QFont> font) { queues().fonts.push(std::move(font)); }
    [[nodiscard]] const std::vector<Request>& requests() const { return m_requests; }

    [[nodiscard]] std::optional<QColor> getColour(QWidget* parent, const QString& title,
                                                  const QColor& initial) override;
    [[nodiscard]] std::optional<QFont> getFont(QWidget* parent, const QString& title,
                                               const QFont& initial) override;

private:
    std::vector<Request> m_requests;
};

} // namespace sumiplex::platform
