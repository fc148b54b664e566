#include "driver/runner.h"
#include "driver/script.h"
#include "ui/ui_fonts.h"

#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <csignal>
#include <cstdio>

namespace {

QtMessageHandler g_previousHandler = nullptr;

/// Synthesised events that no widget takes (a key release in a line edit, a click on a
/// plain label) make Qt's test helpers warn once per event, and the offscreen platform
/// warns about every window feature it lacks; neither says anything about the program,
/// and both would bury its real warnings.
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && (message.contains(u"not accepted by receiving widget") ||
                                 message.startsWith(u"This plugin does not support")))
        return;
    if (g_previousHandler)
        g_previousHandler(type, context, message);
}

constexpr const char* kUsage = R"(usage: sumiplex-driver SCRIPT

Runs an event script against the program's windows and prints what it asks for.
One command a line; blank lines and lines starting with # are skipped. TEXT is the rest
of the line after one blank, with \t \r \n \\ decoded.

  clock YYYY-MM-DD HH:MM:SS        set the clock the program reads
  setting KEY VALUE                put a value into the driver's settings store
  folder PATH                      the folder searched for pictures as the program's own
                                   (before open; without it no picture is found)
  open frmMain                     start as at launch
  type WINDOW.CONTROL TEXT         focus the control, one key press and release a character
  key WINDOW.CONTROL KEY           Enter Space Tab Backspace Delete Escape Up Down Left
                                   Right Home End, Menu (opens the context menu at the
                                   caret), or one character
  set WINDOW.CONTROL TEXT          the program's own assignment of the text
  click|rclick|dclick WINDOW.CONTROL
  menu WINDOW.ACTION               trigger a menu item (a disabled one does nothing)
  tapeline N                       the history window's caret on tape line N (from 0) and
                                   its context menu opened and closed there, so that
                                   `menu frmTip2.mnuTapeNote` acts on that line (nothing
                                   while the window is hidden)
  select WINDOW.CONTROL ITEM       a list or combo item by its text, or #N from 0
  date WINDOW.CONTROL YYYY-MM-DD   time WINDOW.CONTROL HH:MM:SS
  fire WINDOW.TIMER                one tick (the program's timers tick only so)
  answer yes|no   file PATH|cancel   colour N|cancel   font FAMILY SIZE BOLD ITALIC|cancel
                                   answers for the next standard dialog (a relative
                                   PATH is taken from the script's folder; {tmp}/NAME
                                   is in a private folder removed when the script ends)
  close WINDOW                     the window's close box
  printer none|ok|fail REASON      the made-up printers: none installed, working, or
                                   refusing every document with REASON
  printer stopped|rejecting [REASON]  their queue holds documents or takes none
  printer silent                   their queue never answers (until cancelled)
  printer margins L T R B          the next page set-up is confirmed with these margins
                                   in mm (without one it is cancelled)
  print REF                        REF = "value", the value as a JSON string

REF: WINDOW[.PROPERTY], WINDOW.CONTROL[.PROPERTY], tape, tape.new (appended since the
tape was last printed), memo (lines ended by CR LF), messages (each box shown: title, tab,
text), filedialog (the last file dialog asked: title, tab, the folder it opens in, tab,
the name it offers), urls (each address given to the browser), setting KEY (what the
program stored), file PATH (a file's content, read as UTF-8), printed (page set-ups and
documents since the last look: each page's paper and its lines, arcs and texts in
millimetres from the paper's top-left corner).
PROPERTY: text enabled visible checked caret selection focus font fontsize bold italic
colour background left top width height (positions and sizes in twips).

The program starts with the driver's own settings store (filled by `setting` lines).
Printed values show the private folder as {tmp} and the script's folder as {script}.
A question or file dialog the script gave no answer for fails the line that opened it.

Exit status 0 when every line ran, 2 at the first line that could not (named on stderr).
)";

int usage() {
    std::fputs(kUsage, stderr);
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    // As in the program: a write past a file-size limit fails and is reported.
    std::signal(SIGXFSZ, SIG_IGN);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The program must never read or write the settings of the user running a script.
    QTemporaryDir configHome;
    if (configHome.isValid())
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome.path()));
    // Qt wants a private runtime folder and warns on every run without one.
    QTemporaryDir runtimeHome;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtimeHome.isValid()) {
        QFile::setPermissions(runtimeHome.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeHome.path()));
    }
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    g_previousHandler = qInstallMessageHandler(quietHandler);

    if (argc != 2 || qstrcmp(argv[1], "--help") == 0)
        return usage();
    const QString path = QFile::decodeName(argv[1]);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 2;
    }
    auto parsed = sumiplex::driver::parseScript(QString::fromUtf8(file.readAll()));
    if (parsed.error) {
        const auto& e = *parsed.error;
        std::fputs(QStringLiteral("line %1: %2\n  %3\n")
                       .arg(e.line)
                       .arg(e.source, e.message)
                       .toUtf8()
                       .constData(),
                   stderr);
        return 2;
    }
    sumiplex::ui::installFontSubstitutions();
    sumiplex::driver::ScriptRunner runner(std::move(parsed.commands), QFileInfo(path).absoluteDir(),
                                          stdout);
    runner.start();
    return app.exec();
}
