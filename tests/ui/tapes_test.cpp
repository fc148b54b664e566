// The kept tapes with real files and real processes: a run killed mid-typing leaves every
// line it completed, the next start offers it; damaged and old files; a journal that
// cannot be written warns once and resumes in a new file.

// moc cannot parse the standard library's concepts header that the core pulls in.
#ifndef Q_MOC_RUN
#include "core/engine/tape.h"
#endif
#include "core/journal/journal_format.h"
#include "file_size_limit.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/end_signals.h"
#include "platform/printing.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "platform/tape_journal.h"
#include "ui/mainwindow/fake_services.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/mainwindow/frm_tip3.h"
#include "ui/ui_fonts.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <fcntl.h>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace sumiplex;
using journal::JournalState;

namespace {

constexpr int kChildLines = 400;

QString typedLine(int n) {
    return QString::number(n * 7 % 1000) + (n % 3 == 0 ? QStringLiteral("-") : QStringLiteral("+"));
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The file's last change, as a file copied in or left by an earlier run has it.
void setModified(const QString& path, const QDateTime& when) {
    const timespec t{static_cast<time_t>(when.toSecsSinceEpoch()), 0};
    const timespec times[2] = {t, t};
    QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, AT_SYMLINK_NOFOLLOW),
             0);
}

QWidget* shownViewer() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == u"frmTapes" && w->isVisible())
            return w;
    return nullptr;
}

QByteArray journalBytes(JournalState state, const std::string& body, std::uint64_t length) {
    return QByteArray::fromStdString(journal::headerLine(state, length, "0.1.0") + body);
}

struct Program : ui::FakeServices {
    std::unique_ptr<ui::frmMain> window;

    Program() { clock.set(QDateTime(QDate(2026, 12, 7), QTime(10, 0))); }

    ui::frmMain& start(const QString& tapeFolder) {
        window = std::make_unique<ui::frmMain>(services(QString(), tapeFolder));
        window->show();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        return *window;
    }
    void type(const QString& text) {
        QTest::keyClicks(window->findChild<QLineEdit*>(QStringLiteral("Text1")), text);
    }
    int warnings() const {
        return static_cast<int>(std::count_if(messages.shown().begin(), messages.shown().end(),
                                              [](const auto& m) { return !m.answer; }));
    }
};

// The child: the real window with the real journal, typing one line after another and
// telling the parent after each.
int runTypingChild(int argc, char** argv) {
    QApplication app(argc, argv);
    Program program;
    program.start(QString::fromLocal8Bit(argv[2]));
    for (int n = 1; n <= kChildLines; ++n) {
        program.type(typedLine(n));
        std::printf("%d\n", n);
        std::fflush(stdout);
        QTest::qWait(2);
    }
    return 0;
}

// The child: the real window with real message boxes, ended by a signal while the
// recovery question of an earlier tape waits for an answer and the memo holds text.
int runEndingChild(int argc, char** argv) {
    QApplication app(argc, argv);
    platform::EndSignals endSignals;
    Program fakes;
    platform::IniSettingsStore settings(QString::fromLocal8Bit(argv[3]));
    platform::QtMessageBoxes boxes;
    platform::QtFileDialogs files;
    ui::frmMain window(ui::Services{fakes.clock, settings, files, boxes, fakes.pickers, fakes.shell,
                                    fakes.printing, QString(), QString::fromLocal8Bit(argv[2])});
    QObject::connect(&endSignals, &platform::EndSignals::endRequested, &window,
                     &ui::frmMain::endWithoutQuestions);
    window.show();
    window.memoPad().setMemoText(QStringLiteral("売上メモ"));
    for (int n = 1; n <= 20; ++n)
        QTest::keyClicks(window.findChild<QLineEdit*>(QStringLiteral("Text1")), typedLine(n));
    QTimer::singleShot(300, [] {
        std::printf("%s\n", QApplication::activeModalWidget() ? "asking" : "not asking");
        std::fflush(stdout);
    });
    const int status = QApplication::exec();
    if (settings.save())
        return 3;
    std::printf("ended\n");
    return status;
}

} // namespace

class TapesTest : public QObject {
    Q_OBJECT
private slots:
    void killedRunIsOfferedWithEveryCompletedLine();
    void theJournalKeepsEachStepWithTheNoteItWasLastGiven();
    void damagedAndOldTapesAreListedMarkedAndKeptUntilTheUserRemovesThem();
    void unwritableJournalWarnsOnceAndResumesInANewFile_data();
    void unwritableJournalWarnsOnceAndResumesInANewFile();
    void linesTheJournalCannotKeepAtTheCloseAreOfferedForSaving_data();
    void linesTheJournalCannotKeepAtTheCloseAreOfferedForSaving();
    void endSignalClosesAsTheUserWouldWithNothingLeftWaiting();
    void onlyRegularFilesThatAreNoLinksAreOpened_data();
    void onlyRegularFilesThatAreNoLinksAreOpened();
    void plantedFilesNeitherHoldTheStartNorGetWritten();
    void retentionMovesOldTapesAsideOnlyUnderAValidLimitAndABelievableClock_data();
    void retentionMovesOldTapesAsideOnlyUnderAValidLimitAndABelievableClock();
    void aHugeLineShowsAtOnceCutAndCopiesWhole();
    void aLongSearchLetsTheWindowGoOnAndANewTapeEndsIt();
    void aSearchOfEveryTapeListsEachLineByTapeAndLineAndGoesToIt();
};

