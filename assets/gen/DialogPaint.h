#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>

class QPainter;

// Drawing pieces shared by the dialog faces and the start-up pictures, so every window
// has the same bevels, buttons and lettering.
namespace DialogPaint {

// Button colours: the dialogs' plain buttons, the highlight of the message box and the
// bright highlight of the settings and about buttons.
QColor buttonTeal();
QColor buttonGreen();
QColor buttonBrightGreen();

QFont font(const QString& family, int pixelSize, bool bold);
inline QFont sans(int pixelSize, bool bold = false) {
    return font(QStringLiteral("DejaVu Sans"), pixelSize, bold);
}

// A face lit from the top left: a light upper-left rim, a dark lower-right rim and a
// thin dark outline, around a softly graded inner field.
void paintBevelFace(QPainter& p, const QRectF& r, const QColor& base, double radius, double bevel);

// A push button face with its label, filling r.
void paintButton(QPainter& p, const QRectF& r, const QString& label, const QColor& base);

// Text with a soft dark shadow below right, so light lettering stands off the face.
void paintText(QPainter& p, const QRectF& r, int flags, const QString& text, const QFont& font,
               const QColor& colour);

// A shallow sunken well behind a control, so the runtime control sits in a recess.
void paintWell(QPainter& p, const QRectF& controlRect, const QColor& face);

// The dialogs' teal face with its bevelled edge, the whole size of the picture.
QImage tealFace(int width, int height);

// The button's picture as the window shows it: the ground it stands on (taken from
// the same place of the window's plain face) with the button drawn in its first
// faceHeight rows.
QImage buttonPicture(const QImage& plainFace, const QPoint& at, const QSize& size, int faceHeight,
                     const QString& label, const QColor& base);

} // namespace DialogPaint
