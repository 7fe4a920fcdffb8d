// startuptime GAME FOLDER [RUNS]: starts the game in FOLDER (on the current DISPLAY) and
// measures the time from the process start to its first frame on screen. The first frame
// comes after everything is loaded and the city is generated, so from then on the game plays.
// Each run ends the game with SIGTERM; prints every run in milliseconds and their median.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

double nowMillis()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

// The game's window: a mapped child of the root whose name starts with "Lornhaven", or 0.
// SDL may make and drop windows of that name while it sets the video mode, so it is looked
// for afresh at every poll.
Window findGameWindow(Display* display)
{
    Window root = DefaultRootWindow(display), parent, *children = nullptr;
    unsigned int count = 0;
    Window found = 0;
    if (XQueryTree(display, root, &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count && found == 0; ++i) {
            char* name = nullptr;
            if (XFetchName(display, children[i], &name) && name != nullptr) {
                XWindowAttributes attributes;
                if (std::strncmp(name, "Lornhaven", 9) == 0 && XGetWindowAttributes(display, children[i], &attributes) &&
                    attributes.map_state == IsViewable) {
                    found = children[i];
                }
                XFree(name);
            }
        }
        XFree(children);
    }
    return found;
}

int ignoreErrors(Display*, XErrorEvent*) { return 0; }

// Whether three rows across the window hold enough pixels that are not black. The rows are read
// from the root window, which shows what is on screen: the OpenGL drawing lies in a child
// window of another visual, whose pixels a read of the game's own window does not include.
bool showsAFrame(Display* display, Window window)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable) {
        return false;
    }
    Window root = DefaultRootWindow(display), child;
    int left = 0, top = 0;
    XTranslateCoordinates(display, window, root, 0, 0, &left, &top, &child);
    int lit = 0;
    for (int row = 1; row <= 3; ++row) {
        XImage* image = XGetImage(display, root, left, top + attributes.height * row / 4, attributes.width, 1,
            AllPlanes, ZPixmap);
        if (image == nullptr) {
            return false;
        }
        for (int x = 0; x < attributes.width; ++x) {
            unsigned long pixel = XGetPixel(image, x, 0);
            lit += (pixel & 0xFCFCFC) != 0;
        }
        XDestroyImage(image);
    }
    return lit > 50;
}

double measureOnce(Display* display, const char* game, const char* folder)
{
    double start = nowMillis();
    pid_t child = fork();
    if (child == 0) {
        if (chdir(folder) != 0) {
            _exit(126);
        }
        execl(game, game, static_cast<char*>(nullptr));
        _exit(127);
    }
    double result = -1;
    while (nowMillis() - start < 300000) {
        int status;
        if (waitpid(child, &status, WNOHANG) == child) {
            std::fprintf(stderr, "startuptime: the game ended before its first frame\n");
            return -1;
        }
        Window window = findGameWindow(display);
        if (window != 0 && showsAFrame(display, window)) {
            result = nowMillis() - start;
            break;
        }
        usleep(2000);
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    return result;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: startuptime GAME FOLDER [RUNS]\n");
        return 2;
    }
    int runs = argc == 4 ? std::atoi(argv[3]) : 5;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "startuptime: cannot open the display\n");
        return 1;
    }
    XSetErrorHandler(ignoreErrors);  // the window may go away between two requests
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        double ms = measureOnce(display, argv[1], argv[2]);
        if (ms < 0) {
            return 1;
        }
        std::printf("run %d: %.0f ms\n", run + 1, ms);
        std::fflush(stdout);
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    std::printf("median start-up time: %.0f ms over %d runs (min %.0f, max %.0f)\n", times[times.size() / 2], runs,
        times.front(), times.back());
    XCloseDisplay(display);
    return 0;
}
