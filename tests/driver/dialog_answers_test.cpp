#include "driver/dialog_answers.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace sumiplex::driver;
using Outcome = DialogAnswers::Outcome;

class DialogAnswersTest : public QObject {
    Q_OBJECT
private slots:
    void answersQuestionsInTheOrderGiven_data();
    void answersQuestionsInTheOrderGiven();
    void questionWithoutAnswerWaits();
    void informationNeedsNoAnswerAndKeepsTheQueue();
    void recordsEveryBoxOnce();
    void choosesOrCancelsAFile();
    void fileDialogWithoutAnswerWaits();
    void leavesOtherDialogsAlone();
    void readsColourValuesWithRedInTheLowByte();
};

void DialogAnswersTest::answersQuestionsInTheOrderGiven_data() {
    QTest::addColumn<bool>("first");
    QTest::addColumn<bool>("second");
    QTest::newRow("yes, then no") << true << false;
    QTest::newRow("no, then yes") << false << true;
}

void DialogAnswersTest::answersQuestionsInTheOrderGiven() {
    QFETCH(bool, first);
    QFETCH(bool, second);
    DialogAnswers answers;
    answers.yesNo.push(first);
    answers.yesNo.push(second);
    for (const bool expected : {first, second}) {
        QMessageBox box(QMessageBox::Question, QStringLiteral("電卓"),
                        QStringLiteral("メモ帳を保存しますか？"),
                        QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(answers.answer(box), Outcome::Answered);
        QCOMPARE(box.clickedButton(), box.button(expected ? QMessageBox::Yes : QMessageBox::No));
    }
}

void DialogAnswersTest::questionWithoutAnswerWaits() {
    DialogAnswers answers;
    QMessageBox box(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("q"),
                    QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(answers.answer(box), Outcome::NoAnswer);
    QCOMPARE(box.clickedButton(), nullptr);
}

void DialogAnswersTest::informationNeedsNoAnswerAndKeepsTheQueue() {
    DialogAnswers answers;
    answers.yesNo.push(false);
    QMessageBox info(QMessageBox::Information, QStringLiteral("t"), QStringLiteral("done"),
                     QMessageBox::Ok);
    QCOMPARE(answers.answer(info), Outcome::Answered);
    QCOMPARE(info.clickedButton(), info.button(QMessageBox::Ok));
    QMessageBox question(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("q"),
                         QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(answers.answer(question), Outcome::Answered);
    QCOMPARE(question.clickedButton(), question.button(QMessageBox::No));
}

void DialogAnswersTest::recordsEveryBoxOnce() {
    DialogAnswers answers;
    QMessageBox first(QMessageBox::Information, QStringLiteral("電卓"), QStringLiteral("一"),
                      QMessageBox::Ok);
    QMessageBox second(QMessageBox::Warning, QStringLiteral("メモ"), QStringLiteral("二"),
                       QMessageBox::Ok);
    answers.recordShown(first); // shown, then answered: one entry
    QCOMPARE(answers.answer(first), Outcome::Answered);
    QCOMPARE(answers.answer(second), Outcome::Answered);
    QCOMPARE(answers.messages(), QStringLiteral("電卓\t一\nメモ\t二\n"));
}

void DialogAnswersTest::choosesOrCancelsAFile() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("memo.txt"));
    DialogAnswers answers;
    answers.files.push(path);
    answers.files.push(std::nullopt);

    QFileDialog save(nullptr, QStringLiteral("名前を付けて保存"), folder.path());
    save.setAcceptMode(QFileDialog::AcceptSave);
    QCOMPARE(answers.answer(save), Outcome::Answered);
    QCOMPARE(save.result(), int(QDialog::Accepted));
    QCOMPARE(save.selectedFiles(), QStringList{path});

    QFileDialog open(nullptr, QStringLiteral("開く"), folder.path());
    QCOMPARE(answers.answer(open), Outcome::Answered);
    QCOMPARE(open.result(), int(QDialog::Rejected));
}

void DialogAnswersTest::fileDialogWithoutAnswerWaits() {
    DialogAnswers answers;
    answers.yesNo.push(true); // an answer of another kind does not count
    QFileDialog open;
    QCOMPARE(answers.answer(open), Outcome::NoAnswer);
}

void DialogAnswersTest::leavesOtherDialogsAlone() {
    DialogAnswers answers;
    answers.yesNo.push(true);
    QDialog own;
    own.setObjectName(QStringLiteral("DialogTax"));
    QCOMPARE(answers.answer(own), Outcome::NotAStandardDialog);
}

void DialogAnswersTest::readsColourValuesWithRedInTheLowByte() {
    QCOMPARE(colourFromValue(1006847), QColor(0xff, 0x5c, 0x0f));
    QCOMPARE(colourFromValue(0xff0000), QColor(0, 0, 0xff));
    QCOMPARE(colourFromValue(0x80000005u), QColor(0x05, 0, 0));
}

QTEST_MAIN(DialogAnswersTest)
#include "dialog_answers_test.moc"
