#include "platform/clock.h"
#include "platform/settings_store.h"
#include "ui/tools/taxrate/dialog_zei.h"
#include "ui/widgets/text_list_model.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <string>
#include <vector>

using sumiplex::ui::DialogZei;

namespace {

class ZeiTest : public QObject {
    Q_OBJECT
private slots:
    void summaryLinesAreWhatWouldPrint_data();
    void summaryLinesAreWhatWouldPrint();
};

void ZeiTest::summaryLinesAreWhatWouldPrint_data() {
    QTest::addColumn<QStringList>("amounts");
    QTest::addColumn<QString>("reducedRate");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("message");
    QTest::newRow("standard rows only")
        << QStringList{"1100", "-110"} << "8"
        << QStringList{"10%対象(税込)　990円　内消費税　90円", "合計　990円　内消費税等　90円"}
        << "";
    QTest::newRow("no rate")
        << QStringList{"1100"} << "八" << QStringList{}
        << "軽減税率は 0 から 100 までの数（小数は 2 桁まで）で入力してください。";
    QTest::newRow("beyond the decimal range")
        << QStringList{"79000000000000000000000000000", "79000000000000000000000000000"} << "8"
        << QStringList{} << "金額が大きすぎて集計できません。";
    QTest::newRow("no amounts") << QStringList{} << "8" << QStringList{"合計　0円　内消費税等　0円"}
                                << "";
}

void ZeiTest::summaryLinesAreWhatWouldPrint() {
    QFETCH(QStringList, amounts);
    QFETCH(QString, reducedRate);
    QFETCH(QStringList, lines);
    QFETCH(QString, message);
    sumiplex::platform::FakeClock clock;
    sumiplex::platform::FakeSettingsStore settings;
    std::vector<std::u16string> list;
    for (const QString& a : amounts)
        list.push_back(a.toStdU16String());
    sumiplex::ui::TextListModel model(list, nullptr);
    QStringList memo;
    DialogZei window(
        sumiplex::ui::ToolLinks{.clock = clock,
                                .settings = settings,
                                .appendMemo = [&memo](const QString& text) { memo << text; },
                                .appendTape = [](std::u16string_view) {},
                                .replaceInputLine = {}},
        sumiplex::ui::ZeiSource{
            .amounts = list, .amountsModel = model, .taxRule = [] { return 1; }, .print = {}});
    window.show();
    window.findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(reducedRate);
    QCOMPARE(window.summaryLines(), lines);
    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("Label6"))->text(), message);
    QTest::mouseClick(window.findChild<QWidget*>(QStringLiteral("Command1")), Qt::LeftButton);
    // Nothing goes to the memo pad without a summary.
    QCOMPARE(memo, lines.isEmpty()
                       ? QStringList{}
                       : QStringList{lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")});
}

} // namespace

QTEST_MAIN(ZeiTest)
#include "zei_test.moc"
