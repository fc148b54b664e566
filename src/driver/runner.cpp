#include "driver/runner.h"

#include "driver/input.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/picture/picture_list.h"

#include <QApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QEvent>
#include <QMenu>
#include <QMessageBox>
#include <QQueue>

#include <array>

namespace sumiplex::driver {

namespace {

// A line may wait this many turns for a nested event loop that is about to end (a dialog
// closed by the previous line returns from exec() only once its loop runs again).
constexpr int kMaxDeferrals = 1000;
constexpr int kPictureSearchLimitMs = 10000;

bool isOwnedByWidget(const QObject& object) {
    for (const QObject* p = object.parent(); p; p = p->parent())
        if (p->isWidgetType())
            return true;
    return false;
}

} // namespace

ScriptRunner::ScriptRunner(QList<Command> commands, const QDir& scriptFolder, std::FILE* out)
    : m_commands(std::move(commands)), m_scriptFolder(scriptFolder), m_out(out) {
    m_stepTimer.setSingleShot(true);
    // A real zero timer, not a posted call: commands deliver posted events between
    // keystrokes, and that must never start the next line.
    m_stepTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_stepTimer, &QTimer::timeout, this, &ScriptRunner::step);
    m_answers.hear(m_messageBoxes);
    qApp->installEventFilter(this);
}

ScriptRunner::~ScriptRunner() {
    qApp->removeEventFilter(this);
    delete m_main.data();
}

void ScriptRunner::start() {
    m_stepTimer.start(0);
}

bool ScriptRunner::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Timer: {
        // The program's own timers tick only when the script fires them, so a slow
        // machine cannot change what a script prints.
        auto* timer = qobject_cast<QTimer*>(watched);
        if (timer && timer != &m_stepTimer && !m_firingTimer && !timer->objectName().isEmpty() &&
            isOwnedByWidget(*timer))
            return true;
        break;
    }
    case QEvent::Show:
        if (auto* box = qobject_cast<QMessageBox*>(watched))
            m_answers.recordShown(*box);
        break;
    case QEvent::Quit:
        // Closing the main window may end the program; the script still has lines to run
        // (reading saved settings, for one), and it ends the program itself.
        if (watched == qApp && !m_done)
            return true;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool ScriptRunner::settlePendingWindows() {
    const bool waited = closePopups();
    if (auto* modal = QApplication::activeModalWidget()) {
        switch (m_answers.answer(*modal)) {
        case DialogAnswers::Outcome::Answered:
            return true;
        case DialogAnswers::Outcome::NoAnswer:
            fail(
                m_commands[m_next],
                QStringLiteral("the dialog \"%1\" is waiting for an answer the script did not give")
                    .arg(modal->windowTitle()));
            return true;
        case DialogAnswers::Outcome::NotAStandardDialog:
            break;
        }
    }
    return waited;
}

void ScriptRunner::step() {
    if (m_done)
        return;
    if (m_next >= m_commands.size()) {
        finish(0);
        return;
    }
    const Command& c = m_commands[m_next];
    const bool givesAnswer = c.verb == Verb::Answer || c.verb == Verb::File ||
                             c.verb == Verb::Colour || c.verb == Verb::Font;
    if (!givesAnswer && settlePendingWindows()) {
        if (!m_done)
            m_stepTimer.start(0);
        return;
    }
    if (m_running > 0 && !QApplication::activeModalWidget() && m_deferrals < kMaxDeferrals) {
        ++m_deferrals;
        m_stepTimer.start(0);
        return;
    }
    m_deferrals = 0;
    ++m_next;
    m_stepTimer.start(0);
    ++m_running;
    Failure failure = run(c);
    --m_running;
    if (!failure)
        failure = unansweredDialogs();
    if (failure)
        fail(c, *failure);
}

void ScriptRunner::finish(int status) {
    if (m_done)
        return;
    m_done = true;
    m_stepTimer.stop();
    std::fflush(m_out);
    QCoreApplication::exit(status);
}

void ScriptRunner::fail(const Command& c, const QString& message) {
    if (m_done)
        return;
    std::fflush(m_out);
    const QByteArray text =
        QStringLiteral("line %1: %2\n  %3\n").arg(c.line).arg(c.source, message).toUtf8();
    std::fputs(text.constData(), stderr);
    std::fflush(stderr);
    finish(2);
}

Failure ScriptRunner::run(const Command& c) {
    switch (c.verb) {
    case Verb::Clock:
        m_clock.set(QDateTime::fromString(c.argument, QStringLiteral("yyyy-MM-dd HH:mm:ss")));
        return std::nullopt;
    case Verb::Setting:
        return setting(c.target, c.argument);
    case Verb::Folder:
        m_programFolder = resolvePath(c.argument);
        return std::nullopt;
    case Verb::Open:
        return open(c.target);
    case Verb::Type:
        return typeText(c.target, c.argument);
    case Verb::Key:
        return pressKey(c.target, c.argument);
    case Verb::Set:
        return setText(c.target, c.argument);
    case Verb::Paste:
        return pasteText(c.target, c.argument);
    case Verb::Drop:
        return dropFile(c.target, resolvePath(c.argument));
    case Verb::Click:
    case Verb::RClick:
    case Verb::DClick:
        return mouse(c.verb, c.target);
    case Verb::Menu:
        return menu(c.target);
    case Verb::Select:
        return select(c.target, c.argument);
    case Verb::Date:
        return setDate(c.target, c.argument);
    case Verb::Time:
        return setTime(c.target, c.argument);
    case Verb::Fire:
        return fire(c.target);
    case Verb::Answer:
    case Verb::File:
    case Verb::Colour:
    case Verb::Font:
        return queueAnswer(c);
    case Verb::Close:
        return close(c.target);
    case Verb::Print:
        return print(c.target);
    case Verb::Printer:
        return printer(c.argument);
    case Verb::TapeLine:
        return tapeLine(c.argument);
    case Verb::Cell:
        return editCell(c.target, c.argument);
    }
    return QStringLiteral("unknown command");
}

