// Monkey driver: sends a seeded, reproducible stream of random clicks, drags
// and key presses to the program's real window through the XTest extension.
// Between events it watches the program: a dead process is a crash, a window
// that does not answer a _NET_WM_PING within the time limit is a hang. A
// dialog window that the events open is closed (Escape, then a close request)
// and the run goes on; optionally a checkpoint command runs every N events.
//
//   dozudo_monkey --window ID --pid PID [--seed S] [--events N] [--delay-ms D]
//                 [--checkpoint-every N --checkpoint CMD] [--log FILE]
//
// Exit status: 0 all events sent and the program alive; 1 crash, hang, a
// dialog that would not close or a failed checkpoint; 2 bad usage.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Options {
    Window window = 0;
    pid_t pid = 0;
    std::uint64_t seed = 1;
    long events = 3000;
    int delayMs = 4;
    long checkpointEvery = 0;
    std::string checkpoint;
    std::string log;
    int hangSeconds = 10;
    int boardX = -1, boardY = -1, cell = 0;  // board view origin and field size (client pixels)
    bool calibrate = false;
    std::vector<std::string> explore;  // titles of dialogs that get events before they are closed
};

Display* dpy = nullptr;
std::FILE* logFile = nullptr;
Atom wmProtocols, wmDelete, netWmPing;

void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Deterministic for a seed on every platform: the engine is fully specified,
// and ranges are taken by plain remainder.
struct Rng {
    std::mt19937_64 engine;
    explicit Rng(std::uint64_t seed) : engine(seed) {}
    int below(int n) { return static_cast<int>(engine() % static_cast<std::uint64_t>(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
};

bool processAlive(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string pidText, name, state;
    if (!(stat >> pidText >> name >> state)) return false;
    return state != "Z" && state != "X";
}

struct Geometry {
    int x = 0, y = 0, w = 0, h = 0;
};

bool geometryOf(Window w, Geometry& g) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(dpy, w, &a)) return false;
    Window child;
    XTranslateCoordinates(dpy, w, DefaultRootWindow(dpy), 0, 0, &g.x, &g.y, &child);
    g.w = a.width;
    g.h = a.height;
    return true;
}

int ignoreErrors(Display*, XErrorEvent*) { return 0; }

std::string nameOf(Window w) {
    char* name = nullptr;
    std::string s;
    if (XFetchName(dpy, w, &name) && name) s = name;
    if (name) XFree(name);
    return s;
}

// Mapped top-level windows other than the main window that are not
// override-redirect (tooltips and menus are): the dialogs.
std::vector<Window> dialogs(Window main) {
    std::vector<Window> found;
    Window root, parent, *children = nullptr;
    unsigned n = 0;
    if (!XQueryTree(dpy, DefaultRootWindow(dpy), &root, &parent, &children, &n)) return found;
    for (unsigned i = 0; i < n; ++i) {
        if (children[i] == main) continue;
        XWindowAttributes a;
        if (XGetWindowAttributes(dpy, children[i], &a) && a.map_state == IsViewable && !a.override_redirect)
            found.push_back(children[i]);
    }
    if (children) XFree(children);
    return found;
}

long pingAnswered = 0;

// Handles what arrives from the server. Qt sends its answer to a ping to the
// root window for the window manager only, so the monkey takes that part
// (substructure redirect on the root): it maps and configures windows exactly
// as their clients ask.
void pump() {
    while (XPending(dpy)) {
        XEvent r;
        XNextEvent(dpy, &r);
        if (r.type == MapRequest) {
            XMapWindow(dpy, r.xmaprequest.window);
        } else if (r.type == ConfigureRequest) {
            const XConfigureRequestEvent& c = r.xconfigurerequest;
            XWindowChanges ch{c.x, c.y, c.width, c.height, c.border_width, c.above, c.detail};
            XConfigureWindow(dpy, c.window, static_cast<unsigned>(c.value_mask), &ch);
        } else if (r.type == CirculateRequest) {
            if (r.xcirculaterequest.place == PlaceOnTop) XRaiseWindow(dpy, r.xcirculaterequest.window);
            else XLowerWindow(dpy, r.xcirculaterequest.window);
        } else if (r.type == ClientMessage && r.xclient.message_type == wmProtocols &&
                   static_cast<Atom>(r.xclient.data.l[0]) == netWmPing) {
            pingAnswered = r.xclient.data.l[1];
        }
    }
    XFlush(dpy);
}

// Waits up to `ms` milliseconds for `done`, handling server events meanwhile.
template <typename Done>
bool waitFor(int ms, Done done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        pump();
        if (done()) return true;
        if (std::chrono::steady_clock::now() >= end) return false;
        sleepMs(5);
    }
}

