#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow frmMain;
    frmMain.setObjectName(QStringLiteral("frmMain"));
    frmMain.setWindowTitle(QStringLiteral("電卓"));
    frmMain.resize(400, 300);
    frmMain.show();
    return app.exec();
}