Failure ScriptRunner::open(const QString& name) {
    if (name != u"frmMain")
        return QStringLiteral("%1 cannot be opened from a script").arg(name);
    if (m_main && m_main->isVisible())
        return QStringLiteral("frmMain is already open");
    // Opened again after its close, the program starts afresh and reads what the close
    // wrote, as a user starting it a second time would see.
    if (m_main) {
        delete m_main.data();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // The script decides which pictures there are: it names the folder that stands for the
    // program's own, and without one there is none.
    // The run's tapes stay in its private folder, as {tmp}/tapes.
    m_main = new ui::frmMain(ui::Services{m_clock, m_settings, m_fileDialogs, m_messageBoxes,
                                          m_pickers, m_shell, m_printing, m_programFolder,
                                          m_tempFolder.path() + QStringLiteral("/tapes")});
    m_main->show();
    activateWindow(*m_main);
    // The picture search runs beside the first window; a script reads its outcome only
    // once it is done, so what it prints never depends on the machine's speed.
    // Work the window leaves for after its first showing is done before the next line too.
    // The next line waits meanwhile: the loop run here must not start it.
    m_stepTimer.stop();
    QCoreApplication::processEvents();
    QDeadlineTimer deadline(kPictureSearchLimitMs);
    while (m_main && m_main->pictureList().collecting() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (!m_done)
        m_stepTimer.start(0);
    return std::nullopt;
}

QString ScriptRunner::resolvePath(const QString& path) const {
    static constexpr QStringView kTemp = u"{tmp}";
    if (path.startsWith(kTemp))
        return m_tempFolder.path() + path.mid(kTemp.size());
    return m_scriptFolder.absoluteFilePath(path);
}

Failure ScriptRunner::unansweredDialogs() {
    QStringList missing = m_messageBoxes.takeUnanswered() + m_fileDialogs.takeUnanswered() +
                          m_pickers.takeUnanswered();
    if (missing.isEmpty())
        return std::nullopt;
    return QStringLiteral("%1 asked for an answer the script did not give")
        .arg(missing.join(QStringLiteral(", ")));
}

Failure ScriptRunner::printer(const QString& state) {
    // The office printer (the current one) works normally, has no printers at all, or
    // refuses every document with the reason given; its queue may be stopped, refuse new
    // documents, or never answer; the next page set-up may be confirmed with margins.
    const QString word = state.section(u' ', 0, 0);
    const QString rest = state.section(u' ', 1);
    if (word == u"none") {
        m_printing.setPrinters({}, -1);
        return std::nullopt;
    }
    if (word == u"margins") {
        const QStringList values = rest.split(u' ', Qt::SkipEmptyParts);
        std::array<double, 4> mm{};
        bool ok = values.size() == 4;
        for (qsizetype i = 0; ok && i < 4; ++i)
            mm[static_cast<std::size_t>(i)] = values[i].toDouble(&ok);
        if (!ok)
            return QStringLiteral("printer margins takes LEFT TOP RIGHT BOTTOM in millimetres");
        m_printing.answerPageSetup(print::Margins{mm[0], mm[1], mm[2], mm[3]});
        return std::nullopt;
    }
    if (word != u"ok" && word != u"fail" && word != u"stopped" && word != u"rejecting" &&
        word != u"silent")
        return QStringLiteral("unknown printer state %1").arg(word);
    for (auto& p : m_printing.printers()) {
        p.failure = word == u"fail" ? rest : QString();
        p.queue = platform::QueueState{
            .accepting = word != u"rejecting",
            .stopped = word == u"stopped",
            .message = word == u"stopped" || word == u"rejecting" ? rest : QString()};
        p.silent = word == u"silent";
    }
    return std::nullopt;
}

Failure ScriptRunner::setting(const QString& key, const QString& value) {
    m_settings.write(key, value);
    return std::nullopt;
}

Failure ScriptRunner::close(const QString& name) {
    QString error;
    QWidget* w = window(name, error);
    if (!w)
        return error;
    w->close();
    return std::nullopt;
}

QWidget* ScriptRunner::window(const QString& name, QString& error) const {
    QWidget* found = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() != name)
            continue;
        if (w->isVisible())
            return w;
        if (!found)
            found = w;
    }
    if (!found)
        error = QStringLiteral("no window %1").arg(name);
    return found;
}

QObject* ScriptRunner::named(const QString& ref, QString& error) const {
    const auto dot = ref.indexOf(u'.');
    QWidget* w = window(ref.left(dot), error);
    if (!w)
        return nullptr;
    const QString name = ref.mid(dot + 1);
    // Breadth first, and not into other windows that happen to be children (the history
    // window has its own Text1); menus are popup windows but their actions belong here.
    QQueue<QObject*> queue;
    queue.enqueue(w);
    while (!queue.isEmpty()) {
        QObject* o = queue.dequeue();
        for (QObject* child : o->children()) {
            auto* cw = qobject_cast<QWidget*>(child);
            if (cw && cw->isWindow() && !qobject_cast<QMenu*>(cw))
                continue;
            if (child->objectName() == name)
                return child;
            queue.enqueue(child);
        }
    }
    error = QStringLiteral("no control %1 in %2").arg(name, w->objectName());
    return nullptr;
}

QWidget* ScriptRunner::control(const QString& ref, QString& error) const {
    return namedAs<QWidget>(ref, "a control", error);
}

} // namespace sumiplex::driver
