#include "ui/mainwindow/dialog_doll.h"
#include "ui/mainwindow/dialog_tax.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include <functional>

using sumiplex::ui::DialogDoll;
using sumiplex::ui::DialogTax;

namespace {

template <typename Widget> Widget* child(QWidget& dialog, const char* name) {
    auto* widget = dialog.findChild<Widget*>(QLatin1String(name));
    if (!widget)
        qFatal("no %s named %s", Widget::staticMetaObject.className(), name);
    return widget;
}

// Runs exec() with `act` queued inside its loop; a dialog still open after five seconds is
// closed and the test fails instead of hanging.
int execWith(QDialog& dialog, const std::function<void()>& act) {
    bool stuck = false;
    QTimer::singleShot(0, &dialog, act);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, &dialog, [&] {
        stuck = true;
        dialog.reject();
    });
    watchdog.start(5000);
    const int result = dialog.exec();
    if (stuck)
        qWarning("dialog stayed open");
    return stuck ? -1 : result;
}

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void taxControlsAreNamedAndCaptioned();
    void taxOpensWithRateAndRule_data();
    void taxOpensWithRateAndRule();
    void taxOkTakesTextAndOption_data();
    void taxOkTakesTextAndOption();
    void taxCancelChangesNothing();
    void taxExecReturnsAfterOk();
    void dollControlsAreNamedAndCaptioned();
    void dollOkTakesText_data();
    void dollOkTakesText();
    void dollCancelChangesNothing();
};

void DialogsTest::taxControlsAreNamedAndCaptioned() {
    DialogTax dialog(5, 1, nullptr);
    QCOMPARE(dialog.objectName(), QStringLiteral("DialogTax"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("消費税の設定"));
    QVERIFY(dialog.isModal());
    QCOMPARE(child<QGroupBox>(dialog, "Frame1")->title(), QStringLiteral("消費税の設定"));
    QCOMPARE(child<QLabel>(dialog, "Label1")->text(), QStringLiteral("消費税率％(&R)"));
    QCOMPARE(child<QLabel>(dialog, "Label1")->buddy(), child<QLineEdit>(dialog, "Text1"));
    QCOMPARE(child<QGroupBox>(dialog, "Frame2")->title(), QStringLiteral("端数処理(&O)"));
    QCOMPARE(child<QRadioButton>(dialog, "Option3")->text(), QStringLiteral("四捨五入"));
    QCOMPARE(child<QRadioButton>(dialog, "Option2")->text(), QStringLiteral("切り上げ"));
    QCOMPARE(child<QRadioButton>(dialog, "Option1")->text(), QStringLiteral("切り捨て"));
    QCOMPARE(child<QPushButton>(dialog, "OKButton")->text(), QStringLiteral("OK"));
    QCOMPARE(child<QPushButton>(dialog, "CancelButton")->text(), QStringLiteral("ｷｬﾝｾﾙ"));
}

void DialogsTest::taxOpensWithRateAndRule_data() {
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("rule");
    QTest::addColumn<QString>("checked"); // the checked option's name, empty for none
    QTest::newRow("truncate") << 5 << 1 << "Option1";
    QTest::newRow("round up") << 8 << 2 << "Option2";
    QTest::newRow("round half") << 10 << 3 << "Option3";
    QTest::newRow("unknown code") << 0 << 7 << "";
    QTest::newRow("negative rate") << -12 << 1 << "Option1";
}

void DialogsTest::taxOpensWithRateAndRule() {
    QFETCH(int, rate);
    QFETCH(int, rule);
    QFETCH(QString, checked);
    DialogTax dialog(rate, rule, nullptr);
    auto* text1 = child<QLineEdit>(dialog, "Text1");
    QCOMPARE(text1->text(), QString::number(rate));
    QCOMPARE(text1->cursorPosition(), static_cast<int>(text1->text().size()));
    QCOMPARE(text1->selectedText(), QString());
    for (const char* name : {"Option1", "Option2", "Option3"})
        QCOMPARE(child<QRadioButton>(dialog, name)->isChecked(), checked == QLatin1String(name));
}

void DialogsTest::taxOkTakesTextAndOption_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("option"); // clicked before OK, empty for none
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("rule");
    QTest::addColumn<QString>("textAfter");
    QTest::newRow("new rate and rule") << "8"
                                       << "Option2" << 8 << 2 << "8";
    QTest::newRow("full-width digits") << "１０"
                                       << "Option3" << 10 << 3 << "１０";
    QTest::newRow("empty means zero") << ""
                                      << "" << 0 << 1 << "0";
    QTest::newRow("fraction rounds to even") << "2.5"
                                             << "Option1" << 2 << 1 << "2.5";
    QTest::newRow("not a number keeps rate") << "abc"
                                             << "Option3" << 5 << 3 << "abc";
    QTest::newRow("out of range keeps rate") << "40000"
                                             << "" << 5 << 1 << "40000";
}

