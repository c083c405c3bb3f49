#include "DisplayInfo.h"

#include <cmath>

#ifdef QT_GUI_LIB
#include <QGuiApplication>
#include <QScreen>
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