// Runs a shell command to its end while still doing the window manager's part,
// so that windows the command causes to open get mapped. True on exit status 0.
bool runPumping(const std::string& cmd) {
    const pid_t child = fork();
    if (child < 0) return false;
    if (child == 0) {
        execl("/bin/sh", "sh", "-c", cmd.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitFor(120000, [&] { return waitpid(child, &status, WNOHANG) == child; });
    if (waitpid(child, &status, WNOHANG) == 0) {  // still running after two minutes
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// True when the window's client answers a _NET_WM_PING within the limit.
bool answersPing(Window w, int seconds) {
    static long serial = 1;
    const long stamp = ++serial;
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = wmProtocols;
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(netWmPing);
    e.xclient.data.l[1] = stamp;
    e.xclient.data.l[2] = static_cast<long>(w);
    XSendEvent(dpy, w, False, NoEventMask, &e);
    XFlush(dpy);
    return waitFor(seconds * 1000, [&] { return pingAnswered == stamp; });
}

void key(KeySym sym, bool shift = false, bool control = false) {
    const KeyCode code = XKeysymToKeycode(dpy, sym);
    if (!code) return;
    const KeyCode shiftCode = XKeysymToKeycode(dpy, XK_Shift_L), controlCode = XKeysymToKeycode(dpy, XK_Control_L);
    if (shift) XTestFakeKeyEvent(dpy, shiftCode, True, 0);
    if (control) XTestFakeKeyEvent(dpy, controlCode, True, 0);
    XTestFakeKeyEvent(dpy, code, True, 0);
    XTestFakeKeyEvent(dpy, code, False, 0);
    if (control) XTestFakeKeyEvent(dpy, controlCode, False, 0);
    if (shift) XTestFakeKeyEvent(dpy, shiftCode, False, 0);
    XSync(dpy, False);
}

void requestClose(Window w) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = wmProtocols;
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(wmDelete);
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(dpy, w, False, NoEventMask, &e);
    XSync(dpy, False);
}

bool stillMapped(Window w) {
    XWindowAttributes a;
    return XGetWindowAttributes(dpy, w, &a) && a.map_state == IsViewable;
}

// Closes a dialog: Escape with the focus on it, then a close request.
bool closeDialog(Window w) {
    for (int attempt = 0; attempt < 6; ++attempt) {
        if (!stillMapped(w)) return true;
        XSetInputFocus(dpy, w, RevertToParent, CurrentTime);
        if (attempt < 3)
            key(XK_Escape);
        else
            requestClose(w);
        waitFor(1000, [&] { return !stillMapped(w); });
    }
    return !stillMapped(w);
}

// Keys a user might press: digits and space most often, then navigation and
// editing keys, letters, function keys and a few shortcuts.
KeySym randomKey(Rng& rng, bool& shift, bool& control) {
    static const KeySym digits[] = {XK_0, XK_1, XK_2, XK_3, XK_4, XK_5, XK_6, XK_7, XK_8, XK_9, XK_space};
    static const KeySym others[] = {XK_Left,   XK_Right, XK_Up,     XK_Down, XK_BackSpace, XK_Delete,
                                    XK_Escape, XK_Return, XK_Tab,   XK_Home, XK_End,       XK_Page_Up,
                                    XK_Page_Down, XK_F1,  XK_F2,    XK_F10,  XK_a,         XK_c,
                                    XK_v,      XK_x,     XK_z,      XK_q,    XK_period,    XK_minus};
    shift = rng.below(12) == 0;
    control = rng.below(12) == 0;
    if (rng.below(100) < 60) return digits[rng.below(11)];
    const KeySym sym = others[rng.below(static_cast<int>(sizeof others / sizeof others[0]))];
    if (sym == XK_q) control = false;  // Ctrl+Q closes the window and would end the run
    return sym;
}

// A point in one of the window's regions (fractions of the client area, so
// that the regions follow the window's size): command bar, board, analysis
// column with the print-page selector, or anywhere.
void randomPoint(Rng& rng, const Geometry& g, int& x, int& y) {
    struct Region { double x0, y0, x1, y1; };
    static const Region regions[] = {{0.01, 0.01, 0.98, 0.10},   // command bar
                                     {0.13, 0.15, 0.73, 0.93},   // board
                                     {0.75, 0.15, 0.99, 0.93},   // analysis column, print selector
                                     {0.00, 0.00, 1.00, 1.00}};  // anywhere
    static const int weights[] = {30, 30, 25, 15};
    int pick = rng.below(100), r = 0;
    while (pick >= weights[r]) pick -= weights[r++];
    const Region& reg = regions[r];
    x = g.x + static_cast<int>(g.w * reg.x0) + rng.below(std::max(1, static_cast<int>(g.w * (reg.x1 - reg.x0))));
    y = g.y + static_cast<int>(g.h * reg.y0) + rng.below(std::max(1, static_cast<int>(g.h * (reg.y1 - reg.y0))));
}

void logEvent(long n, const char* what, int a = 0, int b = 0, int c = 0, int d = 0) {
    if (logFile) std::fprintf(logFile, "%ld %s %d %d %d %d\n", n, what, a, b, c, d);
}

// ---- reading the board's digits from the screen ----------------------------
// A digit is drawn in one font at one place in its field whatever its kind, so
// the pixels of exactly its kind's colour (given red, filled grey, entered
// black) form the same shape in every field. The shapes of 1..9 are learnt
// from a row of given digits at the start; option digits are smaller and
// match none, which reads as an empty field.
using Shape = std::string;
std::vector<Shape> digitShapes(10);

struct Grab {
    XImage* image = nullptr;
    ~Grab() { if (image) XDestroyImage(image); }
    unsigned long pixel(int x, int y) const { return XGetPixel(image, x, y) & 0xFFFFFF; }
};

Shape shapeOf(const Grab& g, int x0, int y0, int size, unsigned long colour) {
    int left = size, right = -1, top = size, bottom = -1;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (g.pixel(x0 + x, y0 + y) == colour) {
                left = std::min(left, x); right = std::max(right, x);
                top = std::min(top, y); bottom = std::max(bottom, y);
            }
    if (right < 0) return {};
    Shape s = std::to_string(right - left + 1) + "x" + std::to_string(bottom - top + 1) + ":";
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) s += g.pixel(x0 + x, y0 + y) == colour ? '#' : '.';
    return s;
}

// The 81 fields in reading order: '0' empty, '1'..'9', '?' a shape that is no
// digit; then a blank and the 81 kinds: 'g' given (red), 'f' filled (grey),
// 'e' entered (black), '-' empty.
std::string readBoard(const Options& o, const Grab& g) {
    static const unsigned long colours[] = {0xD00000, 0xB0B0B0, 0x000000};
    static const char kindLetters[] = {'g', 'f', 'e'};
    std::string digits, kinds;
    const int size = o.cell - 8;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) {
            const int x0 = o.boardX + (c - 1) * o.cell + 4, y0 = o.boardY + (r - 1) * o.cell + 4;
            char found = '0', kind = '-';
            for (int k = 0; k < 3; ++k) {
                const Shape s = shapeOf(g, x0, y0, size, colours[k]);
                if (s.empty()) continue;
                char d = k == 2 ? '0' : '?';  // black may be option digits
                for (int n = 1; n <= 9; ++n)
                    if (s == digitShapes[n]) d = static_cast<char>('0' + n);
                if (d != '0') {
                    found = d;
                    kind = kindLetters[k];
                }
            }
            digits += found;
            kinds += kind;
        }
    return digits + " " + kinds;
}

bool grabWindow(Window w, Grab& g) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(dpy, w, &a)) return false;
    g.image = XGetImage(dpy, w, 0, 0, static_cast<unsigned>(a.width), static_cast<unsigned>(a.height), AllPlanes,
                        ZPixmap);
    return g.image != nullptr;
}