void TapesTest::killedRunIsOfferedWithEveryCompletedLine() {
    QTemporaryDir folder;
    for (int killAfter : {1, 37, 150}) {
        const QString tapes = folder.filePath(QStringLiteral("run%1").arg(killAfter));
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--typing-child"), tapes});
        QVERIFY(child.waitForStarted());
        int reported = 0;
        while (reported < killAfter && child.waitForReadyRead(20000))
            while (child.canReadLine())
                reported = child.readLine().trimmed().toInt();
        QCOMPARE_GE(reported, killAfter);
        ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
        QVERIFY(child.waitForFinished());
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        // The same lines typed here give the tape the killed run would have shown.
        Program reference;
        reference.start(QString());
        for (int n = 1; n <= reported; ++n)
            reference.type(typedLine(n));
        const std::u16string upToReport(reference.window->tape().text());

        const QStringList files = QDir(tapes).entryList({QStringLiteral("*.tape")});
        QCOMPARE(files.size(), 1);
        const QString path = tapes + QLatin1Char('/') + files.front();
        const QByteArray bytes = readAll(path);
        const journal::JournalContents kept =
            journal::readJournal(std::string_view(bytes.constData(), bytes.size()));
        QVERIFY(kept.isJournal);
        QCOMPARE(kept.state, JournalState::Open);
        // Every line reported before the kill, byte for byte, and nothing but whole lines.
        QVERIFY(kept.text.starts_with(upToReport));
        QVERIFY(kept.text.ends_with(u"\r\n"));

        Program next;
        next.messages.queueAnswer(true);
        next.start(tapes);
        QCOMPARE(next.messages.shown().size(), std::size_t{1});
        QVERIFY(next.messages.shown().front().answer.has_value());
        QWidget* viewer = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == u"frmTapes" && w->isVisible())
                viewer = w;
        QVERIFY(viewer);
        QStringList shown = QString::fromStdU16String(kept.text).split(QStringLiteral("\r\n"));
        shown.removeLast(); // after the last line end
        const QAbstractItemModel* rows =
            viewer->findChild<QListView*>(QStringLiteral("txtTape"))->model();
        QStringList viewed;
        for (int row = 0; row < rows->rowCount(); ++row)
            viewed << rows->index(row, 0).data().toString();
        QCOMPARE(viewed, shown);
        viewer->close();
        QCOMPARE(journal::readHeader(readAll(path).toStdString())->state, JournalState::Recovered);
        next.window.reset();

        // Offered once only.
        Program after;
        after.start(tapes);
        QCOMPARE(after.messages.shown().size(), std::size_t{0});
    }
}

void TapesTest::theJournalKeepsEachStepWithTheNoteItWasLastGiven() {
    QTemporaryDir folder;
    const QString tapes = folder.filePath(QStringLiteral("tapes"));
    Program program;
    program.start(tapes);
    for (const QString& line :
         {QStringLiteral("500+"), QStringLiteral("1500+"), QStringLiteral("200-"),
          QStringLiteral("3*"), QStringLiteral("*10%+")})
        program.type(line);
    engine::Tape& tape = program.window->tape();
    QVERIFY(tape.setNote(1, u"交通費"));
    program.type(QStringLiteral("7+"));
    QVERIFY(tape.setNote(1, u"伝票No.123"));
    QVERIFY(tape.setNote(0, u"前払い"));
    const std::vector<engine::TapeEntry> entries = tape.entries().slice(0);
    const std::u16string text(tape.text());
    program.window->close();

    const auto files = platform::listTapeFiles(tapes);
    QCOMPARE(files.size(), std::size_t{1});
    const QByteArray bytes = readAll(files.front().path);
    const auto kept = journal::readJournal(std::string_view(bytes.constData(), bytes.size()));
    QCOMPARE(QString::fromStdU16String(kept.text), QString::fromStdU16String(text));
    QCOMPARE(kept.entries.size(), entries.size());
    QVERIFY2(entries.size() >= 5, qPrintable(QString::fromStdU16String(text)));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const engine::TapeEntry& e = kept.entries[i].entry;
        QVERIFY(!kept.entries[i].recovered);
        QCOMPARE(kept.entries[i].firstLine, tape.firstLineOf(i));
        QCOMPARE(e.kind, entries[i].kind);
        QCOMPARE(QString::fromStdU16String(e.input), QString::fromStdU16String(entries[i].input));
        QCOMPARE(QString::fromStdU16String(e.note), QString::fromStdU16String(entries[i].note));
        QCOMPARE(e.value.has_value(), entries[i].value.has_value());
        if (e.value)
            QVERIFY(*e.value == *entries[i].value);
    }
}

