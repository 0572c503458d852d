// The yardstick for the start-up measurement: a plain Qt 6 window of the main window's size
// (915 x 707, the size at a screen wider than 1024 pixels) that shows a label and a button,
// the least a desktop program draws.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("bare window");
    window.setFixedSize(915, 707);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel("A label"));
    layout->addWidget(new QPushButton("A button"));
    window.show();
    return app.exec();
}