// Reads the board once it stands still: two reads in a row that agree.
std::string readSettledBoard(const Options& o) {
    std::string last;
    for (int i = 0; i < 20; ++i) {
        Grab g;
        if (!grabWindow(o.window, g)) return {};
        const std::string now = readBoard(o, g);
        if (now == last) return now;
        last = now;
        waitFor(150, [] { return false; });
    }
    return last;
}

// Learns the digit shapes from row 1, which holds the given digits 1..9.
bool learnDigits(const Options& o) {
    Grab g;
    if (!grabWindow(o.window, g)) return false;
    for (int n = 1; n <= 9; ++n) {
        digitShapes[n] = shapeOf(g, o.boardX + (n - 1) * o.cell + 4, o.boardY + 4, o.cell - 8, 0xD00000);
        if (digitShapes[n].empty()) return false;
        for (int m = 1; m < n; ++m)
            if (digitShapes[m] == digitShapes[n]) return false;
    }
    return true;
}

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string k = argv[i], v = argv[i + 1];
        if (k == "--window") o.window = std::strtoul(v.c_str(), nullptr, 0);
        else if (k == "--pid") o.pid = std::atoi(v.c_str());
        else if (k == "--seed") o.seed = std::strtoull(v.c_str(), nullptr, 0);
        else if (k == "--events") o.events = std::atol(v.c_str());
        else if (k == "--delay-ms") o.delayMs = std::atoi(v.c_str());
        else if (k == "--checkpoint-every") o.checkpointEvery = std::atol(v.c_str());
        else if (k == "--checkpoint") o.checkpoint = v;
        else if (k == "--log") o.log = v;
        else if (k == "--hang-seconds") o.hangSeconds = std::atoi(v.c_str());
        else if (k == "--board") {
            if (std::sscanf(v.c_str(), "%d,%d,%d", &o.boardX, &o.boardY, &o.cell) != 3) return false;
        } else if (k == "--calibrate") o.calibrate = v == "1";
        else if (k == "--explore") o.explore.push_back(v);
        else return false;
    }
    return argc % 2 == 1 && o.window && o.pid > 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parse(argc, argv, o)) {
        std::fprintf(stderr, "usage: %s --window ID --pid PID [--seed S] [--events N] [--delay-ms D]\n"
                             "       [--board X,Y,CELL --calibrate 1] [--checkpoint-every N] [--checkpoint CMD]\n"
                             "       [--explore TITLE] [--log FILE] [--hang-seconds S]\n",
                     argv[0]);
        return 2;
    }
    dpy = XOpenDisplay(nullptr);
    int ev, er, major, minor;
    if (!dpy || !XTestQueryExtension(dpy, &ev, &er, &major, &minor)) {
        std::fprintf(stderr, "monkey: no display or no XTest extension\n");
        return 2;
    }
    XSetErrorHandler(ignoreErrors);
    wmProtocols = XInternAtom(dpy, "WM_PROTOCOLS", False);
    wmDelete = XInternAtom(dpy, "WM_DELETE_WINDOW", False);
    netWmPing = XInternAtom(dpy, "_NET_WM_PING", False);
    XSelectInput(dpy, DefaultRootWindow(dpy), SubstructureRedirectMask);
    if (!o.log.empty()) logFile = std::fopen(o.log.c_str(), "w");

    Rng rng(o.seed);
    Geometry mainGeometry;
    if (!geometryOf(o.window, mainGeometry)) {
        std::fprintf(stderr, "monkey: window 0x%lx not found\n", o.window);
        return 2;
    }
    if (o.calibrate && (o.cell <= 0 || !learnDigits(o))) {
        std::fprintf(stderr, "monkey: row 1 of the board does not show the given digits 1..9\n");
        return 2;
    }
    XSetInputFocus(dpy, o.window, RevertToParent, CurrentTime);
    long dialogsClosed = 0, checkpoints = 0;
    auto fail = [&](long n, const std::string& what) {
        std::fprintf(stderr, "monkey: %s after event %ld (seed %llu)\n", what.c_str(), n,
                     static_cast<unsigned long long>(o.seed));
        if (logFile) std::fclose(logFile);
        return 1;
    };

    Window exploring = 0;  // a dialog that gets the events for a while
    long exploreBudget = 0;
    auto focusTarget = [&] { return exploring ? exploring : o.window; };
    for (long n = 1; n <= o.events; ++n) {
        Geometry g = mainGeometry;
        if (exploring && !(stillMapped(exploring) && geometryOf(exploring, g))) {
            exploring = 0;  // it closed itself
            exploreBudget = 0;
            g = mainGeometry;
            XSetInputFocus(dpy, o.window, RevertToParent, CurrentTime);
        }
        int x, y;
        const int kind = rng.below(100);
        bool shift = false, control = false;
        if (kind < 45) {  // click, now and then with the right button or twice
            randomPoint(rng, g, x, y);
            const unsigned button = rng.below(10) == 0 ? 3 : 1;
            const int clicks = rng.below(8) == 0 ? 2 : 1;
            logEvent(n, "click", x - g.x, y - g.y, static_cast<int>(button), clicks);
            XTestFakeMotionEvent(dpy, -1, x, y, 0);
            for (int i = 0; i < clicks; ++i) {
                XTestFakeButtonEvent(dpy, button, True, 0);
                XTestFakeButtonEvent(dpy, button, False, 0);
            }
        } else if (kind < 55) {  // drag: press, a few moves, release elsewhere
            int x2, y2;
            randomPoint(rng, g, x, y);
            randomPoint(rng, g, x2, y2);
            logEvent(n, "drag", x - g.x, y - g.y, x2 - g.x, y2 - g.y);
            XTestFakeMotionEvent(dpy, -1, x, y, 0);
            XTestFakeButtonEvent(dpy, 1, True, 0);
            for (int s = 1; s <= 4; ++s) XTestFakeMotionEvent(dpy, -1, x + (x2 - x) * s / 4, y + (y2 - y) * s / 4, 0);
            XTestFakeButtonEvent(dpy, 1, False, 0);
        } else if (kind < 60) {  // hover
            randomPoint(rng, g, x, y);
            logEvent(n, "move", x - g.x, y - g.y);
            XTestFakeMotionEvent(dpy, -1, x, y, 0);
        } else {
            const KeySym sym = randomKey(rng, shift, control);
            logEvent(n, "key", static_cast<int>(sym), shift, control);
            key(sym, shift, control);
        }
        XSync(dpy, False);
        if (o.delayMs > 0) sleepMs(o.delayMs);
        pump();

        if (!processAlive(o.pid)) return fail(n, "the program died (crash)");
        if (exploring && --exploreBudget <= 0) {  // enough: closed below
            exploring = 0;
            exploreBudget = -1;
        }
        for (Window d : dialogs(o.window)) {
            if (d == exploring) continue;
            const std::string title = nameOf(d);
            if (!exploring && std::find(o.explore.begin(), o.explore.end(), title) != o.explore.end() &&
                exploreBudget == 0) {
                exploring = d;
                exploreBudget = rng.between(5, 40);
                logEvent(n, "dialog-explore", static_cast<int>(d), static_cast<int>(exploreBudget));
                XSetInputFocus(dpy, d, RevertToParent, CurrentTime);
                continue;
            }
            exploreBudget = 0;
            logEvent(n, "dialog-close", static_cast<int>(d));
            if (logFile) std::fprintf(logFile, "  title: %s\n", title.c_str());
            if (!closeDialog(d)) return fail(n, "dialog \"" + title + "\" would not close");
            ++dialogsClosed;
            XSetInputFocus(dpy, focusTarget(), RevertToParent, CurrentTime);
        }
        if (n % 50 == 0 || n == o.events) {
            if (!processAlive(o.pid)) return fail(n, "the program died (crash)");
            if (!answersPing(o.window, o.hangSeconds))
                return fail(n, "the window did not answer within " + std::to_string(o.hangSeconds) + " s (hang)");
            XSetInputFocus(dpy, focusTarget(), RevertToParent, CurrentTime);
        }
        if (o.checkpointEvery > 0 && n % o.checkpointEvery == 0) {
            // Stop any filling, move the pointer off the controls, let the
            // program settle, close whatever dialog is still on its way, read
            // the board from the screen and hand it to the checkpoint command.
            XTestFakeMotionEvent(dpy, -1, mainGeometry.x + 5, mainGeometry.y + mainGeometry.h - 5, 0);
            key(XK_Escape);
            exploring = 0;
            exploreBudget = 0;
            for (int round = 0; round < 3; ++round) {
                if (!answersPing(o.window, o.hangSeconds)) return fail(n, "the window did not answer (hang)");
                waitFor(300, [] { return false; });
                for (Window d : dialogs(o.window)) {
                    logEvent(n, "dialog-close", static_cast<int>(d));
                    if (!closeDialog(d)) return fail(n, "dialog \"" + nameOf(d) + "\" would not close");
                    ++dialogsClosed;
                }
            }
            if (!dialogs(o.window).empty()) return fail(n, "dialogs keep opening while nothing is pressed");
            XSetInputFocus(dpy, o.window, RevertToParent, CurrentTime);
            std::string screen;
            if (o.cell > 0) {
                screen = readSettledBoard(o);
                if (screen.size() != 163 || screen.find('?') != std::string::npos)
                    return fail(n, "the board shows a field that holds no readable digit: " + screen);
            }
            if (logFile) {
                std::fprintf(logFile, "%ld checkpoint %s\n", n, screen.c_str());
                std::fflush(logFile);
            }
            if (!o.checkpoint.empty()) {
                const std::string cmd = o.checkpoint + " " + std::to_string(n) + " " + screen;
                if (!runPumping(cmd)) return fail(n, "checkpoint failed: " + cmd);
            }
            ++checkpoints;
            XSetInputFocus(dpy, o.window, RevertToParent, CurrentTime);
        }
    }
    std::printf("monkey: %ld events sent (seed %llu), %ld dialogs closed, %ld checkpoints passed\n", o.events,
                static_cast<unsigned long long>(o.seed), dialogsClosed, checkpoints);
    if (logFile) std::fclose(logFile);
    return 0;
}
