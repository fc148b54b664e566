#include "driver/json.h"
#include "driver/keys.h"
#include "driver/properties.h"
#include "driver/script.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace sumiplex::driver;

Q_DECLARE_METATYPE(Verb)

class DriverScriptTest : public QObject {
    Q_OBJECT
private slots:
    void readsCommands_data();
    void readsCommands();
    void refusesMalformedLines_data();
    void refusesMalformedLines();
    void skipsCommentsAndBlankLinesButCountsThem();
    void readsAScriptWithAByteOrderMark();
    void decodesEscapes_data();
    void decodesEscapes();
    void quotesJson_data();
    void quotesJson();
    void namesKeys_data();
    void namesKeys();
    void readsWidgetProperties_data();
    void readsWidgetProperties();
    void refusesPropertiesThatDoNotApply_data();
    void refusesPropertiesThatDoNotApply();
    void convertsPixelsToTwips_data();
    void convertsPixelsToTwips();
};

void DriverScriptTest::readsCommands_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<Verb>("verb");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("argument");
    QTest::newRow("type keeps inner and trailing blanks")
        << "type frmMain.Text1 1 2 " << Verb::Type << "frmMain.Text1"
        << "1 2 ";
    QTest::newRow("type of one blank") << "type frmMain.Text1  " << Verb::Type << "frmMain.Text1"
                                       << " ";
    QTest::newRow("type decodes escapes")
        << "type frmMain.Text1 3*4\\r" << Verb::Type << "frmMain.Text1"
        << "3*4\r";
    QTest::newRow("set may empty a box") << "set frmMain.Text1" << Verb::Set << "frmMain.Text1"
                                         << "";
    QTest::newRow("full-width text") << "set frmMain.Text3 １" << Verb::Set << "frmMain.Text3"
                                     << "１";
    QTest::newRow("key by name") << "key frmMain.Text1 Enter" << Verb::Key << "frmMain.Text1"
                                 << "Enter";
    QTest::newRow("key by character") << "key frmMain.Text1 +" << Verb::Key << "frmMain.Text1"
                                      << "+";
    QTest::newRow("print a setting keeps both words")
        << "print setting TaxRate" << Verb::Print << "setting TaxRate"
        << "";
    QTest::newRow("print a property")
        << "print frmMain.Command4.enabled" << Verb::Print << "frmMain.Command4.enabled"
        << "";
    QTest::newRow("setting value with blanks")
        << "setting InputFont Times New Roman" << Verb::Setting << "InputFont"
        << "Times New Roman";
    QTest::newRow("clock") << "clock 2026-01-02 03:04:05" << Verb::Clock << ""
                           << "2026-01-02 03:04:05";
    QTest::newRow("font with a family of several words")
        << "font Times New Roman 10.5 1 0" << Verb::Font << ""
        << "Times New Roman 10.5 1 0";
    QTest::newRow("file path with blanks") << "file my memo.txt" << Verb::File << ""
                                           << "my memo.txt";
    QTest::newRow("folder of pictures") << "folder my pictures" << Verb::Folder << ""
                                        << "my pictures";
    QTest::newRow("select by index")
        << "select DialogCash.Combo1 #2" << Verb::Select << "DialogCash.Combo1"
        << "#2";
    QTest::newRow("CR LF script") << "click frmMain.Command1\r" << Verb::Click << "frmMain.Command1"
                                  << "";
    QTest::newRow("close a window") << "close frmTip2" << Verb::Close << "frmTip2"
                                    << "";
    QTest::newRow("tape line") << "tapeline 17" << Verb::TapeLine << ""
                               << "17";
    QTest::newRow("cell with blanks in its text")
        << "cell frmCorrect.GridEntries 2 3 伝票 No.7" << Verb::Cell << "frmCorrect.GridEntries"
        << "2 3 伝票 No.7";
    QTest::newRow("cell emptied") << "cell frmCorrect.GridEntries 0 1 " << Verb::Cell
                                  << "frmCorrect.GridEntries"
                                  << "0 1 ";
    QTest::newRow("insert key") << "key frmCorrect.GridEntries Insert" << Verb::Key
                                << "frmCorrect.GridEntries"
                                << "Insert";
}

