#include "Taskbar.h"

#ifdef QT_WIDGETS_LIB
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
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
void askWindowManager(QWidget* mainWindow, bool on, const char* stateName) {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    Display* display = x11 ? x11->display() : nullptr;
    if (display == nullptr)
        return;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = static_cast<Window>(mainWindow->winId());
    event.xclient.message_type = XInternAtom(display, "_NET_WM_STATE", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = on ? 1 : 0; // _NET_WM_STATE_ADD, _NET_WM_STATE_REMOVE
    event.xclient.data.l[1] = static_cast<long>(XInternAtom(display, stateName, False));
    event.xclient.data.l[3] = 1; // the request comes from an application
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(display);
}
#else
void askWindowManager(QWidget*, bool, const char*) {}
#endif

// A window that exactly covers its screen goes full-screen, the one state every EWMH
// window manager stacks above its panels. A larger one (the 1024 artwork on a 1024 x 600
// screen) must keep its centred place overlapping the edges, which a full-screen state
// would pin to the screen's corner and clip: it is kept above the panels instead.
// Either way every other program's windows are left as they are.
bool coversScreenExactly(const QWidget* mainWindow) {
    const QScreen* screen = mainWindow->screen();
    return screen == nullptr || screen->geometry().size() == mainWindow->size();
}

void setAboveTaskbar(QWidget* mainWindow, bool on);

// Before the window is shown its size is not final, so whether it will cover the screen
// exactly is not known yet: the choice is made when it is shown, before it is mapped,
// where Qt still writes the state for the window manager to find at the map.
class ApplyWhenShown : public QObject {
public:
    ApplyWhenShown(QWidget* window, bool on) : QObject(window), on_(on) {
        window->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched == parent()) {
            auto* window = static_cast<QWidget*>(watched);
            window->removeEventFilter(this);
            if (QWindow* handle = window->windowHandle()) {
                if (coversScreenExactly(window))
                    handle->setWindowStates(on_ ? (handle->windowStates() | Qt::WindowFullScreen)
                                                : (handle->windowStates() & ~Qt::WindowFullScreen));
                else
                    handle->setFlag(Qt::WindowStaysOnTopHint, on_);
            }
            deleteLater();
        }
        return false;
    }

private:
    bool on_;
};

void setAboveTaskbar(QWidget* mainWindow, bool on) {
    if (mainWindow == nullptr || !mainWindow->isWindow())
        return;
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !hasWindowManager())
        return;
    if (mainWindow->testAttribute(Qt::WA_WState_Created) && mainWindow->isVisible()) {
        // Shown, perhaps minimised: changing Qt's own state here would have Qt map and
        // iconify a minimised window again to apply it, racing the window manager.
        askWindowManager(mainWindow, on,
                         coversScreenExactly(mainWindow) ? "_NET_WM_STATE_FULLSCREEN"
                                                         : "_NET_WM_STATE_ABOVE");
        return;
    }
    for (auto* pending : mainWindow->findChildren<ApplyWhenShown*>(Qt::FindDirectChildrenOnly))
        delete pending;
    new ApplyWhenShown(mainWindow, on);
}

} // namespace

namespace Taskbar {
void hide(QWidget* mainWindow) {
    setAboveTaskbar(mainWindow, true);
}
void show(QWidget* mainWindow) {
    setAboveTaskbar(mainWindow, false);
}
} // namespace Taskbar

#else
// Without a window system there is no taskbar to hide.
namespace Taskbar {
void hide(QWidget*) {}
void show(QWidget*) {}
} // namespace Taskbar
#endif
