#include "platform/dialogs.h"
#include "platform/memo_file.h"
#include "ui/mainwindow/frm_tip3.h"

#include "file_size_limit.h"

#include <algorithm>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

using namespace sumiplex::platform;
using sumiplex::ui::frmTip3;

namespace {

const QString kCaption = QStringLiteral("電卓");
const QString kOverwriteQuestion =
    QStringLiteral("現在のメモ帳に上書きされます。メモ帳を保存しますか？");

QByteArray readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return "<unreadable>";
    }
    return file.readAll();
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class MemoTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_dir.isValid()); }

    void filesReadAsCrLfLines_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("memo");
        QTest::newRow("three CR LF lines")
            << QByteArray("a\r\nb\r\nc\r\n") << QStringLiteral("a\r\nb\r\nc\r\n");
        QTest::newRow("LF lines") << QByteArray("a\nb\n") << QStringLiteral("a\r\nb\r\n");
        QTest::newRow("CR lines") << QByteArray("a\rb\r") << QStringLiteral("a\r\nb\r\n");
        QTest::newRow("mixed, last line open")
            << QByteArray("a\r\nb\nc\rd") << QStringLiteral("a\r\nb\r\nc\r\nd\r\n");
        QTest::newRow("empty lines kept")
            << QByteArray("\r\n\na\r\n\r\n") << QStringLiteral("\r\n\r\na\r\n\r\n");
        QTest::newRow("empty file") << QByteArray() << QString();
        QTest::newRow("UTF-8") << QByteArray("Total    1,234\r\n合計\n")
                               << QStringLiteral("Total    1,234\r\n合計\r\n");
        QTest::newRow("UTF-16 with BOM") << QByteArray("\xFF\xFE"
                                                       "a\0\r\0\n\0\x42\x30",
                                                       10)
                                         << QStringLiteral("a\r\nあ\r\n");
        QTest::newRow("UTF-8 with BOM")
            << QByteArray("\xEF\xBB\xBFメモ\r\n") << QStringLiteral("メモ\r\n");
        // "メモ" and "１万円" in Shift_JIS: not valid UTF-8.
        QTest::newRow("Shift_JIS") << QByteArray("\x83\x81\x83\x82\r\n\x82\x50\x96\x9c\x89\x7e\n")
                                   << QStringLiteral("メモ\r\n１万円\r\n");
        // The desktop code page's extensions: circled digit and the wave dash of CP932.
        QTest::newRow("CP932 extensions")
            << QByteArray("\x87\x40\x81\x60\r\n") << QStringLiteral("①～\r\n");
        QTest::newRow("half-width katakana")
            << QByteArray("\xC3\xB7\xBD\xC4\r\n") << QStringLiteral("ﾃｷｽﾄ\r\n");
    }

    void filesReadAsCrLfLines() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, memo);
        const QString path = m_dir.filePath(QStringLiteral("in.txt"));
        QVERIFY(writeBytes(path, bytes));
        const MemoFileRead read = readMemoFile(path);
        QVERIFY2(read.text.has_value(), qPrintable(read.error));
        QCOMPARE(*read.text, memo);
        QVERIFY(read.error.isEmpty());
    }

    void aMissingFileIsAnErrorNamingIt() {
        const QString path = m_dir.filePath(QStringLiteral("absent.txt"));
        const MemoFileRead read = readMemoFile(path);
        QVERIFY(!read.text);
        QVERIFY2(read.error.contains(path), qPrintable(read.error));
    }

    void savingWritesOneMoreCrLfInCrLfLines_data() {
        QTest::addColumn<QString>("memo");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("three lines")
            << QStringLiteral("a\r\nb\r\nc\r\n") << QByteArray("a\r\nb\r\nc\r\n\r\n");
        QTest::newRow("lone LF") << QStringLiteral("a\nb\n") << QByteArray("a\r\nb\r\n\r\n");
        QTest::newRow("lone CR") << QStringLiteral("a\rb") << QByteArray("a\r\nb\r\n");
        QTest::newRow("Japanese in UTF-8")
            << QStringLiteral("合計 ①\r\n") << QByteArray("合計 ①\r\n\r\n");
    }

    void savingWritesOneMoreCrLfInCrLfLines() {
        QFETCH(QString, memo);
        QFETCH(QByteArray, bytes);
        const QString path = m_dir.filePath(QStringLiteral("out.txt"));
        QCOMPARE(writeMemoFileAtomic(path, memo), std::nullopt);
        QCOMPARE(readBytes(path), bytes);
    }

    void loadingWhatWasSavedGivesTheMemoAndAnEmptyLine() {
        const QString path = m_dir.filePath(QStringLiteral("round.txt"));
        const QString memo = QStringLiteral("Total    1,234\r\nメモ\r\n");
        QCOMPARE(writeMemoFileAtomic(path, memo), std::nullopt);
        QCOMPARE(readMemoFile(path).text, std::optional<QString>(memo + QStringLiteral("\r\n")));
    }

    void aFailedSaveLeavesTheOldFileAndSaysWhy() {
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("keep")));
        const QString folder = m_dir.filePath(QStringLiteral("keep"));
        const QString path = folder + QStringLiteral("/keep.txt");
        const QByteArray old("old contents that must survive\r\n");
        QVERIFY(writeBytes(path, old));
        std::optional<QString> error;
        {
            FileSizeLimit limit(8);
            QVERIFY(limit.active());
            error = writeMemoFileAtomic(path, QString(64, QLatin1Char('x')));
        }
        QVERIFY(error.has_value());
        QVERIFY2(error->contains(path), qPrintable(*error));
        QCOMPARE(readBytes(path), old);
        // No half-written temporary file is left beside it.
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("keep.txt")});
    }

    void aSaveIntoAFolderThatIsAFileFails() {
        const QString blocker = m_dir.filePath(QStringLiteral("not-a-folder"));
        QVERIFY(writeBytes(blocker, "x"));
        const QString path = blocker + QStringLiteral("/memo.txt");
        const auto error = writeMemoFileAtomic(path, QStringLiteral("a\r\n"));
        QVERIFY(error.has_value());
        QVERIFY2(error->contains(path), qPrintable(*error));
        QCOMPARE(readBytes(blocker), QByteArray("x"));
    }

    void appendsAndUserEditsMakeOneCrLfMemo() {
        frmTip3 pad;
        pad.appendMemo(QStringLiteral("Total    1,234"));
        pad.appendMemo(QStringLiteral("two\nlines"));
        QCOMPARE(pad.memoText(), QStringLiteral("Total    1,234\r\ntwo\r\nlines\r\n"));
        QCOMPARE(pad.text().toPlainText(), QStringLiteral("Total    1,234\ntwo\nlines\n"));

        pad.caretToEnd();
        QTest::keyClicks(&pad.text(), QStringLiteral("note"));
        QTest::keyClick(&pad.text(), Qt::Key_Return);
        QCOMPARE(pad.memoText(), QStringLiteral("Total    1,234\r\ntwo\r\nlines\r\nnote\r\n"));
        // An append right after an edit keeps the edit.
        QTest::keyClicks(&pad.text(), QStringLiteral("x"));
        pad.appendMemo(QStringLiteral("y"));
        QCOMPARE(pad.memoText(),
                 QStringLiteral("Total    1,234\r\ntwo\r\nlines\r\nnote\r\nxy\r\n"));
        pad.text().undo();
        pad.text().undo();
        QVERIFY(!pad.memoText().contains(QLatin1Char('y')));
    }

    void closeOnlyHides() {
        frmTip3 pad;
        QCOMPARE(pad.windowTitle(), QStringLiteral("　電卓　メモ帳"));
        pad.appendMemo(QStringLiteral("kept"));
        pad.show();
        pad.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
        QVERIFY(!pad.isVisible());
        QCOMPARE(pad.memoText(), QStringLiteral("kept\r\n"));
        // With nobody to ask, the close box must not throw the memo away either.
        QSignalSpy unloaded(&pad, &frmTip3::unloaded);
        pad.show();
        QVERIFY(pad.close());
        QVERIFY(!pad.isVisible());
        QCOMPARE(pad.memoText(), QStringLiteral("kept\r\n"));
        QCOMPARE(unloaded.count(), 0);
    }

    void openingIntoAnEmptyMemoAsksNothing() {
        const QString path = m_dir.filePath(QStringLiteral("three.txt"));
        QVERIFY(writeBytes(path, "1\r\n2\r\n3\r\n"));
        frmTip3 pad;
        FakeFileDialogs files;
        FakeMessageBoxes boxes;
        files.queueAnswer(path);
        QVERIFY(pad.openFile(files, boxes, kCaption));
        QVERIFY(boxes.shown().empty());
        QCOMPARE(files.requests().size(), std::size_t{1});
        const auto& open = files.requests().front();
        QCOMPARE(open.kind, FakeFileDialogs::Kind::Open);
        QCOMPARE(open.title, QStringLiteral("電卓　メモ帳を開く"));
        QCOMPARE(open.filters, QStringLiteral("すべてのﾌｧｲﾙ (*.*)|*.*|ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt|"));
        QCOMPARE(open.selectedFilter, 1);
        QCOMPARE(pad.memoText(), QStringLiteral("1\r\n2\r\n3\r\n"));
        QVERIFY(pad.isVisible());
    }

    void openingOverAMemoAsksFirst_data() {
        QTest::addColumn<QList<bool>>("answers");     // question, then nothing
        QTest::addColumn<QStringList>("fileAnswers"); // "" = cancel, "BAD" = unwritable
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<QByteArray>("savedFile"); // contents of saved.txt; "-" = none
        QTest::addColumn<int>("dialogs");
        QTest::newRow("no: load") << QList<bool>{false} << QStringList{QStringLiteral("IN")} << true
                                  << QByteArray("-") << 1;
        QTest::newRow("yes: save, then load")
            << QList<bool>{true} << QStringList{QStringLiteral("SAVE"), QStringLiteral("IN")}
            << true << QByteArray("old\r\n\r\n") << 2;
        QTest::newRow("yes, save cancelled: load goes on")
            << QList<bool>{true} << QStringList{QString(), QStringLiteral("IN")} << true
            << QByteArray("-") << 2;
        QTest::newRow("yes, save fails: memo kept, no open dialog")
            << QList<bool>{true} << QStringList{QStringLiteral("BAD"), QStringLiteral("IN")}
            << false << QByteArray("-") << 1;
        QTest::newRow("no, open cancelled")
            << QList<bool>{false} << QStringList{QString()} << false << QByteArray("-") << 1;
        QTest::newRow("no, unreadable file")
            << QList<bool>{false} << QStringList{QStringLiteral("MISSING")} << false
            << QByteArray("-") << 1;
    }

    void openingOverAMemoAsksFirst() {
        QFETCH(QList<bool>, answers);
        QFETCH(QStringList, fileAnswers);
        QFETCH(bool, loaded);
        QFETCH(QByteArray, savedFile);
        QFETCH(int, dialogs);
        const QString in = m_dir.filePath(QStringLiteral("in.txt"));
        const QString saved = m_dir.filePath(QStringLiteral("saved.txt"));
        QVERIFY(writeBytes(in, "new\n"));
        QFile::remove(saved);
        FakeFileDialogs files;
        FakeMessageBoxes boxes;
        for (bool a : answers) {
            boxes.queueAnswer(a);
        }
        for (const QString& f : fileAnswers) {
            if (f.isEmpty()) {
                files.queueAnswer(std::nullopt);
            } else if (f == QLatin1String("IN")) {
                files.queueAnswer(in);
            } else if (f == QLatin1String("SAVE")) {
                files.queueAnswer(saved);
            } else if (f == QLatin1String("BAD")) {
                files.queueAnswer(in + QStringLiteral("/saved.txt"));
            } else {
                files.queueAnswer(m_dir.filePath(QStringLiteral("missing.txt")));
            }
        }
        frmTip3 pad;
        pad.appendMemo(QStringLiteral("old"));
        QCOMPARE(pad.openFile(files, boxes, kCaption), loaded);

        QVERIFY(!boxes.shown().empty());
        QCOMPARE(boxes.shown().front().text, kOverwriteQuestion);
        QCOMPARE(boxes.shown().front().title, kCaption);
        QCOMPARE(pad.memoText(), loaded ? QStringLiteral("new\r\n") : QStringLiteral("old\r\n"));
        QCOMPARE(int(files.requests().size()), dialogs);
        QCOMPARE(files.requests().back().kind,
                 dialogs == 1 && fileAnswers.front() == QLatin1String("BAD")
                     ? FakeFileDialogs::Kind::Save
                     : FakeFileDialogs::Kind::Open);
        QCOMPARE(savedFile == "-" ? !QFile::exists(saved) : readBytes(saved) == savedFile, true);
        // Every failure the user did not cancel is explained.
        const bool failed = fileAnswers.contains(QStringLiteral("BAD")) ||
                            fileAnswers.contains(QStringLiteral("MISSING"));
        QCOMPARE(boxes.shown().size(), std::size_t(failed ? 2 : 1));
        if (failed) {
            QVERIFY(boxes.shown().back().icon != MessageIcon::Question);
        }
        QCOMPARE(pad.isVisible(), true);
    }

    void savingAsWritesTheFileAndKeepsThePadOpen_data() {
        QTest::addColumn<QString>("memo");
        QTest::addColumn<QString>("answer"); // "" cancel, "OK" good path, "BAD" unwritable
        QTest::addColumn<int>("result");
        QTest::newRow("empty memo: nothing")
            << QString() << QStringLiteral("OK") << int(frmTip3::SaveResult::NothingToSave);
        QTest::newRow("cancel") << QStringLiteral("m") << QString()
                                << int(frmTip3::SaveResult::Cancelled);
        QTest::newRow("saved") << QStringLiteral("m") << QStringLiteral("OK")
                               << int(frmTip3::SaveResult::Saved);
        QTest::newRow("failed") << QStringLiteral("m") << QStringLiteral("BAD")
                                << int(frmTip3::SaveResult::Failed);
    }

    void savingAsWritesTheFileAndKeepsThePadOpen() {
        QFETCH(QString, memo);
        QFETCH(QString, answer);
        QFETCH(int, result);
        const QString good = m_dir.filePath(QStringLiteral("memo.txt"));
        const QString blocker = m_dir.filePath(QStringLiteral("file"));
        const QString bad = blocker + QStringLiteral("/memo.txt");
        QVERIFY(writeBytes(blocker, "x"));
        QFile::remove(good);
        FakeFileDialogs files;
        FakeMessageBoxes boxes;
        files.queueAnswer(answer.isEmpty()                ? std::nullopt
                          : answer == QLatin1String("OK") ? std::optional<QString>(good)
                                                          : std::optional<QString>(bad));
        frmTip3 pad;
        if (!memo.isEmpty()) {
            pad.appendMemo(memo);
        }
        pad.show();
        QCOMPARE(int(pad.saveAs(files, boxes, kCaption)), result);
        // The user goes on writing where they were, whatever became of the save.
        QVERIFY(pad.isVisible());
        if (memo.isEmpty()) {
            QVERIFY(files.requests().empty());
            return;
        }
        QCOMPARE(files.requests().front().kind, FakeFileDialogs::Kind::Save);
        QCOMPARE(files.requests().front().title, QStringLiteral("電卓　名前を付けて保存"));
        QCOMPARE(files.requests().front().filters, QStringLiteral("txtﾌｧｲﾙ (*.txt)|*.txt"));
        QCOMPARE(QFile::exists(good), answer == QLatin1String("OK"));
        if (answer == QLatin1String("OK")) {
            QCOMPARE(readBytes(good), QByteArray("m\r\n\r\n"));
        }
        if (answer == QLatin1String("BAD")) {
            QCOMPARE(boxes.shown().size(), std::size_t{1});
            QCOMPARE(boxes.shown().front().icon, MessageIcon::Critical);
            QVERIFY(boxes.shown().front().text.contains(bad));
        } else {
            QVERIFY(boxes.shown().empty());
        }
    }

    void unloadingAsksToSave_data() {
        QTest::addColumn<QString>("memo");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QStringList>("fileAnswers"); // "" cancel, "OK", "BAD"
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("dialogs");
        QTest::addColumn<bool>("saved");
        QTest::newRow("empty memo asks nothing")
            << QString() << QList<bool>{} << QStringList{} << 0 << 0 << false;
        QTest::newRow("no") << QStringLiteral("m") << QList<bool>{false} << QStringList{} << 1 << 0
                            << false;
        QTest::newRow("yes, saved") << QStringLiteral("m") << QList<bool>{true}
                                    << QStringList{QStringLiteral("OK")} << 1 << 1 << true;
        QTest::newRow("yes, cancelled") << QStringLiteral("m") << QList<bool>{true}
                                        << QStringList{QString()} << 1 << 1 << false;
        QTest::newRow("yes, failed, then saved elsewhere")
            << QStringLiteral("m") << QList<bool>{true}
            << QStringList{QStringLiteral("BAD"), QStringLiteral("OK")} << 1 << 2 << true;
        QTest::newRow("yes, failed, then cancelled")
            << QStringLiteral("m") << QList<bool>{true}
            << QStringList{QStringLiteral("BAD"), QString()} << 1 << 2 << false;
    }

    void unloadingAsksToSave() {
        QFETCH(QString, memo);
        QFETCH(QList<bool>, answers);
        QFETCH(QStringList, fileAnswers);
        QFETCH(int, questions);
        QFETCH(int, dialogs);
        QFETCH(bool, saved);
        const QString good = m_dir.filePath(QStringLiteral("end.txt"));
        const QString blocker = m_dir.filePath(QStringLiteral("file"));
        QVERIFY(writeBytes(blocker, "x"));
        QFile::remove(good);
        FakeFileDialogs files;
        FakeMessageBoxes boxes;
        for (bool a : answers) {
            boxes.queueAnswer(a);
        }
        for (const QString& f : fileAnswers) {
            files.queueAnswer(f.isEmpty() ? std::nullopt
                              : f == QLatin1String("OK")
                                  ? std::optional<QString>(good)
                                  : std::optional<QString>(blocker + QStringLiteral("/end.txt")));
        }
        frmTip3 pad;
        pad.setWindowTitle(QStringLiteral("　電卓　メモ帳"));
        if (!memo.isEmpty()) {
            pad.appendMemo(memo);
        }
        QSignalSpy unloaded(&pad, &frmTip3::unloaded);
        pad.setCloseServices(&files, &boxes);
        pad.show();
        QVERIFY(pad.close());

        const auto asked =
            std::count_if(boxes.shown().begin(), boxes.shown().end(),
                          [](const auto& s) { return s.icon == MessageIcon::Question; });
        QCOMPARE(int(asked), questions);
        if (questions > 0) {
            QCOMPARE(boxes.shown().front().text, QStringLiteral("メモ帳を保存しますか？"));
            QCOMPARE(boxes.shown().front().title, QStringLiteral("　電卓　メモ帳"));
        }
        QCOMPARE(int(files.requests().size()), dialogs);
        for (const auto& request : files.requests()) {
            QCOMPARE(request.title, QStringLiteral("　電卓　メモ帳　　名前を付けて保存"));
            QCOMPARE(request.filters, QStringLiteral("txtﾌｧｲﾙ (*.txt)|*.txt"));
        }
        QCOMPARE(QFile::exists(good), saved);
        if (saved) {
            QCOMPARE(readBytes(good), QByteArray("m\r\n\r\n"));
        }
        QCOMPARE(files.pendingAnswers(), std::size_t{0});
        // The unload is never refused, and the next use starts empty.
        QVERIFY(!pad.isVisible());
        QCOMPARE(unloaded.count(), 1);
        QCOMPARE(pad.memoText(), QString());
    }

    // Bytes that neither UTF-8 nor CP932 decode: the memo would change them, so the file is
    // flagged; NUL bytes and files mostly of control codes are not text at all.
    void filesTheMemoCannotKeepAreFlaggedOrRefused_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<bool>("damaged");
        QTest::addColumn<QString>("memo"); // checked when readable
        QTest::newRow("UTF-8 with a Latin-1 byte")
            << QByteArray("合計 caf\xE9 1,234\r\n") << true << true
            << QStringLiteral("合計 caf\uFFFD 1,234\r\n");
        QTest::newRow("Shift_JIS with a byte past its range")
            << QByteArray("\x83\x81\x83\x82 \xFF memo text\r\n") << true << true << QString();
        // Well formed, but in a row CP932 leaves empty.
        QTest::newRow("Shift_JIS unassigned pair")
            << QByteArray("\x83\x81\x83\x82 \x85\x40 memo text\r\n") << true << true << QString();
        QTest::newRow("clean Shift_JIS")
            << QByteArray("\x83\x81\x83\x82\r\n") << true << false << QStringLiteral("メモ\r\n");
        QTest::newRow("NUL byte") << QByteArray("text\0text\r\n", 11) << false << false
                                  << QString();
        QTest::newRow("mostly control codes")
            << QByteArray("\x01\x02\x03\x04\x05\x06\x07\x08 a") << false << false << QString();
    }

    void filesTheMemoCannotKeepAreFlaggedOrRefused() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, readable);
        QFETCH(bool, damaged);
        QFETCH(QString, memo);
        const QString path = m_dir.filePath(QStringLiteral("odd.txt"));
        QVERIFY(writeBytes(path, bytes));
        const MemoFileRead read = readMemoFile(path);
        QCOMPARE(read.text.has_value(), readable);
        QCOMPARE(read.damaged, damaged);
        if (!readable) {
            QVERIFY2(read.error.contains(path), qPrintable(read.error));
        } else if (!memo.isEmpty()) {
            QCOMPARE(*read.text, memo);
        }
    }

    void openingADamagedFileAsksFirst_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<int>("icon"); // of the last box shown, -1 for none
        QTest::newRow("yes: opened") << QByteArray("caf\xE9 au lait\r\n") << QList<bool>{true}
                                     << true << int(MessageIcon::Question);
        QTest::newRow("no: memo kept") << QByteArray("caf\xE9 au lait\r\n") << QList<bool>{false}
                                       << false << int(MessageIcon::Question);
        QTest::newRow("binary: refused, nothing asked")
            << QByteArray("\x7F"
                          "ELF\x02\x01\x01\0\0\0",
                          10)
            << QList<bool>{} << false << int(MessageIcon::Warning);
        QTest::newRow("clean text: nothing asked")
            << QByteArray("café au lait\r\n") << QList<bool>{} << true << -1;
    }

    void openingADamagedFileAsksFirst() {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<bool>, answers);
        QFETCH(bool, loaded);
        QFETCH(int, icon);
        const QString path = m_dir.filePath(QStringLiteral("odd.txt"));
        QVERIFY(writeBytes(path, bytes));
        FakeFileDialogs files;
        FakeMessageBoxes boxes;
        files.queueAnswer(path);
        for (bool a : answers) {
            boxes.queueAnswer(a);
        }
        frmTip3 pad;
        QCOMPARE(pad.openFile(files, boxes, kCaption), loaded);
        QCOMPARE(pad.memoText().isEmpty(), !loaded);
        QCOMPARE(boxes.unanswered(), 0);
        if (icon < 0) {
            QVERIFY(boxes.shown().empty());
        } else {
            QCOMPARE(int(boxes.shown().back().icon), icon);
            QVERIFY2(boxes.shown().back().text.contains(QStringLiteral("odd.txt")),
                     qPrintable(boxes.shown().back().text));
        }
    }

    // The widget shows a long line in several paragraphs; the memo must not see the seams,
    // whatever the user does at them.
    void longLinesKeepTheirTextThroughTheWidget_data() {
        QTest::addColumn<QString>("memo");
        QTest::addColumn<int>("editAt"); // -1: no edit; else Enter pressed at that position
        QTest::addColumn<QString>("expected");
        const QString a(4500, QLatin1Char('a'));
        // A surrogate pair across the first seam at 2,000.
        const QString pair =
            QString(1999, QLatin1Char('b')) + QStringLiteral("😀") + QString(2500, QLatin1Char('c'));
        QTest::newRow("two seams")
            << a + QStringLiteral("\r\nend\r\n") << -1 << a + QStringLiteral("\r\nend\r\n");
        QTest::newRow("pair at a seam")
            << pair + QStringLiteral("\r\n") << -1 << pair + QStringLiteral("\r\n");
        QTest::newRow("Enter at a seam")
            << a + QStringLiteral("\r\n") << 2000
            << a.left(2000) + QStringLiteral("\r\n") + a.mid(2000) + QStringLiteral("\r\n");
        QTest::newRow("Enter inside a continued paragraph")
            << a + QStringLiteral("\r\n") << 3000
            << a.left(3000) + QStringLiteral("\r\n") + a.mid(3000) + QStringLiteral("\r\n");
        QTest::newRow("Enter just before a seam")
            << a + QStringLiteral("\r\n") << 1999
            << a.left(1999) + QStringLiteral("\r\n") + a.mid(1999) + QStringLiteral("\r\n");
    }

    void longLinesKeepTheirTextThroughTheWidget() {
        QFETCH(QString, memo);
        QFETCH(int, editAt);
        QFETCH(QString, expected);
        frmTip3 pad;
        pad.setMemoText(memo);
        QVERIFY(pad.text().document()->blockCount() > 2);
        if (editAt >= 0) {
            // Positions count one per paragraph break, seams included.
            const int seamsBefore = editAt / 2000 - (editAt % 2000 == 0 ? 1 : 0);
            QTextCursor cursor(pad.text().document());
            cursor.setPosition(editAt + std::max(seamsBefore, 0));
            pad.text().setTextCursor(cursor);
            QTest::keyClick(&pad.text(), Qt::Key_Return);
        }
        QCOMPARE(pad.memoText(), expected);
        // Appending after the long line keeps both.
        pad.appendMemo(QString(2500, QLatin1Char('z')));
        QCOMPARE(pad.memoText(),
                 expected + QString(2500, QLatin1Char('z')) + QStringLiteral("\r\n"));
    }

    void aTenMegabyteLineOpensWhole() {
        const QString path = m_dir.filePath(QStringLiteral("long.txt"));
        QByteArray bytes(10'000'000, 'x');
        bytes[5'000'000] = '\n';
        QVERIFY(writeBytes(path, bytes));
        FakeFileDialogs files;
        FakeMessageBoxes boxes;
        files.queueAnswer(path);
        frmTip3 pad;
        QVERIFY(pad.openFile(files, boxes, kCaption));
        const QString memo = pad.memoText();
        QCOMPARE(memo.size(), 10'000'000 + 3); // a line end in place of one x, one at the end
        QCOMPARE(memo.mid(4'999'999, 4), QStringLiteral("x\r\nx"));
        QVERIFY(memo.endsWith(QStringLiteral("x\r\n")));
        // No paragraph of the widget is long enough to make its layout slow.
        int longest = 0;
        for (QTextBlock b = pad.text().document()->begin(); b.isValid(); b = b.next()) {
            longest = std::max(longest, b.length());
        }
        QVERIFY2(longest <= 4096, qPrintable(QString::number(longest)));
    }

    // A save dialog offers the memo's own file; before there is one, no name at all (a
    // missing documents folder once came up as the name "Documents").
    void fileDialogsStartInTheLastMemosFolder() {
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const QString firstFolder = QFileInfo(documents).isDir() ? documents : QDir::homePath();
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("a")));
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("b")));
        const QString folderA = m_dir.filePath(QStringLiteral("a"));
        const QString folderB = m_dir.filePath(QStringLiteral("b"));
        QVERIFY(writeBytes(folderB + QStringLiteral("/in.txt"), "read\r\n"));
        FakeFileDialogs files;
        FakeMessageBoxes boxes;
        frmTip3 pad;
        pad.appendMemo(QStringLiteral("memo"));
        files.queueAnswer(folderA + QStringLiteral("/memo1")); // typed without extension
        files.queueAnswer(folderB + QStringLiteral("/in.txt"));
        files.queueAnswer(std::nullopt);
        QCOMPARE(pad.saveAs(files, boxes, kCaption), frmTip3::SaveResult::Saved);
        QCOMPARE(readBytes(folderA + QStringLiteral("/memo1.txt")), QByteArray("memo\r\n\r\n"));
        QVERIFY(!QFile::exists(folderA + QStringLiteral("/memo1")));
        boxes.queueAnswer(false); // do not save before opening
        QVERIFY(pad.openFile(files, boxes, kCaption));
        QCOMPARE(pad.saveAs(files, boxes, kCaption), frmTip3::SaveResult::Cancelled);
        const auto& asked = files.requests();
        QCOMPARE(asked.size(), std::size_t{3});
        QCOMPARE(asked[0].startFolder, firstFolder);
        QCOMPARE(asked[0].suggestedName, QString());
        QCOMPARE(asked[1].startFolder, folderA);
        QCOMPARE(asked[2].startFolder, folderB);
        QCOMPARE(asked[2].suggestedName, QStringLiteral("in.txt"));

        // Unloaded, the pad forgets the file: a new memo must not offer to overwrite it.
        boxes.queueAnswer(false);
        pad.unload(files, boxes);
        pad.appendMemo(QStringLiteral("new"));
        QCOMPARE(pad.saveAs(files, boxes, kCaption), frmTip3::SaveResult::Cancelled);
        QCOMPARE(files.requests().back().suggestedName, QString());
        QCOMPARE(files.requests().back().startFolder, folderB);
    }

private:
    QTemporaryDir m_dir;
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    MemoTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "memo_test.moc"