void DriverScriptTest::readsCommands() {
    QFETCH(QString, line);
    QFETCH(Verb, verb);
    QFETCH(QString, target);
    QFETCH(QString, argument);
    const auto parsed = parseScript(line);
    QVERIFY2(!parsed.error, qPrintable(parsed.error ? parsed.error->message : QString()));
    QCOMPARE(parsed.commands.size(), 1);
    const auto& c = parsed.commands.front();
    QCOMPARE(c.verb, verb);
    QCOMPARE(c.target, target);
    QCOMPARE(c.argument, argument);
}

void DriverScriptTest::refusesMalformedLines_data() {
    QTest::addColumn<QString>("line");
    QTest::newRow("unknown verb") << "tipe frmMain.Text1 5";
    QTest::newRow("verb in capitals") << "Print tape";
    QTest::newRow("type without a control") << "type frmMain 5";
    QTest::newRow("click with a stray word") << "click frmMain.Command1 now";
    QTest::newRow("click on a window") << "click frmMain";
    QTest::newRow("unknown key name") << "key frmMain.Text1 Return";
    QTest::newRow("key of two characters") << "key frmMain.Text1 ab";
    QTest::newRow("bad clock") << "clock 2026-13-01 00:00:00";
    QTest::newRow("clock without seconds") << "clock 2026-01-01 10:00";
    QTest::newRow("answer maybe") << "answer maybe";
    QTest::newRow("font without italic") << "font Arial 10 1";
    QTest::newRow("font with bold 2") << "font Arial 10 2 0";
    QTest::newRow("colour word") << "colour red";
    QTest::newRow("open with a control") << "open frmMain.Text1";
    QTest::newRow("empty print") << "print";
    QTest::newRow("bad date") << "date DialogDays.DTPicker1 2026-02-30";
    QTest::newRow("reference with three dots") << "click a.b.c";
    QTest::newRow("folder without a path") << "folder";
    QTest::newRow("tape line without a number") << "tapeline";
    QTest::newRow("negative tape line") << "tapeline -1";
    QTest::newRow("tape line named by a control") << "tapeline frmTip2.Text1 3";
    QTest::newRow("cell without a column") << "cell frmCorrect.GridEntries 2";
    QTest::newRow("cell at a negative row") << "cell frmCorrect.GridEntries -1 1 5+";
    QTest::newRow("cell of a window") << "cell frmCorrect 0 1 5+";
}

void DriverScriptTest::refusesMalformedLines() {
    QFETCH(QString, line);
    const auto parsed = parseScript(QStringLiteral("open frmMain\n") + line + u'\n');
    QVERIFY(parsed.error.has_value());
    QCOMPARE(parsed.error->line, 2);
    QCOMPARE(parsed.error->source, line);
}

void DriverScriptTest::readsAScriptWithAByteOrderMark() {
    const auto parsed = parseScript(QString(QChar(0xfeff)) + QStringLiteral("open frmMain\n"));
    QVERIFY(!parsed.error);
    QCOMPARE(parsed.commands.size(), 1);
    QCOMPARE(parsed.commands[0].target, QStringLiteral("frmMain"));
}

void DriverScriptTest::skipsCommentsAndBlankLinesButCountsThem() {
    const auto parsed = parseScript(QStringLiteral("# heading\n\n   \n  # indented\nopen frmMain\n"
                                                   "\r\nprint tape\n"));
    QVERIFY(!parsed.error);
    QCOMPARE(parsed.commands.size(), 2);
    QCOMPARE(parsed.commands[0].line, 5);
    QCOMPARE(parsed.commands[1].line, 7);
}

void DriverScriptTest::decodesEscapes_data() {
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("decoded");
    QTest::newRow("plain") << "500+"
                           << "500+";
    QTest::newRow("line ends") << "a\\r\\nb"
                               << "a\r\nb";
    QTest::newRow("tab") << "\\t"
                         << "\t";
    QTest::newRow("escaped backslash before n") << "\\\\n"
                                                << "\\n";
    QTest::newRow("unknown escape kept") << "\\x"
                                         << "\\x";
    QTest::newRow("lone trailing backslash") << "5\\"
                                             << "5\\";
}

