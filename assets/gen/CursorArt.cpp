#include "ArtScale.h"
#include "ArtSink.h"
#include "Palette.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include <functional>

namespace {

constexpr int kSize = 32;
// Pixel centres sit on half coordinates, so a shape centred here has the hot spot
// pixel (15, 15) at its exact middle.
constexpr double kMid = 15.5;

QImage blankLayer() {
    QImage image = artCanvas(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// The outline through the given corners, closed back to the first.
template <size_t N> QPainterPath closedPolygon(const QPointF (&points)[N]) {
    QPainterPath path;
    path.moveTo(points[0]);
    for (const QPointF& pt : points)
        path.lineTo(pt);
    path.closeSubpath();
    return path;
}

// White with a faint fall-off towards the bottom, as if lit from the top left.
QBrush paperWhite() {
    QLinearGradient g(0, 0, kSize * 0.6, kSize);
    g.setColorAt(0.0, QColor(255, 255, 255));
    g.setColorAt(1.0, QColor(226, 228, 232));
    return g;
}

void outlined(QPainter& p, const QPainterPath& path, const QBrush& fill = paperWhite()) {
    p.setPen(QPen(Qt::black, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::MiterJoin));
    p.setBrush(fill);
    QPainterPath solid = path;
    // Overlapping parts must merge, not cancel out as the even-odd rule would make them.
    solid.setFillRule(Qt::WindingFill);
    p.drawPath(solid.simplified());
}

// The classic pointer, its tip on the hot spot pixel (1, 1).
// Both outlines as one shape; outlined() merges the overlap.
QPainterPath joined(QPainterPath a, const QPainterPath& b) {
    a.addPath(b);
    return a;
}

QPainterPath arrowPath(double scale = 1.0) {
    const QPointF points[] = {{0, 0},      {0, 17},   {4, 13}, {7, 19.5},
                              {9.6, 18.4}, {6.8, 12}, {12, 12}};
    const QPainterPath path = closedPolygon(points);
    return QTransform().translate(1.5, 1.0).scale(scale, scale).map(path);
}

// A straight two-headed arrow along the x axis through the middle, turned by angle.
QPainterPath doubleArrow(double halfLength, double angle, double headHalf = 4.5,
                         double headLength = 6.0, double shaftHalf = 2.0) {
    const double a = halfLength, b = halfLength - headLength;
    const QPointF points[] = {{-a, 0},         {-b, -headHalf}, {-b, -shaftHalf}, {b, -shaftHalf},
                              {b, -headHalf},  {a, 0},          {b, headHalf},    {b, shaftHalf},
                              {-b, shaftHalf}, {-b, headHalf}};
    const QPainterPath path = closedPolygon(points);
    return QTransform().translate(kMid, kMid).rotate(angle).map(path);
}

// A single arrow pointing away from the middle along angle, starting at from.
QPainterPath outwardArrow(double from, double to, double angle) {
    const double headLength = 5.0, headHalf = 4.5, shaftHalf = 2.0;
    const double b = to - headLength;
    const QPointF points[] = {{from, -shaftHalf}, {b, -shaftHalf}, {b, -headHalf},   {to, 0},
                              {b, headHalf},      {b, shaftHalf},  {from, shaftHalf}};
    const QPainterPath path = closedPolygon(points);
    return QTransform().translate(kMid, kMid).rotate(angle).map(path);
}

// The prohibition sign: a red ring crossed from top left to bottom right.
void paintProhibition(QPainter& p, QPointF centre, double radius) {
    const double ring = radius * 0.26;
    QPainterPath outer;
    outer.addEllipse(centre, radius, radius);
    QPainterPath hole;
    hole.addEllipse(centre, radius - ring, radius - ring);
    QPainterPath bar;
    bar.addRect(QRectF(-radius + ring * 0.5, -ring * 0.5, 2 * radius - ring, ring));
    bar = QTransform().translate(centre.x(), centre.y()).rotate(45).map(bar);
    const QPainterPath sign = outer.subtracted(hole.subtracted(bar));

    QRadialGradient g(centre - QPointF(radius * 0.4, radius * 0.4), radius * 1.6);
    g.setColorAt(0.0, Palette::colour(4).lighter(125));
    g.setColorAt(1.0, Palette::colour(4).darker(115));
    // A white ground inside keeps the sign readable on dark plaques and on the cream board.
    p.setPen(QPen(Qt::black, 1.0));
    p.setBrush(Qt::white);
    p.drawEllipse(centre, radius + 0.8, radius + 0.8);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(sign);
}

QPainterPath hourglassPath(const QRectF& box) {
    const double w = box.width(), h = box.height(), x = box.left(), y = box.top();
    const double neck = w * 0.09, plate = h * 0.09;
    QPainterPath glass;
    glass.moveTo(x + w * 0.14, y + plate);
    glass.lineTo(x + w * 0.86, y + plate);
    glass.cubicTo(x + w * 0.86, y + h * 0.32, x + w * 0.5 + neck, y + h * 0.42, x + w * 0.5 + neck,
                  y + h * 0.5);
    glass.cubicTo(x + w * 0.5 + neck, y + h * 0.58, x + w * 0.86, y + h * 0.68, x + w * 0.86,
                  y + h - plate);
    glass.lineTo(x + w * 0.14, y + h - plate);
    glass.cubicTo(x + w * 0.14, y + h * 0.68, x + w * 0.5 - neck, y + h * 0.58, x + w * 0.5 - neck,
                  y + h * 0.5);
    glass.cubicTo(x + w * 0.5 - neck, y + h * 0.42, x + w * 0.14, y + h * 0.32, x + w * 0.14,
                  y + plate);
    glass.closeSubpath();
    return glass;
}

void paintHourglass(QPainter& p, const QRectF& box) {
    const QPainterPath glass = hourglassPath(box);
    outlined(p, glass);
    // Golden sand: a little left on top, a heap at the bottom.
    p.save();
    p.setClipPath(glass);
    p.setPen(Qt::NoPen);
    p.setBrush(Palette::colour(1));
    const double w = box.width(), h = box.height();
    p.drawRect(QRectF(box.left(), box.top() + h * 0.36, w, h * 0.14));
    QPainterPath heap;
    heap.moveTo(box.left() + w * 0.18, box.bottom());
    heap.quadTo(box.center().x(), box.top() + h * 0.62, box.right() - w * 0.18, box.bottom());
    p.drawPath(heap);
    p.restore();
    p.setPen(QPen(Palette::outline(1), 1.0));
    p.drawLine(QPointF(box.center().x(), box.top() + h * 0.5),
               QPointF(box.center().x(), box.bottom() - h * 0.2));
    // Wooden end plates.
    const double plate = h * 0.12;
    QLinearGradient wood(0, box.top(), 0, box.top() + plate);
    wood.setColorAt(0, Palette::walnutLight);
    wood.setColorAt(1, Palette::walnut);
    p.setPen(QPen(Qt::black, 1.0));
    p.setBrush(wood);
    p.drawRoundedRect(QRectF(box.left(), box.top(), w, plate), 1.2, 1.2);
    p.drawRoundedRect(QRectF(box.left(), box.bottom() - plate, w, plate), 1.2, 1.2);
}

// A sheet of paper carried by the pointer.
void paintSheet(QPainter& p, const QRectF& r) {
    QPainterPath sheet;
    const double fold = 3.0;
    sheet.moveTo(r.topLeft());
    sheet.lineTo(r.right() - fold, r.top());
    sheet.lineTo(r.right(), r.top() + fold);
    sheet.lineTo(r.bottomRight());
    sheet.lineTo(r.bottomLeft());
    sheet.closeSubpath();
    outlined(p, sheet);
    p.setPen(QPen(QColor(150, 150, 150), 1.0));
    for (double y = r.top() + 4.5; y < r.bottom() - 1.5; y += 2.5)
        p.drawLine(QPointF(r.left() + 2.5, y), QPointF(r.right() - 2.5, y));
}

void paintDatabase(QPainter& p, const QRectF& r) {
    const double cap = r.height() * 0.28;
    QPainterPath body;
    body.addRect(QRectF(r.left(), r.top() + cap / 2, r.width(), r.height() - cap));
    body.addEllipse(QRectF(r.left(), r.bottom() - cap, r.width(), cap));
    outlined(p, body);
    p.setPen(QPen(Qt::black, 1.0));
    p.setBrush(QColor(236, 238, 242));
    p.drawEllipse(QRectF(r.left(), r.top(), r.width(), cap));
    p.setBrush(Qt::NoBrush);
    for (int band = 1; band <= 2; ++band) {
        const double y = r.top() + cap / 2 + band * (r.height() - cap) / 3.0;
        QPainterPath arc;
        arc.moveTo(r.left(), y - cap / 2);
        arc.arcTo(QRectF(r.left(), y - cap, r.width(), cap), 180, 180);
        p.drawPath(arc);
    }
}

QPainterPath questionMark(const QRectF& box) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(int(box.height()));
    QPainterPath glyph;
    glyph.addText(0, 0, font, QStringLiteral("?"));
    const QRectF b = glyph.boundingRect();
    return QTransform()
        .translate(box.center().x() - b.center().x(), box.center().y() - b.center().y())
        .map(glyph);
}

// The pointing hand: index finger up, three folded fingers, thumb along the left.
QPainterPath handPath() {
    QPainterPath hand;
    hand.addRoundedRect(QRectF(8.0, 1.5, 5.0, 17.0), 2.5, 2.5); // index finger
    hand.addRoundedRect(QRectF(12.5, 10.0, 4.6, 9.0), 2.3, 2.3);
    hand.addRoundedRect(QRectF(16.6, 11.0, 4.6, 8.5), 2.3, 2.3);
    hand.addRoundedRect(QRectF(20.7, 12.5, 4.3, 7.5), 2.1, 2.1);
    QPainterPath palm;
    palm.moveTo(8.0, 15.0);
    palm.lineTo(25.0, 16.0);
    palm.cubicTo(25.5, 22.0, 24.0, 26.0, 21.5, 28.5);
    palm.lineTo(11.0, 28.5);
    palm.cubicTo(9.0, 26.0, 6.0, 23.5, 3.5, 20.5);
    palm.cubicTo(2.0, 18.7, 3.2, 16.4, 5.2, 17.2);
    palm.lineTo(8.0, 19.0);
    palm.closeSubpath();
    hand.addPath(palm);
    hand.setFillRule(Qt::WindingFill);
    return hand.simplified();
}

void paintHand(QPainter& p) {
    outlined(p, handPath());
    // Creases between the folded fingers and a cuff line at the wrist.
    p.setPen(QPen(QColor(40, 40, 40), 1.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(13.0, 13.5), QPointF(13.0, 17.5));
    p.drawLine(QPointF(16.8, 14.0), QPointF(16.8, 18.0));
    p.drawLine(QPointF(20.9, 15.0), QPointF(20.9, 18.5));
    p.setPen(QPen(QColor(170, 170, 170), 1.0));
    p.drawLine(QPointF(11.5, 26.5), QPointF(21.5, 26.5));
}

struct CursorDrawing {
    const char* name;
    QPoint hotSpot;
    std::function<void(QPainter&)> paint;
};

// A soft shadow below and right of whatever the drawing leaves opaque.
QImage withShadow(const QImage& layer) {
    QImage shadow = blankLayer();
    {
        QPainter p(&shadow);
        p.drawImage(QPointF(1.0, 2.0), layer);
        p.setCompositionMode(QPainter::CompositionMode_SourceIn);
        p.fillRect(QRect(0, 0, kSize, kSize), QColor(0, 0, 0, 90));
    }
    // Two passes of a box blur on the alpha, one logical pixel each way, are enough to
    // soften a 32-pixel shadow.
    const int r = ArtScale::ratio();
    const int w = shadow.width(), h = shadow.height();
    const int box = (2 * r + 1) * (2 * r + 1);
    for (int pass = 0; pass < 2; ++pass) {
        const QImage src = shadow.copy();
        for (int y = 0; y < h; ++y) {
            auto* out = reinterpret_cast<QRgb*>(shadow.scanLine(y));
            for (int x = 0; x < w; ++x) {
                int sum = 0;
                for (int dy = -r; dy <= r; ++dy)
                    for (int dx = -r; dx <= r; ++dx) {
                        const int sx = x + dx, sy = y + dy;
                        if (sx >= 0 && sy >= 0 && sx < w && sy < h)
                            sum += qAlpha(src.pixel(sx, sy));
                    }
                out[x] = qRgba(0, 0, 0, sum / box);
            }
        }
    }
    QImage result = shadow;
    QPainter p(&result);
    p.drawImage(0, 0, layer);
    p.end();
    return result.convertToFormat(QImage::Format_ARGB32);
}

std::vector<CursorDrawing> drawings() {
    const auto arrowThen = [](std::function<void(QPainter&)> extra) {
        return [extra](QPainter& p) {
            outlined(p, arrowPath());
            extra(p);
        };
    };
    return {
        {"CURSOR_ARROW", {1, 1}, [](QPainter& p) { outlined(p, arrowPath(1.15)); }},
        {"CURSOR_CROSS",
         {15, 15},
         [](QPainter& p) {
             QPainterPath cross;
             cross.addRect(QRectF(kMid - 1, 3, 2, 25));
             cross.addRect(QRectF(3, kMid - 1, 25, 2));
             outlined(p, cross, QBrush(Qt::white));
         }},
        {"CURSOR_IBEAM",
         {15, 15},
         [](QPainter& p) {
             QPainterPath beam;
             beam.addRect(QRectF(kMid - 1, 5, 2, 21));
             beam.addRoundedRect(QRectF(kMid - 5, 3, 10, 2.5), 1, 1);
             beam.addRoundedRect(QRectF(kMid - 5, 25.5, 10, 2.5), 1, 1);
             outlined(p, beam, QBrush(Qt::white));
         }},
        {"CURSOR_SIZEALL",
         {15, 15},
         [](QPainter& p) {
             outlined(p, joined(doubleArrow(13, 0, 4, 5), doubleArrow(13, 90, 4, 5)));
         }},
        {"CURSOR_SIZENESW", {15, 15}, [](QPainter& p) { outlined(p, doubleArrow(13, -45)); }},
        {"CURSOR_SIZENS", {15, 15}, [](QPainter& p) { outlined(p, doubleArrow(13, 90)); }},
        {"CURSOR_SIZENWSE", {15, 15}, [](QPainter& p) { outlined(p, doubleArrow(13, 45)); }},
        {"CURSOR_SIZEWE", {15, 15}, [](QPainter& p) { outlined(p, doubleArrow(13, 0)); }},
        {"CURSOR_UPARROW",
         {15, 1},
         [](QPainter& p) {
             QPainterPath up;
             up.moveTo(kMid, 1.5);
             up.lineTo(kMid + 7, 10);
             up.lineTo(kMid + 2, 10);
             up.lineTo(kMid + 2, 28);
             up.lineTo(kMid - 2, 28);
             up.lineTo(kMid - 2, 10);
             up.lineTo(kMid - 7, 10);
             up.closeSubpath();
             outlined(p, up);
         }},
        {"CURSOR_HOURGLASS",
         {15, 15},
         [](QPainter& p) { paintHourglass(p, QRectF(7.5, 2.5, 16, 26)); }},
        {"CURSOR_DRAG", {1, 1}, arrowThen([](QPainter& p) {
             paintSheet(p, QRectF(14.5, 17.5, 11, 12));
         })},
        {"CURSOR_NODROP", {1, 1}, arrowThen([](QPainter& p) {
             paintProhibition(p, QPointF(21.5, 21.5), 8.0);
         })},
        {"CURSOR_HSPLIT",
         {15, 15},
         [](QPainter& p) {
             QPainterPath split = joined(outwardArrow(3.5, 14, 0), outwardArrow(3.5, 14, 180));
             split.addRect(QRectF(kMid - 3, 4, 2, 23));
             split.addRect(QRectF(kMid + 1, 4, 2, 23));
             outlined(p, split);
         }},
        {"CURSOR_VSPLIT",
         {15, 15},
         [](QPainter& p) {
             QPainterPath split = joined(outwardArrow(3.5, 14, 90), outwardArrow(3.5, 14, -90));
             split.addRect(QRectF(4, kMid - 3, 23, 2));
             split.addRect(QRectF(4, kMid + 1, 23, 2));
             outlined(p, split);
         }},
        {"CURSOR_MULTIDRAG", {1, 1}, arrowThen([](QPainter& p) {
             paintSheet(p, QRectF(18.5, 13.5, 10, 11));
             paintSheet(p, QRectF(15.5, 16.5, 10, 11));
             paintSheet(p, QRectF(12.5, 19.5, 10, 11));
         })},
        {"CURSOR_SQLWAIT", {1, 1}, arrowThen([](QPainter& p) {
             paintDatabase(p, QRectF(15.5, 15.5, 13, 15));
         })},
        {"CURSOR_NO",
         {15, 15},
         [](QPainter& p) { paintProhibition(p, QPointF(kMid, kMid), 12.5); }},
        {"CURSOR_APPSTART", {1, 1}, arrowThen([](QPainter& p) {
             paintHourglass(p, QRectF(16.5, 14.5, 11, 16));
         })},
        {"CURSOR_HELP", {1, 1}, arrowThen([](QPainter& p) {
             outlined(p, questionMark(QRectF(15, 13, 14, 17)));
         })},
        {"CURSOR_HANDPOINT", {10, 1}, paintHand},
    };
}

} // namespace

void renderCursors(ArtSink& sink) {
    for (const CursorDrawing& d : drawings()) {
        QImage layer = blankLayer();
        QPainter p(&layer);
        p.setRenderHint(QPainter::Antialiasing);
        d.paint(p);
        p.end();
        sink.cursor(QString::fromLatin1(d.name), withShadow(layer), d.hotSpot);
    }
}
