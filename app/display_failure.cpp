#include "app/display_failure.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace dozudo {

namespace {

QtMessageHandler qtHandler = nullptr;

// Qt's plugin loader says it could not load the platform plugin just before its fatal
// message; the program's own message replaces both, so these wait until the start is over.
struct HeldMessage {
    QtMsgType type;
    std::string category, file, function;
    int line;
    QString text;
};
std::vector<HeldMessage> held;

const char* variable(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? value : "(not set)";
}

// Qt ends with a fatal message naming the "platform plugin" when none of the platforms it
// tries (QT_QPA_PLATFORM, or its own order such as "wayland;xcb") can be loaded and connect
// to its display. Its warnings before that (which platform failed and why) pass through,
// but for the plugin loader's, which are held back and dropped when the start fails.
void onStartMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtFatalMsg && context.category && std::strcmp(context.category, "qt.qpa.plugin") == 0) {
        held.push_back({type, context.category, context.file ? context.file : "",
                        context.function ? context.function : "", context.line, text});
        return;
    }
    if (type == QtFatalMsg && text.contains(QLatin1String("platform plugin"))) {
        std::fprintf(stderr,
                     "dozudo: no graphical display could be opened (WAYLAND_DISPLAY=%s, "
                     "DISPLAY=%s, QT_QPA_PLATFORM=%s).\nStart it from a desktop session; on "
                     "Wayland it needs Qt's Wayland platform plugin (Debian package "
                     "qt6-wayland).\n",
                     variable("WAYLAND_DISPLAY"), variable("DISPLAY"), variable("QT_QPA_PLATFORM"));
        std::fflush(stderr);
        // Qt is half set up here: leave at once, without running its clean-up.
        std::_Exit(1);
    }
    qtHandler(type, context, text);
}

}  // namespace

void exitWhenNoDisplayStarts() { qtHandler = qInstallMessageHandler(onStartMessage); }

void displayStarted() {
    qInstallMessageHandler(qtHandler);
    for (const HeldMessage& m : held) {
        const QMessageLogContext context(m.file.c_str(), m.line, m.function.c_str(), m.category.c_str());
        qtHandler(m.type, context, m.text);
    }
    held.clear();
}

}  // namespace dozudo