void DriverScriptTest::decodesEscapes() {
    QFETCH(QString, written);
    QFETCH(QString, decoded);
    QCOMPARE(decodeEscapes(written), decoded);
}

void DriverScriptTest::quotesJson_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("json");
    QTest::newRow("empty") << "" << QByteArray("\"\"");
    QTest::newRow("tape line") << "      1,000 +500= 1,500\r\n"
                               << QByteArray("\"      1,000 +500= 1,500\\r\\n\"");
    QTest::newRow("quote and backslash") << "a\"b\\c" << QByteArray("\"a\\\"b\\\\c\"");
    QTest::newRow("tab") << "a\tb" << QByteArray("\"a\\tb\"");
    QTest::newRow("other control characters")
        << QString(QChar(1)) + QChar(0x1f) << QByteArray("\"\\u0001\\u001f\"");
    QTest::newRow("Japanese stays UTF-8")
        << "小数点以下第　　　位" << QString("\"小数点以下第　　　位\"").toUtf8();
}

void DriverScriptTest::quotesJson() {
    QFETCH(QString, text);
    QFETCH(QByteArray, json);
    QCOMPARE(jsonQuote(text), json);
}

void DriverScriptTest::namesKeys_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::newRow("Enter") << "Enter" << int(Qt::Key_Return) << "\r";
    QTest::newRow("Space") << "Space" << int(Qt::Key_Space) << " ";
    QTest::newRow("Backspace") << "Backspace" << int(Qt::Key_Backspace) << "\b";
    QTest::newRow("Left types nothing") << "Left" << int(Qt::Key_Left) << "";
    QTest::newRow("digit") << "7" << int(Qt::Key_7) << "7";
    QTest::newRow("plus") << "+" << int(Qt::Key_Plus) << "+";
    QTest::newRow("percent") << "%" << int(Qt::Key_Percent) << "%";
    QTest::newRow("lower-case letter") << "t" << int(Qt::Key_T) << "t";
    QTest::newRow("full-width digit") << "１" << int(Qt::Key_unknown) << "１";
}

void DriverScriptTest::namesKeys() {
    QFETCH(QString, name);
    QFETCH(int, key);
    QFETCH(QString, text);
    const auto stroke = keyStrokeFor(name);
    QVERIFY(stroke.has_value());
    QCOMPARE(stroke->key, key);
    QCOMPARE(stroke->text, text);
}

namespace {

/// A small window with one control of each kind the properties are read from.
struct Sample {
    QWidget window;
    QLineEdit* edit = new QLineEdit(QStringLiteral("12 ERROR "), &window);
    QLabel* label = new QLabel(QStringLiteral("Total    0"), &window);
    QPushButton* button = new QPushButton(QStringLiteral("AC  (&C)"), &window);
    QCheckBox* check = new QCheckBox(QStringLiteral("box"), &window);
    QPlainTextEdit* tape = new QPlainTextEdit(QStringLiteral("a\nbc"), &window);
    QListWidget* list = new QListWidget(&window);
    QAction* action = new QAction(QStringLiteral("四桁表示(&J)"), &window);
    Sample() {
        window.setWindowTitle(QStringLiteral("電卓"));
        edit->setSelection(0, 9);
        button->setEnabled(false);
        check->setChecked(true);
        list->addItems({QStringLiteral("100"), QStringLiteral("250")});
        list->hide();
        action->setCheckable(true);
        QFont f(QStringLiteral("Times New Roman"));
        f.setPointSizeF(10.5);
        f.setBold(true);
        label->setFont(f);
        QPalette p = label->palette();
        p.setColor(QPalette::WindowText, QColor(0x0f, 0x5c, 0xff));
        label->setPalette(p);
    }
};

} // namespace

