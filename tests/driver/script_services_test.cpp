#include "driver/dialog_answers.h"
#include "driver/script_services.h"

#include <QTest>

using namespace sumiplex::driver;

class ScriptServicesTest : public QObject {
    Q_OBJECT
private slots:
    void questionsTakeAnswersInScriptOrder_data();
    void questionsTakeAnswersInScriptOrder();
    void questionWithoutAnswerIsReportedOnce();
    void messagesAreListedWithTheirTitles();
    void fileDialogsTakePathsOrCancel();
    void fileDialogWithoutAnswerIsReported();
};

void ScriptServicesTest::questionsTakeAnswersInScriptOrder_data() {
    QTest::addColumn<QList<bool>>("answers");
    QTest::newRow("one yes") << QList<bool>{true};
    QTest::newRow("no, yes, no") << QList<bool>{false, true, false};
}

void ScriptServicesTest::questionsTakeAnswersInScriptOrder() {
    QFETCH(QList<bool>, answers);
    DialogAnswers queue;
    for (const bool a : answers)
        queue.queueYesNo(a);
    ScriptMessageBoxes boxes(queue);
    for (const bool expected : answers)
        QCOMPARE(boxes.question(nullptr, QStringLiteral("保存しますか？"), QStringLiteral("電卓")),
                 expected);
    QVERIFY(boxes.takeUnanswered().isEmpty());
}

void ScriptServicesTest::questionWithoutAnswerIsReportedOnce() {
    DialogAnswers queue;
    ScriptMessageBoxes boxes(queue);
    QCOMPARE(boxes.question(nullptr, QStringLiteral("メモ帳を保存しますか？"), QStringLiteral("t")),
             false);
    const QStringList missing = boxes.takeUnanswered();
    QCOMPARE(missing.size(), 1);
    QVERIFY(missing.front().contains(QStringLiteral("メモ帳を保存しますか？")));
    QVERIFY(boxes.takeUnanswered().isEmpty());
}

void ScriptServicesTest::messagesAreListedWithTheirTitles() {
    DialogAnswers queue;
    queue.queueYesNo(true);
    ScriptMessageBoxes boxes(queue);
    boxes.critical(nullptr, QStringLiteral("読み込めない形式のﾌｧｲﾙです。"),
                   QStringLiteral("入力事項の確認"));
    (void)boxes.question(nullptr, QStringLiteral("q"), QStringLiteral("電卓"));
    boxes.information(nullptr, QStringLiteral("i"), QStringLiteral("t"));
    QCOMPARE(queue.messages(),
             QStringLiteral("入力事項の確認\t読み込めない形式のﾌｧｲﾙです。\n電卓\tq\nt\ti\n"));
}

void ScriptServicesTest::fileDialogsTakePathsOrCancel() {
    DialogAnswers queue;
    queue.queueFile(QStringLiteral("/tmp/a.txt"));
    queue.queueFile(std::nullopt);
    queue.queueFile(QStringLiteral("/tmp/b.txt"));
    ScriptFileDialogs files(queue);
    QCOMPARE(files.getOpenFileName(nullptr, QStringLiteral("t"), QStringLiteral("f"), 1),
             std::optional<QString>(QStringLiteral("/tmp/a.txt")));
    QCOMPARE(files.getSaveFileName(nullptr, QStringLiteral("t"), QStringLiteral("f")),
             std::optional<QString>());
    QCOMPARE(files.getSaveFileName(nullptr, QStringLiteral("t"), QStringLiteral("f")),
             std::optional<QString>(QStringLiteral("/tmp/b.txt")));
    // A cancel the script asked for is an answer, not a missing one.
    QVERIFY(files.takeUnanswered().isEmpty());
}

void ScriptServicesTest::fileDialogWithoutAnswerIsReported() {
    DialogAnswers queue;
    ScriptFileDialogs files(queue);
    QCOMPARE(files.getOpenFileName(nullptr, QStringLiteral("電卓　メモ帳を開く"),
                                   QStringLiteral("f"), 1),
             std::optional<QString>());
    const QStringList missing = files.takeUnanswered();
    QCOMPARE(missing.size(), 1);
    QVERIFY(missing.front().contains(QStringLiteral("電卓　メモ帳を開く")));
}

QTEST_MAIN(ScriptServicesTest)
#include "script_services_test.moc"
