#include "driver/runner.h"
#include "driver/script.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdio>

using namespace sumiplex::driver;

namespace {

/// A window with one control for each way a program can hold up or surprise a script:
/// a blocking popup menu, a modal dialog, a question box, a quit request, a timer.
class frmTest : public QWidget {
public:
    frmTest() {
        setObjectName(QStringLiteral("frmTest"));
        Label1->setObjectName(QStringLiteral("Label1"));
        Label2->setObjectName(QStringLiteral("Label2"));
        Label3->setObjectName(QStringLiteral("Label3"));
        Text1->setObjectName(QStringLiteral("Text1"));
        tmrTick->setObjectName(QStringLiteral("tmrTick"));
        menu->setObjectName(QStringLiteral("mnuPopup"));
        QAction* pick = menu->addAction(QStringLiteral("pick"));
        pick->setObjectName(QStringLiteral("mnuPick"));
        connect(pick, &QAction::triggered, this,
                [this] { Label1->setText(QStringLiteral("picked")); });
        button("MenuButton", [this] {
            QAction* chosen = menu->exec(mapToGlobal(QPoint(0, 0)));
            Label1->setText(chosen ? chosen->text() : QStringLiteral("none"));
        });
        button("DialogButton", [this] {
            QDialog dialog(this);
            dialog.setObjectName(QStringLiteral("DialogAsk"));
            auto* text = new QLineEdit(&dialog);
            text->setObjectName(QStringLiteral("Text1"));
            auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
            ok->setObjectName(QStringLiteral("OKButton"));
            connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
            if (dialog.exec() == QDialog::Accepted)
                Label1->setText(text->text());
        });
        button("AskButton", [this] {
            const auto answer =
                QMessageBox::question(this, QStringLiteral("題"), QStringLiteral("保存しますか？"));
            Label1->setText(answer == QMessageBox::Yes ? QStringLiteral("yes")
                                                       : QStringLiteral("no"));
        });
        button("QuitButton", [] { QCoreApplication::quit(); });
        QPushButton* disabled =
            button("DisabledButton", [this] { Label1->setText(QStringLiteral("clicked")); });
        disabled->setEnabled(false);
        connect(Text1, &QLineEdit::textEdited, this, [this] { ++edits; });
        connect(Text1, &QLineEdit::textChanged, this,
                [this] { Label3->setText(QString::number(edits)); });
        connect(tmrTick, &QTimer::timeout, this, [this] {
            ++ticks;
            Label2->setText(QString::number(ticks));
        });
        tmrTick->start(0); // ticks on every turn of the event loop unless held back
        resize(200, 200);
    }

    QLabel* Label1 = new QLabel(QStringLiteral("start"), this);
    QLabel* Label2 = new QLabel(QStringLiteral("0"), this); // timer ticks
    QLabel* Label3 = new QLabel(QStringLiteral("0"), this); // user edits of Text1
    QLineEdit* Text1 = new QLineEdit(this);
    QTimer* tmrTick = new QTimer(this);
    QMenu* menu = new QMenu(this);
    int ticks = 0;
    int edits = 0;

private:
    template <typename F> QPushButton* button(const char* name, F onClick) {
        auto* b = new QPushButton(QString::fromLatin1(name), this);
        b->setObjectName(QString::fromLatin1(name));
        connect(b, &QPushButton::clicked, this, onClick);
        return b;
    }
};

struct Run {
    int status = -1;
    QString output;
};

/// Runs a script against an open frmTest and returns the exit status and what it printed.
Run run(const QString& script) {
    const auto parsed = parseScript(script);
    if (parsed.error)
        return {};
    std::FILE* out = std::tmpfile();
    Run result;
    {
        ScriptRunner runner(parsed.commands, QDir::current(), out);
        runner.start();
        result.status = QCoreApplication::exec();
    }
    std::rewind(out);
    QByteArray bytes;
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, out))
        bytes.append(buffer, static_cast<qsizetype>(n));
    std::fclose(out);
    result.output = QString::fromUtf8(bytes);
    return result;
}

} // namespace

class RunnerTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_window = std::make_unique<frmTest>();
        m_window->show();
    }
    void cleanup() { m_window.reset(); }

    void drivesScripts_data();
    void drivesScripts();
    void stopsAtAQuestionWithoutAnswer();
    void stopsAtAnUnknownControl();

private:
    std::unique_ptr<frmTest> m_window;
};

void RunnerTest::drivesScripts_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("output");
    QTest::newRow("a blocking popup menu is closed before the next line")
        << "click frmTest.MenuButton\nprint frmTest.Label1\nmenu frmTest.mnuPick\n"
           "print frmTest.Label1\n"
        << "frmTest.Label1 = \"none\"\nfrmTest.Label1 = \"picked\"\n";
    QTest::newRow("lines after a modal dialog's exec drive the dialog")
        << "click frmTest.DialogButton\nset DialogAsk.Text1 42\nclick DialogAsk.OKButton\n"
           "print frmTest.Label1\n"
        << "frmTest.Label1 = \"42\"\n";
    QTest::newRow("an answer given before the question")
        << "answer no\nclick frmTest.AskButton\nprint frmTest.Label1\nprint messages\n"
        << "frmTest.Label1 = \"no\"\nmessages = \"題\\t保存しますか？\\n\"\n";
    QTest::newRow("an answer given while the question is open")
        << "click frmTest.AskButton\nanswer yes\nprint frmTest.Label1\n"
        << "frmTest.Label1 = \"yes\"\n";
    QTest::newRow("the program's timers tick only when fired")
        << "print frmTest.Label2\nprint frmTest.Label2\nfire frmTest.tmrTick\n"
           "print frmTest.Label2\n"
        << "frmTest.Label2 = \"0\"\nfrmTest.Label2 = \"0\"\nfrmTest.Label2 = \"1\"\n";
    QTest::newRow("a quit request does not cut the script short")
        << "click frmTest.QuitButton\nprint frmTest.Label1\n"
        << "frmTest.Label1 = \"start\"\n";
    QTest::newRow("a disabled button ignores the click")
        << "click frmTest.DisabledButton\nprint frmTest.Label1\n"
        << "frmTest.Label1 = \"start\"\n";
    QTest::newRow("typing is the user's editing, set is the program's")
        << "type frmTest.Text1 ab\nprint frmTest.Label3\nset frmTest.Text1 xyz\n"
           "print frmTest.Label3\nprint frmTest.Text1\n"
        << "frmTest.Label3 = \"2\"\nfrmTest.Label3 = \"2\"\nfrmTest.Text1 = \"xyz\"\n";
    QTest::newRow("a key goes to the control with the focus")
        << "type frmTest.Text1 12\nkey frmTest.Text1 Home\nkey frmTest.Text1 Delete\n"
           "print frmTest.Text1\nprint frmTest.Text1.focus\n"
        << "frmTest.Text1 = \"2\"\nfrmTest.Text1.focus = \"true\"\n";
}

void RunnerTest::drivesScripts() {
    QFETCH(QString, script);
    QFETCH(QString, output);
    const Run r = run(script);
    QCOMPARE(r.status, 0);
    QCOMPARE(r.output, output);
}

void RunnerTest::stopsAtAQuestionWithoutAnswer() {
    const Run r = run(QStringLiteral("click frmTest.AskButton\nprint frmTest.Label1\n"));
    QCOMPARE(r.status, 2);
    QCOMPARE(r.output, QString());
}

void RunnerTest::stopsAtAnUnknownControl() {
    const Run r = run(QStringLiteral("print frmTest.Label1\nclick frmTest.Nothing\n"
                                     "print frmTest.Label1\n"));
    QCOMPARE(r.status, 2);
    QCOMPARE(r.output, QStringLiteral("frmTest.Label1 = \"start\"\n"));
}

QTEST_MAIN(RunnerTest)
#include "runner_test.moc"