void TapesTest::damagedAndOldTapesAreListedMarkedAndKeptUntilTheUserRemovesThem() {
    QTemporaryDir folder;
    const QString dir = folder.path();
    const std::string body = "      0 +5= 5\r\n      5 +7= 12\r\n";
    struct File {
        const char* name;
        QByteArray bytes;
        bool kept;
        const char* listed;
    };
    const std::vector<File> files = {
        {"2026-12-01_080000.tape", journalBytes(JournalState::Complete, body, body.size()), true,
         "2026-12-01 08:00:00　2行　合計 5 → 12"},
        {"2026-12-02_080000.tape",
         journalBytes(JournalState::Complete, body.substr(0, 20), body.size()), true,
         "2026-12-02 08:00:00　2行　合計 5　［途中で切れています］"},
        {"2026-12-03_080000.tape", journalBytes(JournalState::Recovered, "  \xFF\xFE 5\r\n", 8),
         true, "2026-12-03 08:00:00　1行　［異常終了］　［読めない文字があります］"},
        {"2026-12-04_080000.tape", QByteArray("\x00\x01garbage", 9), true,
         "2026-12-04 08:00:00　1行　［計算履歴のファイルではありません］"},
        {"2024-01-01_080000.tape", journalBytes(JournalState::Complete, body, body.size()), false,
         nullptr},
        {"2024-01-02_080000.tape", QByteArray("not a tape"), true,
         "2024-01-02 08:00:00　1行　［計算履歴のファイルではありません］"},
    };
    for (const File& f : files) {
        const QString path = dir + QLatin1Char('/') + QLatin1String(f.name);
        writeFile(path, f.bytes);
        setModified(path, QDateTime::fromString(QString::fromLatin1(f.name).left(10),
                                                QStringLiteral("yyyy-MM-dd")));
    }

    Program program;
    program.start(dir);
    QCOMPARE(program.messages.shown().size(), std::size_t{0}); // nothing unfinished
    program.window->findChild<QAction*>(QStringLiteral("mnuEarlierTapes"))->trigger();
    QWidget* viewer = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == u"frmTapes" && w->isVisible())
            viewer = w;
    QVERIFY(viewer);
    auto* list = viewer->findChild<QListWidget*>(QStringLiteral("lstTapes"));
    QStringList listed;
    for (int row = 0; row < list->count(); ++row)
        listed << list->item(row)->text();
    QStringList expected;
    for (auto it = files.rbegin(); it != files.rend(); ++it)
        if (it->listed)
            expected << QString::fromUtf8(it->listed);
    std::sort(expected.begin(), expected.end(), std::greater<>());
    QCOMPARE(listed, expected);
    for (const File& f : files)
        QCOMPARE(QFile::exists(dir + QLatin1Char('/') + QLatin1String(f.name)), f.kept);
    QVERIFY(QFile::exists(dir + QStringLiteral("/trash/2024-01-01_080000.tape")));

    // Searching with full-width digits finds the half-width line; its total goes to the
    // input line.
    list->setCurrentRow(static_cast<int>(expected.indexOf(QString::fromUtf8(files[0].listed))));
    auto* find = viewer->findChild<QLineEdit*>(QStringLiteral("txtFind"));
    find->setText(QStringLiteral("＋７"));
    QTest::keyClick(find, Qt::Key_Return);
    QCOMPARE(viewer->findChild<QListView*>(QStringLiteral("txtTape"))->currentIndex().row(), 1);
    viewer->findChild<QPushButton*>(QStringLiteral("cmdSend"))->click();
    QCOMPARE(program.window->findChild<QLineEdit*>(QStringLiteral("Text1"))->text(),
             QStringLiteral("12"));

    // Removing one takes the user's word.
    list->setCurrentRow(0);
    program.messages.queueAnswer(false);
    viewer->findChild<QPushButton*>(QStringLiteral("cmdDelete"))->click();
    QCOMPARE(list->count(), expected.size());
    program.messages.queueAnswer(true);
    viewer->findChild<QPushButton*>(QStringLiteral("cmdDelete"))->click();
    QCOMPARE(list->count(), expected.size() - 1);
    QVERIFY(!QFile::exists(dir + QStringLiteral("/2026-12-04_080000.tape")));

    // Closing the calculator takes the window with it, so the program can end.
    const QPointer<QWidget> open = viewer;
    program.window->close();
    QVERIFY(open.isNull());
}

void TapesTest::unwritableJournalWarnsOnceAndResumesInANewFile_data() {
    QTest::addColumn<bool>("diskFull");
    QTest::newRow("file size limit reached") << true;
    QTest::newRow("folder cannot be made") << false;
}

