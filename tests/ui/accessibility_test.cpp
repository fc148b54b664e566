// What a screen reader meets: every control that takes the keyboard, in the main window, its
// companions, the tool windows and the dialogs, has a spoken name, and the total and the tax
// lines say their figure after what they are, so a screen reader speaks the new total.

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/printing.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "ui/dialogs/dialog_font.h"
#include "ui/dialogs/dialog_note.h"
#include "ui/dialogs/frm_about.h"
#include "ui/mainwindow/dialog_doll.h"
#include "ui/mainwindow/dialog_tax.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/print/frm_printer.h"
#include "ui/widgets/accessible_names.h"

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

using sumiplex::ui::frmMain;

class AccessibilityTest;
/// Makes one dialog, unshown, with the test's fake services.
using MakeDialog = std::function<QWidget*(AccessibilityTest&)>;
Q_DECLARE_METATYPE(MakeDialog)

namespace {

QtMessageHandler g_defaultHandler = nullptr;
void quietOffscreenHandler(QtMsgType type, const QMessageLogContext& context, const QString& msg) {
    if (type == QtWarningMsg && msg.startsWith(QStringLiteral("This plugin does not support")))
        return;
    g_defaultHandler(type, context, msg);
}

QString spokenName(QWidget* widget) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    return iface ? iface->text(QAccessible::Name) : QString();
}

/// A name that says nothing once the mnemonic is taken away ("(M)", "&R") is no name.
bool saysSomething(QString name) {
    name.remove(QLatin1Char('&'));
    static const QRegularExpression mnemonic(QStringLiteral("\\(\\w\\)"));
    name.remove(mnemonic);
    return !name.trimmed().isEmpty();
}

/// The text box of a spin box or a combo box: the keyboard reaches it through its owner.
bool partOfItsOwner(const QWidget* widget) {
    return qobject_cast<const QAbstractSpinBox*>(widget->parentWidget()) ||
           qobject_cast<const QComboBox*>(widget->parentWidget());
}

/// A radio button of a group is reached by the arrow keys from the checked one; Tab stops
/// only on that one.
bool arrowsReach(const QWidget* widget) {
    const auto* radio = qobject_cast<const QRadioButton*>(widget);
    return radio && radio->autoExclusive() && !radio->isChecked();
}

/// The controls of `window` that take the keyboard and say nothing, as "objectName (class)".
QStringList unnamedControls(QWidget* window) {
    QStringList unnamed;
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* widget : widgets) {
        const bool takesKeyboard = (widget->focusPolicy() & Qt::TabFocus) != 0;
        if (!takesKeyboard || !widget->isVisibleTo(window) ||
            widget->isWindow() != (widget == window))
            continue;
        // The text box inside a spin box is spoken as part of it (an editable combo box's is
        // not, and is checked).
        if (qobject_cast<QAbstractSpinBox*>(widget->parentWidget()))
            continue;
        if (!saysSomething(spokenName(widget)))
            unnamed << QStringLiteral("%1 (%2)").arg(
                widget->objectName(), QString::fromLatin1(widget->metaObject()->className()));
    }
    return unnamed;
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void everyControlOfAWindowOpenedByItsMenuIsNamed_data();
    void everyControlOfAWindowOpenedByItsMenuIsNamed();
    void tabReachesEveryControl_data() { everyControlOfAWindowOpenedByItsMenuIsNamed_data(); }
    void tabReachesEveryControl();
    void aCaptionThatActsIsClickedFromTheKeyboard();
    void aFigureIsHeardWithWhatItIs();
    void everyControlOfADialogIsNamed_data();
    void everyControlOfADialogIsNamed();
    void totalAndTaxLinesAreHeardWhenTheyChange();

private:
    QWidget* openByMenu(const QString& action);

    sumiplex::platform::FakeClock m_clock;
    sumiplex::platform::FakeSettingsStore m_settings;
    sumiplex::platform::FakeFileDialogs m_files;
    sumiplex::platform::FakeMessageBoxes m_messages;
    sumiplex::platform::FakePickerDialogs m_pickers;
    sumiplex::platform::FakeShell m_shell;
    sumiplex::platform::FakePrinting m_printing;
    QTemporaryDir m_emptyFolder;
    QTemporaryDir m_tapes;
    std::unique_ptr<frmMain> m_window;
};

