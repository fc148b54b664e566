#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/printing.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "ui/dialogs/dialog_font.h"
#include "ui/dialogs/frm_about.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/ui_fonts.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <vector>

using sumiplex::platform::FakeClock;
using sumiplex::platform::FakeMessageBoxes;
using sumiplex::platform::FakePickerDialogs;
using sumiplex::platform::FakeSettingsStore;
using sumiplex::platform::FakeShell;
using sumiplex::ui::DialogFont;
using sumiplex::ui::frmAbout;
using sumiplex::ui::frmMain;
using sumiplex::ui::WindowLooks;

namespace {

template <typename Widget> Widget* child(QObject& parent, const QString& name) {
    auto* widget = parent.findChild<Widget*>(name);
    if (!widget)
        qFatal("no %s named %s", Widget::staticMetaObject.className(), qPrintable(name));
    return widget;
}

QWidget* topLevel(const QString& name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible())
            return w;
    return nullptr;
}

QFont font(const QString& family, qreal points, bool bold = false, bool italic = false) {
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

WindowLooks startingLooks() {
    return {12632256, 255, font(QStringLiteral("Times New Roman"), 12, true),
            font(QStringLiteral("Times New Roman"), 14, true),
            font(QStringLiteral("ＭＳ Ｐゴシック"), 12)};
}

// Items disabled by the design of the menus, never enabled.
const QSet<QString> kDisabledByDesign{QStringLiteral("mnuNew"), QStringLiteral("mnuHelpContents"),
                                      QStringLiteral("mnuHelpSearchForHelpOn")};
// Disabled at start-up by a rule of their own: there is no rounding to undo yet, and no
// step on the tape to note.
const QSet<QString> kDisabledUntilUsable{QStringLiteral("mnuPopUndo"), QStringLiteral("mnuNote")};

// The offscreen platform reports every window hint it cannot carry out; those reports say
// nothing about the windows under test.
QtMessageHandler g_defaultHandler = nullptr;
void quietOffscreenHandler(QtMsgType type, const QMessageLogContext& context, const QString& msg) {
    if (type == QtWarningMsg && msg.startsWith(QStringLiteral("This plugin does not support")))
        return;
    g_defaultHandler(type, context, msg);
}

} // namespace

class OptionsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();

    void everyMenuItemIsEnabledUnlessARuleDisablesIt();
    void pickersCarryTitleAndInitialValue_data();
    void pickersCarryTitleAndInitialValue();
    void okAppliesUpToTheFirstSizeThatIsNoSize_data();
    void okAppliesUpToTheFirstSizeThatIsNoSize();
    void cancelAppliesNothing();
    void systemInformationStartsOrExplains_data();
    void systemInformationStartsOrExplains();
    void firstInstalledProgramIsChosen_data();
    void firstInstalledProgramIsChosen();
    void guideIsOneWindowAndLeavesWithTheCalculator();

private:
    frmMain& openMain();

    FakeClock m_clock;
    FakeSettingsStore m_store;
    sumiplex::platform::FakeFileDialogs m_files;
    FakeMessageBoxes m_messages;
    FakePickerDialogs m_pickers;
    FakeShell m_shell;
    sumiplex::platform::FakePrinting m_printing;
    QTemporaryDir m_emptyFolder;
    std::unique_ptr<frmMain> m_main;
};

void OptionsTest::initTestCase() {
    g_defaultHandler = qInstallMessageHandler(quietOffscreenHandler);
    sumiplex::ui::installFontSubstitutions();
}

void OptionsTest::cleanup() {
    m_main.reset();
    m_store = FakeSettingsStore();
    m_pickers = FakePickerDialogs();
    m_messages = FakeMessageBoxes();
    m_shell = FakeShell();
}

frmMain& OptionsTest::openMain() {
    m_main = std::make_unique<frmMain>(sumiplex::ui::Services{m_clock, m_store, m_files, m_messages,
                                                              m_pickers, m_shell, m_printing,
                                                              m_emptyFolder.path()});
    m_main->show();
    if (!QTest::qWaitForWindowExposed(m_main.get()))
        qWarning("window not exposed");
    return *m_main;
}

void OptionsTest::everyMenuItemIsEnabledUnlessARuleDisablesIt() {
    frmMain& main = openMain();
    int walked = 0;
    for (QMenu* menu : main.findChildren<QMenu*>()) {
        for (QAction* item : menu->actions()) {
            if (item->isSeparator() || item->menu())
                continue;
            ++walked;
            const QString name = item->objectName();
            if (kDisabledByDesign.contains(name)) {
                QVERIFY2(!item->isEnabled(), qPrintable(name + QStringLiteral(" is enabled")));
                continue;
            }
            if (kDisabledUntilUsable.contains(name))
                continue;
            QVERIFY2(item->isEnabled(),
                     qPrintable(name + QStringLiteral(" in ") + menu->objectName() +
                                QStringLiteral(" is disabled with no rule saying so")));
        }
    }
    // The five menus and three context menus hold more than fifty items.
    QVERIFY(walked > 50);
}

