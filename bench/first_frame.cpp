// The time from starting the game to its first painted frame, as the X
// server holds it: this probe starts the program itself, then every
// millisecond looks for a mapped top-level window taller than the play
// area and reads back, with XGetImage, the part of the play area where the
// starfield's moon lies: grey pixels with the black sky around them. It
// prints the time the window was first mapped and the time the moon was
// first there, in milliseconds from the fork, and ends the game. Xvfb with
// no window manager puts the game's window straight under the root.
// Usage: first_frame program
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int PlayHeight = 436;

// The first mapped top-level window taller than the play area, or None.
Window gameWindow(Display* display, int& width, int& height) {
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) return None;
    Window found = None;
    for (unsigned i = 0; i < count && found == None; ++i) {
        XWindowAttributes a;
        if (!XGetWindowAttributes(display, children[i], &a)) continue;
        if (a.map_state != IsViewable || a.height <= PlayHeight) continue;
        found = children[i];
        width = a.width;
        height = a.height;
    }
    if (children) XFree(children);
    return found;
}

// The moon of the starfield, at its place in the play area, which lies at
// the bottom of the window.
bool moonShown(Display* display, Window window, int height) {
    XImage* image = XGetImage(display, window, 507, height - PlayHeight + 28, 36, 47, AllPlanes, ZPixmap);
    if (!image) return false;
    int grey = 0, black = 0;
    for (int y = 0; y < 47; ++y)
        for (int x = 0; x < 36; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            const unsigned r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            if (r == g && g == b && r > 51 && r < 242) ++grey;
            if (r + g + b == 0) ++black;
        }
    XDestroyImage(image);
    return grey >= 40 && black >= 200;
}

int ignoreErrors(Display*, XErrorEvent*) { return 0; }

double milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: first_frame program\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "first_frame: no X display\n");
        return 1;
    }
    // A window may go away between the listing and the look.
    XSetErrorHandler(ignoreErrors);
    const auto started = Clock::now();
    const pid_t game = fork();
    if (game == 0) {
        execv(argv[1], argv + 1);
        _exit(127);
    }
    double mapped = -1, shown = -1;
    while (milliseconds(Clock::now() - started) < 5000) {
        int width = 0, height = 0;
        const Window window = gameWindow(display, width, height);
        if (window != None) {
            if (mapped < 0) mapped = milliseconds(Clock::now() - started);
            if (moonShown(display, window, height)) {
                shown = milliseconds(Clock::now() - started);
                break;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    kill(game, SIGTERM);
    waitpid(game, nullptr, 0);
    XCloseDisplay(display);
    if (shown < 0) {
        std::printf("no first frame within 5 s\n");
        return 1;
    }
    std::printf("mapped %.1f ms, first frame %.1f ms\n", mapped, shown);
    return 0;
}
