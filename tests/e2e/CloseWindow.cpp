// Asks every top-level window with the given name to close, the way a window manager does:
// a WM_DELETE_WINDOW client message. Exits 1 when no such window exists.
// Usage: close_window <window name>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::string NameOf(Display* display, Window window)
{
    char* name = nullptr;
    if (XFetchName(display, window, &name) && name) {
        std::string result = name;
        XFree(name);
        return result;
    }
    return {};
}

int CloseMatching(Display* display, Window parent, const char* wanted, Atom protocols, Atom deleteWindow)
{
    Window root, parentOut, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, parent, &root, &parentOut, &children, &count))
        return 0;
    int closed = 0;
    for (unsigned i = 0; i < count; ++i) {
        if (NameOf(display, children[i]) == wanted) {
            XEvent event {};
            event.xclient.type = ClientMessage;
            event.xclient.window = children[i];
            event.xclient.message_type = protocols;
            event.xclient.format = 32;
            event.xclient.data.l[0] = static_cast<long>(deleteWindow);
            event.xclient.data.l[1] = CurrentTime;
            XSendEvent(display, children[i], False, NoEventMask, &event);
            ++closed;
        }
        closed += CloseMatching(display, children[i], wanted, protocols, deleteWindow);
    }
    if (children)
        XFree(children);
    return closed;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: close_window <window name>\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "close_window: no display\n");
        return 2;
    }
    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    const int closed = CloseMatching(display, DefaultRootWindow(display), argv[1], protocols, deleteWindow);
    XFlush(display);
    XCloseDisplay(display);
    return closed ? 0 : 1;
}
