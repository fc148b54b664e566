// Binding checks of the main window and the history window: widgets and engine stay in
// step. The calculation rules themselves are tested headless in the core tests.

// moc cannot parse the standard library's concepts header that the core pulls in.
#ifndef Q_MOC_RUN
#include "core/engine/engine.h"
#include "core/engine/tape.h"
#endif
#include "platform/clock.h"
#include "platform/colour.h"
#include "platform/dialogs.h"
#include "platform/printing.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/mainwindow/frm_tip2.h"
#include "ui/ui_fonts.h"
#include "ui/widgets/text_list_model.h"

#include <QTextCursor>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using sumiplex::platform::FakeClock;
using sumiplex::ui::frmMain;

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void everyControlHasItsName_data();
    void everyControlHasItsName();
    void menuBarHoldsItsItemsInOrder_data();
    void menuBarHoldsItsItemsInOrder();
    void pendingItemsAreDisabled_data();
    void pendingItemsAreDisabled();
    void totalPopupHoldsItsItemsInOrder();
    void rightPressOnTotalOpensPopup();
    void hiddenPartsStartHidden_data();
    void hiddenPartsStartHidden();

    void trailingPlusAddsToTotalAndTape();
    void enterPutsLineResultIntoInputLine();
    void secondOperatorIsRemovedWhileTyping();
    void spaceClearsAll();
    void backButtonFollowsRecordedTotals();
    void caretPlacedByUserStays();
    void clickOnTotalCopiesItIntoInputLine();
    void clicksInInputLineAndClock();
    void pasteRunsChangeHandling();
    void decimalPlaceEditorOpensWithFocus();
    void taxLinesToggleFromMenu();
    void fourDigitMarksStayTogether();
    void widthFollowsLongTotal();
    void listsMirrorRecordedTotals();
    void taxDialogChangesRate();
    void statusBarToggles();
    void menuShortcutsAreOneEach();
    void registerShortcutsReachTheMenuFromTheInputLine();
    void activationShowsRate();
    void rateDialogReachesRateBox();

    void historyWindowShowsTapeAndSurvivesClose();
    void historyWindowOpensFromButtonAndMenu();
    void closingMainWindowClosesHistory();

    void noMenuShortcutIsTakenTwice();
    void noteKeyEditsLastStep_data();
    void noteKeyEditsLastStep();
    void historyMenuNotesLinesOfCurrentCalculation_data();
    void historyMenuNotesLinesOfCurrentCalculation();
    void historyLinesMapAcrossTextBlocks_data();
    void historyLinesMapAcrossTextBlocks();
    void companionWindowsAreBuiltOnceShown();
    void historyBuiltLateShowsEveryLineOnce_data();
    void historyBuiltLateShowsEveryLineOnce();

    void tapePieceForDisplay_data();
    void tapePieceForDisplay();
    void listMirrorFollowsChanges();
    void fontStandInsResolve_data();
    void fontStandInsResolve();
    void colourValues_data();
    void colourValues();

private:
    template <typename T> T* child(const char* name) {
        T* found = m_window->findChild<T*>(QString::fromLatin1(name));
        if (found == nullptr)
            qWarning("no child %s", name);
        return found;
    }
    QLineEdit* text1() { return child<QLineEdit>("Text1"); }
    QString caption(const char* name) { return child<QLabel>(name)->text(); }
    void type(const QString& keys) { QTest::keyClicks(text1(), keys); }
    void enter() { QTest::keyClick(text1(), Qt::Key_Return); }
    QString tapeShown() { return m_window->historyWindow().text().toPlainText(); }
    QString tapeText() {
        return QStringView(m_window->tape().text()).toString().remove(QLatin1Char('\r'));
    }

    std::unique_ptr<FakeClock> m_clock;
    sumiplex::platform::FakeSettingsStore m_settings;
    sumiplex::platform::FakeFileDialogs m_files;
    sumiplex::platform::FakeMessageBoxes m_messages;
    sumiplex::platform::FakePickerDialogs m_pickers;
    sumiplex::platform::FakeShell m_shell;
    sumiplex::platform::FakePrinting m_printing;
    std::unique_ptr<frmMain> m_window;
    QTemporaryDir m_emptyFolder;
    QTimer m_watchdog;
    bool m_watchdogFired = false;
};

namespace {

// The offscreen platform reports every window hint it cannot carry out; those reports say
// nothing about the window under test.
QtMessageHandler g_defaultHandler = nullptr;
void quietOffscreenHandler(QtMsgType type, const QMessageLogContext& context, const QString& msg) {
    if (type == QtWarningMsg && msg.startsWith(QStringLiteral("This plugin does not support")))
        return;
    g_defaultHandler(type, context, msg);
}

} // namespace

void MainWindowTest::initTestCase() {
    g_defaultHandler = qInstallMessageHandler(quietOffscreenHandler);
    sumiplex::ui::installFontSubstitutions();
    // A test stuck in a modal loop would hang the run: close the dialog and fail the test.
    m_watchdog.setInterval(10000);
    m_watchdog.setSingleShot(true);
    connect(&m_watchdog, &QTimer::timeout, this, [this] {
        m_watchdogFired = true;
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* menu = qobject_cast<QMenu*>(w))
                menu->close();
    });
}

