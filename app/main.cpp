// DOZUDO: starts the main window and runs the event loop.
#include <fontconfig/fontconfig.h>

#include <malloc.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "app/display_failure.h"
#include "help/info_form.h"
#include "ui/main_window.h"

namespace {

bool hasDisplay() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform) return true;  // the caller chose a platform (offscreen, vnc, ...)
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value && *value) return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (!hasDisplay()) {
        std::fprintf(stderr,
                     "dozudo: no graphical display found (neither DISPLAY nor WAYLAND_DISPLAY is "
                     "set).\nStart it from a desktop session, or under a virtual display, e.g. "
                     "xvfb-run -s '-screen 0 1280x1024x24' dozudo\n");
        return 1;
    }
    // One heap for every thread: the helper threads below live only through the start, and
    // heaps of their own would keep what they freed resident.
    mallopt(M_ARENA_MAX, 1);
    // Reading the font configuration takes a few milliseconds before the first text can be
    // drawn; a second core does it while the connection to the display is made.
    std::thread fontConfiguration([] { FcInit(); });
    dozudo::exitWhenNoDisplayStarts();
    QApplication app(argc, argv);
    dozudo::displayStarted();
    fontConfiguration.join();
    dozudo::TForm1 Form1;
    // The help window starts hidden; it belongs to the main window.
    Form1.infoForm = new dozudo::TinfoForm(Form1.cellSize, &Form1);
    Form1.show();
    return app.exec();
}
