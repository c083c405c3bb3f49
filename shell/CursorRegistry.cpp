#include "CursorRegistry.h"

#include "ArtResource.h"

#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QPixmap>
#include <QVariant>
#include <QWidget>

namespace {

const char* const kCursorIdProperty = "bramidouCursorId";

// Identifier n carries the program's picture of built-in shape -n. 5 and 22 share the
// size-all picture because the toolkit kept two identifiers for that one shape.
const char* const kResourceNames[] = {
    nullptr,
    nullptr,
    "CURSOR_ARROW",
    "CURSOR_CROSS",
    "CURSOR_IBEAM",
    "CURSOR_SIZEALL",
    "CURSOR_SIZENESW",
    "CURSOR_SIZENS",
    "CURSOR_SIZENWSE",
    "CURSOR_SIZEWE",
    "CURSOR_UPARROW",
    "CURSOR_HOURGLASS",
    "CURSOR_DRAG",
    "CURSOR_NODROP",
    "CURSOR_HSPLIT",
    "CURSOR_VSPLIT",
    "CURSOR_MULTIDRAG",
    "CURSOR_SQLWAIT",
    "CURSOR_NO",
    "CURSOR_APPSTART",
    "CURSOR_HELP",
    "CURSOR_HANDPOINT",
    "CURSOR_SIZEALL",
};

// The nearest shape the toolkit offers for each built-in identifier -2..-22.
Qt::CursorShape builtinShape(int id) {
    switch (id) {
    case -3:
        return Qt::CrossCursor;
    case -4:
        return Qt::IBeamCursor;
    case -5:
    case -22:
        return Qt::SizeAllCursor;
    case -6:
        return Qt::SizeBDiagCursor;
    case -7:
        return Qt::SizeVerCursor;
    case -8:
        return Qt::SizeFDiagCursor;
    case -9:
        return Qt::SizeHorCursor;
    case -10:
        return Qt::UpArrowCursor;
    case -11:
    case -17:
        return Qt::WaitCursor;
    case -12:
        return Qt::DragMoveCursor;
    case -13:
    case -18:
        return Qt::ForbiddenCursor;
    case -14:
        return Qt::SplitHCursor;
    case -15:
        return Qt::SplitVCursor;
    case -16:
        return Qt::DragCopyCursor;
    case -19:
        return Qt::BusyCursor;
    case -20:
        return Qt::WhatsThisCursor;
    case -21:
        return Qt::PointingHandCursor;
    default:
        return Qt::ArrowCursor;
    }
}

QHash<int, QCursor>& registry() {
    static QHash<int, QCursor> cursors;
    return cursors;
}

// "x y" in the hotspot file; a damaged or missing one puts the hotspot at the top left,
// which is still a usable cursor.
QPoint readHotspot(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {0, 0};
    const QList<QByteArray> parts = file.readAll().simplified().split(' ');
    if (parts.size() < 2)
        return {0, 0};
    bool okX = false;
    bool okY = false;
    const int x = parts[0].toInt(&okX);
    const int y = parts[1].toInt(&okY);
    if (!okX || !okY || x < 0 || y < 0 || x > 255 || y > 255)
        return {0, 0};
    return {x, y};
}

} // namespace

namespace CursorRegistry {

void loadProgramCursors() {
    registry().clear();
    for (int id = 2; id <= 22; ++id) {
        const QString base = QStringLiteral(":/cursors/") + QLatin1String(kResourceNames[id]);
        const QPixmap picture = ArtResource::pixmap(base + QStringLiteral(".png"));
        if (picture.isNull())
            continue;
        // The hot spot is in logical pixels, for the picture and its twin alike. X11 takes
        // it in the cursor picture's own pixels, and Qt 6.4 hands it on unscaled there.
        const QSize size = ArtResource::logicalSize(picture);
        const QPoint logical = readHotspot(base + QStringLiteral(".hotspot"));
        const QPoint hot(qMin(logical.x(), size.width() - 1), qMin(logical.y(), size.height() - 1));
        const int scale = QGuiApplication::platformName() == QLatin1String("xcb")
                              ? qRound(picture.devicePixelRatio())
                              : 1;
        registry().insert(id, QCursor(picture, hot.x() * scale, hot.y() * scale));
    }
}

QCursor cursorFor(int id) {
    if (id >= 2 && id <= 22) {
        const auto it = registry().constFind(id);
        return it != registry().constEnd() ? *it : QCursor(Qt::ArrowCursor);
    }
    if (id >= -22 && id <= -2)
        return QCursor(builtinShape(id));
    return QCursor(Qt::ArrowCursor);
}

} // namespace CursorRegistry

void setCursorId(QWidget* control, int id) {
    if (!control)
        return;
    control->setProperty(kCursorIdProperty, id);
    control->setCursor(CursorRegistry::cursorFor(id));
}

int cursorId(const QWidget* control) {
    if (!control)
        return CursorId::Default;
    const QVariant id = control->property(kCursorIdProperty);
    return id.isValid() ? id.toInt() : CursorId::Default;
}

void applyProgramCursors(QWidget* window) {
    if (!window)
        return;
    // Controls that never had an identifier keep whatever cursor the toolkit gives them.
    const QList<QWidget*> controls = window->findChildren<QWidget*>();
    for (QWidget* control : controls) {
        if (!control->property(kCursorIdProperty).isValid())
            continue;
        const int id = cursorId(control);
        if (id >= -22 && id <= 0)
            setCursorId(control, -id);
    }
}
