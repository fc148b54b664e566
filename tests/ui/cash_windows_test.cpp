#include "platform/settings_store.h"
#include "ui/tools/cash/cash_links.h"
#include "ui/tools/cash/dialog_cash.h"
#include "ui/tools/cash/dialog_cash2.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using sumiplex::platform::FakeSettingsStore;
using sumiplex::ui::CashLinks;
using sumiplex::ui::DialogCash;
using sumiplex::ui::DialogCash2;

namespace {

template <typename Widget> Widget* child(QWidget& window, const char* name) {
    auto* widget = window.findChild<Widget*>(QLatin1String(name));
    if (!widget)
        qFatal("no %s named %s", Widget::staticMetaObject.className(), name);
    return widget;
}

struct Main {
    FakeSettingsStore settings;
    std::vector<std::u16string> entries;
    std::u16string total = u"0";
    QStringList memo;
    bool printable = false;

    CashLinks links() {
        return CashLinks{
            .settings = settings,
            .appendMemo = [this](const QString& text) { memo.append(text); },
            .entries = [this] { return entries; },
            .mainTotal = [this] { return total; },
            .print =
                printable
                    ? std::function<void(QWidget*, const sumiplex::cash::DenominationPrintout&)>(
                          [](QWidget*, const auto&) {})
                    : nullptr};
    }
};

sumiplex::cash::Counts countsOf(std::initializer_list<std::int64_t> values) {
    sumiplex::cash::Counts counts;
    std::size_t k = 0;
    for (const std::int64_t v : values)
        counts[k++] = sumiplex::Decimal::fromInt(v);
    return counts;
}

void pressEnter(QWidget* target) {
    QTest::keyClick(target, Qt::Key_Return);
}

} // namespace

class CashWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void enterMovesTheFocusLikeTab();
    void gridColumnsShowTheirWholeHeaders();
    void aLongEntryListOpensLazily();
    void printoutsCarryTheShownSummaries();
    void aBreakdownNeverShowsBlankTotals();
    void theTallyTotalFollowsItsCounts();
};

void CashWindowsTest::enterMovesTheFocusLikeTab() {
    Main main;
    main.entries = {u"3200", u"1500"};
    main.total = u"4700";
    DialogCash cash(main.links());
    cash.show();
    cash.Form_Activate();
    auto* text1 = child<QLineEdit>(cash, "Text1");
    text1->setFocus();
    QVERIFY(QTest::qWaitFor([&] { return text1->hasFocus(); }));
    text1->setText(QStringLiteral("10000"));
    pressEnter(text1);
    QVERIFY(!text1->hasFocus());
    // Enter only moved on: no exchange was made.
    QCOMPARE(child<QLabel>(cash, "Label2")->text(), QString());

    DialogCash2 tally(main.links());
    tally.show();
    tally.fill(countsOf({3, 0, 0, 0, 0, 0, 0, 0, 2}));
    auto* box = child<QLineEdit>(tally, "Text1");
    box->setFocus();
    QVERIFY(QTest::qWaitFor([&] { return box->hasFocus(); }));
    pressEnter(box);
    QVERIFY(!box->hasFocus());
    QCOMPARE(box->text(), QStringLiteral("3"));
}

void CashWindowsTest::gridColumnsShowTheirWholeHeaders() {
    Main main;
    main.entries = {u"18765"};
    DialogCash cash(main.links());
    cash.show();
    cash.Form_Activate();
    DialogCash2 tally(main.links());
    tally.show();
    for (QWidget* window : {static_cast<QWidget*>(&cash), static_cast<QWidget*>(&tally)}) {
        for (const char* name : {"MSFlexGrid1", "MSFlexGrid2"}) {
            auto* grid = child<QTableView>(*window, name);
            const QFontMetrics metrics = grid->horizontalHeader()->fontMetrics();
            for (int c = 0; c < grid->model()->columnCount(); ++c) {
                const QString header = grid->model()->headerData(c, Qt::Horizontal).toString();
                QVERIFY2(
                    grid->columnWidth(c) >= metrics.horizontalAdvance(header),
                    qPrintable(QStringLiteral("%1 column %2").arg(QLatin1String(name)).arg(c)));
            }
        }
    }
}