void OptionsTest::pickersCarryTitleAndInitialValue_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("initialFamily"); // empty for the colour pickers
    QTest::addColumn<qreal>("initialSize");     // font pickers with a size box only
    QTest::newRow("Text6") << "Text6"
                           << "電卓　　フォームの色を設定" << QString() << 0.0;
    QTest::newRow("Text7") << "Text7"
                           << "電卓　　文字色の設定" << QString() << 0.0;
    QTest::newRow("Text1") << "Text1"
                           << "電卓  フォントの設定"
                           << "Times New Roman" << 0.0;
    QTest::newRow("Text2") << "Text2"
                           << "電卓　　フォントの設定"
                           << "Times New Roman" << 14.0;
    QTest::newRow("Text3") << "Text3"
                           << "電卓　　フォントの設定"
                           << "ＭＳ Ｐゴシック" << 12.0;
}

void OptionsTest::pickersCarryTitleAndInitialValue() {
    QFETCH(QString, control);
    QFETCH(QString, title);
    QFETCH(QString, initialFamily);
    QFETCH(qreal, initialSize);
    DialogFont dialog(startingLooks(), QStringLiteral("電卓"), m_pickers,
                      [](const WindowLooks&) {});
    dialog.show();
    auto* preview = child<QLineEdit>(dialog, control);
    const QString before = preview->text();
    QTest::mouseClick(preview, Qt::LeftButton);
    QCOMPARE(m_pickers.requests().size(), std::size_t{1});
    const auto& request = m_pickers.requests().front();
    QCOMPARE(request.title, title);
    if (initialFamily.isEmpty()) {
        const QColor expected = control == u"Text6" ? QColor(192, 192, 192) : QColor(255, 0, 0);
        QCOMPARE(request.initialColour, expected);
    } else {
        QCOMPARE(request.initialFont.family(), initialFamily);
        if (initialSize > 0)
            QCOMPARE(request.initialFont.pointSizeF(), initialSize);
    }
    // No answer given: the picker was cancelled and the preview stays.
    QCOMPARE(preview->text(), before);
}

void OptionsTest::okAppliesUpToTheFirstSizeThatIsNoSize_data() {
    QTest::addColumn<QString>("historySize");
    QTest::addColumn<QString>("memoSize");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<qreal>("appliedHistorySize");
    QTest::addColumn<QString>("appliedMemoFamily");
    QTest::addColumn<qreal>("appliedMemoSize");
    QTest::addColumn<QString>("shownSizeBox"); // the refused box and what it shows after

    const QString picked = QStringLiteral("DejaVu Sans Mono");
    const QString old = QStringLiteral("ＭＳ Ｐゴシック");
    QTest::newRow("both sizes") << "16"
                                << "11" << true << 16.0 << picked << 11.0 << QString();
    QTest::newRow("full-width") << "１６"
                                << "１０．５" << true << 16.0 << picked << 10.5 << QString();
    QTest::newRow("history text") << "abc"
                                  << "11" << false << 14.0 << old << 12.0 << "Text4=14";
    QTest::newRow("history empty") << ""
                                   << "11" << false << 14.0 << old << 12.0 << "Text4=14";
    QTest::newRow("history zero") << "0"
                                  << "11" << false << 14.0 << old << 12.0 << "Text4=14";
    QTest::newRow("memo text") << "16"
                               << "x" << false << 16.0 << picked << 12.0 << "Text5=12";
    QTest::newRow("memo negative") << "16"
                                   << "-9" << false << 16.0 << picked << 12.0 << "Text5=12";
}

