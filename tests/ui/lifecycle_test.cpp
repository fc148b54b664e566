// The main window's start-up from the settings store and its unload back into it, the memo
// commands' dialogs, and the picture and calendar toggles, with fake dialogs and shell.

// moc cannot parse the standard library's concepts header that the core pulls in.
#ifndef Q_MOC_RUN
#include "core/engine/engine.h"
#endif
#include "core/settings/values.h"
#include "platform/clock.h"
#include "platform/colour.h"
#include "platform/dialogs.h"
#include "platform/printing.h"
#include "platform/settings_keys.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "platform/window_placement.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/mainwindow/frm_tip2.h"
#include "ui/mainwindow/frm_tip3.h"
#include "ui/picture/picture_list.h"
#include "ui/ui_fonts.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using sumiplex::platform::FakeClock;
using sumiplex::platform::FakeFileDialogs;
using sumiplex::platform::FakeMessageBoxes;
using sumiplex::platform::FakeSettingsStore;
using sumiplex::platform::FakeShell;
using sumiplex::platform::IniSettingsStore;
using sumiplex::platform::SettingsStore;
using sumiplex::ui::frmMain;

namespace {

QtMessageHandler g_defaultHandler = nullptr;
void quietOffscreenHandler(QtMsgType type, const QMessageLogContext& context, const QString& msg) {
    if (type == QtWarningMsg && msg.startsWith(QStringLiteral("This plugin does not support")))
        return;
    g_defaultHandler(type, context, msg);
}

int pixels(double twips) {
    return sumiplex::settings::twipsToPixels(twips, sumiplex::platform::twipsDotsPerInch());
}

/// Every key of the main window with a value other than its default, in the form the window
/// writes it back.
const QList<QPair<QString, QString>>& everyMainKey() {
    static const QList<QPair<QString, QString>> keys = {
        {"MainLeft", "2400"},
        {"MainTop", "1800"},
        {"PictureFile", ""},
        {"mnuTax", "False"},
        {"mnuViewStatusBar", "True"},
        {"mnuCalender", "True"},
        {"mnupic", "False"},
        {"TaxRate", "8"},
        {"TaxOP", "2"},
        {"DollRate", "143.5"},
        {"RoundD", "2"},
        {"meBackColor", "12632256"},
        {"text1f", "Liberation Sans"},
        {"text1b", "False"},
        {"text1i", "True"},
        {"lin1", "255"},
        {"label1f", "Liberation Serif"},
        {"label1b", "False"},
        {"label1i", "True"},
        {"label1c", "32768"},
        {"tip2Textf", "Liberation Mono"},
        {"tip2Textb", "False"},
        {"tip2Texti", "True"},
        {"tip2Texts", "10.5"},
        {"tip3Textf", "ＭＳ Ｐ明朝"},
        {"tip3Textb", "True"},
        {"tip3Texti", "True"},
        {"tip3Texts", "16"},
        {"Tip2Left", "3000"},
        {"Tip2Top", "2000"},
        {"Tip3Left", "3600"},
        {"Tip3Top", "2600"},
    };
    return keys;
}

} // namespace

class LifecycleTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void everyKeySurvivesCloseAndReopen();
    void keysAreFoundInAnyLetterCase_data();
    void keysAreFoundInAnyLetterCase();
    void garbageFallsBack_data();
    void garbageFallsBack();
    void emptyStoreGivesDefaults();
    void positionOnNoScreenFallsBack();
    void closingMinimizedKeepsStoredPosition();
    void closingInFourDigitModeStoresInputFont();
    void inputFontNameIsTheOneResolved_data();
    void inputFontNameIsTheOneResolved();
    void heightFollowsCalendarAndPicture_data();
    void heightFollowsCalendarAndPicture();
    void clickOnPictureTogglesCalendarOnly();
    void memoDialogsHaveTheirTitlesAndFilters();
    void unloadAsksOnlyWithAMemo_data();
    void unloadAsksOnlyWithAMemo();
    void missingPictureKeepsItsPath();
    void contextMenusOpenOnTheirControls();
    void webItemOpensProjectPage();
    void resizeKeepsEdges_data();
    void resizeKeepsEdges();