void CashWindowsTest::aLongEntryListOpensLazily() {
    Main main;
    main.entries.assign(100000, u"18765");
    main.entries.push_back(u"-3.5");
    main.total = u"1876499996.5";
    DialogCash cash(main.links());
    cash.show();
    QElapsedTimer timer;
    timer.start();
    cash.Form_Activate();
    QApplication::processEvents();
    QVERIFY2(timer.elapsed() < 2000, "the breakdown of a long list opens at once");
    auto* grid = child<QTableView>(cash, "MSFlexGrid1")->model();
    QCOMPARE(grid->rowCount(), 100003);
    QCOMPARE(grid->index(100000, 0).data().toString(), QStringLiteral("-3"));
    QCOMPARE(grid->index(100002, 1).data().toString(), QStringLiteral("100000"));
    QVERIFY(!child<QLabel>(cash, "Label3")->isVisible());
}

void CashWindowsTest::printoutsCarryTheShownSummaries() {
    Main main;
    main.entries = {u"3200", u"1500"};
    main.total = u"4700";
    DialogCash cash(main.links());
    cash.show();
    cash.Form_Activate();
    child<QLineEdit>(cash, "Text1")->setText(QStringLiteral("10000"));
    child<QPushButton>(cash, "Command1")->click();
    const auto printed = cash.printout();
    QCOMPARE(printed.rows[1].count, std::u16string(u"1"));
    QCOMPARE(printed.rows[1].amount, std::u16string(u"5,000"));
    QCOMPARE(printed.total, std::u16string(u"10,000"));
    QVERIFY(!child<QPushButton>(cash, "Command3")->isEnabled());

    // The tally prints its counts as edited, with the total they make; nothing while a
    // count is no number.
    main.printable = true;
    DialogCash2 tally(main.links());
    tally.fill(countsOf({12, 0, 0, 0, 0, 0, 0, 0, 0}));
    child<QLineEdit>(tally, "Text1")->setText(QStringLiteral("13"));
    QCOMPARE(tally.printout()->rows[0].amount, std::u16string(u"130000"));
    QCOMPARE(tally.printout()->total, std::u16string(u"130000"));
    auto* print = child<QPushButton>(tally, "Command3");
    QVERIFY(print->isEnabled());
    child<QLineEdit>(tally, "Text2")->setText(QStringLiteral("x"));
    QVERIFY(!tally.printout());
    QVERIFY(!print->isEnabled());
}

void CashWindowsTest::aBreakdownNeverShowsBlankTotals() {
    // Before any activation has reached it, a window opened with no amounts already shows
    // its totals row of zeros.
    Main main;
    DialogCash cash(main.links());
    auto* grid = child<QTableView>(cash, "MSFlexGrid1")->model();
    QCOMPARE(grid->rowCount(), 2);
    for (int c = 0; c < 10; ++c) {
        QCOMPARE(grid->index(0, c).data().toString(), QString());
        QCOMPARE(grid->index(1, c).data().toString(), QStringLiteral("0"));
    }
    QCOMPARE(child<QLabel>(cash, "Label1")->text(), QStringLiteral("合計　　0"));
}

void CashWindowsTest::theTallyTotalFollowsItsCounts() {
    Main main;
    DialogCash2 tally(main.links());
    tally.show();
    tally.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&tally));
    tally.fill(countsOf({3, 0, 0, 0, 0, 0, 0, 0, 2}));
    auto* total = child<QLineEdit>(tally, "Text0");
    auto* label = child<QLabel>(tally, "Label1");
    // Keys typed on after the last count land on no box.
    QVERIFY(child<QPushButton>(tally, "OKButton")->hasFocus());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("123456"));
    QTest::keyClicks(total, QStringLiteral("9"));
    QCOMPARE(total->text(), QStringLiteral("30002"));

    auto* ones = child<QLineEdit>(tally, "Text9");
    ones->selectAll();
    QTest::keyClicks(ones, QStringLiteral("7"));
    QCOMPARE(total->text(), QStringLiteral("30007"));
    QCOMPARE(label->text(), QStringLiteral("合計　　30,007"));
    QCOMPARE(child<QTableView>(tally, "MSFlexGrid2")->model()->index(8, 2).data().toString(),
             QStringLiteral("7"));
}

QTEST_MAIN(CashWindowsTest)
#include "cash_windows_test.moc"