void AccessibilityTest::initTestCase() {
    g_defaultHandler = qInstallMessageHandler(quietOffscreenHandler);
}

void AccessibilityTest::init() {
    m_window = std::make_unique<frmMain>(
        sumiplex::ui::Services{m_clock, m_settings, m_files, m_messages, m_pickers, m_shell,
                               m_printing, m_emptyFolder.path(), m_tapes.path()});
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void AccessibilityTest::cleanup() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != m_window.get() && w->isVisible())
            w->close();
    m_window.reset();
}

void AccessibilityTest::everyControlOfAWindowOpenedByItsMenuIsNamed_data() {
    QTest::addColumn<QString>("action");
    // An empty action checks the main window itself.
    for (const char* action :
         {"", "mnuRireki", "mnuMemo", "mnuEge", "mnuDay", "mnuTime", "mmnuTon", "mnuCash", "mnuZei",
          "mnuMargin", "mnuEarlierTapes", "mnuTip", "mnuCheck", "mnuCorrect"})
        QTest::newRow(*action ? action : "frmMain") << QString::fromLatin1(action);
}

/// The window the menu item `action` opens (the main window for no action), or null.
QWidget* AccessibilityTest::openByMenu(const QString& action) {
    if (action.isEmpty())
        return m_window.get();
    QSet<QWidget*> before;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            before << w;
    auto* item = m_window->findChild<QAction*>(action);
    if (!item)
        return nullptr;
    item->trigger();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && !before.contains(w) && !qobject_cast<QMenu*>(w))
            return w;
    return nullptr;
}

void AccessibilityTest::everyControlOfAWindowOpenedByItsMenuIsNamed() {
    QFETCH(QString, action);
    QWidget* window = openByMenu(action);
    QVERIFY2(window, "the menu item opened no window");
    const QStringList unnamed = unnamedControls(window);
    QVERIFY2(unnamed.isEmpty(), qPrintable(window->objectName() + QStringLiteral(": ") +
                                           unnamed.join(QStringLiteral(", "))));
}

void AccessibilityTest::tabReachesEveryControl() {
    QFETCH(QString, action);
    // The check is keyed in the main window's input line; its buttons wait, disabled, for a
    // difference, so an empty check has nothing to tab to.
    if (action == QStringLiteral("mnuCheck"))
        QSKIP("the check is keyed from the main window's input line");
    QWidget* window = openByMenu(action);
    QVERIFY2(window, "the menu item opened no window");
    // A window may hand the keyboard back to the main window once it has opened.
    QTest::qWait(50);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QList<QWidget*> stops;
    for (QWidget* widget : window->findChildren<QWidget*>())
        if ((widget->focusPolicy() & Qt::TabFocus) && widget->isVisibleTo(window) &&
            widget->isEnabled() && !partOfItsOwner(widget) && !arrowsReach(widget))
            stops << widget;
    QVERIFY(!stops.isEmpty());
    stops.first()->setFocus(Qt::TabFocusReason);
    QSet<QWidget*> reached;
    // Twice round, so a control that keeps the Tab key shows as one never left.
    for (qsizetype i = 0; i < 2 * stops.size() + 2; ++i) {
        QWidget* focused = QApplication::focusWidget();
        if (!focused || focused->window() != window)
            break;
        reached << focused << focused->parentWidget();
        // A text box that takes Tab as text is left by Ctrl+Tab.
        const auto* text = qobject_cast<QPlainTextEdit*>(focused);
        QTest::keyClick(focused, Qt::Key_Tab,
                        text && !text->isReadOnly() ? Qt::ControlModifier : Qt::NoModifier);
    }
    QStringList missed;
    for (QWidget* stop : stops)
        if (!reached.contains(stop))
            missed << stop->objectName() + QStringLiteral(" (") +
                          QString::fromLatin1(stop->metaObject()->className()) + QLatin1Char(')');
    QVERIFY2(missed.isEmpty(), qPrintable(missed.join(QStringLiteral(", "))));
}

