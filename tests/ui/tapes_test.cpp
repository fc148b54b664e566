// The kept tapes with real files and real processes: a run killed mid-typing leaves every
// line it completed, the next start offers it; damaged and old files; a journal that
// cannot be written warns once and resumes in a new file.

#include "core/engine/tape.h"
#include "core/journal/journal_format.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/printing.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "platform/tape_journal.h"
#include "ui/mainwindow/fake_services.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/ui_fonts.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
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

} // namespace

class TapesTest : public QObject {
    Q_OBJECT
private slots:
    void killedRunIsOfferedWithEveryCompletedLine();
    void damagedAndOldTapesAreListedMarkedAndKeptUntilTheUserRemovesThem();
    void unwritableJournalWarnsOnceAndResumesInANewFile_data();
    void unwritableJournalWarnsOnceAndResumesInANewFile();
    void onlyRegularFilesThatAreNoLinksAreOpened_data();
    void onlyRegularFilesThatAreNoLinksAreOpened();
    void plantedFilesNeitherHoldTheStartNorGetWritten();
    void retentionMovesOldTapesAsideOnlyUnderAValidLimitAndABelievableClock_data();
    void retentionMovesOldTapesAsideOnlyUnderAValidLimitAndABelievableClock();
    void aHugeLineShowsAtOnceCutAndCopiesWhole();
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
        const std::u16string upToReport = reference.window->tape().text();

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
         "2026-12-01 08:00:00　2行　合計 12"},
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
             QString::fromStdU16String(program.window->tape().text()));
}

int main(int argc, char** argv) {
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
    QCOMPARE_LT(timer.elapsed(), 1000);     // nothing waited on a FIFO or a device
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
    QCOMPARE_LT(timer.elapsed(), 1000);
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
    QCOMPARE_LT(timer.elapsed(), 1000);
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
    const QString shown = program.window->statusBar()->currentMessage();
    QCOMPARE(shown.contains(QStringLiteral("TapeKeepDays")), notice);
    QCOMPARE(program.messages.shown().size(), std::size_t{0}); // never a box that takes keys
}

void TapesTest::aHugeLineShowsAtOnceCutAndCopiesWhole() {
    QTemporaryDir folder;
    const QString dir = folder.path();
    std::string line(50'000'000, '7');
    line += "\r\n";
    writeFile(dir + QStringLiteral("/2026-12-06_080000.tape"),
              journalBytes(JournalState::Complete, line, line.size()));
    writeFile(dir + QStringLiteral("/2026-12-05_080000.tape"),
              journalBytes(JournalState::Complete, "      0 +5= 5\r\n", 15));
    Program program;
    program.start(dir);
    program.window->findChild<QAction*>(QStringLiteral("mnuEarlierTapes"))->trigger();
    QWidget* viewer = shownViewer();
    QVERIFY(viewer);
    auto* list = viewer->findChild<QListWidget*>(QStringLiteral("lstTapes"));
    auto* tape = viewer->findChild<QListView*>(QStringLiteral("txtTape"));
    list->setCurrentRow(1);
    QElapsedTimer timer;
    timer.start();
    list->setCurrentRow(0);
    tape->repaint();
    const QString shown = tape->model()->index(0, 0).data().toString();
    QCOMPARE_LT(timer.elapsed(), 1000);
    QVERIFY(shown.startsWith(QStringLiteral("7777")));
    QVERIFY(shown.endsWith(QStringLiteral("…［以下省略］")));
    QCOMPARE_LT(shown.size(), 3000);
    tape->setCurrentIndex(tape->model()->index(0, 0));
    tape->selectionModel()->select(tape->currentIndex(), QItemSelectionModel::Select);
    viewer->findChild<QPushButton*>(QStringLiteral("cmdCopy"))->click();
    QCOMPARE(QApplication::clipboard()->text().size(), qsizetype{50'000'002});
}

#include "tapes_test.moc"
