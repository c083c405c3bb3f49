#pragma once

// What the game needs to know of the screen before it creates anything: its size and
// how many colours it shows.
struct DisplayInfo {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;

    static constexpr double minimumColours = 32765.0;
    static constexpr int minimumWidth = 640;
    static constexpr int minimumHeight = 480;

    // 2 to the power of the depth, as a floating-point number so that any depth fits.
    double colours() const;
    // At least 640 x 480 pixels and at least 32765 colours (a 15-bit screen passes).
    bool isGoodEnough() const;

    // The primary screen of the running application; all zero when there is none.
    static DisplayInfo measure();

    // Whether the native window is really on the screen, so that what is drawn into it
    // shows. Under a window manager the toolkit may call a window exposed as soon as it
    // is mapped inside a frame that is not yet shown, and drawing then is lost.
    static bool isOnScreen(unsigned long long nativeWindow);

    // Whether the toolkit can draw on this display at all: it has nothing for palette
    // displays, where its own message box would show as an empty rectangle.
    bool toolkitCanDraw() const { return bitsPerPixel >= 15; }

    // A notice with one OK button drawn with the X server's own core font, for displays
    // the toolkit cannot draw on. Waits until it is answered; false when it could not be
    // shown (no X display), and the caller then uses the toolkit's box. Texts are UTF-8.
    static bool showPlainNotice(const char* title, const char* text);
};