void DriverScriptTest::readsWidgetProperties_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QString>("value");
    QTest::newRow("window caption") << "window"
                                    << "text"
                                    << "電卓";
    QTest::newRow("line edit text") << "edit"
                                    << "text"
                                    << "12 ERROR ";
    QTest::newRow("selection of the whole line") << "edit"
                                                 << "selection"
                                                 << "0,9";
    QTest::newRow("caret after the selection") << "edit"
                                               << "caret"
                                               << "9";
    QTest::newRow("label caption") << "label"
                                   << "text"
                                   << "Total    0";
    QTest::newRow("button caption keeps its mnemonic") << "button"
                                                       << "text"
                                                       << "AC  (&C)";
    QTest::newRow("disabled button") << "button"
                                     << "enabled"
                                     << "false";
    QTest::newRow("checked box") << "check"
                                 << "checked"
                                 << "true";
    QTest::newRow("multi-line text") << "tape"
                                     << "text"
                                     << "a\nbc";
    QTest::newRow("list items one per line") << "list"
                                             << "text"
                                             << "100\n250";
    QTest::newRow("hidden list") << "list"
                                 << "visible"
                                 << "false";
    QTest::newRow("shown label") << "label"
                                 << "visible"
                                 << "true";
    QTest::newRow("font name") << "label"
                               << "font"
                               << "Times New Roman";
    QTest::newRow("font size") << "label"
                               << "fontsize"
                               << "10.5";
    QTest::newRow("bold") << "label"
                          << "bold"
                          << "true";
    QTest::newRow("italic") << "label"
                            << "italic"
                            << "false";
    QTest::newRow("colour with red in the low byte") << "label"
                                                     << "colour"
                                                     << "16735247";
    QTest::newRow("action caption") << "action"
                                    << "text"
                                    << "四桁表示(&J)";
    QTest::newRow("action unchecked") << "action"
                                      << "checked"
                                      << "false";
}

void DriverScriptTest::readsWidgetProperties() {
    QFETCH(QString, control);
    QFETCH(QString, property);
    QFETCH(QString, value);
    Sample s;
    s.window.show();
    const QHash<QString, QObject*> objects{
        {QStringLiteral("window"), &s.window}, {QStringLiteral("edit"), s.edit},
        {QStringLiteral("label"), s.label},    {QStringLiteral("button"), s.button},
        {QStringLiteral("check"), s.check},    {QStringLiteral("tape"), s.tape},
        {QStringLiteral("list"), s.list},      {QStringLiteral("action"), s.action}};
    const auto read = readProperty(*objects.value(control), property);
    QVERIFY2(read.value.has_value(), qPrintable(read.error));
    QCOMPARE(*read.value, value);
}

void DriverScriptTest::refusesPropertiesThatDoNotApply_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("property");
    QTest::newRow("caret of a label") << "label"
                                      << "caret";
    QTest::newRow("checked of a line edit") << "edit"
                                            << "checked";
    QTest::newRow("font of a menu item") << "action"
                                         << "font";
    QTest::newRow("misspelt property") << "edit"
                                       << "colour_";
}

void DriverScriptTest::refusesPropertiesThatDoNotApply() {
    QFETCH(QString, control);
    QFETCH(QString, property);
    Sample s;
    const QHash<QString, QObject*> objects{{QStringLiteral("edit"), s.edit},
                                           {QStringLiteral("label"), s.label},
                                           {QStringLiteral("action"), s.action}};
    const auto read = readProperty(*objects.value(control), property);
    QVERIFY(!read.value.has_value());
    QVERIFY(!read.error.isEmpty());
}

void DriverScriptTest::convertsPixelsToTwips_data() {
    QTest::addColumn<int>("pixels");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("twips");
    QTest::newRow("96 dpi, narrowest width") << 348 << 96 << 5220;
    QTest::newRow("96 dpi, widest width") << 642 << 96 << 9630;
    QTest::newRow("144 dpi") << 522 << 144 << 5220;
    QTest::newRow("rounds to nearest") << 1 << 100 << 14;
    QTest::newRow("no dpi") << 10 << 0 << 0;
}

void DriverScriptTest::convertsPixelsToTwips() {
    QFETCH(int, pixels);
    QFETCH(int, dpi);
    QFETCH(int, twips);
    QCOMPARE(pixelsToTwips(pixels, dpi), twips);
}

QTEST_MAIN(DriverScriptTest)
#include "driver_script_test.moc"