void TapesTest::unwritableJournalWarnsOnceAndResumesInANewFile() {
    QFETCH(bool, diskFull);
    QTemporaryDir folder;
    const QString blocker = folder.filePath(QStringLiteral("blocker"));
    const QString tapes = diskFull ? folder.filePath(QStringLiteral("tapes")) : blocker + "/tapes";
    if (!diskFull)
        writeFile(blocker, "a file where the folder should be");
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);

    Program program;
    program.start(tapes);
    program.type(QStringLiteral("1+"));
    if (diskFull) {
        rlimit small = saved;
        small.rlim_cur = 200;
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    for (int n = 2; n <= 30; ++n)
        program.type(QString::number(n) + QLatin1Char('+'));
    QCoreApplication::processEvents();
    QCOMPARE(program.warnings(), 1);
    // Typing goes on while it shows: it must not take the keyboard. It says why.
    QVERIFY(program.messages.shown().front().notice);
    QVERIFY(program.messages.shown().front().text.contains(
        diskFull ? QStringLiteral("（File too large）")
                 : tapes + QStringLiteral(" に書き込めません")));
    for (int n = 31; n <= 40; ++n)
        program.type(QString::number(n) + QLatin1Char('+'));
    QCoreApplication::processEvents();
    QCOMPARE(program.warnings(), 1);

    ::setrlimit(RLIMIT_FSIZE, &saved);
    QFile::remove(blocker);
    auto* sync = program.window->findChild<QTimer*>(QStringLiteral("tmrJournalSync"));
    QVERIFY(sync && sync->isActive());
    QTimerEvent tick(sync->timerId());
    QCoreApplication::sendEvent(sync, &tick);
    program.type(QStringLiteral("41+"));
    program.window->close();
    QCOMPARE(program.warnings(), 1);

    // The files of the run together hold the whole tape, each one complete and intact.
    std::u16string joined;
    const auto files = platform::listTapeFiles(tapes);
    QCOMPARE(files.size(), std::size_t{diskFull ? 2u : 1u});
    for (const platform::TapeFileInfo& file : files) {
        const QByteArray bytes = readAll(file.path);
        const auto kept = journal::readJournal(std::string_view(bytes.constData(), bytes.size()));
        QCOMPARE(kept.state, JournalState::Complete);
        QVERIFY(!kept.truncated);
        joined += kept.text;
    }
    QCOMPARE(QString::fromStdU16String(joined),
             QStringView(program.window->tape().text()).toString());
}

void TapesTest::linesTheJournalCannotKeepAtTheCloseAreOfferedForSaving_data() {
    QTest::addColumn<bool>("roomAtClose");
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<bool>("firstSaveFails");
    QTest::addColumn<bool>("endedBySignal");
    QTest::newRow("room again at the close: written, nothing asked")
        << true << QList<bool>{} << false << false;
    QTest::newRow("still full: saved elsewhere") << false << QList<bool>{true} << false << false;
    QTest::newRow("still full: the user lets them go")
        << false << QList<bool>{false} << false << false;
    QTest::newRow("a failed save is offered again")
        << false << QList<bool>{true, true} << true << false;
    QTest::newRow("an end that asks nothing keeps them beside the tapes")
        << false << QList<bool>{} << false << true;
}

void TapesTest::linesTheJournalCannotKeepAtTheCloseAreOfferedForSaving() {
    QFETCH(bool, roomAtClose);
    QFETCH(QList<bool>, answers);
    QFETCH(bool, firstSaveFails);
    QFETCH(bool, endedBySignal);
    QTemporaryDir folder;
    const QString tapes = folder.filePath(QStringLiteral("tapes"));
    const QString saved = folder.filePath(QStringLiteral("rest.txt"));
    const QString blocker = folder.filePath(QStringLiteral("blocker"));
    writeFile(blocker, "a file where a folder should be");

    Program program;
    program.start(tapes);
    // Past 200 bytes the journal fails; the nine lines that follow cannot go into a new
    // file with its header either, yet fit into a file of their own.
    std::optional<FileSizeLimit> limit(std::in_place, 200);
    QVERIFY(limit->active());
    while (program.warnings() == 0) {
        program.type(QStringLiteral("10+"));
        QCoreApplication::processEvents();
    }
    for (int n = 0; n < 8; ++n)
        program.type(QStringLiteral("10+"));
    const QString whole = QStringView(program.window->tape().text()).toString();
    if (roomAtClose)
        limit.reset();
    for (bool yes : answers)
        program.messages.queueAnswer(yes);
    if (firstSaveFails)
        program.files.queueAnswer(blocker + QStringLiteral("/rest.txt"));
    program.files.queueAnswer(saved);
    if (endedBySignal) {
        program.window->endWithoutQuestions();
        QTRY_VERIFY(!program.window->isVisible());
    } else {
        program.window->close();
    }

    QString kept;
    for (const platform::TapeFileInfo& file : platform::listTapeFiles(tapes)) {
        const QByteArray bytes = readAll(file.path);
        const auto read = journal::readJournal(std::string_view(bytes.constData(), bytes.size()));
        QCOMPARE(read.state, JournalState::Complete);
        kept += QString::fromStdU16String(read.text);
    }
    const auto questions =
        std::count_if(program.messages.shown().begin(), program.messages.shown().end(),
                      [](const auto& m) { return m.answer.has_value(); });
    QCOMPARE(questions, answers.size());
    if (roomAtClose) {
        QCOMPARE(kept, whole);
        return;
    }
    const QString lost = whole.mid(kept.size());
    QVERIFY(whole.startsWith(kept));
    QCOMPARE(lost.count(QStringLiteral("\r\n")), 9);
    if (endedBySignal) {
        const QDir unsaved(folder.filePath(QStringLiteral("unsaved")));
        const QStringList kept = unsaved.entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(kept, QStringList{QStringLiteral(".2026-12-07_100000-tape.txt")});
        QCOMPARE(QString::fromUtf8(readAll(unsaved.filePath(kept.front()))), lost);
        return;
    }
    const QString question = program.messages.shown().back().text;
    QVERIFY2(question.contains(QStringLiteral("最後の 9 行")), qPrintable(question));
    QVERIFY2(question.contains(platform::listTapeFiles(tapes).front().path), qPrintable(question));
    QCOMPARE(QFile::exists(saved), answers.back());
    if (answers.back())
        QCOMPARE(QString::fromUtf8(readAll(saved)), lost);
    QCOMPARE(program.files.requests().size(), std::size_t(firstSaveFails ? 2 : answers.back()));
}

