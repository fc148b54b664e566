#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/end_signals.h"
#include "platform/memory_release.h"
#include "platform/printing.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "platform/tape_journal.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/picture/picture_file.h"
#include "ui/ui_fonts.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>

#include <csignal>
#include <cstdio>

int main(int argc, char* argv[]) {
    sumiplex::platform::giveLargeBuffersBack();
    // Past a file-size limit the write fails with an error the save reports, instead of the
    // signal ending the program and losing the memo with it.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    // Caught from here on; a signal during start-up is acted on once the event loop runs.
    sumiplex::platform::EndSignals endSignals;
    QApplication::setApplicationName(QStringLiteral("Sumiplex"));
    // The desktop pairs the program's windows with its installed entry and icon by this name.
    QApplication::setDesktopFileName(QStringLiteral("sumiplex"));

    sumiplex::ui::installFontSubstitutions();

    sumiplex::platform::SystemClock clock;
    // Declared before the window, so the settings it writes while it unloads reach the file
    // when the store is destroyed after it.
    sumiplex::platform::IniSettingsStore settings;
    sumiplex::platform::QtFileDialogs files;
    sumiplex::platform::QtMessageBoxes messages;
    sumiplex::platform::QtPickerDialogs pickers;
    sumiplex::platform::SystemShell shell;
    sumiplex::platform::CupsPrinting printing;
    sumiplex::ui::frmMain frmMain(sumiplex::ui::Services{
        clock, settings, files, messages, pickers, shell, printing,
        QCoreApplication::applicationDirPath(), sumiplex::platform::defaultTapeFolder()});
    frmMain.show();
    // Logout, shutdown or a closed terminal end the program as the user's close does, but
    // with no one there to answer: nothing is asked.
    QObject::connect(&endSignals, &sumiplex::platform::EndSignals::endRequested, &frmMain,
                     &sumiplex::ui::frmMain::endWithoutQuestions);

    // The standard dialogs (files, colours, fonts, printing) speak the user's language. No
    // dialog can open before the event loop's first turn, so the translation is loaded then,
    // after the window is on the screen.
    QTranslator qtTranslator;
    QTimer::singleShot(0, &app, [&qtTranslator] {
        // The icon is decoded from three PNG sizes; the window manager takes it once mapped.
        QApplication::setWindowIcon(sumiplex::ui::applicationIcon());
        if (qtTranslator.load(QStringLiteral("qtbase_ja"),
                              QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QApplication::installTranslator(&qtTranslator);
    });
    const int status = QApplication::exec();
    // The window is gone by now, but settings that did not reach the disk are news the user
    // needs: the next start would quietly come up with the old ones.
    if (const std::optional<QString> failure = settings.save()) {
        if (frmMain.endedWithoutQuestions())
            std::fprintf(stderr, "sumiplex: %s\n", qUtf8Printable(*failure));
        else
            messages.warning(nullptr, *failure, QStringLiteral("電卓"));
    }
    return status;
}
