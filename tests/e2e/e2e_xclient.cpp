// What a window manager would send to the program, for end-to-end tests that run without one:
//   e2e_xclient close WINDOW        the close box: WM_DELETE_WINDOW
//   e2e_xclient ping WINDOW [MS]    _NET_WM_PING; exits 0 when the program answers within MS
//                                   milliseconds (default 5000), printing the round trip, else 1
//   e2e_xclient hold                stays connected until killed, so that the server does not
//                                   reset whenever the program under test ends
// A program whose event loop is stuck cannot answer the ping, which is how a desktop tells a hung
// window from a busy one.
#include <X11/Xlib.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>

namespace {

using Clock = std::chrono::steady_clock;

void sendProtocol(Display *display, Window window, Atom protocol, long timestamp, long mask,
                  Window target) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(protocol);
    event.xclient.data.l[1] = timestamp;
    event.xclient.data.l[2] = static_cast<long>(window);
    XSendEvent(display, target, False, mask, &event);
    XFlush(display);
}

// The program answers a ping by sending it back to the root window.
bool awaitPong(Display *display, Atom ping, long timestamp, int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    for (;;) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == ClientMessage && event.xclient.format == 32 &&
                static_cast<Atom>(event.xclient.data.l[0]) == ping &&
                event.xclient.data.l[1] == timestamp &&
                event.xclient.window == DefaultRootWindow(display))
                return true;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return false;
        poll(&fd, 1, static_cast<int>(left));
    }
}

int usage() {
    std::fprintf(stderr, "usage: e2e_xclient close WINDOW | ping WINDOW [MS] | hold\n");
    return 2;
}

} // namespace

int main(int argc, char **argv) {
    if (argc < 2 || (argc < 3 && std::strcmp(argv[1], "hold") != 0))
        return usage();
    const Window window = argc > 2 ? std::strtoul(argv[2], nullptr, 0) : None;
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "e2e_xclient: no display\n");
        return 2;
    }
    int status = 0;
    if (std::strcmp(argv[1], "hold") == 0) {
        // Nothing is selected, so this waits until the connection ends.
        for (XEvent event;;)
            XNextEvent(display, &event);
    } else if (std::strcmp(argv[1], "close") == 0) {
        sendProtocol(display, window, XInternAtom(display, "WM_DELETE_WINDOW", False), CurrentTime,
                     NoEventMask, window);
    } else if (std::strcmp(argv[1], "ping") == 0) {
        const int timeoutMs = argc > 3 ? std::atoi(argv[3]) : 5000;
        const Atom ping = XInternAtom(display, "_NET_WM_PING", False);
        // Toolkits answer on the root with one structure mask or the other; hear both.
        XSelectInput(display, DefaultRootWindow(display),
                     StructureNotifyMask | SubstructureNotifyMask);
        // Any number the answer can be matched by; the program echoes it untouched.
        const long stamp =
            static_cast<long>(Clock::now().time_since_epoch().count() & 0x7fffffff) | 1;
        const auto sent = Clock::now();
        sendProtocol(display, window, ping, stamp, NoEventMask, window);
        if (awaitPong(display, ping, stamp, timeoutMs)) {
            std::printf("%lld\n", static_cast<long long>(
                                      std::chrono::duration_cast<std::chrono::milliseconds>(
                                          Clock::now() - sent)
                                          .count()));
        } else {
            std::fprintf(stderr, "e2e_xclient: window %s did not answer the ping in %d ms\n",
                         argv[2], timeoutMs);
            status = 1;
        }
    } else {
        status = usage();
    }
    XCloseDisplay(display);
    return status;
}