void MainWindowTest::init() {
    m_watchdogFired = false;
    m_watchdog.start();
    m_clock = std::make_unique<FakeClock>();
    // No pictures in an empty folder: the search ends at once.
    m_window = std::make_unique<frmMain>(sumiplex::ui::Services{*m_clock, m_settings, m_files,
                                                                m_messages, m_pickers, m_shell,
                                                                m_printing, m_emptyFolder.path()});
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->activateWindow();
    text1()->setFocus();
}

void MainWindowTest::cleanup() {
    m_watchdog.stop();
    m_window.reset();
    QVERIFY2(!m_watchdogFired, "a modal loop or popup had to be closed by the watchdog");
}

void MainWindowTest::everyControlHasItsName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    const std::pair<const char*, const char*> controls[] = {
        {"Label10", "QLabel"},       {"Text1", "QLineEdit"},        {"Label1", "QLabel"},
        {"Label7", "QLabel"},        {"Label2", "QLabel"},          {"Label3", "QLabel"},
        {"Label4", "QLabel"},        {"Text3", "QLineEdit"},        {"Label5", "QLabel"},
        {"Text2", "QLineEdit"},      {"Label6", "QLabel"},          {"txtTime", "QLineEdit"},
        {"Command1", "QPushButton"}, {"Command2", "QPushButton"},   {"Command3", "QPushButton"},
        {"Command4", "QPushButton"}, {"Command5", "QPushButton"},   {"Command6", "QPushButton"},
        {"Command7", "QPushButton"}, {"List1", "QListView"},        {"List3", "QListView"},
        {"Text4", "QLineEdit"},      {"sbStatusBar", "QStatusBar"}, {"sbPanel1", "QLabel"},
        {"sbPanel2", "QLabel"},      {"tmrClock", "QTimer"},        {"mnuPopup2", "QMenu"},
        {"Line1", "QFrame"},         {"Line4", "QFrame"},
    };
    for (const auto& [name, cls] : controls)
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(cls);
}

void MainWindowTest::everyControlHasItsName() {
    QFETCH(QString, name);
    QFETCH(QString, className);
    QObject* found = m_window->findChild<QObject*>(name);
    QVERIFY2(found != nullptr, qPrintable(name));
    QVERIFY2(found->inherits(className.toLatin1().constData()), qPrintable(className));
}

void MainWindowTest::menuBarHoldsItsItemsInOrder_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("items"); // "-" for a separator
    QTest::newRow("file") << "mnuFile"
                          << QStringList{"新規作成(&N)",
                                         "-",
                                         "メモ帳を開く(&O)",
                                         "名前を付けてメモ帳を保存(&S)",
                                         "-",
                                         "ﾍﾟｰｼﾞ設定(&U)...",
                                         "メモ帳を印刷(&M)",
                                         "計算履歴を印刷(&P)...",
                                         "過去の計算履歴(&R)...",
                                         "計算履歴を保存(&A)...",
                                         "-",
                                         "終了(&X)"};
    QTest::newRow("edit") << "mnuEdit"
                          << QStringList{"元に戻す(&U)",
                                         "-",
                                         "切り取り(&T)",
                                         "ｺﾋﾟｰ(&C)",
                                         "貼り付け(&P)",
                                         "-",
                                         "摘要(&N)...",
                                         "検算(&K)...",
                                         "訂正(&T)...",
                                         "-",
                                         "TOTALをドルに換算(&D)",
                                         "TOTALを日本円に換算(&Y)",
                                         "-",
                                         "TOTALをメモ帳に貼り付け(&M)...",
                                         "合計を数値でコピー",
                                         "-",
                                         "消費税の設定(&S)",
                                         "為替レートの設定(&D)",
                                         "端数処理(&F)",
                                         "-",
                                         "GT呼出(&G)",
                                         "GTクリア",
                                         "-",
                                         "M+",
                                         "M−",
                                         "MR",
                                         "MC"};
    QTest::newRow("view") << "mnuView"
                          << QStringList{"四桁表示(&J)",
                                         "消費税額を表示(&F)",
                                         "カレンダーを表示(&W)",
                                         "ｽﾃｰﾀｽ ﾊﾞｰ(&B)",
                                         "-",
                                         "フォームの画像を表示(&P)",
                                         "フォームの画像を更新(&N)",
                                         "-",
                                         "計算履歴を表示(&R)",
                                         "メモ帳を表示(&M)",
                                         "-",
                                         "年齢計算(&E)",
                                         "日数計算(&T)",
                                         "時間計算(&H)",
                                         "-",
                                         "単位換算(&K)",
                                         "-",
                                         "金種合計(&L)",
                                         "金種計算(&C)",
                                         "税率別集計(&I)...",
                                         "原価・売価・利益率(&P)...",
                                         "-",
                                         "ｵﾌﾟｼｮﾝ(&O)..."};
    QTest::newRow("help") << "mnuHelp" << QStringList{"目次(&C)",
                                                      "ﾄﾋﾟｯｸの検索(&S)...",
                                                      "基本的な使い方(&T)",
                                                      "Velquor Web(&W)",
                                                      "-",
                                                      "ﾊﾞｰｼﾞｮﾝ情報(&A)"};
}