void TapesTest::endSignalClosesAsTheUserWouldWithNothingLeftWaiting() {
    QTemporaryDir folder;
    const QString tapes = folder.filePath(QStringLiteral("tapes"));
    const QString earlier = tapes + QStringLiteral("/2026-12-06_080000.tape");
    const QString conf = folder.filePath(QStringLiteral("Sumiplex.conf"));
    QDir().mkpath(tapes);
    writeFile(earlier, journalBytes(JournalState::Open, "      0 +5= 5\r\n", 0));

    Program reference;
    reference.start(QString());
    for (int n = 1; n <= 20; ++n)
        reference.type(typedLine(n));
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
        QFile::remove(conf);
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--ending-child"), tapes, conf});
        QVERIFY(child.waitForReadyRead(20000));
        QCOMPARE(child.readLine().trimmed(), QByteArray("asking"));
        ::kill(static_cast<pid_t>(child.processId()), signal);
        QVERIFY2(child.waitForFinished(20000), "the program did not end");
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);
        QCOMPARE(child.readAll().trimmed(), QByteArray("ended"));

        // The run's tape complete and whole; the unanswered question is asked again.
        const auto files = platform::listTapeFiles(tapes);
        QCOMPARE(files.size(), std::size_t{2});
        QCOMPARE(files[0].header->state, JournalState::Open);
        const auto run = journal::readJournal(readAll(files[1].path).toStdString());
        QCOMPARE(run.state, JournalState::Complete);
        QCOMPARE(QString::fromStdU16String(run.text),
                 QStringView(reference.window->tape().text()).toString());
        QFile::remove(files[1].path); // the next round's run is its own
        // The settings written as at a close.
        QSettings stored(conf, QSettings::IniFormat);
        QCOMPARE(stored.value(QStringLiteral("Settings/TaxRate")).toString(), QStringLiteral("10"));
    }

    // The memo was kept each time, not asked about. Each start names the files kept before
    // it, once: the children's starts named all but the last one kept.
    const QDir unsaved(folder.filePath(QStringLiteral("unsaved")));
    const auto keptFiles = [&unsaved](const QString& pattern) {
        return unsaved.entryList({pattern}, QDir::Files | QDir::Hidden);
    };
    QCOMPARE(keptFiles(QStringLiteral("*-memo.txt")).size(), 3);
    for (const QString& name : keptFiles(QStringLiteral("*-memo.txt")))
        QVERIFY(readAll(unsaved.filePath(name)).contains("売上メモ"));
    const QStringList last = keptFiles(QStringLiteral(".*"));
    QCOMPARE(last.size(), 1);
    Program next;
    next.start(tapes);
    QCOMPARE(next.messages.shown().size(), std::size_t{2}); // the earlier tape, the memo
    const auto& notice = next.messages.shown().back();
    QVERIFY(notice.notice);
    QVERIFY2(notice.text.contains(unsaved.filePath(last.front().mid(1))), qPrintable(notice.text));
    QVERIFY(keptFiles(QStringLiteral(".*")).isEmpty());
}

int main(int argc, char** argv) {
    if (argc == 4 && qstrcmp(argv[1], "--ending-child") == 0)
        return runEndingChild(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--typing-child") == 0)
        return runTypingChild(argc, argv);
    QApplication app(argc, argv);
    ui::installFontSubstitutions();
    TapesTest test;
    return QTest::qExec(&test, argc, argv);
}

void TapesTest::onlyRegularFilesThatAreNoLinksAreOpened_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("opens");
    for (const char* kind : {"regular file", "link to a regular file", "link to a FIFO", "FIFO",
                             "folder", "device", "link to a device", "dangling link", "missing"})
        QTest::newRow(kind) << QString::fromLatin1(kind) << (qstrcmp(kind, "regular file") == 0);
}