private:
    frmMain& open(SettingsStore& store);
    void closeWindow();
    template <typename T> T* child(const char* name) const {
        return m_window->findChild<T*>(QString::fromLatin1(name));
    }

    FakeClock m_clock;
    FakeFileDialogs m_files;
    FakeMessageBoxes m_messages;
    sumiplex::platform::FakePickerDialogs m_pickers;
    FakeShell m_shell;
    sumiplex::platform::FakePrinting m_printing;
    FakeSettingsStore m_store;
    QTemporaryDir m_programFolder;
    std::unique_ptr<frmMain> m_window;
};

void LifecycleTest::initTestCase() {
    g_defaultHandler = qInstallMessageHandler(quietOffscreenHandler);
    sumiplex::ui::installFontSubstitutions();
}

void LifecycleTest::init() {
    m_files = FakeFileDialogs();
    m_messages = FakeMessageBoxes();
    m_shell = FakeShell();
    m_store = FakeSettingsStore();
}

void LifecycleTest::cleanup() {
    m_window.reset();
}

frmMain& LifecycleTest::open(SettingsStore& store) {
    m_window = std::make_unique<frmMain>(sumiplex::ui::Services{m_clock, store, m_files, m_messages,
                                                                m_pickers, m_shell, m_printing,
                                                                m_programFolder.path()});
    m_window->show();
    if (!QTest::qWaitForWindowExposed(m_window.get()))
        qWarning("window not exposed");
    if (!QTest::qWaitFor([this] { return !m_window->pictureList().collecting(); }, 5000))
        qWarning("picture search did not end");
    return *m_window;
}

void LifecycleTest::closeWindow() {
    m_window->close();
    m_window.reset();
}

namespace {

// Reads from one store and writes to another, so a key the window fails to write back
// shows as absent instead of being masked by the value it read.
class SplitStore final : public SettingsStore {
public:
    SplitStore(const SettingsStore& in, SettingsStore& out) : m_in(in), m_out(out) {}
    [[nodiscard]] std::optional<QString> find(QStringView key) const override {
        return m_in.find(key);
    }
    void write(QStringView key, const QString& value) override { m_out.write(key, value); }

private:
    const SettingsStore& m_in;
    SettingsStore& m_out;
};

} // namespace

void LifecycleTest::everyKeySurvivesCloseAndReopen() {
    QTemporaryDir xdg;
    QVERIFY(xdg.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(xdg.path()));
    for (const auto& [key, value] : everyMainKey())
        m_store.write(key, value);
    {
        // First run: start from the values, unload into the empty settings file.
        IniSettingsStore file;
        QVERIFY(file.fileName().startsWith(xdg.path()));
        SplitStore split(m_store, file);
        open(split);
        closeWindow();
        QVERIFY(file.sync());
    }
    {
        // Second run: the program as it runs, reading and writing the same file.
        IniSettingsStore file;
        open(file);
        closeWindow();
        QVERIFY(file.sync());
    }
    IniSettingsStore reread;
    for (const auto& [key, value] : everyMainKey())
        QCOMPARE(reread.read(key, QStringLiteral("<absent>")), value);
    qunsetenv("XDG_CONFIG_HOME");
}

void LifecycleTest::keysAreFoundInAnyLetterCase_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("value");
    QTest::newRow("mnupic read as mnuPic") << "mnupic"
                                           << "False";
    QTest::newRow("MNUPIC") << "MNUPIC"
                            << "False";
    QTest::newRow("meBackColor read as MeBackColor") << "meBackColor"
                                                     << "255";
    QTest::newRow("mainleft") << "mainleft"
                              << "3000";
}

void LifecycleTest::keysAreFoundInAnyLetterCase() {
    QFETCH(QString, stored);
    QFETCH(QString, value);
    m_store.write(stored, value);
    frmMain& w = open(m_store);
    if (stored.compare(u"mnupic", Qt::CaseInsensitive) == 0) {
        QVERIFY(!child<QAction>("mnuPic")->isChecked());
        QVERIFY(child<QLabel>("Image1")->isHidden());
    } else if (stored.compare(u"mebackcolor", Qt::CaseInsensitive) == 0) {
        QCOMPARE(w.palette().color(QPalette::Window), QColor(255, 0, 0));
    } else {
        QCOMPARE(w.pos().x(), pixels(3000));
    }
    closeWindow();
    // Written back under one entry whatever the spelling.
    int entries = 0;
    for (const auto& [key, v] : m_store.entries())
        if (key.compare(stored, Qt::CaseInsensitive) == 0) {
            ++entries;
            QCOMPARE(v, value);
        }
    QCOMPARE(entries, 1);
}