void MainWindowTest::menuBarHoldsItsItemsInOrder() {
    QFETCH(QString, menu);
    QFETCH(QStringList, items);
    auto* m = m_window->findChild<QMenu*>(menu);
    QVERIFY(m != nullptr);
    QVERIFY(m_window->menuBar()->actions().contains(m->menuAction()));
    QStringList shown;
    for (QAction* a : m->actions())
        shown << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(shown, items);
}

void MainWindowTest::pendingItemsAreDisabled_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("enabled");
    for (const char* name : {"mnuNew", "mnuHelpContents", "mnuHelpSearchForHelpOn"})
        QTest::newRow(name) << QString::fromLatin1(name) << false;
    for (const char* name : {"mnuPopCash", "mnuCashTotal", "mnuCash"})
        QTest::newRow(name) << QString::fromLatin1(name) << true;
    for (const char* name : {"mnuEditUndo", "mnuEditCut",
                             "mnuEditCopy", "mnuEditPaste",
                             "mnuDoller",   "mnuYen",
                             "mnuTaxRate",  "mnuDoll",
                             "mnuFix",      "mnuJapan",
                             "mnuTax",      "mnuViewStatusBar",
                             "mnuRireki",   "mnuFileExit",
                             "mnuPopFix",   "mnuPopu",
                             "mnuPopB",     "mnuPopDcl",
                             "mnuOku",      "mnuOpen",
                             "mnuSaveMemo", "mnuEditPasteSpecial",
                             "mnuMemo",     "mnuCalender",
                             "mnuPic",      "mnuViewRefresh",
                             "mnuWWW",      "mnuPopNext",
                             "mmnuTon",     "mnuEge",
                             "mnuDay",      "mnuTime",
                             "mnuPopEge",   "mnuPopupDay",
                             "mnuPopTime"})
        QTest::newRow(name) << QString::fromLatin1(name) << true;
    for (const char* name : {"mnuViewOptions", "mnuTip", "mnuHelpAbout", "mnuFilePageSetup",
                             "mnuPrintMemo", "mnuFilePrint"})
        QTest::newRow(name) << QString::fromLatin1(name) << true;
}

void MainWindowTest::pendingItemsAreDisabled() {
    QFETCH(QString, name);
    QFETCH(bool, enabled);
    auto* action = m_window->findChild<QAction*>(name);
    QVERIFY(action != nullptr);
    QCOMPARE(action->isEnabled(), enabled);
}

void MainWindowTest::totalPopupHoldsItsItemsInOrder() {
    auto* popup = child<QMenu>("mnuPopup2");
    QVERIFY(popup != nullptr);
    QCOMPARE(popup->title(), QStringLiteral("Popup2"));
    QStringList shown;
    for (QAction* a : popup->actions())
        shown << (a->isSeparator() ? QStringLiteral("-") : a->objectName() + "=" + a->text());
    const QStringList expected{"mnuPopUndo=元に戻す(&U)",      "-",
                               "mnuPopFix=切り捨て(&F)",       "mnuPopu=切り上げ(&T)",
                               "mnuPopB=四捨五入(&B)",         "-",
                               "mnuPopDcl=小数点以下の位(&D)", "-",
                               "mnuOku=四桁表示(&J)",          "-",
                               "mnuPopCash=金種計算(&C)",      "mnuPopZei=税率別集計(&I)..."};
    QCOMPARE(shown, expected);
    QVERIFY(!m_window->menuBar()->actions().contains(popup->menuAction()));
}

void MainWindowTest::rightPressOnTotalOpensPopup() {
    auto* popup = child<QMenu>("mnuPopup2");
    QTest::mousePress(child<QLabel>("Label1"), Qt::RightButton);
    QTRY_VERIFY(popup->isVisible());
    popup->close();
    QTest::mousePress(child<QLabel>("Label1"), Qt::LeftButton);
    QVERIFY(!popup->isVisible());
}

void MainWindowTest::hiddenPartsStartHidden_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("shown");
    QTest::newRow("Text2") << "Text2" << false;
    QTest::newRow("Label4") << "Label4" << false;
    QTest::newRow("Text3") << "Text3" << false;
    QTest::newRow("txtTime") << "txtTime" << false;
    QTest::newRow("List1") << "List1" << false;
    QTest::newRow("List3") << "List3" << false;
    QTest::newRow("Text4") << "Text4" << false;
    QTest::newRow("sbStatusBar") << "sbStatusBar" << false;
    QTest::newRow("Label2") << "Label2" << true;
    QTest::newRow("Label3") << "Label3" << true;
    QTest::newRow("Text1") << "Text1" << true;
}

void MainWindowTest::hiddenPartsStartHidden() {
    QFETCH(QString, name);
    QFETCH(bool, shown);
    auto* w = m_window->findChild<QWidget*>(name);
    QVERIFY(w != nullptr);
    QCOMPARE(w->isVisibleTo(m_window.get()), shown);
}

void MainWindowTest::trailingPlusAddsToTotalAndTape() {
    type("500+");
    QCOMPARE(caption("Label1"), QStringLiteral("Total    500"));
    QCOMPARE(text1()->text(), QString());
    QVERIFY(QStringView(m_window->tape().text())
                .toString()
                .endsWith(QStringLiteral("      0 +500= 500\r\n")));
    QVERIFY(tapeShown().endsWith(QStringLiteral("      0 +500= 500\n")));
    QVERIFY(!m_window->historyWindow().isVisible());
}

