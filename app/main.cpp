// DOZUDO: reads the command line, starts the main window and runs the event loop.
#include <fontconfig/fontconfig.h>

#include <malloc.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QDirIterator>
#include <QIcon>
#include <QFile>
#include <QTimer>
#include <functional>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "app/display_failure.h"
#include "game/collection_check.h"
#include "help/info_form.h"
#include "ui/main_window.h"

namespace {

// The one id of the program on the desktop: desktop entry, icon, puzzle-file type, AppStream.
constexpr const char* desktopId = "example.vorlane.Dozudo";

// What the command line asks for. Every mode but showing the window is served before a
// display is needed.
struct CommandLine {
    enum Mode { ShowWindow, Help, Version, Check, Explain, Wrong } mode = ShowWindow;
    QString error;             // for Wrong: one line
    QStringList puzzleFiles;   // what follows the options; the first is opened, or all are checked
};

CommandLine parseCommandLine(QCommandLineParser& parser, int argc, char** argv) {
    parser.setApplicationDescription("Sudoku helper that checks, hints and fills.");
    // "-x.sdk" is one unknown option, not the options x, ., s, d and k.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({"h", "help"}, "Displays this help.");
    const QCommandLineOption version({"v", "version"}, "Displays the version.");
    const QCommandLineOption check(
        "check",
        "Checks every puzzle of the files without opening a window: a line a puzzle with its "
        "number, its solutions (0, 1, 2+) and how far the program's logic gets (singles, "
        "reduction, the hardest solving technique its path needs, or stuck and the empty fields "
        "left), then a summary. Exit status 0 when every puzzle has exactly one solution, 1 "
        "otherwise, 2 when a file cannot be read.");
    const QCommandLineOption explain(
        "explain",
        "Prints the path of the file's first puzzle from its digits to the solution without "
        "opening a window, one step a line: the technique, the fields and digits of its "
        "pattern, and what it removes or places. Exit status 0 when the path reaches the "
        "solution, 1 otherwise, 2 when the file cannot be read.");
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(check);
    parser.addOption(explain);
    parser.addPositionalArgument(
        "puzzle.sdk",
        "The puzzle file to open at start; further files are ignored. With --check: the "
        "files to check.",
        "[--check | --explain] [--] [puzzle.sdk...]");

    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    CommandLine command;
    if (!parser.parse(arguments)) {
        command.mode = CommandLine::Wrong;
        command.error = parser.errorText();
    } else if (parser.isSet(help)) {
        command.mode = CommandLine::Help;
    } else if (parser.isSet(version)) {
        command.mode = CommandLine::Version;
    } else if (parser.isSet(check)) {
        command.mode = CommandLine::Check;
        if (parser.positionalArguments().isEmpty()) {
            command.mode = CommandLine::Wrong;
            command.error = "--check needs at least one puzzle file.";
        }
    } else if (parser.isSet(explain)) {
        command.mode = CommandLine::Explain;
        if (parser.positionalArguments().size() != 1) {
            command.mode = CommandLine::Wrong;
            command.error = "--explain needs one puzzle file.";
        }
    }
    command.puzzleFiles = parser.positionalArguments();
    return command;
}

// The usage as QCommandLineParser words it; its first line names the program as it was started,
// which the parser reads from an application object.
void printUsage(const QCommandLineParser& parser, char** argv, std::FILE* out) {
    int count = 1;
    QCoreApplication names(count, argv);
    std::fputs(qPrintable(parser.helpText()), out);
}

bool hasDisplay() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform) return true;  // the caller chose a platform (offscreen, vnc, ...)
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value && *value) return true;
    }
    return false;
}

// Runs work once, when the event loop is next free after the window's first paint.
class AfterFirstPaint : public QObject {
  public:
    AfterFirstPaint(QWidget* window, std::function<void()> work) : QObject(window), work_(std::move(work)) {
        window->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && work_) {
            watched->removeEventFilter(this);
            // Taken out of the filter: it runs once even if a second paint comes first.
            QTimer::singleShot(0, this, [this, work = std::move(work_)] {
                work();
                deleteLater();
            });
            work_ = nullptr;
        }
        return false;
    }

  private:
    std::function<void()> work_;
};

void afterFirstPaint(QWidget* window, std::function<void()> work) { new AfterFirstPaint(window, std::move(work)); }

// The icon of the installed icon theme, else the copy built into the program.
QIcon programIcon() {
    QIcon builtIn;
    QDirIterator pictures(":/icons", {"*.png"}, QDir::Files, QDirIterator::Subdirectories);
    while (pictures.hasNext()) builtIn.addFile(pictures.next());
    return QIcon::fromTheme(desktopId, builtIn);
}

}  // namespace

int main(int argc, char** argv) {
    // The class of the window on X11 (WM_CLASS) and the title of the error box.
    QCoreApplication::setApplicationName("dozudo");
    QCoreApplication::setApplicationVersion(DOZUDO_VERSION);
    QCommandLineParser parser;
    const CommandLine command = parseCommandLine(parser, argc, argv);
    switch (command.mode) {
        case CommandLine::Help:
            printUsage(parser, argv, stdout);
            return 0;
        case CommandLine::Version:
            std::printf("%s %s\n", qPrintable(QCoreApplication::applicationName()),
                        qPrintable(QCoreApplication::applicationVersion()));
            return 0;
        case CommandLine::Check: {
            std::vector<std::string> files;
            for (const QString& file : command.puzzleFiles)
                files.push_back(QFile::encodeName(file).toStdString());
            return dozudo::checkCollections(files, std::cout, std::cerr);
        }
        case CommandLine::Explain:
            return dozudo::explainFile(QFile::encodeName(command.puzzleFiles[0]).toStdString(),
                                       std::cout, std::cerr);
        case CommandLine::Wrong:
            std::fprintf(stderr, "dozudo: %s\n", qPrintable(command.error));
            printUsage(parser, argv, stderr);
            return 2;
        case CommandLine::ShowWindow:
            break;
    }

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
    // The arguments are the program's own (read above): Qt is given the program's name only,
    // so that it takes no puzzle file for one of its options.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    dozudo::displayStarted();
    QGuiApplication::setDesktopFileName(desktopId);
    fontConfiguration.join();
    dozudo::TForm1 Form1;
    Form1.commandLine = QStringList{QString::fromLocal8Bit(argv[0])} + command.puzzleFiles;
    // The help window starts hidden; it belongs to the main window.
    Form1.infoForm = new dozudo::TinfoForm(Form1.cellSize, &Form1);
    Form1.show();
    // Looking the icon up in the icon theme takes longer than anything else of the start: it is
    // done once the window has been drawn (the window manager takes the icon when it comes).
    afterFirstPaint(&Form1, [] { QApplication::setWindowIcon(programIcon()); });
    return app.exec();
}