void AccessibilityTest::aCaptionThatActsIsClickedFromTheKeyboard() {
    auto* input = m_window->findChild<QLineEdit*>(QStringLiteral("Text1"));
    auto* taxAdded = m_window->findChild<QLabel*>(QStringLiteral("Label2"));
    QVERIFY(input && taxAdded);
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    input->setFocus();
    QTest::keyClicks(input, QStringLiteral("500+"));
    taxAdded->setFocus(Qt::TabFocusReason);
    QVERIFY(taxAdded->hasFocus());
    // Space copies the line into the input line as a click does; a second takes it away.
    QTest::keyClick(taxAdded, Qt::Key_Space);
    QCOMPARE(input->text(), taxAdded->text());
    QTest::keyClick(taxAdded, Qt::Key_Return);
    QCOMPARE(input->text(), QString());
}

void AccessibilityTest::aFigureIsHeardWithWhatItIs() {
    QWidget window;
    auto* result = new QLabel(QStringLiteral("12 日"), &window);
    result->setObjectName(QStringLiteral("Label1"));
    sumiplex::ui::describeForScreenReaders(window, {{"Label1", "日数の結果", "開始日から"}});
    result->setText(QStringLiteral("13 日"));
    // The figure is the name, so the new one is heard; what it is, is the description.
    QCOMPARE(spokenName(result), QStringLiteral("13 日"));
    QCOMPARE(QAccessible::queryAccessibleInterface(result)->text(QAccessible::Description),
             QStringLiteral("日数の結果。開始日から"));
}

void AccessibilityTest::everyControlOfADialogIsNamed_data() {
    using Make = MakeDialog;
    QTest::addColumn<Make>("make");
    QTest::newRow("DialogTax") << Make(
        [](AccessibilityTest&) -> QWidget* { return new sumiplex::ui::DialogTax(10, 0); });
    QTest::newRow("DialogDoll") << Make(
        [](AccessibilityTest&) -> QWidget* { return new sumiplex::ui::DialogDoll(140.0); });
    QTest::newRow("DialogNote") << Make([](AccessibilityTest&) -> QWidget* {
        return new sumiplex::ui::DialogNote(QStringLiteral("500 +"), QString());
    });
    QTest::newRow("DialogFont") << Make([](AccessibilityTest& t) -> QWidget* {
        return new sumiplex::ui::DialogFont(sumiplex::ui::WindowLooks{}, QStringLiteral("電卓"),
                                            t.m_pickers, [](const sumiplex::ui::WindowLooks&) {});
    });
    QTest::newRow("frmAbout") << Make([](AccessibilityTest& t) -> QWidget* {
        return new sumiplex::ui::frmAbout(QStringLiteral("電卓"), t.m_shell, t.m_messages);
    });
    QTest::newRow("frmPrinter") << Make([](AccessibilityTest& t) -> QWidget* {
        return new sumiplex::ui::frmPrinter(t.m_printing);
    });
}

void AccessibilityTest::everyControlOfADialogIsNamed() {
    QFETCH(MakeDialog, make);
    std::unique_ptr<QWidget> dialog(make(*this));
    dialog->show();
    const QStringList unnamed = unnamedControls(dialog.get());
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
}

void AccessibilityTest::totalAndTaxLinesAreHeardWhenTheyChange() {
    auto* input = m_window->findChild<QLineEdit*>(QStringLiteral("Text1"));
    QVERIFY(input);
    input->setFocus();
    QTest::keyClicks(input, QStringLiteral("500+"));
    // Each line is heard with its figure, after what it is.
    for (const char* name : {"Label1", "Label2", "Label3"}) {
        auto* line = m_window->findChild<QLabel*>(QString::fromLatin1(name));
        QVERIFY(line);
        const QString spoken = spokenName(line);
        QVERIFY2(!line->text().isEmpty() && spoken.contains(line->text().simplified()),
                 qPrintable(name + (": " + spoken)));
        QVERIFY2(spoken != line->text(), qPrintable(name + (": only the caption: " + spoken)));
    }
    QVERIFY(spokenName(m_window->findChild<QLabel*>(QStringLiteral("Label1")))
                .startsWith(QStringLiteral("合計")));
}

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