void TapesTest::onlyRegularFilesThatAreNoLinksAreOpened() {
    QFETCH(QString, kind);
    QFETCH(bool, opens);
    QTemporaryDir folder;
    const QString dir = folder.path();
    const QString elsewhere = dir + QStringLiteral("/elsewhere");
    const QByteArray original = journalBytes(JournalState::Open, "      0 +5= 5\r\n", 0);
    writeFile(elsewhere, original);
    const QString path = dir + QStringLiteral("/2026-12-01_080000.tape");
    const QByteArray native = QFile::encodeName(path);
    if (kind == u"regular file")
        writeFile(path, original);
    else if (kind == u"link to a regular file")
        QVERIFY(QFile::link(elsewhere, path));
    else if (kind == u"link to a FIFO") {
        QCOMPARE(::mkfifo(QFile::encodeName(dir + QStringLiteral("/fifo")).constData(), 0600), 0);
        QVERIFY(QFile::link(dir + QStringLiteral("/fifo"), path));
    } else if (kind == u"FIFO")
        QCOMPARE(::mkfifo(native.constData(), 0600), 0);
    else if (kind == u"folder")
        QVERIFY(QDir().mkpath(path));
    else if (kind == u"link to a device")
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    else if (kind == u"dangling link")
        QVERIFY(QFile::link(dir + QStringLiteral("/nothing"), path));
    // A device of its own cannot be made without privileges: /dev/null is one in place.
    const QString opened = kind == u"device" ? QStringLiteral("/dev/null") : path;

    QElapsedTimer timer;
    timer.start();
    for (auto mode : {platform::TapeFile::Mode::Read, platform::TapeFile::Mode::ReadWrite})
        QCOMPARE(platform::TapeFile(opened, mode).isOpen(), opens);
    QCOMPARE(platform::readTapeBytes(opened).has_value(), opens);
    QCOMPARE(platform::markTapeFile(opened, JournalState::Recovered), opens);
    QVERIFY(!platform::tapeFileInUse(opened));
    if (kind != u"device") {
        const std::vector<platform::TapeFileInfo> listed = platform::listTapeFiles(dir);
        QCOMPARE(listed.size(), std::size_t{kind == u"missing" ? 0U : 1U});
        if (!listed.empty()) {
            QCOMPARE(listed.front().regular, opens);
            QCOMPARE(listed.front().header.has_value(), opens);
        }
        QCOMPARE(platform::removeTapeFile(path), opens);
        QCOMPARE(QFileInfo::exists(path) || QFileInfo(path).isSymLink(),
                 !opens && kind != u"missing");
    }
    // A wait on a FIFO or a device never ends: any bound catches it, and a loose one never
    // fails a slow build.
    QCOMPARE_LT(timer.elapsed(), 10000);
    QCOMPARE(readAll(elsewhere), original); // what a link leads to is never written
}

void TapesTest::plantedFilesNeitherHoldTheStartNorGetWritten() {
    QTemporaryDir folder;
    const QString dir = folder.path() + QStringLiteral("/tapes");
    QVERIFY(QDir().mkpath(dir));
    QCOMPARE(::mkfifo(QFile::encodeName(folder.filePath(QStringLiteral("fifo"))).constData(), 0600),
             0);
    QVERIFY(QFile::link(folder.filePath(QStringLiteral("fifo")),
                        dir + QStringLiteral("/2026-12-05_080000.tape")));
    // Looks like the leftover of a crash, but lies outside the folder.
    const QString outside = folder.filePath(QStringLiteral("outside.tape"));
    const QByteArray unfinished = journalBytes(JournalState::Open, "      0 +5= 5\r\n", 0);
    writeFile(outside, unfinished);
    QVERIFY(QFile::link(outside, dir + QStringLiteral("/2026-12-06_080000.tape")));

    QElapsedTimer timer;
    timer.start();
    Program program;
    program.start(dir);
    QCOMPARE_LT(timer.elapsed(), 10000); // a hang, not a speed: that is measured in bench/
    QCOMPARE(program.messages.shown().size(), std::size_t{0}); // no recovery question
    QCOMPARE(readAll(outside), unfinished);

    program.window->findChild<QAction*>(QStringLiteral("mnuEarlierTapes"))->trigger();
    QWidget* viewer = shownViewer();
    QVERIFY(viewer);
    auto* list = viewer->findChild<QListWidget*>(QStringLiteral("lstTapes"));
    QCOMPARE(list->count(), 2);
    for (int row = 0; row < list->count(); ++row) {
        list->setCurrentRow(row);
        QVERIFY(list->item(row)->text().endsWith(
            QStringLiteral("［計算履歴のファイルではありません］")));
        QVERIFY(!viewer->findChild<QPushButton*>(QStringLiteral("cmdDelete"))->isEnabled());
    }
    QCOMPARE_LT(timer.elapsed(), 10000); // a hang, not a speed: that is measured in bench/
    QCOMPARE(readAll(outside), unfinished);
}

void TapesTest::retentionMovesOldTapesAsideOnlyUnderAValidLimitAndABelievableClock_data() {
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("keepDays"); // "-" for none stored
    QTest::addColumn<bool>("moved");
    QTest::addColumn<bool>("notice");
    const QDateTime today(QDate(2026, 12, 7), QTime(10, 0));
    QTest::newRow("default limit") << today << QStringLiteral("-") << true << false;
    QTest::newRow("valid limit") << today << QStringLiteral("30") << true << false;
    for (const char* bad : {"0", "-1", "999999999999", "abc", ""})
        QTest::newRow(*bad ? bad : "empty") << today << QString::fromLatin1(bad) << false << true;
    QTest::newRow("clock in 2000")
        << QDateTime(QDate(2000, 1, 1), QTime(10, 0)) << QStringLiteral("-") << false << false;
    QTest::newRow("clock at the end of 9999")
        << QDateTime(QDate(9999, 12, 31), QTime(23, 0)) << QStringLiteral("1") << false << false;
}

