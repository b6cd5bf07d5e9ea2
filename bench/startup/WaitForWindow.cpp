// Starts a program and prints the milliseconds until it maps a top-level window with the given
// title on the X display (Xvfb without window manager: top-level windows are children of the
// root window). Exit 1 when no such window appears within 20 s.
//   WaitForWindow TITLE PROGRAM [ARGUMENTS...]

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <signal.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::string WindowTitle(Display* d, Window w) {
    static const Atom netName = XInternAtom(d, "_NET_WM_NAME", False);
    for (Atom property : {netName, static_cast<Atom>(XA_WM_NAME)}) {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(d, w, property, 0, 1024, False, AnyPropertyType, &type, &format, &count,
                               &after, &data) == Success &&
            data) {
            std::string title(reinterpret_cast<char*>(data), count);
            XFree(data);
            if (!title.empty()) return title;
        }
    }
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s TITLE PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    const std::string wanted = argv[1];
    XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);
    XSync(d, False);

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    int result = 1;
    const int fd = ConnectionNumber(d);
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(20)) {
        if (!XPending(d)) {
            fd_set set;
            FD_ZERO(&set);
            FD_SET(fd, &set);
            timeval tv{0, 100000};
            select(fd + 1, &set, nullptr, nullptr, &tv);
            continue;
        }
        XEvent ev;
        XNextEvent(d, &ev);
        if (ev.type != MapNotify || WindowTitle(d, ev.xmap.window) != wanted) continue;
        const auto ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        std::printf("%.1f\n", ms);
        result = 0;
        break;
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    XCloseDisplay(d);
    return result;
}
