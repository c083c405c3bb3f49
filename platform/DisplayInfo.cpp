#include "DisplayInfo.h"

#include <cmath>

#ifdef QT_GUI_LIB
#include <QGuiApplication>
#include <QScreen>
#include <QtGui/qguiapplication_platform.h>
#endif

#if defined(QT_GUI_LIB) && defined(BRAMIDOU_HAVE_X11)
#include <X11/Xlib.h>
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
