#include "DisplayInfo.h"

#include <cmath>

#ifdef QT_GUI_LIB
#include <QGuiApplication>
#include <QScreen>
#include <QtGui/qguiapplication_platform.h>
#endif

#if defined(QT_GUI_LIB) && defined(BRAMIDOU_HAVE_X11)
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>
#endif

double DisplayInfo::colours() const {
    if (bitsPerPixel <= 0)
        return 1.0;
    return std::pow(2.0, bitsPerPixel);
}

bool DisplayInfo::isGoodEnough() const {
    return colours() >= minimumColours && width >= minimumWidth && height >= minimumHeight;
}

#ifdef QT_GUI_LIB
DisplayInfo DisplayInfo::measure() {
    DisplayInfo info;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return info;
    // Device pixels: the limits are about what the screen can show, not about scaling.
    const QSize size = screen->geometry().size() * screen->devicePixelRatio();
    info.width = size.width();
    info.height = size.height();
    info.bitsPerPixel = screen->depth();
    return info;
}
#endif

bool DisplayInfo::isOnScreen(unsigned long long nativeWindow) {
#if defined(QT_GUI_LIB) && defined(BRAMIDOU_HAVE_X11)
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return true;
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (display == nullptr || nativeWindow == 0)
        return true;
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, static_cast<Window>(nativeWindow), &attributes) == 0)
        return false;
    return attributes.map_state == IsViewable;
#else
    (void)nativeWindow;
    return true;
#endif
}

#if defined(QT_GUI_LIB) && defined(BRAMIDOU_HAVE_X11)
namespace {

// The core fonts speak Latin-1; the texts are French, which it covers.
std::vector<std::string> wrapLatin1(const char* text, std::size_t width) {
    const QByteArray latin = QString::fromUtf8(text).toLatin1();
    std::vector<std::string> lines;
    std::string line;
    for (const QByteArray& word : latin.split(' ')) {
        if (!line.empty() && line.size() + 1 + static_cast<std::size_t>(word.size()) > width) {
            lines.push_back(line);
            line.clear();
        }
        if (!line.empty())
            line += ' ';
        line.append(word.constData(), static_cast<std::size_t>(word.size()));
    }
    lines.push_back(line);
    return lines;
}

} // namespace

bool DisplayInfo::showPlainNotice(const char* title, const char* text) {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return false;
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* shared = x11 ? x11->display() : nullptr;
    // A connection of its own, so its events never mix with the toolkit's queue.
    Display* display = XOpenDisplay(shared ? DisplayString(shared) : nullptr);
    if (display == nullptr)
        return false;
    XFontStruct* font =
        XLoadQueryFont(display, "-misc-fixed-medium-r-normal--13-*-*-*-*-*-iso8859-1");
    if (font == nullptr)
        font = XLoadQueryFont(display, "fixed");
    if (font == nullptr) {
        XCloseDisplay(display);
        return false;
    }
    const std::vector<std::string> lines = wrapLatin1(text, 48);
    const int lineHeight = font->ascent + font->descent + 2;
    int textWidth = 0;
    for (const std::string& line : lines)
        textWidth =
            std::max(textWidth, XTextWidth(font, line.c_str(), static_cast<int>(line.size())));
    const int width = std::max(textWidth + 40, 200);
    const int height = static_cast<int>(lines.size()) * lineHeight + 70;
    const int screen = DefaultScreen(display);
    const int left = (DisplayWidth(display, screen) - width) / 2;
    const int top = (DisplayHeight(display, screen) - height) / 2;
    const Window window = XCreateSimpleWindow(
        display, RootWindow(display, screen), left, top, static_cast<unsigned>(width),
        static_cast<unsigned>(height), 1, BlackPixel(display, screen), WhitePixel(display, screen));
    const QByteArray latinTitle = QString::fromUtf8(title).toLatin1();
    XStoreName(display, window, latinTitle.constData());
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False),
                    XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title),
                    static_cast<int>(std::strlen(title)));
    Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, window, &deleteWindow, 1);
    XWMHints hints{};
    hints.flags = InputHint;
    hints.input = True;
    XSetWMHints(display, window, &hints);
    XSelectInput(display, window, ExposureMask | KeyPressMask | ButtonPressMask);
    const GC gc = XCreateGC(display, window, 0, nullptr);
    XSetFont(display, gc, font->fid);
    XSetForeground(display, gc, BlackPixel(display, screen));
    XMapRaised(display, window);

    const int okWidth = 80;
    const int okHeight = 24;
    const int okLeft = (width - okWidth) / 2;
    const int okTop = height - okHeight - 14;
    bool answered = false;
    while (!answered) {
        XEvent event;
        XNextEvent(display, &event);
        switch (event.type) {
        case Expose:
            if (event.xexpose.count != 0)
                break;
            for (std::size_t i = 0; i < lines.size(); ++i)
                XDrawString(display, window, gc, 20,
                            20 + font->ascent + static_cast<int>(i) * lineHeight, lines[i].c_str(),
                            static_cast<int>(lines[i].size()));
            XDrawRectangle(display, window, gc, okLeft, okTop, okWidth, okHeight);
            XDrawString(display, window, gc, okLeft + (okWidth - XTextWidth(font, "OK", 2)) / 2,
                        okTop + (okHeight + font->ascent - font->descent) / 2, "OK", 2);
            break;
        case ButtonPress:
            answered = event.xbutton.x >= okLeft && event.xbutton.x <= okLeft + okWidth &&
                       event.xbutton.y >= okTop && event.xbutton.y <= okTop + okHeight;
            break;
        case KeyPress: {
            const KeySym key = XLookupKeysym(&event.xkey, 0);
            answered =
                key == XK_Return || key == XK_KP_Enter || key == XK_space || key == XK_Escape;
            break;
        }
        case ClientMessage:
            answered = static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow;
            break;
        default:
            break;
        }
    }
    XFreeGC(display, gc);
    XFreeFont(display, font);
    XDestroyWindow(display, window);
    XCloseDisplay(display);
    return true;
}
#elif defined(QT_GUI_LIB)
bool DisplayInfo::showPlainNotice(const char*, const char*) {
    return false;
}
#endif