void MainWindowTest::enterPutsLineResultIntoInputLine() {
    type("3*4");
    QCOMPARE(text1()->text(), QStringLiteral("3*4"));
    enter();
    QCOMPARE(text1()->text(), QStringLiteral("12"));
    QCOMPARE(text1()->cursorPosition(), 2);
    QCOMPARE(caption("Label1"), QStringLiteral("Total"));
    QVERIFY(tapeShown().endsWith(QStringLiteral("      (3*4= 12)\n")));
}

void MainWindowTest::secondOperatorIsRemovedWhileTyping() {
    type("3*4*");
    QCOMPARE(text1()->text(), QStringLiteral("3*4"));
    QCOMPARE(text1()->cursorPosition(), 3);
    type("5");
    QCOMPARE(text1()->text(), QStringLiteral("3*45"));
}

void MainWindowTest::spaceClearsAll() {
    type("500+");
    type("12 ");
    QCOMPARE(caption("Label1"), QStringLiteral("Total    0"));
    QCOMPARE(text1()->text(), QString());
    QVERIFY(tapeShown().endsWith(QStringLiteral("      Total = 0\n")));
}

void MainWindowTest::backButtonFollowsRecordedTotals() {
    auto* back = child<QPushButton>("Command4");
    auto* forward = child<QPushButton>("Command5");
    QVERIFY(!back->isEnabled());
    type("100+");
    type("150+");
    QVERIFY(back->isEnabled());
    QVERIFY(!forward->isEnabled());
    QTest::mouseClick(back, Qt::LeftButton);
    QCOMPARE(caption("Label1"), QStringLiteral("Total    100"));
    QVERIFY(forward->isEnabled());
    QVERIFY(!back->isEnabled());
    QTest::mouseClick(back, Qt::LeftButton); // disabled: ignored
    QCOMPARE(caption("Label1"), QStringLiteral("Total    100"));
    QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
    QVERIFY(!back->isEnabled());
    QVERIFY(!forward->isEnabled());
}

void MainWindowTest::caretPlacedByUserStays() {
    type("123");
    QTest::keyClick(text1(), Qt::Key_Home);
    QCOMPARE(text1()->cursorPosition(), 0);
    QTest::keyClick(text1(), Qt::Key_Right);
    type("9");
    QCOMPARE(text1()->text(), QStringLiteral("1923"));
    QCOMPARE(text1()->cursorPosition(), 2);
}

void MainWindowTest::clickOnTotalCopiesItIntoInputLine() {
    type("1500+");
    QTest::mouseClick(child<QLabel>("Label1"), Qt::LeftButton);
    QCOMPARE(text1()->text(), QStringLiteral("Total    1,500"));
    QCOMPARE(text1()->cursorPosition(), 14);
    QVERIFY(text1()->hasFocus());
    QTest::mouseClick(child<QLabel>("Label1"), Qt::LeftButton);
    QCOMPARE(text1()->text(), QString());
}

void MainWindowTest::clicksInInputLineAndClock() {
    auto* clock = child<QLineEdit>("txtTime");
    type("123");
    QTest::mouseClick(child<QLabel>("Label6"), Qt::LeftButton);
    QVERIFY(clock->isVisibleTo(m_window.get()));
    QTest::mouseClick(text1(), Qt::LeftButton);
    QVERIFY(!clock->isVisibleTo(m_window.get()));
    QCOMPARE(text1()->text(), QStringLiteral("123"));
    QTest::mouseDClick(text1(), Qt::LeftButton);
    QCOMPARE(text1()->text(), QString());
}

void MainWindowTest::pasteRunsChangeHandling() {
    QApplication::clipboard()->setText(QStringLiteral("250+"));
    child<QAction>("mnuEditPaste")->trigger();
    QCOMPARE(caption("Label1"), QStringLiteral("Total    250"));
    type("7");
    child<QAction>("mnuEditUndo")->trigger();
    QCOMPARE(text1()->text(), QString());
}

void MainWindowTest::decimalPlaceEditorOpensWithFocus() {
    child<QAction>("mnuFix")->trigger();
    auto* text3 = child<QLineEdit>("Text3");
    QVERIFY(child<QLabel>("Label4")->isVisibleTo(m_window.get()));
    QVERIFY(text3->isVisibleTo(m_window.get()));
    QVERIFY(text3->hasFocus());
    QCOMPARE(text3->cursorPosition(), static_cast<int>(text3->text().size()));
    QTest::keyClick(text3, Qt::Key_Return);
    QVERIFY(!text3->isVisibleTo(m_window.get()));
}

void MainWindowTest::taxLinesToggleFromMenu() {
    auto* mnuTax = child<QAction>("mnuTax");
    QVERIFY(mnuTax->isChecked());
    mnuTax->trigger();
    QVERIFY(!mnuTax->isChecked());
    QVERIFY(!child<QLabel>("Label2")->isVisibleTo(m_window.get()));
    QVERIFY(!child<QLabel>("Label3")->isVisibleTo(m_window.get()));
    mnuTax->trigger();
    QVERIFY(mnuTax->isChecked());
    QVERIFY(child<QLabel>("Label2")->isVisibleTo(m_window.get()));
}