void LifecycleTest::garbageFallsBack_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("garbage");
    QTest::addColumn<QString>("writtenBack");
    const QStringList junk = {"", "abc", "1e999", "-", "0x10", "１２"};
    const QList<QPair<QString, QString>> keys = {
        {"MainLeft", "1000"},     {"MainTop", "1000"},
        {"mnuTax", "True"},       {"mnuViewStatusBar", "False"},
        {"mnuCalender", "False"}, {"mnuPic", "True"},
        {"TaxRate", "10"},        {"TaxOP", "1"},
        {"DollRate", "80"},       {"MeBackColor", "-2147483643"},
        {"text1b", "True"},       {"text1i", "False"},
        {"lin1", "1006847"},      {"label1b", "True"},
        {"label1i", "False"},     {"label1c", "1006847"},
        {"tip2Textb", "True"},    {"tip2Texti", "False"},
        {"tip2Texts", "14"},      {"tip3Textb", "False"},
        {"tip3Texti", "False"},   {"tip3Texts", "12"},
        {"Tip2Left", "1000"},     {"Tip3Top", "1000"},
    };
    for (const auto& [key, fallback] : keys)
        for (const QString& bad : junk)
            QTest::addRow("%s=%s", qPrintable(key), qPrintable(bad)) << key << bad << fallback;
}

void LifecycleTest::garbageFallsBack() {
    QFETCH(QString, key);
    QFETCH(QString, garbage);
    QFETCH(QString, writtenBack);
    m_store.write(key, garbage);
    frmMain& w = open(m_store);
    QVERIFY(w.isVisible());
    // The window still works as a calculator.
    auto* text1 = child<QLineEdit>("Text1");
    QTest::keyClicks(text1, QStringLiteral("2+"));
    QCOMPARE(child<QLabel>("Label1")->text(), QStringLiteral("Total    2"));
    closeWindow();
    QCOMPARE(m_store.read(key, QString()), writtenBack);
}

void LifecycleTest::emptyStoreGivesDefaults() {
    frmMain& w = open(m_store);
    QCOMPARE(w.pos(), QPoint(pixels(1000), pixels(1000)));
    QVERIFY(child<QAction>("mnuTax")->isChecked());
    QVERIFY(!child<QLabel>("Label2")->isHidden());
    QVERIFY(!child<QAction>("mnuViewStatusBar")->isChecked());
    QVERIFY(w.statusBar()->isHidden());
    QVERIFY(!child<QAction>("mnuCalender")->isChecked());
    QVERIFY(child<QCalendarWidget>("MonthView1")->isHidden());
    QVERIFY(child<QAction>("mnuPic")->isChecked());
    QVERIFY(!child<QLabel>("Image1")->isHidden());
    QVERIFY(!child<QLabel>("Image1")->pixmap().isNull());
    QCOMPARE(w.engine().taxRate(), 10);
    QCOMPARE(w.engine().taxRule(), 1);
    QCOMPARE(w.engine().exchangeRate(), 80.0);
    QCOMPARE(child<QLineEdit>("Text3")->text(), QStringLiteral("1"));
    QVERIFY(child<QLineEdit>("Text3")->isHidden());
    QCOMPARE(w.palette().color(QPalette::Window),
             sumiplex::platform::colourFromValue(sumiplex::platform::kSystemWindowBackground,
                                                 QApplication::palette()));
    QCOMPARE(child<QLabel>("Label7")->text(), QString());
    QCOMPARE(w.height(), pixels(7000));
    QVERIFY(child<QFrame>("Line4")->isHidden());
    QCOMPARE(w.memoPad().windowTitle(), QStringLiteral("　電卓　メモ帳"));
    QCOMPARE(w.memoPad().memoFont().family(), QStringLiteral("ＭＳ Ｐゴシック"));
    QCOMPARE(w.historyWindow().text().font().pointSizeF(), 14.0);
    QCOMPARE(child<QCalendarWidget>("MonthView1")->selectedDate(), m_clock.now().date());
    // Japanese names, Sunday first, whatever the desktop's locale.
    QCOMPARE(child<QCalendarWidget>("MonthView1")->locale().language(), QLocale::Japanese);
    QCOMPARE(child<QCalendarWidget>("MonthView1")->firstDayOfWeek(), Qt::Sunday);
    QVERIFY(!w.memoPad().isVisible());
    QVERIFY(!w.historyWindow().isVisible());
}