void DialogsTest::taxOkTakesTextAndOption() {
    QFETCH(QString, typed);
    QFETCH(QString, option);
    QFETCH(int, rate);
    QFETCH(int, rule);
    QFETCH(QString, textAfter);
    DialogTax dialog(5, 1, nullptr);
    dialog.show();
    auto* text1 = child<QLineEdit>(dialog, "Text1");
    text1->selectAll();
    text1->del();
    text1->insert(typed); // key clicks take Latin-1 only
    if (!option.isEmpty())
        child<QRadioButton>(dialog, option.toLatin1().constData())->click();
    QTest::mouseClick(child<QPushButton>(dialog, "OKButton"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.rate(), rate);
    QCOMPARE(dialog.rule(), rule);
    QCOMPARE(text1->text(), textAfter);
}

void DialogsTest::taxCancelChangesNothing() {
    DialogTax dialog(5, 2, nullptr);
    dialog.show();
    child<QLineEdit>(dialog, "Text1")->setText(QStringLiteral("10"));
    child<QRadioButton>(dialog, "Option3")->click();
    QVERIFY(!child<QRadioButton>(dialog, "Option2")->isChecked());
    QTest::mouseClick(child<QPushButton>(dialog, "CancelButton"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(dialog.rate(), 5);
    QCOMPARE(dialog.rule(), 2);
}

void DialogsTest::taxExecReturnsAfterOk() {
    DialogTax dialog(5, 1, nullptr);
    const int result = execWith(dialog, [&] {
        auto* text1 = child<QLineEdit>(dialog, "Text1");
        text1->setText(QStringLiteral("8"));
        QTest::keyClick(text1, Qt::Key_Return); // OK is the default button
    });
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(dialog.rate(), 8);
}

void DialogsTest::dollControlsAreNamedAndCaptioned() {
    DialogDoll dialog(80.5, nullptr);
    QCOMPARE(dialog.objectName(), QStringLiteral("DialogDoll"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("為替レートの設定"));
    QVERIFY(dialog.isModal());
    QCOMPARE(child<QGroupBox>(dialog, "Frame3")->title(), QStringLiteral("為替レートの設定"));
    QCOMPARE(child<QLabel>(dialog, "Label2")->text(), QStringLiteral("１ドルの円貨(&D)"));
    QCOMPARE(child<QLabel>(dialog, "Label2")->buddy(), child<QLineEdit>(dialog, "Text2"));
    QCOMPARE(child<QPushButton>(dialog, "OKButton")->text(), QStringLiteral("OK"));
    QCOMPARE(child<QPushButton>(dialog, "CancelButton")->text(), QStringLiteral("ｷｬﾝｾﾙ"));
    auto* text2 = child<QLineEdit>(dialog, "Text2");
    QCOMPARE(text2->text(), QStringLiteral("80.5"));
    QCOMPARE(text2->cursorPosition(), 4);
}

void DialogsTest::dollOkTakesText_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("rate");
    QTest::addColumn<QString>("textAfter");
    QTest::newRow("new rate") << "110.37" << 110.37 << "110.37";
    QTest::newRow("full-width") << "８５" << 85.0 << "８５";
    QTest::newRow("grouped") << "1,234.5" << 1234.5 << "1,234.5";
    QTest::newRow("empty means one") << "" << 1.0 << "1";
    QTest::newRow("not a number keeps rate") << "円" << 80.0 << "円";
}

void DialogsTest::dollOkTakesText() {
    QFETCH(QString, typed);
    QFETCH(double, rate);
    QFETCH(QString, textAfter);
    DialogDoll dialog(80, nullptr);
    dialog.show();
    auto* text2 = child<QLineEdit>(dialog, "Text2");
    QCOMPARE(text2->text(), QStringLiteral("80"));
    text2->selectAll();
    text2->del();
    text2->insert(typed);
    QTest::mouseClick(child<QPushButton>(dialog, "OKButton"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.rate(), rate);
    QCOMPARE(text2->text(), textAfter);
}

void DialogsTest::dollCancelChangesNothing() {
    DialogDoll dialog(80, nullptr);
    const int result = execWith(dialog, [&] {
        child<QLineEdit>(dialog, "Text2")->setText(QStringLiteral("90"));
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    QCOMPARE(result, int(QDialog::Rejected));
    QCOMPARE(dialog.rate(), 80.0);
}

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