void MainWindowTest::fourDigitMarksStayTogether() {
    auto* oku = child<QAction>("mnuOku");
    auto* japan = child<QAction>("mnuJapan");
    type("123456+");
    japan->trigger();
    QVERIFY(oku->isChecked());
    QVERIFY(japan->isChecked());
    QCOMPARE(caption("Label1"), QStringLiteral("Total   12万3456"));
    QCOMPARE(child<QLabel>("Label1")->font().family(), sumiplex::ui::kMsPMincho);
    QTest::mouseClick(child<QLabel>("Label7"), Qt::LeftButton);
    QVERIFY(!oku->isChecked());
    QVERIFY(!japan->isChecked());
    QCOMPARE(caption("Label1"), QStringLiteral("Total    123,456"));
}

void MainWindowTest::widthFollowsLongTotal() {
    const int startWidth = m_window->width();
    QCOMPARE(startWidth, 5220 * m_window->logicalDpiX() / 1440);
    // "Total    123,456,789,012,345" has 28 characters.
    type("123456789012345+");
    QCOMPARE(m_window->width(), startWidth); // a trailing "+" does not fit the width
    type("*1");
    enter();
    QCOMPARE(caption("Label1").size(), 28);
    QCOMPARE(m_window->width(), 6030 * m_window->logicalDpiX() / 1440);
}

void MainWindowTest::listsMirrorRecordedTotals() {
    type("100+");
    type("12.5+");
    const QAbstractItemModel* list1 = child<QListView>("List1")->model();
    const QAbstractItemModel* list3 = child<QListView>("List3")->model();
    QCOMPARE(list1->rowCount(), 2);
    QCOMPARE(list1->index(1, 0).data().toString(), QStringLiteral("112.5"));
    QCOMPARE(list3->rowCount(), 2);
    type(" ");
    QCOMPARE(list1->rowCount(), 0);
    QCOMPARE(list3->rowCount(), 0);
}

void MainWindowTest::taxDialogChangesRate() {
    type("1000+");
    QTimer::singleShot(0, this, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        QVERIFY(dialog != nullptr);
        QCOMPARE(dialog->objectName(), QStringLiteral("DialogTax"));
        auto* rate = dialog->findChild<QLineEdit*>(QStringLiteral("Text1"));
        rate->setText(QStringLiteral("8"));
        dialog->findChild<QRadioButton*>(QStringLiteral("Option3"))->setChecked(true);
        dialog->findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
    });
    child<QAction>("mnuTaxRate")->trigger();
    QCOMPARE(m_window->engine().taxRate(), 8);
    QCOMPARE(m_window->engine().taxRule(), 3);
    QVERIFY(caption("Label2").startsWith(QStringLiteral("Tax +   1,080")));
}

void MainWindowTest::statusBarToggles() {
    auto* bar = child<QStatusBar>("sbStatusBar");
    child<QAction>("mnuViewStatusBar")->trigger();
    QVERIFY(bar->isVisible());
    type("7+");
    QCOMPARE(child<QLabel>("sbPanel1")->text(), QStringLiteral("         before    7+"));
    child<QAction>("mnuViewStatusBar")->trigger();
    QVERIFY(!bar->isVisible());
}

void MainWindowTest::menuShortcutsAreOneEach() {
    QHash<QKeySequence, QString> taken;
    for (const QAction* action : m_window->findChildren<QAction*>()) {
        if (action->shortcut().isEmpty())
            continue;
        QVERIFY2(!taken.contains(action->shortcut()),
                 qPrintable(action->objectName() + " and " + taken.value(action->shortcut())));
        taken.insert(action->shortcut(), action->objectName());
    }
}