void OptionsTest::okAppliesUpToTheFirstSizeThatIsNoSize() {
    QFETCH(QString, historySize);
    QFETCH(QString, memoSize);
    QFETCH(bool, closes);
    QFETCH(qreal, appliedHistorySize);
    QFETCH(QString, appliedMemoFamily);
    QFETCH(qreal, appliedMemoSize);
    QFETCH(QString, shownSizeBox);

    std::vector<WindowLooks> applied;
    DialogFont dialog(startingLooks(), QStringLiteral("電卓"), m_pickers,
                      [&applied](const WindowLooks& looks) { applied.push_back(looks); });
    dialog.show();
    m_pickers.queueColour(QColor(0, 0, 255));
    QTest::mouseClick(child<QLineEdit>(dialog, "Text7"), Qt::LeftButton);
    m_pickers.queueFont(font(QStringLiteral("DejaVu Sans"), 20, false, true));
    QTest::mouseClick(child<QLineEdit>(dialog, "Text2"), Qt::LeftButton);
    m_pickers.queueFont(font(QStringLiteral("DejaVu Sans Mono"), 9));
    QTest::mouseClick(child<QLineEdit>(dialog, "Text3"), Qt::LeftButton);
    child<QLineEdit>(dialog, "Text4")->setText(historySize);
    child<QLineEdit>(dialog, "Text5")->setText(memoSize);
    QTest::mouseClick(child<QPushButton>(dialog, "OKButton"), Qt::LeftButton);

    QCOMPARE(applied.size(), std::size_t{1});
    const WindowLooks& looks = applied.front();
    // The steps before any size always arrive.
    QCOMPARE(looks.accent, 0xFF0000);
    QCOMPARE(looks.history.family(), QStringLiteral("DejaVu Sans"));
    QVERIFY(looks.history.italic());
    QCOMPARE(looks.history.pointSizeF(), appliedHistorySize);
    QCOMPARE(looks.memo.family(), appliedMemoFamily);
    QCOMPARE(looks.memo.pointSizeF(), appliedMemoSize);
    QCOMPARE(dialog.isVisible(), !closes);
    if (!shownSizeBox.isEmpty()) {
        const QStringList box = shownSizeBox.split(u'=');
        QCOMPARE(child<QLineEdit>(dialog, box[0])->text(), box[1]);
    }
}

void OptionsTest::cancelAppliesNothing() {
    int applied = 0;
    DialogFont dialog(startingLooks(), QStringLiteral("電卓"), m_pickers,
                      [&applied](const WindowLooks&) { ++applied; });
    dialog.show();
    QTest::mouseClick(child<QRadioButton>(dialog, "Option2"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(dialog, "CancelButton"), Qt::LeftButton);
    QCOMPARE(applied, 0);
    QVERIFY(!dialog.isVisible());
}

void OptionsTest::systemInformationStartsOrExplains_data() {
    QTest::addColumn<bool>("installed");
    QTest::addColumn<int>("messages");
    QTest::newRow("installed") << true << 0;
    QTest::newRow("missing") << false << 1;
}

void OptionsTest::systemInformationStartsOrExplains() {
    QFETCH(bool, installed);
    QFETCH(int, messages);
    m_shell.setSystemInformationInstalled(installed);
    frmAbout about(QStringLiteral("電卓"), m_shell, m_messages);
    about.show();
    QTest::mouseClick(child<QPushButton>(about, "cmdSysInfo"), Qt::LeftButton);
    QCOMPARE(m_shell.systemInformationRequests(), 1);
    QCOMPARE(int(m_messages.shown().size()), messages);
    if (messages > 0)
        QCOMPARE(m_messages.shown().front().text,
                 QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません"));
    QVERIFY(about.isVisible());
}

void OptionsTest::firstInstalledProgramIsChosen_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QString>("expected"); // empty: none
    QTest::newRow("first found wins")
        << QStringList{"a", "b", "c"} << QStringList{"c", "b"} << "/usr/bin/b";
    QTest::newRow("none") << QStringList{"a", "b"} << QStringList{} << QString();
    QTest::newRow("no names") << QStringList{} << QStringList{"a"} << QString();
    // A name with a path would run whatever lies there; it is never looked up.
    QTest::newRow("path skipped") << QStringList{"../evil", "/tmp/x", "b"}
                                  << QStringList{"../evil", "/tmp/x", "b"} << "/usr/bin/b";
}

void OptionsTest::firstInstalledProgramIsChosen() {
    QFETCH(QStringList, names);
    QFETCH(QStringList, installed);
    QFETCH(QString, expected);
    const auto found = sumiplex::platform::firstInstalled(names, [&installed](const QString& name) {
        return installed.contains(name) ? QStringLiteral("/usr/bin/") + name : QString();
    });
    QCOMPARE(found.value_or(QString()), expected);
}

void OptionsTest::guideIsOneWindowAndLeavesWithTheCalculator() {
    frmMain& main = openMain();
    auto* mnuTip = child<QAction>(main, QStringLiteral("mnuTip"));
    mnuTip->trigger();
    mnuTip->trigger();
    int guides = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        guides += w->objectName() == u"frmTip1" && w->isVisible();
    QCOMPARE(guides, 1);
    QWidget* guide = topLevel(QStringLiteral("frmTip1"));
    QVERIFY(guide);
    QCOMPARE(guide->windowTitle(), QStringLiteral("　電卓　基本的な使い方"));
    QPointer<QWidget> watched = guide;
    main.close();
    QVERIFY(!watched || !watched->isVisible());
    QTRY_VERIFY(!watched);
}

QTEST_MAIN(OptionsTest)
#include "options_test.moc"
