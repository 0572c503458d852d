// DOZUDO: starts the main window and runs the event loop.
#include <QApplication>

#include "ui/Unit1.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    dozudo::TForm1 Form1;
    Form1.show();
    return app.exec();
}
