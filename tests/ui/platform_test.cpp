#include "core/settings/values.h"
#include "platform/dialogs.h"
#include "platform/find_files.h"
#include "platform/settings_keys.h"
#include "platform/settings_store.h"
#include "platform/twips_geometry.h"
#include "platform/window_placement.h"
#include "ui/widgets/tool_window_keys.h"

#include "file_size_limit.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <cmath>
#include <functional>
#include <memory>

using namespace sumiplex::platform;

namespace {

void touch(const QString& path) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
}

void makeDir(const QString& path) {
    QVERIFY2(QDir().mkpath(path), qPrintable(path));
}

QStringList rawKeys(const QString& iniPath) {
    QSettings raw(iniPath, QSettings::IniFormat);
    raw.beginGroup(QStringLiteral("Settings"));
    return raw.childKeys();
}

// Every stored setting with a value unlike its default, written through the typed helpers
// and checked after the store was destroyed and opened again.
struct KeyRoundTrip {
    std::function<void(SettingsStore&)> write;
    std::function<bool(const SettingsStore&)> check;
};

template <typename T, typename Value> KeyRoundTrip numberCase(Setting<T> setting, Value value) {
    return {[=](SettingsStore& s) { writeNumber(s, setting, value); },
            [=](const SettingsStore& s) { return readSetting(s, setting) == value; }};
}

KeyRoundTrip truthCase(Setting<bool> setting) {
    return {
        [=](SettingsStore& s) { writeTruth(s, setting, !setting.defaultValue); },
        [=](const SettingsStore& s) { return readSetting(s, setting) == !setting.defaultValue; }};
}

KeyRoundTrip textCase(Setting<QStringView> setting, QString value) {
    return {[=](SettingsStore& s) { s.write(setting, value); },
            [=](const SettingsStore& s) { return readSetting(s, setting) == value; }};
}

std::vector<KeyRoundTrip> everyKey() {
    const auto single = [](Setting<float> k, float v) { return numberCase(k, v); };
    const auto colour = [](Setting<qint32> k, qint32 v) { return numberCase(k, int(v)); };
    const auto int16 = [](Setting<qint16> k, int v) { return numberCase(k, v); };
    return {
        single(kMainLeft, 1515),
        single(kMainTop, -300),
        truthCase(kMnuTax),
        truthCase(kMnuViewStatusBar),
        truthCase(kMnuCalender),
        truthCase(kMnuPicWrite),
        int16(kTaxRate, 10),
        int16(kTaxOP, 3),
        numberCase(kDollRate, 147.25),
        textCase(kRoundD, QStringLiteral("3")),
        colour(kMeBackColorWrite, 16777215),
        textCase(kText1f, QStringLiteral("ＭＳ Ｐ明朝")),
        truthCase(kText1b),
        truthCase(kText1i),
        colour(kLin1, -2147483633),
        textCase(kLabel1f, QStringLiteral("Noto Sans, Bold")),
        truthCase(kLabel1b),
        truthCase(kLabel1i),
        colour(kLabel1c, 255),
        textCase(kTip2Textf, QStringLiteral("@Courier")),
        truthCase(kTip2Textb),
        truthCase(kTip2Texti),
        single(kTip2Texts, 10.5f),
        textCase(kTip3Textf, QStringLiteral("IPAゴシック")),
        truthCase(kTip3Textb),
        truthCase(kTip3Texti),
        single(kTip3Texts, 9),
        textCase(kPictureFile, QStringLiteral("/home/user/写真/a;b=c.JPG")),
        single(kTip2Left, 15),
        single(kTip2Top, 30),
        single(kTip3Left, 45),
        single(kTip3Top, 60),
        single(kDlgTonLeftWrite, 75),
        single(kDlgTonTop, 90),
        textCase(kRoundT, QStringLiteral("2")),
        single(kBrthLeft, 105),
        single(kBrthTop, 120),
        single(kTimeLeft, 135),
        single(kTimeTop, 150),
        single(kCash1Left, 165),
        single(kCash1Top, 180),
        single(kCash2Left, 195),
        single(kCash2Top, 210),
    };
}

} // namespace

class PlatformTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_dir.isValid()); }

    // 1000 twips are 66.7 px at 96 dpi: what was set in twips must read back unchanged
    // while the window keeps those pixels, and the pixels speak once it has moved.
    void geometrySetInTwipsReadsBackInTwips() {
        QWidget window;
        const double dpi = twipsDotsPerInch();
        resizeInTwips(window, 5220, 7000);
        QCOMPARE(twipsOf(window, TwipsEdge::Width, window.width(), dpi), 5220.0);
        QCOMPARE(twipsOf(window, TwipsEdge::Height, window.height(), dpi), 7000.0);
        resizeInTwips(window, -1, 5000);
        QCOMPARE(twipsOf(window, TwipsEdge::Width, window.width(), dpi), 5220.0);
        QCOMPARE(twipsOf(window, TwipsEdge::Height, window.height(), dpi), 5000.0);

        FakeSettingsStore store;
        restoreWindowPosition(window, store, kMainLeft, kMainTop);
        saveWindowPosition(window, store, kMainLeft.key, kMainTop.key);
        QCOMPARE(store.read(QStringLiteral("MainLeft"), {}), QStringLiteral("1000"));
        window.move(window.pos() + QPoint(10, 0));
        saveWindowPosition(window, store, kMainLeft.key, kMainTop.key);
        QCOMPARE(store.read(QStringLiteral("MainLeft"), {}),
                 QString::number(sumiplex::settings::pixelsToTwips(window.x(), dpi)));
        QCOMPARE(store.read(QStringLiteral("MainTop"), {}), QStringLiteral("1000"));

        // A minimum size that keeps the window larger than asked: the pixels speak.
        window.setMinimumHeight(600);
        resizeInTwips(window, -1, 5000);
        QCOMPARE(twipsOf(window, TwipsEdge::Height, window.height(), dpi),
                 sumiplex::settings::pixelsToTwips(600, dpi));
    }

    void everyKeySurvivesClosingAndReopeningTheFile() {
        const QString path = m_dir.filePath(QStringLiteral("nested/folder/Sumiplex.conf"));
        const auto cases = everyKey();
        {
            IniSettingsStore store(path);
            for (const auto& c : cases) {
                c.write(store);
            }
            // Every real value reads back as written: the check raises no false alarm.
            QCOMPARE(store.save(), std::nullopt);
        }
        QVERIFY(QFile::exists(path));
        IniSettingsStore reopened(path);
        for (std::size_t i = 0; i < cases.size(); ++i) {
            QVERIFY2(cases[i].check(reopened), qPrintable(QString::number(i)));
        }
        // The differently spelled read keys see what their write keys stored.
        QCOMPARE(readSetting(reopened, kMnuPicRead), !kMnuPicRead.defaultValue);
        QCOMPARE(readSetting(reopened, kMeBackColorRead), 16777215);
        QCOMPARE(readSetting(reopened, kDlgTonLeftRead), 75.0f);
    }

    void valuesAreStoredInTheirPlainTextForms() {
        FakeSettingsStore store;
        writeNumber(store, kMainLeft, 1000.0f);
        writeNumber(store, kDollRate, 80.5);
        writeNumber(store, kMeBackColorWrite, -2147483643);
        writeNumber(store, kTip2Texts, 14.1f);
        writeTruth(store, kMnuTax, true);
        writeTruth(store, kText1i, false);
        QCOMPARE(store.read(kMainLeft, {}), QStringLiteral("1000"));
        QCOMPARE(store.read(kDollRate, {}), QStringLiteral("80.5"));
        QCOMPARE(store.read(kMeBackColorRead, {}), QStringLiteral("-2147483643"));
        QCOMPARE(store.read(kTip2Texts, {}), QStringLiteral("14.1"));
        QCOMPARE(store.read(kMnuTax, {}), QStringLiteral("True"));
        QCOMPARE(store.read(kText1i, {}), QStringLiteral("False"));
    }

    void mixedCaseKeysReachOneValue_data() {
        QTest::addColumn<bool>("onDisk");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("read");
        const std::pair<const char*, const char*> pairs[] = {
            {"mnupic", "mnuPic"}, {"meBackColor", "MeBackColor"}, {"dlgTonLeft", "dlgTonleft"},
            {"mnuPic", "mnupic"}, {"MeBackColor", "MEBACKCOLOR"}, {"dlgTonleft", "DLGTONLEFT"},
        };
        for (bool onDisk : {false, true}) {
            for (const auto& [w, r] : pairs) {
                QTest::addRow("%s %s→%s", onDisk ? "ini" : "fake", w, r)
                    << onDisk << QString::fromLatin1(w) << QString::fromLatin1(r);
            }
        }
    }

    void mixedCaseKeysReachOneValue() {
        QFETCH(bool, onDisk);
        QFETCH(QString, written);
        QFETCH(QString, read);
        const QString path = m_dir.filePath(QStringLiteral("case.conf"));
        QFile::remove(path);
        std::unique_ptr<SettingsStore> store;
        if (onDisk) {
            store = std::make_unique<IniSettingsStore>(path);
        } else {
            store = std::make_unique<FakeSettingsStore>();
        }
        store->write(written, QStringLiteral("first"));
        QCOMPARE(store->read(read, QStringLiteral("absent")), QStringLiteral("first"));
        // Writing through the other spelling replaces the entry; it never adds a second one.
        store->write(read, QStringLiteral("second"));
        QCOMPARE(store->read(written, QStringLiteral("absent")), QStringLiteral("second"));
        if (onDisk) {
            QVERIFY(static_cast<IniSettingsStore&>(*store).sync());
            QCOMPARE(rawKeys(path), QStringList{written});
        } else {
            const auto& entries = static_cast<FakeSettingsStore&>(*store).entries();
            QCOMPARE(entries.size(), std::size_t{1});
            QCOMPARE(entries.front().first, written);
        }
    }

    void aHandEditedFileWithTwoSpellingsIsMendedOnWrite() {
        const QString path = m_dir.filePath(QStringLiteral("twice.conf"));
        {
            QSettings raw(path, QSettings::IniFormat);
            raw.setValue(QStringLiteral("Settings/MNUPIC"), QStringLiteral("False"));
            raw.setValue(QStringLiteral("Settings/mnuPic"), QStringLiteral("True"));
        }
        IniSettingsStore store(path);
        // The exact spelling wins while both are there.
        QCOMPARE(readSetting(store, kMnuPicRead), true);
        writeTruth(store, kMnuPicWrite, false);
        QVERIFY(store.sync());
        QCOMPARE(rawKeys(path).size(), 1);
        QCOMPARE(readSetting(store, kMnuPicRead), false);
    }

    void unreadableValuesGiveTheFallback() {
        FakeSettingsStore store;
        store.write(kMnuTax, QStringLiteral("yes"));
        store.write(kText1b, QString());
        store.write(kTaxRate, QStringLiteral("5%"));
        store.write(kTaxOP, QStringLiteral("99999"));
        store.write(kDollRate, QStringLiteral("80,5"));
        store.write(kMeBackColorWrite, QStringLiteral("&H80000005"));
        store.write(kLin1, QStringLiteral("2147483648"));
        store.write(kMainLeft, QStringLiteral("left"));
        store.write(kTip3Texts, QStringLiteral("1e99"));

        QCOMPARE(readSetting(store, kMnuTax), true);
        QCOMPARE(readSetting(store, kMnuTax, false), false);
        QCOMPARE(readSetting(store, kText1b), true);
        QCOMPARE(readSetting(store, kTaxRate), qint16(10));
        QCOMPARE(readSetting(store, kTaxRate, 8), qint16(8));
        QCOMPARE(readSetting(store, kTaxOP), qint16(1));
        QCOMPARE(readSetting(store, kDollRate), 80.0);
        QCOMPARE(readSetting(store, kDollRate, 0.0), 0.0);
        QCOMPARE(readSetting(store, kMeBackColorRead), kSystemWindowBackground);
        QCOMPARE(readSetting(store, kLin1, 42), 42);
        QCOMPARE(readSetting(store, kMainLeft), 1000.0f);
        QCOMPARE(readSetting(store, kTip3Texts), 12.0f);
    }

    void anEmptyStoreGivesTheDefaults() {
        const QString path = m_dir.filePath(QStringLiteral("never-written.conf"));
        IniSettingsStore store(path);
        QCOMPARE(readSetting(store, kMainLeft), 1000.0f);
        QCOMPARE(readSetting(store, kMainTop), 1000.0f);
        QCOMPARE(readSetting(store, kMnuTax), true);
        QCOMPARE(readSetting(store, kMnuViewStatusBar), false);
        QCOMPARE(readSetting(store, kMnuCalender), false);
        QCOMPARE(readSetting(store, kMnuPicRead), true);
        QCOMPARE(readSetting(store, kTaxRate), qint16(10));
        QCOMPARE(readSetting(store, kTaxOP), qint16(1));
        QCOMPARE(readSetting(store, kDollRate), 80.0);
        QCOMPARE(readSetting(store, kRoundD), QStringLiteral("1"));
        QCOMPARE(readSetting(store, kMeBackColorRead), -2147483643);
        QCOMPARE(readSetting(store, kText1f), QStringLiteral("Times New Roman"));
        QCOMPARE(readSetting(store, kLin1), 1006847);
        QCOMPARE(readSetting(store, kLabel1c), 1006847);
        QCOMPARE(readSetting(store, kTip3Textf), QStringLiteral("ＭＳ Ｐゴシック"));
        QCOMPARE(readSetting(store, kTip2Texts), 14.0f);
        QCOMPARE(readSetting(store, kTip3Texts), 12.0f);
        QCOMPARE(readSetting(store, kPictureFile), QString());
        QCOMPARE(store.find(kMainLeft), std::nullopt);
        // Reading never creates the file.
        QVERIFY(store.sync());
        QVERIFY(!QFile::exists(path));
    }

    void aFileThatCannotBeWrittenIsReportedBySync() {
        const QString blocker = m_dir.filePath(QStringLiteral("plain-file"));
        touch(blocker);
        IniSettingsStore store(blocker + QStringLiteral("/Sumiplex.conf"));
        store.write(kMainLeft, QStringLiteral("1"));
        QVERIFY(!store.sync());
    }

    void theDefaultFileFollowsTheXdgConfigFolder() {
        QCOMPARE(IniSettingsStore::defaultFilePath(),
                 qEnvironmentVariable("XDG_CONFIG_HOME") +
                     QStringLiteral("/Sumiplex/Sumiplex.conf"));
    }

    void programFiltersBecomeQtNameFilters_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("qt");
        QTest::newRow("memo open")
            << QStringLiteral("すべてのﾌｧｲﾙ (*.*)|*.*|ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt|")
            << QStringList{QStringLiteral("すべてのﾌｧｲﾙ (*)"), QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ (*.txt)")};
        QTest::newRow("memo save") << QStringLiteral("txtﾌｧｲﾙ (*.txt)|*.txt")
                                   << QStringList{QStringLiteral("txtﾌｧｲﾙ (*.txt)")};
        QTest::newRow("picture") << QStringLiteral("すべてのﾌｧｲﾙ (*.*)|*.*|画像 (*.jpg)|*.jpg|")
                                 << QStringList{QStringLiteral("すべてのﾌｧｲﾙ (*)"),
                                                QStringLiteral("画像 (*.jpg)")};
        QTest::newRow("pattern list, description without patterns")
            << QStringLiteral("Pictures|*.jpg;*.jpeg")
            << QStringList{QStringLiteral("Pictures (*.jpg *.jpeg)")};
        QTest::newRow("description disagrees with patterns")
            << QStringLiteral("Text (*.doc)|*.txt") << QStringList{QStringLiteral("Text (*.txt)")};
        QTest::newRow("description alone") << QStringLiteral("All") << QStringList{};
        QTest::newRow("empty") << QString() << QStringList{};
    }

    void programFiltersBecomeQtNameFilters() {
        QFETCH(QString, program);
        QFETCH(QStringList, qt);
        QCOMPARE(qtNameFilters(program), qt);
    }

    void fakeDialogsAnswerInOrderAndCancelWhenUnanswered() {
        FakeFileDialogs files;
        files.queueAnswer(QStringLiteral("/tmp/a.txt"));
        files.queueAnswer(std::nullopt);
        QCOMPARE(files.getOpenFileName(nullptr, QStringLiteral("t1"), QStringLiteral("f|*"), 1),
                 std::optional<QString>(QStringLiteral("/tmp/a.txt")));
        QCOMPARE(files.getSaveFileName(nullptr, QStringLiteral("t2"), QStringLiteral("g|*")),
                 std::nullopt);
        QCOMPARE(files.unanswered(), 0);
        QCOMPARE(files.getSaveFileName(nullptr, QStringLiteral("t3"), QString()), std::nullopt);
        QCOMPARE(files.unanswered(), 1);
        QCOMPARE(files.requests().size(), std::size_t{3});
        QCOMPARE(files.requests()[0].selectedFilter, 1);
        QCOMPARE(files.requests()[1].kind, FakeFileDialogs::Kind::Save);
        QCOMPARE(files.requests()[1].title, QStringLiteral("t2"));

        FakeMessageBoxes boxes;
        boxes.queueAnswer(true);
        QVERIFY(boxes.question(nullptr, QStringLiteral("q1"), QStringLiteral("T")));
        QVERIFY(!boxes.question(nullptr, QStringLiteral("q2"), QStringLiteral("T")));
        boxes.critical(nullptr, QStringLiteral("c"), QStringLiteral("C"));
        QCOMPARE(boxes.unanswered(), 1);
        QCOMPARE(boxes.shown().size(), std::size_t{3});
        QCOMPARE(boxes.shown()[1].answer, std::optional<bool>(false));
        QCOMPARE(boxes.shown()[2].icon, MessageIcon::Critical);
        QCOMPARE(boxes.shown()[2].title, QStringLiteral("C"));
    }

    void realFileDialogsShowTheTranslatedFilters() {
        QtFileDialogs files;
        QStringList seenFilters;
        QString seenSelected;
        QString seenTitle;
        bool confirmsOverwrite = false;
        QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
        const auto inspectAndCancel = [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                return false;
            }
            seenFilters = dialog->nameFilters();
            seenSelected = dialog->selectedNameFilter();
            seenTitle = dialog->windowTitle();
            confirmsOverwrite = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
            mode = dialog->acceptMode();
            dialog->reject();
            return true;
        };
        whenModal(inspectAndCancel);
        QCOMPARE(files.getOpenFileName(
                     nullptr, QStringLiteral("電卓　メモ帳を開く"),
                     QStringLiteral("すべてのﾌｧｲﾙ (*.*)|*.*|ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt|"), 1),
                 std::nullopt);
        QCOMPARE(seenTitle, QStringLiteral("電卓　メモ帳を開く"));
        QCOMPARE(seenFilters, (QStringList{QStringLiteral("すべてのﾌｧｲﾙ (*)"),
                                           QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ (*.txt)")}));
        QCOMPARE(seenSelected, QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ (*.txt)"));
        QCOMPARE(mode, QFileDialog::AcceptOpen);

        whenModal(inspectAndCancel);
        QCOMPARE(files.getSaveFileName(nullptr, QStringLiteral("保存"),
                                       QStringLiteral("txtﾌｧｲﾙ (*.txt)|*.txt")),
                 std::nullopt);
        QCOMPARE(seenFilters, QStringList{QStringLiteral("txtﾌｧｲﾙ (*.txt)")});
        QCOMPARE(mode, QFileDialog::AcceptSave);
        QVERIFY(confirmsOverwrite);
    }

    void realQuestionBoxAnswersYesOrNo_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes") << int(QMessageBox::Yes) << true;
        QTest::newRow("no") << int(QMessageBox::No) << false;
    }

    void realQuestionBoxAnswersYesOrNo() {
        QFETCH(int, button);
        QFETCH(bool, yes);
        QtMessageBoxes boxes;
        QString seenText;
        QString seenTitle;
        bool yesIsDefault = false;
        whenModal([&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) {
                return false;
            }
            seenText = box->text();
            seenTitle = box->windowTitle();
            yesIsDefault = box->defaultButton() == box->button(QMessageBox::Yes);
            box->button(QMessageBox::StandardButton(button))->click();
            return true;
        });
        QCOMPARE(boxes.question(nullptr, QStringLiteral("メモ帳を保存しますか？"),
                                QStringLiteral("　電卓　メモ帳")),
                 yes);
        QCOMPARE(seenText, QStringLiteral("メモ帳を保存しますか？"));
        QCOMPARE(seenTitle, QStringLiteral("　電卓　メモ帳"));
        QVERIFY(yesIsDefault);
    }

    void wildcardsMatchAsTheSearchCompares_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<bool>("matches");
        QTest::newRow("extension") << "a.jpg"
                                   << "*.jpg" << true;
        QTest::newRow("other extension") << "a.jpeg"
                                         << "*.jpg" << false;
        QTest::newRow("extension only") << ".jpg"
                                        << "*.jpg" << true;
        QTest::newRow("suffix after") << "a.jpg.txt"
                                      << "*.jpg" << false;
        QTest::newRow("two dots") << "a.b.jpg"
                                  << "*.jpg" << true;
        QTest::newRow("question") << "ab.jpg"
                                  << "a?.jpg" << true;
        QTest::newRow("question needs one") << "a.jpg"
                                            << "a?.jpg" << false;
        QTest::newRow("star empty") << ""
                                    << "*" << true;
        QTest::newRow("empty pattern") << "a"
                                       << "" << false;
        QTest::newRow("backtrack") << "abcbcd"
                                   << "a*bcd" << true;
        QTest::newRow("many stars") << "aaaaaaaaaaaaaaaaaaaaaaaaaaaaab"
                                    << "*a*a*a*a*a*a*c" << false;
        QTest::newRow("literal bracket") << "[1].jpg"
                                         << "[1].jpg" << true;
        QTest::newRow("bracket is no class") << "1.jpg"
                                             << "[1].jpg" << false;
        QTest::newRow("japanese") << "写真.jpg"
                                  << "写?.jpg" << true;
    }

    void wildcardsMatchAsTheSearchCompares() {
        QFETCH(QString, name);
        QFETCH(QString, pattern);
        QFETCH(bool, matches);
        QCOMPARE(wildcardMatches(name, pattern), matches);
    }

    void findFilesListsOwnFilesFirstThenSubfoldersInNameOrder() {
        const QString root = m_dir.filePath(QStringLiteral("pics"));
        makeDir(root + QStringLiteral("/b"));
        makeDir(root + QStringLiteral("/A/deep"));
        makeDir(root + QStringLiteral("/.hidden"));
        for (const char* name : {"z.jpg", "Y.JPG", "x.jpeg", "b/2.jpg", "b/1.Jpg", "A/deep/d.jpg",
                                 "A/c.jpg", "A/notes.txt", ".hidden/h.jpg", ".dot.jpg"}) {
            touch(root + QLatin1Char('/') + QLatin1String(name));
        }
        // A folder named like a match is no file.
        makeDir(root + QStringLiteral("/folder.jpg"));
        const QStringList expected = {
            root + QStringLiteral("/Y.JPG"),   root + QStringLiteral("/z.jpg"),
            root + QStringLiteral("/A/c.jpg"), root + QStringLiteral("/A/deep/d.jpg"),
            root + QStringLiteral("/b/1.Jpg"), root + QStringLiteral("/b/2.jpg"),
        };
        QCOMPARE(FindFiles(root, QStringLiteral("*.jpg")), expected);
        QCOMPARE(FindFiles(root + QLatin1Char('/'), QStringLiteral("*.JPG")).size(), 6);
        QCOMPARE(FindFiles(root + QStringLiteral("/missing"), QStringLiteral("*")), QStringList{});
    }

    void findFilesSurvivesSymbolicLinkLoopsAndDeepTrees() {
        const QString root = m_dir.filePath(QStringLiteral("loop"));
        makeDir(root + QStringLiteral("/sub"));
        touch(root + QStringLiteral("/sub/p.jpg"));
        QVERIFY(QFile::link(root, root + QStringLiteral("/sub/up")));
        QVERIFY(QFile::link(root + QStringLiteral("/sub"), root + QStringLiteral("/sub/self")));
        QVERIFY(
            QFile::link(root + QStringLiteral("/nowhere"), root + QStringLiteral("/dangling.jpg")));
        QCOMPARE(FindFiles(root, QStringLiteral("*.jpg")),
                 QStringList{root + QStringLiteral("/sub/p.jpg")});

        QString deep = m_dir.filePath(QStringLiteral("deep"));
        const QString top = deep;
        for (int level = 0; level < 40; ++level) {
            deep += QStringLiteral("/d");
        }
        makeDir(deep);
        touch(deep + QStringLiteral("/bottom.jpg"));
        QString shallow = top;
        for (int level = 0; level < 32; ++level) {
            shallow += QStringLiteral("/d");
        }
        touch(shallow + QStringLiteral("/reached.jpg"));
        QCOMPARE(FindFiles(top, QStringLiteral("*.jpg")),
                 QStringList{shallow + QStringLiteral("/reached.jpg")});
    }

    void storedPositionsOffEveryScreenFallBack_data() {
        QTest::addColumn<QRect>("window");
        QTest::addColumn<bool>("onScreen");
        QTest::addColumn<QPoint>("placed");
        // Two screens side by side: 0..1919 and 1920..3199 (the second one shorter); the
        // fallback is (67, 67).
        QTest::newRow("inside") << QRect(67, 67, 300, 200) << true << QPoint(67, 67);
        QTest::newRow("on the second screen")
            << QRect(2000, 100, 300, 200) << true << QPoint(2000, 100);
        QTest::newRow("unplugged third screen")
            << QRect(3300, 100, 300, 200) << false << QPoint(67, 67);
        QTest::newRow("below the shorter screen")
            << QRect(2000, 900, 300, 200) << false << QPoint(67, 67);
        QTest::newRow("negative from another layout")
            << QRect(-2000, 67, 300, 200) << false << QPoint(67, 67);
        QTest::newRow("mostly left of the screen, moved in")
            << QRect(-250, 67, 300, 200) << true << QPoint(0, 67);
        QTest::newRow("only a sliver left") << QRect(-290, 67, 300, 200) << false << QPoint(67, 67);
        QTest::newRow("title bar above the top")
            << QRect(67, -40, 300, 200) << false << QPoint(67, 67);
        QTest::newRow("spanning both, onto the one it shares most with")
            << QRect(1800, 100, 300, 200) << true << QPoint(1920, 100);
        QTest::newRow("empty window") << QRect(10, 10, 0, 0) << false << QPoint(67, 67);
    }

    void storedPositionsOffEveryScreenFallBack() {
        QFETCH(QRect, window);
        QFETCH(bool, onScreen);
        QFETCH(QPoint, placed);
        const QList<QRect> screens = {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 800)};
        QCOMPARE(liesOnAScreen(window, screens), onScreen);
        QCOMPARE(placedPosition(window, screens, QPoint(67, 67)), placed);
    }

    // Screens as windows see them: a 1600 x 900 panel at 1.5x scale is 1067 x 600.
    void windowsAreMovedWhollyOntoAScreen_data() {
        QTest::addColumn<QList<QRect>>("screens");
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<QPoint>("placed");
        const QList<QRect> two = {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 800)};
        const QList<QRect> scaled = {QRect(0, 0, 1067, 600)};
        const QList<QRect> small = {QRect(0, 0, 800, 600)};
        QTest::newRow("wholly on screen stays") << two << QRect(67, 67, 300, 200) << QPoint(67, 67);
        QTest::newRow("past the right edge at 1.5x")
            << scaled << QRect(901, 100, 560, 300) << QPoint(507, 100);
        QTest::newRow("past the bottom") << scaled << QRect(100, 500, 300, 200) << QPoint(100, 400);
        QTest::newRow("past the right edge of the second screen")
            << two << QRect(3100, 100, 300, 200) << QPoint(2900, 100);
        QTest::newRow("below the shorter screen")
            << two << QRect(2000, 700, 300, 200) << QPoint(2000, 600);
        QTest::newRow("above and left of the screen")
            << small << QRect(-50, -20, 300, 200) << QPoint(0, 0);
        QTest::newRow("on no screen: onto the nearest")
            << two << QRect(5000, 100, 300, 200) << QPoint(2900, 100);
        QTest::newRow("wider and taller than the screen: its top left corner")
            << small << QRect(300, 200, 1000, 700) << QPoint(0, 0);
        QTest::newRow("wider only: moved in left, kept in height")
            << small << QRect(300, 200, 900, 300) << QPoint(0, 200);
        QTest::newRow("exactly the screen") << small << QRect(0, 0, 800, 600) << QPoint(0, 0);
        QTest::newRow("no screens known") << QList<QRect>() << QRect(5, 6, 10, 10) << QPoint(5, 6);
    }

    void windowsAreMovedWhollyOntoAScreen() {
        QFETCH(QList<QRect>, screens);
        QFETCH(QRect, frame);
        QFETCH(QPoint, placed);
        QCOMPARE(movedOnScreen(frame, screens), placed);
    }

    // The calculator at (67, 67), 348 x 500, its input line 30 px high near its top.
    void toolWindowsOpenBesideTheCalculator_data() {
        QTest::addColumn<QList<QRect>>("screens");
        QTest::addColumn<QRect>("anchor");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("placed");
        const QList<QRect> wide = {QRect(0, 0, 1920, 1080)};
        const QList<QRect> two = {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 800)};
        const QList<QRect> small = {QRect(0, 0, 800, 600)};
        const QRect calculator(67, 67, 348, 500);
        QTest::newRow("to the right") << wide << calculator << QSize(400, 300) << QPoint(423, 67);
        QTest::newRow("no room on the right: to the left")
            << wide << QRect(1500, 67, 348, 500) << QSize(400, 300) << QPoint(1092, 67);
        QTest::newRow("calculator low on the screen: lined up within it")
            << wide << QRect(67, 900, 348, 150) << QSize(400, 300) << QPoint(423, 780);
        QTest::newRow("no room at either side: below")
            << QList<QRect>{QRect(0, 0, 800, 1000)} << QRect(200, 0, 348, 400) << QSize(700, 300)
            << QPoint(100, 408);
        QTest::newRow("no room anywhere: below the input line")
            << small << calculator << QSize(500, 300) << QPoint(300, 128);
        QTest::newRow("too tall even for that: over the calculator, on the screen")
            << small << calculator << QSize(500, 550) << QPoint(300, 50);
        QTest::newRow("larger than the screen")
            << small << calculator << QSize(1000, 700) << QPoint(0, 0);
        QTest::newRow("on the calculator's own screen")
            << two << QRect(2000, 100, 348, 500) << QSize(400, 300) << QPoint(2356, 100);
    }

    void toolWindowsOpenBesideTheCalculator() {
        QFETCH(QList<QRect>, screens);
        QFETCH(QRect, anchor);
        QFETCH(QSize, size);
        QFETCH(QPoint, placed);
        const QRect inputLine(anchor.left() + 3, anchor.top() + 23, anchor.width() - 6, 30);
        const QPoint got = besideWindow(anchor, size, screens, inputLine);
        QCOMPARE(got, placed);
        // Wherever it goes, the input line stays in view when the screen allows it.
        if (size.height() < 400 && size.width() < screens.front().width())
            QVERIFY(!QRect(got, size).intersects(inputLine));
    }

    // Escape closes a tool window only when no control of it took the key for itself, and
    // only a real close gives the keyboard back.
    void escapeClosesWhatNoControlTakes() {
        int closed = 0;
        sumiplex::ui::ToolWindowKeys keys([&closed] { ++closed; });
        QWidget window;
        auto* edit = new QLineEdit(&window);
        auto* grid = new QTableWidget(1, 1, &window);
        grid->setItem(0, 0, new QTableWidgetItem(QStringLiteral("3")));
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(edit);
        layout->addWidget(grid);
        keys.watch(window, sumiplex::ui::EscapeKey::Closes);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        grid->setFocus();
        grid->editItem(grid->item(0, 0));
        QWidget* cellEditor = QApplication::focusWidget();
        QVERIFY(cellEditor != nullptr && cellEditor != grid);
        QTest::keyClick(cellEditor, Qt::Key_Escape);
        QVERIFY(window.isVisible());
        QCOMPARE(closed, 0);

        QTest::keyClick(edit, Qt::Key_Escape, Qt::ShiftModifier);
        QVERIFY(window.isVisible());
        QTest::keyClick(edit, Qt::Key_Escape);
        QVERIFY(!window.isVisible());
        QCOMPARE(closed, 1);

        // A window whose Escape is its own (a text being written) stays; hiding still counts.
        QWidget pad;
        auto* text = new QLineEdit(&pad);
        keys.watch(pad, sumiplex::ui::EscapeKey::Ignored);
        pad.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pad));
        QTest::keyClick(text, Qt::Key_Escape);
        QVERIFY(pad.isVisible());
        pad.hide();
        QCOMPARE(closed, 2);
    }

    void windowPositionsAreStoredInTwips() {
        FakeSettingsStore store;
        QWidget window;
        window.resize(200, 100);
        const double dpi = twipsDotsPerInch();
        window.move(100, 50);
        saveWindowPosition(window, store, kTip3Left, kTip3Top);
        const float leftTwips = readSetting(store, kTip3Left);
        QCOMPARE(leftTwips, static_cast<float>(std::round(100 * 1440 / dpi)));

        QWidget restored;
        restored.resize(200, 100);
        restoreWindowPosition(restored, store, kTip3Left, kTip3Top);
        QCOMPARE(restored.pos(), QPoint(100, 50));

        // Far off every screen: back to the default 1000 twips.
        writeNumber(store, kTip3Left, 1.0e6f);
        restoreWindowPosition(restored, store, kTip3Left, kTip3Top);
        const int fallback = static_cast<int>(std::lround(1000 * dpi / 1440));
        QCOMPARE(restored.pos(), QPoint(fallback, fallback));
    }

    // Every way the settings file can fail to reach the disk is named to the user, with the
    // file; root writes through permission bits, so the cases are ones that stop root too.
    void settingsThatCannotBeSavedAreReportedWithFileAndReason_data() {
        QTest::addColumn<QString>("setup"); // how the file is blocked
        QTest::addColumn<QString>("reason");
        QTest::newRow("saved") << QStringLiteral("none") << QString();
        QTest::newRow("folder in place of the file")
            << QStringLiteral("folder") << QStringLiteral("同じ名前のフォルダーがあります");
        QTest::newRow("folder path through a file")
            << QStringLiteral("under-file") << QStringLiteral("を作成できません");
        QTest::newRow("disk full (file-size limit)")
            << QStringLiteral("limit") << QStringLiteral("File too large");
    }

    void settingsThatCannotBeSavedAreReportedWithFileAndReason() {
        QFETCH(QString, setup);
        QFETCH(QString, reason);
        const QString base = m_dir.filePath(setup);
        QString path = base + QStringLiteral("/Sumiplex.conf");
        if (setup == QLatin1String("folder")) {
            makeDir(path);
        } else if (setup == QLatin1String("under-file")) {
            touch(base);
            path = base + QStringLiteral("/Sumiplex/Sumiplex.conf");
        }
        std::optional<QString> failure;
        {
            IniSettingsStore store(path);
            store.write(kMainLeft, QStringLiteral("1000"));
            store.write(kText1f, QString(4000, QLatin1Char('f')));
            if (setup == QLatin1String("limit")) {
                FileSizeLimit limit(512);
                QVERIFY(limit.active());
                failure = store.save();
            } else {
                failure = store.save();
            }
        }
        if (reason.isEmpty()) {
            QCOMPARE(failure, std::nullopt);
            QCOMPARE(IniSettingsStore(path).find(kMainLeft), std::optional(QStringLiteral("1000")));
            return;
        }
        QVERIFY(failure.has_value());
        QVERIFY2(failure->contains(path), qPrintable(*failure));
        QVERIFY2(failure->contains(reason), qPrintable(*failure));
    }

    void saveDialogExtensionRules_data() {
        QTest::addColumn<QString>("filters");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("saved");
        const QString text = QStringLiteral("txtﾌｧｲﾙ (*.txt)|*.txt");
        QTest::newRow("no extension")
            << text << QStringLiteral("/d/memo1") << QStringLiteral("/d/memo1.txt");
        QTest::newRow("own extension kept")
            << text << QStringLiteral("/d/memo1.csv") << QStringLiteral("/d/memo1.csv");
        QTest::newRow("dot in the folder only")
            << text << QStringLiteral("/d.v2/memo1") << QStringLiteral("/d.v2/memo1.txt");
        QTest::newRow("trailing dot")
            << text << QStringLiteral("/d/memo1.") << QStringLiteral("/d/memo1.txt");
        QTest::newRow("all files adds nothing")
            << QStringLiteral("すべて (*.*)|*.*") << QStringLiteral("/d/memo1")
            << QStringLiteral("/d/memo1");
        QTest::newRow("first of several patterns")
            << QStringLiteral("Pictures|*.jpg;*.jpeg") << QStringLiteral("/d/p")
            << QStringLiteral("/d/p.jpg");
    }

    void saveDialogExtensionRules() {
        QFETCH(QString, filters);
        QFETCH(QString, typed);
        QFETCH(QString, saved);
        QCOMPARE(withDefaultSuffix(typed, filterSuffix(filters, 0)), saved);
        FakeFileDialogs files;
        files.queueAnswer(typed);
        QCOMPARE(files.getSaveFileName(nullptr, QStringLiteral("t"), filters), saved);
    }

    void realSaveDialogStartsInTheFolderAndAddsTheExtension() {
        QtFileDialogs files;
        QString seenFolder;
        whenModal([&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                return false;
            }
            seenFolder = dialog->directory().absolutePath();
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            if (name == nullptr) {
                dialog->reject();
                return true;
            }
            name->setText(QStringLiteral("memo1"));
            QTest::keyClick(name, Qt::Key_Return);
            return true;
        });
        const QString folder = QDir(m_dir.path()).absolutePath();
        QCOMPARE(files.getSaveFileName(nullptr, QStringLiteral("保存"),
                                       QStringLiteral("txtﾌｧｲﾙ (*.txt)|*.txt"), folder),
                 std::optional(folder + QStringLiteral("/memo1.txt")));
        QCOMPARE(seenFolder, folder);
    }

private:
    // Runs `act` once a modal dialog is up (it returns false while none is); gives up after
    // a few seconds, so a dialog that never appears cannot hang the test, and a dialog that
    // is never closed is closed by the watchdog's reject.
    static void whenModal(std::function<bool()> act) {
        auto* timer = new QTimer(qApp);
        auto tries = std::make_shared<int>(0);
        QObject::connect(timer, &QTimer::timeout, timer, [timer, tries, act = std::move(act)] {
            if (act() || ++*tries > 200) {
                if (*tries > 200 && QApplication::activeModalWidget() != nullptr) {
                    QApplication::activeModalWidget()->close();
                }
                timer->deleteLater();
                timer->stop();
            }
        });
        timer->start(20);
    }

    QTemporaryDir m_dir;
};

int main(int argc, char** argv) {
    // Keep the user's real settings out of reach of every test here.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    PlatformTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "platform_test.moc"