void MainWindowTest::registerShortcutsReachTheMenuFromTheInputLine() {
    // The input line keeps Ctrl keys of its own; these must reach the menu instead.
    type("1500+");
    QTest::keyClick(text1(), Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(text1(), Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(m_window->engine().registers().memory().toPlainAscii(), "3000");
    QTest::keyClick(text1(), Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(text1(), Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(text1()->text(), QStringLiteral("1500"));
    QTest::keyClick(text1(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(m_window->engine().registers().memory().isZero());
    QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
    QTest::keyClick(text1(), Qt::Key_G, Qt::ControlModifier);
    QCOMPARE(text1()->text(), QStringLiteral("1500"));
}

void MainWindowTest::activationShowsRate() {
    QCOMPARE(child<QLineEdit>("Text2")->text(), QStringLiteral("80"));
    QCOMPARE(child<QLabel>("sbPanel2")->text(), QStringLiteral("1 USD 80"));
    QCOMPARE(m_window->historyWindow().windowTitle(), QStringLiteral("　電卓　計算履歴"));
    type("100+");
    QTest::mouseClick(child<QPushButton>("Command6"), Qt::LeftButton);
    QCOMPARE(text1()->text(), QStringLiteral("JPY    8,000"));
    QCOMPARE(caption("Label1"), QStringLiteral("USD    100"));
    QVERIFY(child<QLineEdit>("Text2")->isVisibleTo(m_window.get()));
}

void MainWindowTest::rateDialogReachesRateBox() {
    type("100+");
    child<QAction>("mnuYen")->trigger();
    QTimer::singleShot(0, this, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        QVERIFY(dialog != nullptr);
        QCOMPARE(dialog->objectName(), QStringLiteral("DialogDoll"));
        dialog->findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("90"));
        dialog->findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
    });
    child<QAction>("mnuDoll")->trigger();
    QCOMPARE(m_window->engine().exchangeRate(), 90.0);
    QCOMPARE(child<QLineEdit>("Text2")->text(), QStringLiteral("90"));
    QCOMPARE(child<QLabel>("sbPanel2")->text(), QStringLiteral("1 USD 90"));
    // The conversion on display is worked out again at the new rate.
    QCOMPARE(text1()->text(), QStringLiteral("JPY    9,000"));
}

void MainWindowTest::historyWindowShowsTapeAndSurvivesClose() {
    auto& history = m_window->historyWindow();
    QCOMPARE(history.objectName(), QStringLiteral("frmTip2"));
    QVERIFY(QApplication::topLevelWidgets().contains(&history));
    type("500+");
    history.show();
    QVERIFY(QTest::qWaitForWindowExposed(&history));
    const QString before = tapeShown();
    history.close();
    QVERIFY(!history.isVisible());
    QCOMPARE(tapeShown(), before);
    type("20+");
    QVERIFY(tapeShown().endsWith(QStringLiteral("      500 +20= 520\n")));
    auto* edit = history.findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
    QCOMPARE(edit->textCursor().position(), edit->document()->characterCount() - 1);
    // Shown, a caret the user moved away (here with a selection) goes back to the end.
    history.show();
    QTextCursor moved(edit->document());
    moved.setPosition(3, QTextCursor::KeepAnchor);
    edit->setTextCursor(moved);
    type("1+");
    QVERIFY(!edit->textCursor().hasSelection());
    QCOMPARE(edit->textCursor().position(), edit->document()->characterCount() - 1);
    history.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    QVERIFY(!history.isVisible());
}

void MainWindowTest::historyWindowOpensFromButtonAndMenu() {
    auto& history = m_window->historyWindow();
    QTest::mouseClick(child<QPushButton>("Command3"), Qt::LeftButton);
    QVERIFY(history.isVisible());
    history.hide();
    child<QAction>("mnuRireki")->trigger();
    QVERIFY(history.isVisible());
    history.hide();
}

void MainWindowTest::closingMainWindowClosesHistory() {
    auto& history = m_window->historyWindow();
    history.show();
    QVERIFY(history.isVisible());
    child<QAction>("mnuFileExit")->trigger();
    QVERIFY(!m_window->isVisible());
    QVERIFY(!history.isVisible());
}

void MainWindowTest::tapePieceForDisplay_data() {
    QTest::addColumn<QStringList>("pieces");
    QTest::addColumn<QString>("shown");
    QTest::newRow("one line") << QStringList{"      0 +500= 500\r\n"} << "      0 +500= 500\n";
    QTest::newRow("line in parts")
        << QStringList{"      0 +500", "= 500\r\n"} << "      0 +500= 500\n";
    QTest::newRow("CR LF split") << QStringList{"a\r", "\nb\r\n"} << "a\nb\n";
    QTest::newRow("CR then text") << QStringList{"a\r", "b"} << "a\nb";
    QTest::newRow("lone CR inside") << QStringList{"a\rb"} << "a\nb";
    QTest::newRow("bare LF") << QStringList{"a\nb\n"} << "a\nb\n";
    QTest::newRow("two CR LF") << QStringList{"\r\n\r\n"} << "\n\n";
    QTest::newRow("empty piece keeps CR") << QStringList{"a\r", "", "\n"} << "a\n";
}

void MainWindowTest::tapePieceForDisplay() {
    QFETCH(QStringList, pieces);
    QFETCH(QString, shown);
    bool pendingCr = false;
    QString out;
    for (const QString& piece : pieces)
        out += sumiplex::ui::tapePieceForDisplay(piece.toStdU16String(), pendingCr);
    QCOMPARE(out, shown);

    // The window shows the same, piece by piece.
    sumiplex::ui::frmTip2 window;
    for (const QString& piece : pieces)
        window.appendTape(piece.toStdU16String());
    QCOMPARE(window.text().toPlainText(), shown);
}

void MainWindowTest::listMirrorFollowsChanges() {
    std::vector<std::u16string> items;
    sumiplex::ui::TextListModel model(items, nullptr);
    // A view's own copy of the rows, kept only from what the model signals.
    QStringList seen;
    connect(&model, &QAbstractItemModel::rowsInserted, &model,
            [&](const QModelIndex&, int first, int last) {
                for (int row = first; row <= last; ++row)
                    seen.insert(row, model.index(row, 0).data().toString());
            });
    connect(&model, &QAbstractItemModel::modelReset, &model, [&] {
        seen.clear();
        for (int row = 0; row < model.rowCount(); ++row)
            seen.append(model.index(row, 0).data().toString());
    });
    const auto texts = [&seen] {
        std::vector<std::u16string> out;
        for (const QString& text : seen)
            out.push_back(text.toStdU16String());
        return out;
    };
    const auto sync = [&](const std::vector<std::u16string>& step) {
        items = step;
        model.sync();
    };
    const std::vector<std::vector<std::u16string>> steps{
        {u"100"}, {u"100", u"250"}, {}, {u"7"}, {u"8"}, {u"8", u"3"}, {u"5"}, {u"5", u"3"}};
    for (const auto& step : steps) {
        sync(step);
        QCOMPARE(texts(), step);
    }
    // Long lists: grown, then replaced by one of the same length.
    std::vector<std::u16string> many;
    for (int i = 0; i < 500; ++i)
        many.push_back(QString::number(i).toStdU16String());
    sync(many);
    QCOMPARE(texts(), many);
    many.push_back(u"x");
    sync(many);
    QCOMPARE(texts(), many);
    std::vector<std::u16string> other(many.size(), u"0");
    sync(other);
    QCOMPARE(texts(), other);
}

void MainWindowTest::fontStandInsResolve_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("installed");
    QTest::newRow("Times New Roman") << sumiplex::ui::kTimesNewRoman << "Liberation Serif";
    QTest::newRow("Mincho") << sumiplex::ui::kMsPMincho << "Noto Serif CJK JP";
    QTest::newRow("Gothic") << sumiplex::ui::kMsPGothic << "Noto Sans CJK JP";
}

void MainWindowTest::fontStandInsResolve() {
    QFETCH(QString, family);
    QFETCH(QString, installed);
    QVERIFY(sumiplex::ui::fontStandIns(family).contains(installed));
    if (!QFontDatabase::families().contains(installed))
        QSKIP("the stand-in font is not installed here");
    QCOMPARE(QFontInfo(QFont(family, 12)).family(), installed);
}

void MainWindowTest::colourValues_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("accent") << 1006847 << QColor(0xFF, 0x5C, 0x0F);
    QTest::newRow("black") << 0 << QColor(0, 0, 0);
    QTest::newRow("white") << 0xFFFFFF << QColor(255, 255, 255);
    QTest::newRow("blue only") << 0xFF0000 << QColor(0, 0, 255);
    QTest::newRow("red only") << 0x0000FF << QColor(255, 0, 0);
}

void MainWindowTest::colourValues() {
    QFETCH(int, value);
    QFETCH(QColor, colour);
    const QPalette palette;
    QCOMPARE(sumiplex::platform::colourFromValue(value, palette), colour);
    QCOMPARE(sumiplex::platform::valueFromColour(colour), value);
    // System colours come from the palette, whatever their low bytes would say as RGB.
    QCOMPARE(sumiplex::platform::colourFromValue(static_cast<int>(0x80000005u), palette),
             palette.color(QPalette::Active, QPalette::Base));
    QCOMPARE(sumiplex::platform::colourFromValue(static_cast<int>(0x800000FFu), palette),
             palette.color(QPalette::Active, QPalette::Base));
}

void MainWindowTest::noMenuShortcutIsTakenTwice() {
    QMap<QKeySequence, QString> taken;
    for (const QAction* action : m_window->findChildren<QAction*>()) {
        if (action->shortcut().isEmpty())
            continue;
        QVERIFY2(!taken.contains(action->shortcut()),
                 qPrintable(action->objectName() + " and " + taken.value(action->shortcut())));
        taken.insert(action->shortcut(), action->objectName());
    }
    QVERIFY(taken.values().contains(QStringLiteral("mnuNote")));
}

namespace {

// Types `keys` into the note editor once it shows, one key event per character with its
// text as an input method delivers it (QTest's own typing knows ASCII only), then Enter.
void answerNoteEditor(QObject* context, const QString& keys) {
    QTimer::singleShot(0, context, [keys] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog || dialog->objectName() != u"DialogNote")
            return;
        auto* note = dialog->findChild<QLineEdit*>(QStringLiteral("TextNote"));
        for (const char32_t ch : keys.toUcs4()) {
            const QString one = QString::fromUcs4(&ch, 1);
            QTest::sendKeyEvent(QTest::Press, note, Qt::Key_unknown, one, Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, note, Qt::Key_unknown, one, Qt::NoModifier);
        }
        QTest::keyClick(note, Qt::Key_Return);
    });
}

} // namespace

