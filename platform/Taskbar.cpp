#include "Taskbar.h"

#ifdef QT_WIDGETS_LIB
#include <QGuiApplication>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#ifdef BRAMIDOU_HAVE_X11
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#endif

namespace {

#ifdef BRAMIDOU_HAVE_X11
int ignoreXErrors(Display*, XErrorEvent*) {
    return 0;
}

Window supportingWindow(Display* display, Window of) {
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None)
        return None;
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    Window found = None;
    if (XGetWindowProperty(display, of, check, 0, 1, False, XA_WINDOW, &type, &format, &count,
                           &after, &data) == Success &&
        data != nullptr) {
        if (type == XA_WINDOW && format == 32 && count == 1)
            found = *reinterpret_cast<Window*>(data);
        XFree(data);
    }
    return found;
}

// EWMH: the root names a child window that names itself again. A stale property left by
// a window manager that has gone away fails the second half, since its window is gone.
bool hasWindowManager() {
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (display == nullptr)
        return false;
    // A window that vanished between the two reads raises BadWindow, and Xlib's default
    // handler would end the program for it; here it only makes the read fail.
    XSync(display, False);
    const auto previous = XSetErrorHandler(ignoreXErrors);
    const Window child = supportingWindow(display, DefaultRootWindow(display));
    const bool found = child != None && supportingWindow(display, child) == child;
    XSync(display, False);
    XSetErrorHandler(previous);
    return found;
}
#else
bool hasWindowManager() {
    return false;
}
#endif

#ifdef BRAMIDOU_HAVE_X11
// The EWMH request for a window the window manager already manages. Qt learns the new
// state back from the window's _NET_WM_STATE property, as for any change the window
// manager makes.
void askWindowManager(QWidget* mainWindow, bool fullScreen) {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    Display* display = x11 ? x11->display() : nullptr;
    if (display == nullptr)
        return;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = static_cast<Window>(mainWindow->winId());
    event.xclient.message_type = XInternAtom(display, "_NET_WM_STATE", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = fullScreen ? 1 : 0; // _NET_WM_STATE_ADD, _NET_WM_STATE_REMOVE
    event.xclient.data.l[1] =
        static_cast<long>(XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False));
    event.xclient.data.l[3] = 1; // the request comes from an application
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(display);
}
#else
void askWindowManager(QWidget*, bool) {}
#endif

// Full-screen is the one state every EWMH window manager stacks above its panels, and it
// leaves every other program's windows as they are.
void setFullScreen(QWidget* mainWindow, bool on) {
    if (mainWindow == nullptr || !mainWindow->isWindow())
        return;
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !hasWindowManager())
        return;
    if (mainWindow->testAttribute(Qt::WA_WState_Created) && mainWindow->isVisible()) {
        // Shown, perhaps minimised: changing Qt's own state here would have Qt map and
        // iconify a minimised window again to apply it, racing the window manager.
        askWindowManager(mainWindow, on);
        return;
    }
    // Not shown yet: Qt hands the state to the window manager when it maps the window.
    const Qt::WindowStates state = mainWindow->windowState();
    const Qt::WindowStates wanted =
        on ? (state | Qt::WindowFullScreen) : (state & ~Qt::WindowFullScreen);
    if (wanted != state)
        mainWindow->setWindowState(wanted);
}

} // namespace

namespace Taskbar {
void hide(QWidget* mainWindow) {
    setFullScreen(mainWindow, true);
}
void show(QWidget* mainWindow) {
    setFullScreen(mainWindow, false);
}
} // namespace Taskbar

#else
// Without a window system there is no taskbar to hide.
namespace Taskbar {
void hide(QWidget*) {}
void show(QWidget*) {}
} // namespace Taskbar
#endif