void LifecycleTest::positionOnNoScreenFallsBack() {
    m_store.write(QStringLiteral("MainLeft"), QStringLiteral("999999"));
    m_store.write(QStringLiteral("MainTop"), QStringLiteral("-99999"));
    frmMain& w = open(m_store);
    QCOMPARE(w.pos(), QPoint(pixels(1000), pixels(1000)));
}

void LifecycleTest::closingMinimizedKeepsStoredPosition() {
    m_store.write(QStringLiteral("MainLeft"), QStringLiteral("2000"));
    m_store.write(QStringLiteral("MainTop"), QStringLiteral("1500"));
    frmMain& w = open(m_store);
    w.move(300, 200);
    w.setWindowState(Qt::WindowMinimized);
    QVERIFY(w.isMinimized());
    closeWindow();
    QCOMPARE(m_store.read(u"MainLeft", QString()), QStringLiteral("2000"));
    QCOMPARE(m_store.read(u"MainTop", QString()), QStringLiteral("1500"));
    // Not minimized, a moved window stores where it went.
    frmMain& again = open(m_store);
    again.move(pixels(3000), pixels(2250));
    closeWindow();
    QCOMPARE(m_store.read(u"MainLeft", QString()), QStringLiteral("3000"));
    QCOMPARE(m_store.read(u"MainTop", QString()), QStringLiteral("2250"));
}

void LifecycleTest::closingInFourDigitModeStoresInputFont() {
    m_store.write(QStringLiteral("text1f"), QStringLiteral("Liberation Sans"));
    m_store.write(QStringLiteral("label1f"), QStringLiteral("Liberation Sans"));
    open(m_store);
    QTest::keyClicks(child<QLineEdit>("Text1"), QStringLiteral("123456789+"));
    child<QAction>("mnuJapan")->trigger();
    QCOMPARE(child<QLabel>("Label1")->font().family(), QString(sumiplex::ui::kMsPMincho));
    closeWindow();
    QCOMPARE(m_store.read(u"label1f", QString()), QStringLiteral("Liberation Sans"));
    QCOMPARE(m_store.read(u"text1f", QString()), QStringLiteral("Liberation Sans"));
}

void LifecycleTest::inputFontNameIsTheOneResolved_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("keepsName");
    QTest::newRow("stand-in resolves it") << "Times New Roman" << true;
    QTest::newRow("installed family") << "Liberation Sans" << true;
    QTest::newRow("Japanese name with stand-in") << "ＭＳ Ｐ明朝" << true;
    QTest::newRow("nothing stands in") << "No Such Font Sumiplex" << false;
}

void LifecycleTest::inputFontNameIsTheOneResolved() {
    QFETCH(QString, stored);
    QFETCH(bool, keepsName);
    m_store.write(QStringLiteral("text1f"), stored);
    frmMain& w = open(m_store);
    const QString name = QString::fromStdU16String(w.engine().inputFontName());
    if (keepsName) {
        QCOMPARE(name, stored);
    } else {
        QVERIFY(name != stored);
        QCOMPARE(name, QFontInfo(child<QLineEdit>("Text1")->font()).family());
    }
    closeWindow();
    QCOMPARE(m_store.read(u"text1f", QString()), keepsName ? stored : name);
}