void MainWindowTest::noteKeyEditsLastStep_data() {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("tape");
    const QString cap99 = QString(99, u'x');
    QTest::newRow("added") << "500+300+"
                           << "交通費"
                           << "      0 +500= 500\r\n      500 +300= 800  交通費\r\n";
    // The length cap falls inside a character beyond the BMP: its lone half is not kept.
    QTest::newRow("cap splits a pair")
        << "500+" << cap99 + QStringLiteral("😀") << "      0 +500= 500  " + cap99 + "\r\n";
    QTest::newRow("empty tape") << ""
                                << "x"
                                << "";
}

void MainWindowTest::noteKeyEditsLastStep() {
    QFETCH(QString, steps);
    QFETCH(QString, keys);
    QFETCH(QString, tape);
    type(steps);
    answerNoteEditor(this, keys);
    QTest::keyClick(text1(), Qt::Key_T, Qt::ControlModifier);
    QCOMPARE(QStringView(m_window->tape().text()).toString(), tape);
    QTRY_VERIFY(text1()->hasFocus());
}

void MainWindowTest::historyMenuNotesLinesOfCurrentCalculation_data() {
    QTest::addColumn<int>("line");
    QTest::addColumn<bool>("allowed");
    // Tape: 0 "0 +500= 500", 1 "500 +300= 800", 2 "Total = 0", 3 "0 +7= 7", 4 "7 +2= 9".
    QTest::newRow("earlier calculation") << 1 << false;
    QTest::newRow("current calculation") << 3 << true;
}

