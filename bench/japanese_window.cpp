// Reference for the start-up measurement: the smallest Japanese window — a main window with
// a four-menu Japanese menu bar, an input line, two labels in the CJK faces the program
// uses and a status-bar message. Nothing is computed.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("電卓"));

    struct MenuItems {
        const char* title;
        std::initializer_list<const char*> actions;
    };
    const MenuItems menus[] = {
        {"ファイル(&F)", {"開く(&O)...", "名前を付けて保存(&A)...", "終了(&X)"}},
        {"編集(&E)", {"切り取り(&T)", "コピー(&C)", "貼り付け(&P)"}},
        {"表示(&V)", {"計算履歴を表示(&H)", "メモ帳を表示(&M)"}},
        {"ヘルプ(&H)", {"基本的な使い方(&B)", "バージョン情報(&A)"}},
    };
    for (const MenuItems& m : menus) {
        QMenu* menu = window.menuBar()->addMenu(QString::fromUtf8(m.title));
        for (const char* action : m.actions)
            menu->addAction(QString::fromUtf8(action));
    }

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    auto* total = new QLabel(QStringLiteral("合計　0"));
    total->setFont(QFont(QStringLiteral("Noto Serif CJK JP"), 14));
    auto* hint = new QLabel(QStringLiteral("数式を入力してください"));
    hint->setFont(QFont(QStringLiteral("Noto Sans CJK JP"), 10));
    auto* input = new QLineEdit;
    input->setFont(QFont(QStringLiteral("Noto Sans CJK JP"), 12));
    layout->addWidget(total);
    layout->addWidget(input);
    layout->addWidget(hint);
    window.setCentralWidget(central);
    window.statusBar()->showMessage(QStringLiteral("準備完了"));

    window.resize(348, 333);
    window.show();
    input->setFocus();
    return app.exec();
}
