#pragma once

#include <QByteArray>
#include <QImage>
#include <QWidget>

class QLabel;

// The picture shown while the program builds its windows. It has no behaviour of its
// own: the start-up sequence creates it, shows it and destroys it.
class TfrmSplashScreen : public QWidget {
    Q_OBJECT
public:
    static constexpr int clientWidth = 466;
    static constexpr int clientHeight = 331;

    // Loads the picture from jpegResource; a missing or damaged picture gives a plain
    // splash rather than no start-up at all.
    explicit TfrmSplashScreen(const QString& jpegResource = QStringLiteral(":/art/splash.jpg"));

    // Centres the window, shows it and has it painted on the screen before returning, so
    // the picture stays visible while the event loop is blocked afterwards.
    void showAndPaintNow();

    bool hasPicture() const { return !picture_.isNull(); }
    // The decoded picture: the twin with twice the pixels on a high-density screen.
    const QImage& picture() const { return picture_; }

    // A JPEG decoded by libjpeg into an RGB image; a null image for anything libjpeg
    // rejects (empty, truncated header, not a JPEG, absurd dimensions).
    static QImage decodeJpeg(const QByteArray& bytes);

private:
    QLabel* imgMain_;
    QImage picture_;
};
