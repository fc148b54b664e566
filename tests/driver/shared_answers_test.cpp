#include "driver/dialog_answers.h"

#include <QTest>

using namespace sumiplex::driver;
using sumiplex::platform::FakeFileDialogs;
using sumiplex::platform::FakeMessageBoxes;
using sumiplex::platform::FakePickerDialogs;

class SharedAnswersTest : public QObject {
    Q_OBJECT
private slots:
    void questionsTakeAnswersInScriptOrder_data();
    void questionsTakeAnswersInScriptOrder();
    void questionWithoutAnswerIsReportedOnce();
    void messagesAreListedWithTheirTitles();
    void fileDialogsTakePathsOrCancel();
    void fileDialogWithoutAnswerIsReported();
    void pickersTakeAnswersOrCancelAndReportMissingOnes();
};

void SharedAnswersTest::questionsTakeAnswersInScriptOrder_data() {
    QTest::addColumn<QList<bool>>("answers");
    QTest::newRow("one yes") << QList<bool>{true};
    QTest::newRow("no, yes, no") << QList<bool>{false, true, false};
}

void SharedAnswersTest::questionsTakeAnswersInScriptOrder() {
    QFETCH(QList<bool>, answers);
    DialogAnswers queue;
    for (const bool a : answers)
        queue.yesNo.push(a);
    FakeMessageBoxes boxes(queue);
    for (const bool expected : answers)
        QCOMPARE(boxes.question(nullptr, QStringLiteral("保存しますか？"), QStringLiteral("電卓")),
                 expected);
    QVERIFY(boxes.takeUnanswered().isEmpty());
}

void SharedAnswersTest::questionWithoutAnswerIsReportedOnce() {
    DialogAnswers queue;
    FakeMessageBoxes boxes(queue);
    QCOMPARE(boxes.question(nullptr, QStringLiteral("メモ帳を保存しますか？"), QStringLiteral("t")),
             false);
    const QStringList missing = boxes.takeUnanswered();
    QCOMPARE(missing.size(), 1);
    QVERIFY(missing.front().contains(QStringLiteral("メモ帳を保存しますか？")));
    QVERIFY(boxes.takeUnanswered().isEmpty());
}

void SharedAnswersTest::messagesAreListedWithTheirTitles() {
    DialogAnswers queue;
    queue.yesNo.push(true);
    FakeMessageBoxes boxes(queue);
    queue.hear(boxes);
    boxes.critical(nullptr, QStringLiteral("読み込めない形式のﾌｧｲﾙです。"),
                   QStringLiteral("入力事項の確認"));
    (void)boxes.question(nullptr, QStringLiteral("q"), QStringLiteral("電卓"));
    boxes.information(nullptr, QStringLiteral("i"), QStringLiteral("t"));
    QCOMPARE(queue.messages(),
             QStringLiteral("入力事項の確認\t読み込めない形式のﾌｧｲﾙです。\n電卓\tq\nt\ti\n"));
}

void SharedAnswersTest::fileDialogsTakePathsOrCancel() {
    DialogAnswers queue;
    queue.files.push(QStringLiteral("/tmp/a.txt"));
    queue.files.push(std::nullopt);
    queue.files.push(QStringLiteral("/tmp/b.txt"));
    FakeFileDialogs files(queue);
    QCOMPARE(files.getOpenFileName(nullptr, QStringLiteral("t"), QStringLiteral("f"), 1),
             std::optional<QString>(QStringLiteral("/tmp/a.txt")));
    QCOMPARE(files.getSaveFileName(nullptr, QStringLiteral("t"), QStringLiteral("f")),
             std::optional<QString>());
    QCOMPARE(files.getSaveFileName(nullptr, QStringLiteral("t"), QStringLiteral("f")),
             std::optional<QString>(QStringLiteral("/tmp/b.txt")));
    // A cancel the script asked for is an answer, not a missing one.
    QVERIFY(files.takeUnanswered().isEmpty());
}

void SharedAnswersTest::fileDialogWithoutAnswerIsReported() {
    DialogAnswers queue;
    FakeFileDialogs files(queue);
    QCOMPARE(files.getOpenFileName(nullptr, QStringLiteral("電卓　メモ帳を開く"),
                                   QStringLiteral("f"), 1),
             std::optional<QString>());
    const QStringList missing = files.takeUnanswered();
    QCOMPARE(missing.size(), 1);
    QVERIFY(missing.front().contains(QStringLiteral("電卓　メモ帳を開く")));
}

void SharedAnswersTest::pickersTakeAnswersOrCancelAndReportMissingOnes() {
    DialogAnswers queue;
    queue.colours.push(QColor(0, 0, 255));
    queue.colours.push(std::nullopt);
    queue.fonts.push(QFont(QStringLiteral("DejaVu Sans")));
    FakePickerDialogs pickers(queue);
    const QString title = QStringLiteral("色の設定");
    QCOMPARE(pickers.getColour(nullptr, title, QColor()), std::optional<QColor>(QColor(0, 0, 255)));
    QCOMPARE(pickers.getColour(nullptr, title, QColor()), std::optional<QColor>());
    const std::optional<QFont> font = pickers.getFont(nullptr, title, QFont());
    QVERIFY(font);
    QCOMPARE(font->family(), QStringLiteral("DejaVu Sans"));
    QVERIFY(pickers.takeUnanswered().isEmpty());
    // Each kind counts its own answers: with both queues empty, both pickers are reported.
    QCOMPARE(pickers.getColour(nullptr, QStringLiteral("線の色"), QColor()),
             std::optional<QColor>());
    QCOMPARE(pickers.getFont(nullptr, QStringLiteral("フォント"), QFont()), std::optional<QFont>());
    QCOMPARE(pickers.takeUnanswered(),
             (QStringList{QStringLiteral("the colour picker \"線の色\""),
                          QStringLiteral("the font picker \"フォント\"")}));
}

QTEST_MAIN(SharedAnswersTest)
#include "shared_answers_test.moc"
