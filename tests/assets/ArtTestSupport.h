#pragma once

#include "ArtCollector.h"

#include <QGuiApplication>
#include <QImage>

// Painting text needs a GUI application; the tests run without a screen.
inline void ensureGuiApp() {
    if (QGuiApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "assets_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

// The board family rendered once and shared by the tests that only read it.
inline const ArtCollector& boardArt() {
    ensureGuiApp();
    static const ArtCollector art = [] {
        ArtCollector a;
        renderBoardArt(a);
        return a;
    }();
    return art;
}

inline int luminance(QRgb c) {
    return (299 * qRed(c) + 587 * qGreen(c) + 114 * qBlue(c)) / 1000;
}
