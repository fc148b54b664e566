#include "platform/settings_keys.h"
#include "platform/settings_store.h"
#include "ui/widgets/tool_window_keys.h"

#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include <algorithm>
#include <functional>

using sumiplex::platform::FakeSettingsStore;
using sumiplex::platform::Setting;
using sumiplex::ui::ToolShow;
using sumiplex::ui::ToolWindow;
using sumiplex::ui::ToolWindows;

namespace {

constexpr Setting<float> kLeftRead{u"probeleft", 1000};
constexpr Setting<float> kLeftWritten{u"probeLeft", 1000};
constexpr Setting<float> kTop{u"probeTop", 1000};

class ProbeWindow final : public ToolWindow {
    Q_OBJECT
public:
    ProbeWindow(FakeSettingsStore& store, Closing closing, std::function<void()> onStore,
                const Setting<float>* leftWritten = nullptr)
        : ToolWindow(store, {kLeftRead, kTop, leftWritten}, closing),
          m_onStore(std::move(onStore)) {
        resize(120, 80);
        restorePosition();
    }

protected:
    void storeOnClose() override { m_onStore(); }

private:
    std::function<void()> m_onStore;
};

bool stored(const FakeSettingsStore& store, const QString& key) {
    return std::ranges::any_of(store.entries(), [&](const auto& e) { return e.first == key; });
}

} // namespace

class ToolWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void closingStoresThePlace_data() {
        QTest::addColumn<bool>("hides");
        QTest::addColumn<bool>("renamedLeft");
        QTest::addColumn<int>("stores");
        QTest::addColumn<bool>("loadedAfter");
        QTest::addColumn<QString>("leftKey");
        QTest::newRow("unloads: stored once") << false << false << 1 << false << "probeleft";
        QTest::newRow("only hides: at every close") << true << false << 2 << true << "probeleft";
        QTest::newRow("left written apart") << false << true << 1 << false << "probeLeft";
    }
    void closingStoresThePlace() {
        QFETCH(bool, hides);
        QFETCH(bool, renamedLeft);
        QFETCH(int, stores);
        QFETCH(bool, loadedAfter);
        QFETCH(QString, leftKey);
        FakeSettingsStore store;
        int storeCount = 0;
        ProbeWindow window(
            store, hides ? ToolWindow::Closing::Hides : ToolWindow::Closing::Unloads,
            [&] { ++storeCount; }, renamedLeft ? &kLeftWritten : nullptr);
        QVERIFY(window.isLoaded());
        for (int i = 0; i < 2; ++i) {
            window.show();
            window.close();
        }
        QCOMPARE(storeCount, stores);
        QCOMPARE(window.isLoaded(), loadedAfter);
        QVERIFY(stored(store, leftKey));
        QVERIFY(stored(store, QStringLiteral("probeTop")));
    }

    // A second opening finds the window; one that unloaded is replaced, and the old one goes.
    void registryBuildsOnceAndAnewAfterUnloading() {
        FakeSettingsStore store;
        QWidget main;
        auto* line = new QLineEdit(&main);
        int closedToMain = 0;
        ToolWindows tools(main, *line, [&] { ++closedToMain; });
        int built = 0;
        const auto make = [&](ToolWindow::Closing closing) {
            return std::function<ProbeWindow*()>([&store, &built, closing] {
                ++built;
                return new ProbeWindow(store, closing, [] {});
            });
        };
        const QString name = QStringLiteral("probe");
        ProbeWindow& first = tools.load<ProbeWindow>(name, make(ToolWindow::Closing::Unloads));
        QCOMPARE(&tools.load<ProbeWindow>(name, make(ToolWindow::Closing::Unloads)), &first);
        QCOMPARE(built, 1);
        tools.show(first, ToolShow::Quietly);
        const QPointer<ProbeWindow> old(&first);
        first.close();
        QCOMPARE(closedToMain, 1);
        QCOMPARE(tools.find<ProbeWindow>(name), nullptr);
        ProbeWindow& second = tools.load<ProbeWindow>(name, make(ToolWindow::Closing::Unloads));
        QCOMPARE(built, 2);
        QVERIFY(old.isNull());
        QCOMPARE(tools.find<ProbeWindow>(name), &second);

        const QString kept = QStringLiteral("kept");
        ProbeWindow& hidden = tools.load<ProbeWindow>(kept, make(ToolWindow::Closing::Hides));
        hidden.close();
        QCOMPARE(&tools.load<ProbeWindow>(kept, make(ToolWindow::Closing::Hides)), &hidden);
        QCOMPARE(built, 3);

        tools.forget(kept);
        QCOMPARE(tools.find<ProbeWindow>(kept), nullptr);
        delete &hidden;
    }

    // The program's end closes what is loaded, newest first, and deletes what is held.
    void closeAllClosesTheLoadedNewestFirst() {
        FakeSettingsStore store;
        QWidget main;
        auto* line = new QLineEdit(&main);
        QStringList closed;
        QPointer<ProbeWindow> held;
        {
            ToolWindows tools(main, *line, [] {});
            for (const QString name : {"a", "b", "c"})
                held = &tools.load<ProbeWindow>(name, [&, name] {
                    return new ProbeWindow(store, ToolWindow::Closing::Unloads,
                                           [&closed, name] { closed << name; });
                });
            tools.find<ProbeWindow>(QStringLiteral("b"))->close();
            tools.closeAll();
            QCOMPARE(closed, (QStringList{"b", "c", "a"}));
            QVERIFY(!held.isNull());
        }
        QVERIFY(held.isNull());
    }
};

QTEST_MAIN(ToolWindowsTest)
#include "tool_windows_test.moc"
