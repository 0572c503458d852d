// The yardstick for the start-up measurement: a bare Qt 6 window of the main window's size
// (915 x 707, the size at a screen wider than 1024 pixels) with nothing in it.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("bare window");
    window.setFixedSize(915, 707);
    window.show();
    return app.exec();
}