void TapesTest::retentionMovesOldTapesAsideOnlyUnderAValidLimitAndABelievableClock() {
    QFETCH(QDateTime, now);
    QFETCH(QString, keepDays);
    QFETCH(bool, moved);
    QFETCH(bool, notice);
    QTemporaryDir folder;
    const QString dir = folder.path();
    const std::string body = "      0 +5= 5\r\n";
    const QByteArray closed = journalBytes(JournalState::Complete, body, body.size());
    const QDateTime today(QDate(2026, 12, 7), QTime(9, 0));
    struct File {
        QString name;
        QDateTime modified;
        bool old; // moved aside by a rule that runs
    };
    const std::vector<File> files = {
        {QStringLiteral("2024-01-01_080000.tape"), today.addDays(-700), true},
        // Named by a clock that was wrong at its start, written an hour ago.
        {QStringLiteral("2000-01-01_000000.tape"), today.addSecs(-3600), false},
        {QStringLiteral("2026-12-06_080000.tape"), today.addDays(-1), false},
    };
    for (const File& f : files) {
        writeFile(dir + QLatin1Char('/') + f.name, closed);
        setModified(dir + QLatin1Char('/') + f.name, f.modified);
    }
    QVERIFY(QDir().mkpath(dir + QStringLiteral("/trash")));
    for (int age : {31, 29}) {
        const QString trashed = dir + QStringLiteral("/trash/2023-01-%1_080000.tape").arg(age);
        writeFile(trashed, closed);
        setModified(trashed, today.addDays(-age));
    }

    Program program;
    program.clock.set(now);
    if (keepDays != u"-")
        program.settings.write(u"TapeKeepDays", keepDays);
    program.start(dir);
    for (const File& f : files) {
        QCOMPARE(QFile::exists(dir + QLatin1Char('/') + f.name), !(moved && f.old));
        QCOMPARE(QFile::exists(dir + QStringLiteral("/trash/") + f.name), moved && f.old);
    }
    QCOMPARE(QFile::exists(dir + QStringLiteral("/trash/2023-01-31_080000.tape")), !moved);
    QVERIFY(QFile::exists(dir + QStringLiteral("/trash/2023-01-29_080000.tape")));
    QCoreApplication::processEvents();
    const auto& shown = program.messages.shown();
    QCOMPARE(shown.size(), std::size_t{notice ? 1U : 0U});
    if (notice) {
        QVERIFY(shown.front().notice); // never a box that takes keys
        QVERIFY(shown.front().text.contains(QStringLiteral("TapeKeepDays")));
    }
}

namespace {

// The newest of two complete tapes holds `body`; the older one a single line.
void writeLongTapeBesideAShortOne(const QString& dir, const std::string& body) {
    writeFile(dir + QStringLiteral("/2026-12-06_080000.tape"),
              journalBytes(JournalState::Complete, body, body.size()));
    writeFile(dir + QStringLiteral("/2026-12-05_080000.tape"),
              journalBytes(JournalState::Complete, "      0 +5= 5\r\n", 15));
}

QWidget* openEarlierTapes(Program& program) {
    program.window->findChild<QAction*>(QStringLiteral("mnuEarlierTapes"))->trigger();
    return shownViewer();
}

} // namespace

void TapesTest::aHugeLineShowsAtOnceCutAndCopiesWhole() {
    QTemporaryDir folder;
    const QString dir = folder.path();
    std::string line(50'000'000, '7');
    line += "\r\n";
    writeLongTapeBesideAShortOne(dir, line);
    Program program;
    program.start(dir);
    QWidget* viewer = openEarlierTapes(program);
    QVERIFY(viewer);
    auto* list = viewer->findChild<QListWidget*>(QStringLiteral("lstTapes"));
    auto* tape = viewer->findChild<QListView*>(QStringLiteral("txtTape"));
    list->setCurrentRow(1);
    QElapsedTimer timer;
    timer.start();
    list->setCurrentRow(0);
    tape->repaint();
    const QString shown = tape->model()->index(0, 0).data().toString();
    QCOMPARE_LT(timer.elapsed(), 10000); // a hang, not a speed: that is measured in bench/
    QVERIFY(shown.startsWith(QStringLiteral("7777")));
    QVERIFY(shown.endsWith(QStringLiteral("…［以下省略］")));
    QCOMPARE_LT(shown.size(), 3000);
    tape->setCurrentIndex(tape->model()->index(0, 0));
    tape->selectionModel()->select(tape->currentIndex(), QItemSelectionModel::Select);
    viewer->findChild<QPushButton*>(QStringLiteral("cmdCopy"))->click();
    QCOMPARE(QApplication::clipboard()->text().size(), qsizetype{50'000'002});
}

