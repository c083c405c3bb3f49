#include "TfrmSplashScreen.h"

#include "ArtResource.h"
#include "CursorRegistry.h"
#include "DisplayInfo.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <QWindow>

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE declared first
#include <jpeglib.h>

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return; jumping
// back to the decoder is the documented way to survive a damaged picture.
struct JpegErrorTrap {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void jumpOut(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegErrorTrap*>(info->err)->jump, 1);
}

void stayQuiet(j_common_ptr) {}

// Nothing of a splash picture needs more; the limit keeps a hostile header from asking
// for gigabytes.
constexpr unsigned long maxPixels = 16UL * 1024 * 1024;

// Kept apart from decodeJpeg so that no object with a destructor lives in the frame
// that setjmp returns to twice.
bool decodeInto(const unsigned char* data, unsigned long size, QImage* out) {
    jpeg_decompress_struct info;
    JpegErrorTrap trap;
    info.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = jumpOut;
    trap.manager.output_message = stayQuiet;
    if (setjmp(trap.jump) != 0) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, size);
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK ||
        static_cast<unsigned long>(info.image_width) * info.image_height > maxPixels) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    *out = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                  QImage::Format_RGB888);
    if (out->isNull() || info.output_components != 3) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = out->scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

QImage TfrmSplashScreen::decodeJpeg(const QByteArray& bytes) {
    QImage image;
    if (!decodeInto(reinterpret_cast<const unsigned char*>(bytes.constData()),
                    static_cast<unsigned long>(bytes.size()), &image))
        return QImage();
    return image;
}

TfrmSplashScreen::TfrmSplashScreen(const QString& jpegResource)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint), imgMain_(new QLabel(this)) {
    setObjectName(QStringLiteral("TfrmSplashScreen"));
    // Another title than the main window's, which is found by its exact title.
    setWindowTitle(QStringLiteral("Les Bramidou - démarrage"));
    setFixedSize(clientWidth, clientHeight);
    setCursorId(this, CursorId::BuiltinAppStart);
    setAutoFillBackground(true);
    QPalette plain = palette();
    plain.setColor(QPalette::Window, QColor(189, 125, 96));
    setPalette(plain);

    imgMain_->setObjectName(QStringLiteral("imgMain"));
    imgMain_->setGeometry(0, 0, clientWidth, clientHeight);
    imgMain_->setAlignment(Qt::AlignCenter);

    const QString path = ArtResource::pathFor(jpegResource);
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        picture_ = decodeJpeg(file.readAll());
    picture_.setDevicePixelRatio(ArtResource::isTwin(path) ? 2 : 1);
    if (!picture_.isNull())
        imgMain_->setPixmap(QPixmap::fromImage(picture_));
}

void TfrmSplashScreen::showAndPaintNow() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
    show();
    // Qt draws only into an exposed window, and under a window manager it may call the
    // window exposed before the frame around it is shown, when drawing is lost. Nothing
    // would paint it again during the long, blocking creation that follows. Each round
    // syncs with the X server: a map request left in the output buffer would otherwise
    // only be sent once the creation is over.
    QGuiApplication::sync();
    const QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired() && (windowHandle() == nullptr || !windowHandle()->isExposed() ||
                                      !DisplayInfo::isOnScreen(winId()))) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
        QThread::msleep(5);
        QGuiApplication::sync();
    }
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QGuiApplication::sync();
}