void LifecycleTest::heightFollowsCalendarAndPicture_data() {
    QTest::addColumn<bool>("calendar");
    QTest::addColumn<bool>("picture");
    QTest::addColumn<int>("twips");
    QTest::newRow("neither") << false << false << 5000;
    QTest::newRow("calendar") << true << false << 7000;
    QTest::newRow("picture") << false << true << 7000;
    QTest::newRow("both") << true << true << 7000;
}

void LifecycleTest::heightFollowsCalendarAndPicture() {
    QFETCH(bool, calendar);
    QFETCH(bool, picture);
    QFETCH(int, twips);
    m_store.write(QStringLiteral("mnuCalender"), calendar ? "True" : "False");
    m_store.write(QStringLiteral("mnuPic"), picture ? "True" : "False");
    frmMain& w = open(m_store);
    QCOMPARE(w.height(), pixels(twips));
    QCOMPARE(child<QFrame>("Line4")->isHidden(), picture);
    // Toggling the calendar from the menu and back gives the other height and this one again.
    child<QAction>("mnuCalender")->trigger();
    QCOMPARE(w.height(), pixels((!calendar || picture) ? 7000 : 5000));
    child<QAction>("mnuCalender")->trigger();
    QCOMPARE(w.height(), pixels(twips));
    child<QAction>("mnuPic")->trigger();
    QCOMPARE(child<QFrame>("Line4")->isHidden(), !picture);
    QCOMPARE(w.height(), pixels((calendar || !picture) ? 7000 : 5000));
}