void TapesTest::aLongSearchLetsTheWindowGoOnAndANewTapeEndsIt() {
    QTemporaryDir folder;
    const QString dir = folder.path();
    std::string body;
    for (int i = 0; i < 400'000; ++i)
        body += "      1,000 +5= 1,005\r\n";
    body += "      1,005 +3,840= 4,845\r\n";
    writeLongTapeBesideAShortOne(dir, body);
    Program program;
    program.start(dir);
    QWidget* viewer = openEarlierTapes(program);
    QVERIFY(viewer);
    auto* list = viewer->findChild<QListWidget*>(QStringLiteral("lstTapes"));
    auto* tape = viewer->findChild<QListView*>(QStringLiteral("txtTape"));
    auto* status = viewer->findChild<QLabel*>(QStringLiteral("lblStatus"));
    list->setCurrentRow(0);
    viewer->findChild<QLineEdit*>(QStringLiteral("txtFind"))->setText(QStringLiteral("３８４０"));
    auto* find = viewer->findChild<QPushButton*>(QStringLiteral("cmdFind"));

    // The search goes on between the window's events and ends on the line.
    find->click();
    QCOMPARE(status->text(), QStringLiteral("検索中…"));
    QTRY_COMPARE_WITH_TIMEOUT(tape->currentIndex().row(), 400'000, 60000);
    QCOMPARE(status->text(), QString());

    // Another tape chosen mid-search ends it: nothing is chosen on the new one.
    tape->setCurrentIndex({});
    find->click();
    list->setCurrentRow(1);
    QTest::qWait(200);
    QVERIFY(!tape->currentIndex().isValid() || tape->currentIndex().row() == 0);
    QVERIFY(status->text() != QStringLiteral("検索中…"));
}

void TapesTest::aSearchOfEveryTapeListsEachLineByTapeAndLineAndGoesToIt() {
    QTemporaryDir folder;
    const QString dir = folder.path();
    // Daily tapes, each with a percentage, whose share no line shows: none can be passed
    // over unread, so the search takes many slices.
    constexpr int kDays = 120;
    for (int day = 0; day < kDays; ++day) {
        std::string body;
        for (int i = 0; i < 300; ++i)
            body += "      1,000*10%+= 1,100\r\n";
        if (day == 30)
            body += "      1,000 +2,840= 3,840\r\n";
        if (day == 60) // found by its amount alone
            body += "      1,000 +3千840= 4,840\r\n";
        if (day == 90)
            body += "      0 +3,840= 3,840\r\n      (3,840*2= 7,680)\r\n";
        writeFile(dir + QDate(2026, 1, 1).addDays(day).toString(QStringLiteral("/yyyy-MM-dd")) +
                      QStringLiteral("_080000.tape"),
                  journalBytes(JournalState::Complete, body, body.size()));
    }
    Program program;
    program.start(dir);
    QWidget* viewer = openEarlierTapes(program);
    QVERIFY(viewer);
    auto* tapes = viewer->findChild<QListWidget*>(QStringLiteral("lstTapes"));
    auto* tape = viewer->findChild<QListView*>(QStringLiteral("txtTape"));
    auto* found = viewer->findChild<QListWidget*>(QStringLiteral("lstFound"));
    auto* status = viewer->findChild<QLabel*>(QStringLiteral("lblStatus"));
    auto* find = viewer->findChild<QPushButton*>(QStringLiteral("cmdFind"));
    QVERIFY(found->isHidden());
    viewer->findChild<QCheckBox*>(QStringLiteral("chkAllTapes"))->setChecked(true);
    QVERIFY(!found->isHidden());
    viewer->findChild<QLineEdit*>(QStringLiteral("txtFind"))->setText(QStringLiteral("３，８４０"));

    find->click();
    QVERIFY(status->text().startsWith(QStringLiteral("検索中…")));
    QTRY_COMPARE_WITH_TIMEOUT(status->text(), QStringLiteral("4 行見つかりました。"), 60000);
    const QStringList expected = {
        QStringLiteral("2026-04-01 08:00:00　301行目　0 +3,840= 3,840"),
        QStringLiteral("2026-04-01 08:00:00　302行目　(3,840*2= 7,680)"),
        QStringLiteral("2026-03-02 08:00:00　301行目　1,000 +3千840= 4,840"),
        QStringLiteral("2026-01-31 08:00:00　301行目　1,000 +2,840= 3,840"),
    };
    QCOMPARE(found->count(), expected.size());
    for (int row = 0; row < found->count(); ++row)
        QCOMPARE(found->item(row)->text(), expected[row]);

    // The first line found is shown; the button goes on to each next one, round to the first.
    const auto shows = [&](const QString& start, int line) {
        return tapes->currentItem()->text().startsWith(start) && tape->currentIndex().row() == line;
    };
    QVERIFY(shows(QStringLiteral("2026-04-01"), 300));
    find->click();
    QVERIFY(shows(QStringLiteral("2026-04-01"), 301));
    find->click();
    QVERIFY(shows(QStringLiteral("2026-03-02"), 300));
    find->click();
    QVERIFY(shows(QStringLiteral("2026-01-31"), 300));
    find->click();
    QVERIFY(shows(QStringLiteral("2026-04-01"), 300));

    // Unchecked, the list goes and a search is of the chosen tape again.
    viewer->findChild<QCheckBox*>(QStringLiteral("chkAllTapes"))->setChecked(false);
    QVERIFY(found->isHidden());
    QCOMPARE(found->count(), 0);
}

#include "tapes_test.moc"
