#pragma once

#include "driver/dialog_answers.h"
#include "driver/script.h"
#include "platform/clock.h"
#include "platform/printing.h"
#include "platform/settings_store.h"
#include "platform/shell.h"

#include <QDir>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <optional>

namespace sumiplex::ui {
class frmMain;
}

namespace sumiplex::driver {

/// What went wrong with a command; empty when it ran.
using Failure = std::optional<QString>;

/// Runs an event script against the program's real windows, one command per turn of the
/// event loop. The next command is scheduled before the current one runs, so when a
/// command opens a modal window (whose exec() runs a nested loop) the following lines
/// drive that window, and the command returns once they have closed it.
class ScriptRunner final : public QObject {
    Q_OBJECT
public:
    ScriptRunner(QList<Command> commands, const QDir& scriptFolder, std::FILE* out);
    ~ScriptRunner() override;

    /// Starts with the first command once the event loop runs; the application exits with
    /// 0 after the last command, or with 2 at the first command that fails.
    void start();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void step();
    /// Clears what a user would have to deal with before the next line: answers standard
    /// dialogs, closes open popup menus. True when the step has to wait a turn.
    [[nodiscard]] bool settlePendingWindows();
    void finish(int status);
    void fail(const Command& c, const QString& message);

    Failure run(const Command& c);
    Failure open(const QString& name);
    Failure setting(const QString& key, const QString& value);
    Failure typeText(const QString& ref, const QString& text);
    /// TEXT on the clipboard, then Ctrl+V in the focused control.
    Failure pasteText(const QString& ref, const QString& text);
    /// PATH dropped on the window as a file manager drops a file: a drag entering it, then
    /// the drop.
    Failure dropFile(const QString& windowName, const QString& path);
    Failure pressKey(const QString& ref, const QString& keyName);
    Failure setText(const QString& ref, const QString& text);
    Failure mouse(Verb verb, const QString& ref);
    Failure menu(const QString& ref);
    Failure select(const QString& ref, const QString& item);
    /// "ROW COL TEXT": the cell edited as typed and committed with Enter.
    Failure editCell(const QString& ref, const QString& cell);
    Failure setDate(const QString& ref, const QString& date);
    Failure setTime(const QString& ref, const QString& time);
    Failure fire(const QString& ref);
    Failure queueAnswer(const Command& c);
    Failure close(const QString& name);
    Failure print(const QString& ref);
    Failure printer(const QString& state);
    /// The history window's caret on tape line `number` (0-based), and its context menu
    /// opened there from the keyboard, so the menu's items act on that line.
    Failure tapeLine(const QString& number);
    /// A failure when the program asked a question or opened a file dialog that the script
    /// had given no answer for.
    Failure unansweredDialogs();
    [[nodiscard]] std::optional<QString> special(const QString& ref, QString& error);
    /// A path of a script line: "{tmp}/…" in the private folder, others from the script's
    /// folder.
    [[nodiscard]] QString resolvePath(const QString& path) const;
    [[nodiscard]] std::optional<QString> readReference(const QString& ref, QString& error) const;

    // Name lookup. Each returns null and sets the error when the name is unknown.
    [[nodiscard]] QWidget* window(const QString& name, QString& error) const;
    [[nodiscard]] QObject* named(const QString& ref, QString& error) const;
    [[nodiscard]] QWidget* control(const QString& ref, QString& error) const;
    /// The named object as a T; null with "REF is not KIND" when it is something else.
    template <class T>
    [[nodiscard]] T* namedAs(const QString& ref, const char* kind, QString& error) const {
        QObject* o = named(ref, error);
        if (!o)
            return nullptr;
        auto* t = qobject_cast<T*>(o);
        if (!t)
            error = QStringLiteral("%1 is not %2").arg(ref, QLatin1String(kind));
        return t;
    }

    QList<Command> m_commands;
    qsizetype m_next = 0;
    QDir m_scriptFolder;
    /// A private folder for the files a script saves: "{tmp}" at the start of a path.
    QTemporaryDir m_tempFolder;
    /// Stands for the program's folder in the picture search; empty searches nothing.
    QString m_programFolder;
    std::FILE* m_out;
    QTimer m_stepTimer;
    int m_running = 0;   ///< commands in progress (more than one inside a modal loop)
    int m_deferrals = 0; ///< turns the current line has waited for a nested loop to end
    bool m_done = false;
    bool m_firingTimer = false;

    platform::FakeClock m_clock;
    /// The settings the program starts with and saves to.
    platform::FakeSettingsStore m_settings;
    DialogAnswers m_answers;
    platform::FakeMessageBoxes m_messageBoxes{m_answers};
    platform::FakeFileDialogs m_fileDialogs{m_answers};
    platform::FakePickerDialogs m_pickers{m_answers};
    platform::FakeShell m_shell;
    platform::FakePrinting m_printing;
    /// Documents and page set-ups already shown by `print printed`.
    std::size_t m_documentsSeen = 0;
    qsizetype m_pageSetupsSeen = 0;
    QPointer<ui::frmMain> m_main;
    /// The tape as the last `print tape` or `print tape.new` saw it.
    QString m_tapeSeen;
};

} // namespace sumiplex::driver
