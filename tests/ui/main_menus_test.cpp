#include "core/engine/engine.h"
#include "ui/mainwindow/main_menus.h"

#include <QAction>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

using sumiplex::engine::View;
using sumiplex::ui::MainMenus;
using sumiplex::ui::MenuId;
using sumiplex::ui::MenuKind;
using sumiplex::ui::MenuRow;
using sumiplex::ui::MenuRule;

namespace {

// One row of every kind and rule, spread over a bar menu and a context menu.
std::vector<MenuRow> probeTable(int& triggered) {
    using enum MenuId;
    using enum MenuKind;
    using enum MenuRule;
    return {
        {.menu = Edit,
         .name = "itemPlain",
         .caption = u"Plain(&P)",
         .shortcut = Qt::CTRL | Qt::Key_G,
         .handler = [&triggered] { ++triggered; }},
        {.menu = Edit, .name = "itemCut", .caption = u"Cut", .shortcut = Qt::CTRL | Qt::Key_X},
        {.menu = Edit, .name = "mnuEditCut", .caption = u"Cut", .shortcut = Qt::CTRL | Qt::Key_Y},
        {.menu = Edit, .name = "barOne", .kind = Separator},
        {.menu = Edit,
         .name = "itemPending",
         .caption = u"Later",
         .shortcut = Qt::CTRL | Qt::Key_P,
         .rule = Pending},
        {.menu = Edit, .name = "itemNote", .caption = u"Note", .rule = TapeHasSteps},
        {.menu = View, .name = "itemTax", .caption = u"Tax", .kind = Checked, .rule = TaxLines},
        {.menu = View, .name = "itemToggle", .caption = u"Toggle", .kind = Unchecked},
        {.menu = Popup2, .name = "itemUndo", .caption = u"Undo", .rule = Undo},
        {.menu = Popup2, .name = "itemCash", .caption = u"Cash", .rule = Cash},
        {.menu = Popup2,
         .name = "itemFour",
         .caption = u"Four",
         .kind = Unchecked,
         .rule = FourDigit},
    };
}

} // namespace

class MainMenusTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_window = std::make_unique<QMainWindow>();
        m_triggered = 0;
        m_menus = MainMenus();
        m_menus.build(*m_window, probeTable(m_triggered));
    }

    void buildsEachRowInItsMenu() {
        QMenu& edit = m_menus.menu(MenuId::Edit);
        QStringList names;
        for (const QAction* a : edit.actions())
            names << a->objectName();
        QCOMPARE(names, QStringList({"itemPlain", "itemCut", "mnuEditCut", "barOne", "itemPending",
                                     "itemNote"}));
        QVERIFY(edit.actions().at(3)->isSeparator());
        QCOMPARE(edit.objectName(), QStringLiteral("mnuEdit"));
        // Bar menus go on the bar in table order; context menus stay off it.
        const QList<QAction*> bar = m_window->menuBar()->actions();
        QCOMPARE(bar.size(), 2);
        QCOMPARE(bar.at(0)->objectName(), QStringLiteral("mnuEdit"));
        QCOMPARE(bar.at(1)->objectName(), QStringLiteral("mnuView"));
        QCOMPARE(m_menus.menu(MenuId::Popup2).objectName(), QStringLiteral("mnuPopup2"));
    }

    void itemsStartAsTheirRowsSay_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("checkable");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<QString>("shortcut");
        QTest::newRow("plain") << "itemPlain" << true << false << false << "Ctrl+G";
        QTest::newRow("pending") << "itemPending" << false << false << false << "Ctrl+P";
        QTest::newRow("starts checked") << "itemTax" << true << true << true << "";
        QTest::newRow("starts unchecked") << "itemToggle" << true << true << false << "";
    }
    void itemsStartAsTheirRowsSay() {
        QFETCH(QString, name);
        QFETCH(bool, enabled);
        QFETCH(bool, checkable);
        QFETCH(bool, checked);
        QFETCH(QString, shortcut);
        const QAction* action = m_menus.action(qPrintable(name));
        QVERIFY(action != nullptr);
        QCOMPARE(action->isEnabled(), enabled);
        QCOMPARE(action->isCheckable(), checkable);
        QCOMPARE(action->isChecked(), checked);
        QCOMPARE(action->shortcut().toString(), shortcut);
    }

    void viewRulesSetStates_data() {
        QTest::addColumn<bool>("cash");
        QTest::addColumn<bool>("undo");
        QTest::addColumn<bool>("fourDigit");
        QTest::addColumn<bool>("taxShown");
        QTest::newRow("all off") << false << false << false << false;
        QTest::newRow("all on") << true << true << true << true;
        QTest::newRow("mixed") << true << false << true << false;
    }
    void viewRulesSetStates() {
        QFETCH(bool, cash);
        QFETCH(bool, undo);
        QFETCH(bool, fourDigit);
        QFETCH(bool, taxShown);
        View view;
        view.menus.cash = cash;
        view.menus.undo = undo;
        view.menus.fourDigit = fourDigit;
        view.tax.visible = taxShown;
        m_menus.render(view);
        QCOMPARE(m_menus.action("itemCash")->isEnabled(), cash);
        QCOMPARE(m_menus.action("itemUndo")->isEnabled(), undo);
        QCOMPARE(m_menus.action("itemFour")->isChecked(), fourDigit);
        QCOMPARE(m_menus.action("itemTax")->isChecked(), taxShown);
        // What the view does not rule over keeps its state.
        QVERIFY(!m_menus.action("itemPending")->isEnabled());
        QVERIFY(m_menus.action("itemNote")->isEnabled());
    }

    void renderedChecksDoNotTrigger() {
        View view;
        view.menus.fourDigit = true;
        int toggled = 0;
        connect(m_menus.action("itemFour"), &QAction::toggled, this, [&toggled] { ++toggled; });
        m_menus.render(view);
        QCOMPARE(toggled, 0);
    }

    void tapeRuleFollowsTheTape() {
        m_menus.tapeHasSteps(false);
        QVERIFY(!m_menus.action("itemNote")->isEnabled());
        QVERIFY(m_menus.action("itemPlain")->isEnabled());
        m_menus.tapeHasSteps(true);
        QVERIFY(m_menus.action("itemNote")->isEnabled());
    }

    void triggeringRunsTheHandler() {
        m_menus.action("itemPlain")->trigger();
        QCOMPARE(m_triggered, 1);
        m_menus.action("itemCut")->trigger(); // no handler: nothing to run
        QCOMPARE(m_triggered, 1);
    }

    void menuShortcutsAreTakenFromLineEdits_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("taken");
        QTest::newRow("enabled item") << int(Qt::Key_G) << int(Qt::ControlModifier) << true;
        // The edit items are known by name, not by key.
        QTest::newRow("another item on an edit key")
            << int(Qt::Key_X) << int(Qt::ControlModifier) << true;
        QTest::newRow("edit key stays with the edit")
            << int(Qt::Key_Y) << int(Qt::ControlModifier) << false;
        QTest::newRow("disabled item") << int(Qt::Key_P) << int(Qt::ControlModifier) << false;
        QTest::newRow("no item has it") << int(Qt::Key_Q) << int(Qt::ControlModifier) << false;
        QTest::newRow("plain character") << int(Qt::Key_G) << int(Qt::NoModifier) << false;
    }
    void menuShortcutsAreTakenFromLineEdits() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, taken);
        const QKeyEvent event(QEvent::ShortcutOverride, key, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(m_menus.isMenuShortcut(event), taken);
    }

    void cleanup() {
        m_menus = MainMenus();
        m_window.reset();
    }

private:
    std::unique_ptr<QMainWindow> m_window;
    MainMenus m_menus;
    int m_triggered = 0;
};

QTEST_MAIN(MainMenusTest)
#include "main_menus_test.moc"
