// Measures how quickly a program's event loop answers while it starts and runs: it finds the
// top-level window whose title contains NAME and sends it _NET_WM_PING messages one after
// another for SECONDS; the program answers each from its event loop. Prints the number of
// answers and the longest and median wait in milliseconds. A long wait is a stall of the loop.
//
// Usage: loop_latency NAME SECONDS      (needs DISPLAY; no window manager may hold the pings)
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

bool titleContains(Display* d, Window w, const char* name) {
    char* title = nullptr;
    if (!XFetchName(d, w, &title) || !title) return false;
    const bool found = std::strstr(title, name) != nullptr;
    XFree(title);
    return found;
}

bool acceptsPing(Display* d, Window w, Atom ping) {
    Atom* protocols = nullptr;
    int count = 0;
    if (!XGetWMProtocols(d, w, &protocols, &count)) return false;
    const bool found = std::find(protocols, protocols + count, ping) != protocols + count;
    XFree(protocols);
    return found;
}

Window findWindow(Display* d, const char* name, Atom ping) {
    Window root = DefaultRootWindow(d), parent = 0, *children = nullptr;
    unsigned int count = 0;
    Window found = 0;
    if (XQueryTree(d, root, &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count && !found; ++i)
            if (titleContains(d, children[i], name) && acceptsPing(d, children[i], ping))
                found = children[i];
        if (children) XFree(children);
    }
    return found;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: loop_latency NAME SECONDS\n");
        return 2;
    }
    const char* name = argv[1];
    const double seconds = std::atof(argv[2]);
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "loop_latency: cannot open the display\n");
        return 2;
    }
    const Atom protocols = XInternAtom(d, "WM_PROTOCOLS", False);
    const Atom ping = XInternAtom(d, "_NET_WM_PING", False);
    const Window root = DefaultRootWindow(d);
    // Answers are sent to the root window, for clients listening to its structure.
    XSelectInput(d, root, StructureNotifyMask | SubstructureNotifyMask);

    const auto start = Clock::now();
    Window target = 0;
    while (!(target = findWindow(d, name, ping))) {
        if (msSince(start) > 10000) {
            std::fprintf(stderr, "loop_latency: no window titled \"%s\" that answers pings\n", name);
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }

    std::vector<double> waits;
    const auto begin = Clock::now();
    long serial = 0;
    while (msSince(begin) < seconds * 1000) {
        XEvent ev{};
        ev.xclient.type = ClientMessage;
        ev.xclient.window = target;
        ev.xclient.message_type = protocols;
        ev.xclient.format = 32;
        ev.xclient.data.l[0] = static_cast<long>(ping);
        ev.xclient.data.l[1] = ++serial;  // stands for the timestamp; echoed back
        ev.xclient.data.l[2] = static_cast<long>(target);
        const auto sent = Clock::now();
        XSendEvent(d, target, False, NoEventMask, &ev);
        XFlush(d);
        bool answered = false;
        while (!answered) {
            if (XPending(d) == 0) {
                pollfd fd{ConnectionNumber(d), POLLIN, 0};
                if (poll(&fd, 1, 10000) == 0) {
                    std::printf("answers %zu, then none for 10 s\n", waits.size());
                    return 1;
                }
                continue;
            }
            XEvent reply;
            XNextEvent(d, &reply);
            answered = reply.type == ClientMessage && reply.xclient.message_type == protocols &&
                       static_cast<Atom>(reply.xclient.data.l[0]) == ping &&
                       reply.xclient.data.l[1] == serial;
        }
        waits.push_back(msSince(sent));
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    XCloseDisplay(d);

    std::vector<double> sorted = waits;
    std::sort(sorted.begin(), sorted.end());
    std::printf("answers %zu longest %.1f ms median %.2f ms\n", sorted.size(),
                sorted.empty() ? 0.0 : sorted.back(),
                sorted.empty() ? 0.0 : sorted[sorted.size() / 2]);
    return 0;
}
