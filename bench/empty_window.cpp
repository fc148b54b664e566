// Reference for the start-up measurement: the smallest Qt Widgets window.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget w;
    w.resize(300, 200);
    w.show();
    return app.exec();
}