void LifecycleTest::clickOnPictureTogglesCalendarOnly() {
    m_store.write(QStringLiteral("mnuPic"), QStringLiteral("True"));
    frmMain& w = open(m_store);
    auto* image = child<QLabel>("Image1");
    auto* calendar = child<QCalendarWidget>("MonthView1");
    const int height = w.height();
    QTest::mouseClick(image, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QVERIFY(!calendar->isHidden());
    QVERIFY(child<QAction>("mnuCalender")->isChecked());
    QCOMPARE(w.height(), height);
    QTest::mouseClick(image, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QVERIFY(calendar->isHidden());
    QVERIFY(!child<QAction>("mnuCalender")->isChecked());
}

void LifecycleTest::memoDialogsHaveTheirTitlesAndFilters() {
    frmMain& w = open(m_store);
    QTest::keyClicks(child<QLineEdit>("Text1"), QStringLiteral("5"));
    child<QPushButton>("Command2")->click();
    m_messages.queueAnswer(false); // "save first?" no
    m_files.queueAnswer(std::nullopt);
    child<QAction>("mnuOpen")->trigger();
    m_files.queueAnswer(std::nullopt);
    child<QAction>("mnuSaveMemo")->trigger();
    m_messages.queueAnswer(true);
    m_files.queueAnswer(std::nullopt);
    w.close();

    using Kind = FakeFileDialogs::Kind;
    const auto& asked = m_files.requests();
    QCOMPARE(asked.size(), std::size_t(3));
    QCOMPARE(asked[0].kind, Kind::Open);
    QCOMPARE(asked[0].title, QStringLiteral("電卓　メモ帳を開く"));
    QCOMPARE(asked[0].filters, QStringLiteral("すべてのﾌｧｲﾙ (*.*)|*.*|ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt|"));
    QCOMPARE(asked[0].selectedFilter, 1);
    QCOMPARE(asked[1].kind, Kind::Save);
    QCOMPARE(asked[1].title, QStringLiteral("電卓　名前を付けて保存"));
    QCOMPARE(asked[1].filters, QStringLiteral("txtﾌｧｲﾙ (*.txt)|*.txt"));
    QCOMPARE(asked[2].kind, Kind::Save);
    QCOMPARE(asked[2].title, QStringLiteral("　電卓　メモ帳　　名前を付けて保存"));

    const auto& shown = m_messages.shown();
    QCOMPARE(shown.size(), std::size_t(2));
    QCOMPARE(shown[0].text, QStringLiteral("現在のメモ帳に上書きされます。メモ帳を保存しますか？"));
    QCOMPARE(shown[0].title, QStringLiteral("電卓"));
    QCOMPARE(shown[1].text, QStringLiteral("メモ帳を保存しますか？"));
    QCOMPARE(shown[1].title, QStringLiteral("　電卓　メモ帳"));
}

void LifecycleTest::unloadAsksOnlyWithAMemo_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("questions");
    QTest::newRow("empty memo") << "" << 0;
    QTest::newRow("memo with a line") << "42" << 1;
}

void LifecycleTest::unloadAsksOnlyWithAMemo() {
    QFETCH(QString, typed);
    QFETCH(int, questions);
    open(m_store);
    if (!typed.isEmpty()) {
        QTest::keyClicks(child<QLineEdit>("Text1"), typed);
        child<QPushButton>("Command2")->click();
    }
    m_messages.queueAnswer(false);
    closeWindow();
    QCOMPARE(int(m_messages.shown().size()), questions);
    // A pad never shown keeps the default place; one shown had none of its own and opened
    // beside the calculator instead of over its input line.
    QCOMPARE(m_store.read(u"Tip3Left", QString()) == QStringLiteral("1000"), typed.isEmpty());
    QCOMPARE(m_store.read(u"Tip2Top", QString()), QStringLiteral("1000"));
}

void LifecycleTest::missingPictureKeepsItsPath() {
    const QString gone = m_programFolder.filePath(QStringLiteral("gone.jpg"));
    m_store.write(QStringLiteral("PictureFile"), gone);
    open(m_store);
    QVERIFY(!child<QLabel>("Image1")->pixmap().isNull());
    closeWindow();
    QCOMPARE(m_store.read(u"PictureFile", QString()), gone);
    QVERIFY(m_messages.shown().empty());
}

void LifecycleTest::contextMenusOpenOnTheirControls() {
    m_store.write(QStringLiteral("mnuCalender"), QStringLiteral("True"));
    m_store.write(QStringLiteral("mnuPic"), QStringLiteral("False"));
    open(m_store);
    auto* popup3 = child<QMenu>("mnuPopup3");
    auto* calendar = child<QCalendarWidget>("MonthView1");
    QWidget* inner = calendar->findChild<QWidget*>(QStringLiteral("qt_calendar_calendarview"));
    QVERIFY(inner != nullptr);
    QTest::mousePress(inner, Qt::RightButton, Qt::NoModifier, QPoint(10, 10));
    QTRY_VERIFY(popup3->isVisible());
    popup3->close();

    child<QAction>("mnuPic")->trigger();
    auto* popup = child<QMenu>("mnuPopup");
    auto* next = child<QAction>("mnuPopNext");
    next->setEnabled(false);
    QTest::mousePress(child<QLabel>("Image1"), Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    QTRY_VERIFY(popup->isVisible());
    QVERIFY(next->isEnabled());
    popup->close();
}

void LifecycleTest::webItemOpensProjectPage() {
    open(m_store);
    auto* web = child<QAction>("mnuWWW");
    QCOMPARE(web->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_W));
    web->trigger();
    QCOMPARE(m_shell.openedUrls(), QList<QUrl>{sumiplex::platform::projectPage()});
}

void LifecycleTest::resizeKeepsEdges_data() {
    QTest::addColumn<int>("widthTwips");
    QTest::newRow("start width") << 5220;
    QTest::newRow("wide") << 9000;
    QTest::newRow("wider") << 12000;
}

void LifecycleTest::resizeKeepsEdges() {
    QFETCH(int, widthTwips);
    m_store.write(QStringLiteral("mnuPic"), QStringLiteral("False"));
    frmMain& w = open(m_store);
    w.resize(pixels(widthTwips), w.height());
    QTRY_COMPARE(w.width(), pixels(widthTwips));
    QApplication::processEvents();
    const auto rightEdge = [&w](const QWidget* c) {
        return c->mapTo(&w, QPoint(c->width(), 0)).x();
    };
    QCOMPARE(child<QLineEdit>("Text1")->width(), w.width() - pixels(375));
    QCOMPARE(child<QLabel>("Label1")->width(), w.width() - pixels(375));
    for (const char* line : {"Line1", "Line3", "Line4"})
        QCOMPARE(rightEdge(child<QFrame>(line)), w.width() - pixels(270));
    QCOMPARE(child<QFrame>("Line2")->width(), w.width());
}

QTEST_MAIN(LifecycleTest)
#include "lifecycle_test.moc"
