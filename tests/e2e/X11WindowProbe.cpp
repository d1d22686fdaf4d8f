// A window for the X11 front end's tests to draw into. Prints the window's
// id once it is mapped, then follows commands on standard input, one a line:
//   resize W H   resizes the window, answers "resized" once the server has
//   destroy      destroys the window, answers "destroyed"
// and ends at the end of its input.
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    const unsigned width = argc > 1 ? static_cast<unsigned>(std::atoi(argv[1])) : 320;
    const unsigned height = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 240;
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "x11_window_probe: no display\n");
        return 1;
    }
    const int screen = DefaultScreen(display);
    const Window window = XCreateSimpleWindow(display, RootWindow(display, screen), 10, 10, width, height, 0,
                                              BlackPixel(display, screen), BlackPixel(display, screen));
    XStoreName(display, window, "tessel-x11 test window");
    XSelectInput(display, window, StructureNotifyMask);
    XMapWindow(display, window);
    for (XEvent event;;) {
        XNextEvent(display, &event);
        if (event.type == MapNotify)
            break;
    }
    std::printf("0x%lx\n", window);
    std::fflush(stdout);

    char line[128];
    while (std::fgets(line, sizeof line, stdin)) {
        unsigned w = 0, h = 0;
        if (std::sscanf(line, "resize %u %u", &w, &h) == 2) {
            XResizeWindow(display, window, w, h);
            XSync(display, False);
            std::printf("resized\n");
        } else if (std::strncmp(line, "destroy", 7) == 0) {
            XDestroyWindow(display, window);
            XSync(display, False);
            std::printf("destroyed\n");
        }
        std::fflush(stdout);
    }
    XCloseDisplay(display);
    return 0;
}