void MainWindowTest::historyMenuNotesLinesOfCurrentCalculation() {
    QFETCH(int, line);
    QFETCH(bool, allowed);
    type(QStringLiteral("500+300+ 7+2+"));
    auto& history = m_window->historyWindow();
    history.show();
    QVERIFY(QTest::qWaitForWindowExposed(&history));
    history.activateWindow();
    QPlainTextEdit& text = history.text();
    text.setFocus();
    QTextCursor caret = text.textCursor();
    caret.setPosition(history.positionOfLine(static_cast<std::size_t>(line)).value());
    text.setTextCursor(caret);
    QTest::keyClick(&text, Qt::Key_F10, Qt::ShiftModifier);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu != nullptr);
    auto* item = history.findChild<QAction*>(QStringLiteral("mnuTapeNote"));
    QVERIFY(menu->actions().contains(item));
    QCOMPARE(item->isEnabled(), allowed);
    menu->close();
    if (!allowed)
        return;
    answerNoteEditor(this, QStringLiteral("摘要"));
    item->trigger();
    QCOMPARE(m_window->tape().entries().at(3).note, std::u16string(u"摘要"));
    QVERIFY(tapeShown().contains(QStringLiteral("      0 +7= 7  摘要\n")));
}

void MainWindowTest::historyLinesMapAcrossTextBlocks_data() {
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("piecesPerLine"); // 0: the whole tape shown at once
    QTest::newRow("shown at once") << 40 << 0;
    QTest::newRow("line by line") << 40 << 1;
    QTest::newRow("in two pieces a line") << 53 << 2;
    QTest::newRow("a whole run in one piece") << 16 << 0;
}

void MainWindowTest::historyLinesMapAcrossTextBlocks() {
    QFETCH(int, lines);
    QFETCH(int, piecesPerLine);
    auto& history = m_window->historyWindow();
    history.showTape(u"");
    QString tape;
    for (int i = 0; i < lines; ++i) {
        const QString line = QStringLiteral("line %1\r\n").arg(i);
        tape += line;
        if (piecesPerLine == 1)
            history.appendTape(line.toStdU16String());
        if (piecesPerLine == 2) {
            history.appendTape(line.left(3).toStdU16String());
            history.appendTape(line.mid(3).toStdU16String());
        }
    }
    if (piecesPerLine == 0)
        history.showTape(tape.toStdU16String());
    const QString shown = history.text().toPlainText();
    QCOMPARE(shown, QString(tape).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    for (int line = 0; line < lines; ++line) {
        const auto at = static_cast<std::size_t>(line);
        const int position = history.positionOfLine(at).value();
        QCOMPARE(history.lineAt(position), at);
        QCOMPARE(history.lineAt(position + 5), at);
        QVERIFY(shown.mid(position).startsWith(QStringLiteral("line %1\n").arg(line)));
    }
    QVERIFY(!history.positionOfLine(static_cast<std::size_t>(lines) + 1).has_value());
}

QTEST_MAIN(MainWindowTest)
namespace {

int companionWindowsBuilt() {
    int built = 0;
    for (const QWidget* w : QApplication::topLevelWidgets())
        built += w->objectName() == QLatin1String("frmTip2") ||
                 w->objectName() == QLatin1String("frmTip3");
    return built;
}

} // namespace

void MainWindowTest::companionWindowsAreBuiltOnceShown() {
    // Shown and past its first frame, the window has its hidden companions ready.
    QCOMPARE(companionWindowsBuilt(), 2);
}

void MainWindowTest::historyBuiltLateShowsEveryLineOnce_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("after");
    QTest::newRow("nothing before") << ""
                                    << ""
                                    << "7+";
    QTest::newRow("typed before") << "500+20+"
                                  << ""
                                  << "";
    QTest::newRow("typed before and after") << "500+"
                                            << ""
                                            << "20+";
    QTest::newRow("a column pasted before") << ""
                                            << "100\n200\n300\n"
                                            << "5+";
    QTest::newRow("typed, pasted, typed") << "8+"
                                          << "1,000\n2,000\n"
                                          << "3-";
}

void MainWindowTest::historyBuiltLateShowsEveryLineOnce() {
    QFETCH(QString, before);
    QFETCH(QString, pasted);
    QFETCH(QString, after);
    // Never shown, so the history and memo windows wait until something needs them.
    m_window.reset();
    m_window = std::make_unique<frmMain>(sumiplex::ui::Services{*m_clock, m_settings, m_files,
                                                                m_messages, m_pickers, m_shell,
                                                                m_printing, m_emptyFolder.path()});
    QCOMPARE(companionWindowsBuilt(), 0);
    type(before);
    if (!pasted.isEmpty()) {
        QApplication::clipboard()->setText(pasted);
        QTest::keyClick(text1(), Qt::Key_V, Qt::ControlModifier);
    }
    QCOMPARE(companionWindowsBuilt(), 0);
    QVERIFY(!tapeText().isEmpty() || before.isEmpty());
    QCOMPARE(tapeShown(), tapeText());
    type(after);
    QCOMPARE(tapeShown(), tapeText());
}

#include "mainwindow_test.moc"
