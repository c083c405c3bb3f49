#include "BoardPainter.h"

#include "ColourLayout.h"
#include "HorseShape.h"
#include "PaintKit.h"
#include "Palette.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace {

QPointF toPointF(BoardPoint p) {
    return QPointF(p.x, p.y);
}

double distance(QPointF a, QPointF b) {
    return std::hypot(a.x() - b.x(), a.y() - b.y());
}

} // namespace

BoardPainter::BoardPainter(int artworkSize)
    : geometry_(artworkSize), size_(geometry_.artworkSize()), scale_(size_ / 640.0) {
    step_ = distance(toPointF(geometry_.at(2)), toPointF(geometry_.at(1)));
    for (int c = 1; c <= 4; ++c)
        discs_[c] = fitStableDisc(c);
}

QSize BoardPainter::pictureSize() const {
    return QSize(size_, size_ * 3 / 4);
}

QPointF BoardPainter::centreOf(int square) const {
    return toPointF(geometry_.at(square)) + QPointF(0.5, 0.5);
}

double BoardPainter::squareRadius() const {
    return step_ * 0.42;
}

QRectF BoardPainter::boardRect() const {
    // The middle of the four finish squares is the middle of the board; the board reaches
    // a margin beyond the farthest track square.
    QPointF mid;
    for (int c = 1; c <= 4; ++c)
        mid += centreOf(ColourLayout::of(c).centreSquare) / 4.0;
    double reach = 0;
    for (int s = 1; s <= 56; ++s) {
        const QPointF p = centreOf(s) - mid;
        reach = std::max({reach, std::abs(p.x()), std::abs(p.y())});
    }
    reach += squareRadius() + 9.5 * scale_;
    return QRectF(mid.x() - reach, mid.y() - reach, 2 * reach, 2 * reach);
}

void BoardPainter::paint(QPainter& painter) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintTable(painter);
    paintBoard(painter);
    paintCross(painter);
    for (int c = 1; c <= 4; ++c)
        paintStable(painter, c);
    paintCentre(painter);
    paintTrack(painter);
    for (int c = 1; c <= 4; ++c)
        paintHomeColumn(painter, c);
    painter.restore();
}

void BoardPainter::paintTable(QPainter& painter) const {
    const QSize sz = pictureSize();
    painter.drawImage(0, 0,
                      PaintKit::woodTexture(sz, Palette::tableWood.lighter(112),
                                            Palette::tableWoodDark, 11, false));
    // The lamp above the table leaves its edges a little darker.
    QRadialGradient lamp(QPointF(sz.width() * 0.38, sz.height() * 0.45), sz.width() * 0.75);
    lamp.setColorAt(0.0, QColor(255, 230, 200, 0));
    lamp.setColorAt(0.7, QColor(0, 0, 0, 20));
    lamp.setColorAt(1.0, QColor(0, 0, 0, 70));
    painter.fillRect(QRect(QPoint(0, 0), sz), lamp);
}

void BoardPainter::paintBoard(QPainter& painter) const {
    const QRectF board = boardRect();
    const double radius = 5 * scale_;
    QPainterPath shape;
    shape.addRoundedRect(board, radius, radius);
    PaintKit::dropShadow(painter, shape, QPointF(2.2 * scale_, 2.8 * scale_), 4.0 * scale_,
                         QColor(20, 8, 0, 170));
    painter.save();
    painter.setClipPath(shape);
    painter.drawImage(board.topLeft(), PaintKit::paperTexture(board.size().toSize() + QSize(2, 2),
                                                              Palette::boardCream, 5));
    painter.restore();
    // A printed double frame, which breaks off a little before each stable's disc, and the
    // board's cut edge catching the light.
    QPainterPath frameArea;
    frameArea.addRect(board);
    for (int c = 1; c <= 4; ++c) {
        QPainterPath clear;
        const double r = stableRadius(c) + 3.0 * scale_;
        clear.addEllipse(stableCentre(c), r, r);
        frameArea = frameArea.subtracted(clear);
    }
    painter.save();
    painter.setClipPath(frameArea);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Palette::squareOutline, 1.6 * scale_));
    const double in1 = 5.0 * scale_, in2 = 7.5 * scale_;
    painter.drawRoundedRect(board.adjusted(in1, in1, -in1, -in1), radius * 0.6, radius * 0.6);
    painter.setPen(QPen(Palette::squareOutline, 0.7 * scale_));
    painter.drawRoundedRect(board.adjusted(in2, in2, -in2, -in2), radius * 0.5, radius * 0.5);
    painter.restore();
    QLinearGradient edge(board.topLeft(), board.bottomRight());
    edge.setColorAt(0, QColor(255, 255, 255, 170));
    edge.setColorAt(1, QColor(90, 60, 30, 200));
    painter.setPen(QPen(QBrush(edge), 1.0 * scale_));
    painter.drawRoundedRect(board.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

void BoardPainter::paintCross(QPainter& painter) const {
    painter.setPen(QPen(QColor(0x5A, 0x46, 0x30, 150), 1.0 * scale_));
    painter.setBrush(QColor(0xFA, 0xF1, 0xDC));
    painter.drawPath(crossPath());
}

QPainterPath BoardPainter::crossPath() const {
    // The two arms of the cross span the lanes of the track, from one end to the other.
    double left = 1e9, right = -1e9, top = 1e9, bottom = -1e9;
    for (int s = 1; s <= 56; ++s) {
        const QPointF p = centreOf(s);
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
    }
    const ColourLayout& jaune = ColourLayout::of(1);
    const ColourLayout& vert = ColourLayout::of(2);
    const ColourLayout& bleu = ColourLayout::of(3);
    const ColourLayout& rouge = ColourLayout::of(4);
    // Lanes of the vertical arm: the first square after Bleu's and Jaune's starts.
    const double laneLeft =
        std::min(centreOf(bleu.startSquare + 1).x(), centreOf(jaune.startSquare + 1).x());
    const double laneRight =
        std::max(centreOf(bleu.startSquare + 1).x(), centreOf(jaune.startSquare + 1).x());
    const double laneTop =
        std::min(centreOf(rouge.startSquare + 1).y(), centreOf(vert.startSquare + 1).y());
    const double laneBottom =
        std::max(centreOf(rouge.startSquare + 1).y(), centreOf(vert.startSquare + 1).y());
    const double pad = step_ * 0.58;
    QPainterPath cross;
    cross.addRoundedRect(
        QRectF(QPointF(laneLeft - pad, top - pad), QPointF(laneRight + pad, bottom + pad)),
        4 * scale_, 4 * scale_);
    QPainterPath arm;
    arm.addRoundedRect(
        QRectF(QPointF(left - pad, laneTop - pad), QPointF(right + pad, laneBottom + pad)),
        4 * scale_, 4 * scale_);
    return cross.united(arm).simplified();
}

// The disc is centred between the two ends of the zigzag of resting places, so both keep
// the same rim, and holds every place with a rim of the disc's colour beyond it. Where
// that disc would reach over the printed frame, it slides along the line that keeps the
// ends' rims equal, towards the middle of the board, until it lies inside the frame; it
// never reaches the cross, where it would cover the track.
BoardPainter::Disc BoardPainter::fitStableDisc(int colour) const {
    const ColourLayout& layout = ColourLayout::of(colour);
    QPointF places[4];
    QPointF mid;
    for (int k = 0; k < 4; ++k) {
        places[k] = centreOf(layout.stableSquare[k + 1]);
        mid += places[k] / 4.0;
    }
    std::sort(std::begin(places), std::end(places),
              [&](QPointF a, QPointF b) { return distance(a, mid) > distance(b, mid); });
    const QPointF endA = places[0], endB = places[1];
    const double hold = squareRadius() + 4.0 * scale_;
    const auto discAt = [&](QPointF centre) {
        double reach = 0;
        for (const QPointF& p : places)
            reach = std::max(reach, distance(centre, p));
        return Disc{centre, reach + hold};
    };
    const auto bounds = [](const Disc& d) {
        return QRectF(d.centre.x() - d.radius, d.centre.y() - d.radius, 2 * d.radius, 2 * d.radius);
    };

    // Inside the inner line of the frame, with the disc's outline and a little paper
    // between them.
    const double inset = 10.0 * scale_;
    const QRectF room = boardRect().adjusted(inset, inset, -inset, -inset);
    Disc disc = discAt(mid);
    if (room.contains(bounds(disc)))
        return disc;

    QPointF slide(endA.y() - endB.y(), endB.x() - endA.x());
    slide /= std::hypot(slide.x(), slide.y());
    if (QPointF::dotProduct(slide, boardRect().center() - mid) < 0)
        slide = -slide;
    const QPainterPath cross = crossPath();
    const QPointF start = (endA + endB) / 2.0;
    for (double t = 0; t <= step_ * 2; t += 0.25 * scale_) {
        const Disc next = discAt(start + slide * t);
        QPainterPath clearance;
        const double r = next.radius + 2.0 * scale_;
        clearance.addEllipse(next.centre, r, r);
        if (cross.intersects(clearance))
            break;
        disc = next;
        if (room.contains(bounds(disc)))
            break;
    }
    return disc;
}

void BoardPainter::paintStable(QPainter& painter, int colour) const {
    const ColourLayout& layout = ColourLayout::of(colour);
    const QPointF mid = stableCentre(colour);
    const double radius = stableRadius(colour);
    const QColor fill = Palette::colour(colour);
    const QColor dark = Palette::outline(colour);

    QPainterPath disc;
    disc.addEllipse(mid, radius, radius);
    PaintKit::dropShadow(painter, disc, QPointF(1.5 * scale_, 2 * scale_), 3 * scale_,
                         QColor(40, 20, 0, 120));
    QRadialGradient body(mid - QPointF(radius * 0.35, radius * 0.35), radius * 1.4);
    body.setColorAt(0.0, fill.lighter(118));
    body.setColorAt(0.6, fill);
    body.setColorAt(1.0, fill.darker(118));
    painter.setPen(QPen(dark, 2.0 * scale_));
    painter.setBrush(body);
    painter.drawEllipse(mid, radius, radius);

    // The emblem: a large pale horse head behind the four resting places.
    const double e = radius * 1.15;
    const QRectF emblem(mid.x() - e * 0.42, mid.y() - e * 0.5, e * 0.84, e);
    painter.setPen(Qt::NoPen);
    QColor pale = Palette::tint(fill, 0.45, Qt::white);
    pale.setAlpha(150);
    painter.setBrush(pale);
    painter.drawPath(horseHeadPath(emblem));

    for (int k = 1; k <= 4; ++k) {
        const QPointF p = centreOf(layout.stableSquare[k]);
        // Resting places are pale hollows sunk into the disc, so a horse of the disc's own
        // colour still stands out on them: shaded at the top left, lit below.
        QRadialGradient hollow(p + QPointF(squareRadius() * 0.3, squareRadius() * 0.35),
                               squareRadius() * 1.15);
        hollow.setColorAt(0.0, Palette::squareFill);
        hollow.setColorAt(0.7, Palette::boardCream);
        hollow.setColorAt(1.0, Palette::tint(fill, 0.5).darker(115));
        painter.setPen(QPen(dark, 1.2 * scale_));
        painter.setBrush(hollow);
        painter.drawEllipse(p, squareRadius(), squareRadius());
    }
}

void BoardPainter::paintCentre(QPainter& painter) const {
    QPointF mid;
    for (int c = 1; c <= 4; ++c)
        mid += centreOf(ColourLayout::of(c).centreSquare) / 4.0;
    // The centre fills the gap left between the last steps of the four home columns.
    double gap = 1e9;
    for (int c = 1; c <= 4; ++c) {
        const QPointF last = centreOf(ColourLayout::of(c).homeSquare + 5) - mid;
        gap = std::min(gap, std::max(std::abs(last.x()), std::abs(last.y())));
    }
    const double h = gap - squareRadius() - 3.5 * scale_;
    const QPointF corner[4] = {mid + QPointF(-h, -h), mid + QPointF(h, -h), mid + QPointF(h, h),
                               mid + QPointF(-h, h)};
    QPainterPath whole;
    whole.addRect(QRectF(corner[0], corner[2]));
    PaintKit::dropShadow(painter, whole, QPointF(1.2 * scale_, 1.5 * scale_), 2 * scale_,
                         QColor(40, 20, 0, 110));
    // Each colour's triangle faces the arm its home column comes down.
    for (int c = 1; c <= 4; ++c) {
        const QPointF dir = centreOf(ColourLayout::of(c).homeSquare) - mid;
        int side = 0; // 0 top, 1 right, 2 bottom, 3 left
        if (std::abs(dir.x()) > std::abs(dir.y()))
            side = dir.x() > 0 ? 1 : 3;
        else
            side = dir.y() > 0 ? 2 : 0;
        QPolygonF tri;
        tri << corner[side] << corner[(side + 1) % 4] << mid;
        const QPointF edgeMid = (corner[side] + corner[(side + 1) % 4]) / 2.0;
        QLinearGradient shade(edgeMid, mid);
        shade.setColorAt(0.0, Palette::colour(c).lighter(112));
        shade.setColorAt(1.0, Palette::colour(c).darker(112));
        painter.setPen(QPen(Palette::outline(c), 0.8 * scale_));
        painter.setBrush(shade);
        painter.drawPolygon(tri);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Palette::squareOutline, 1.4 * scale_));
    painter.drawRect(QRectF(corner[0], corner[2]));
    painter.setPen(QPen(Palette::squareOutline, 1.0 * scale_));
    painter.setBrush(Palette::squareFill);
    painter.drawEllipse(mid, h * 0.22, h * 0.22);
}

void BoardPainter::paintRoundSquare(QPainter& painter, QPointF centre, QColor fill,
                                    QColor outline) const {
    const double r = squareRadius();
    QPainterPath disc;
    disc.addEllipse(centre, r, r);
    PaintKit::dropShadow(painter, disc, QPointF(0.9 * scale_, 1.2 * scale_), 1.4 * scale_,
                         QColor(60, 35, 10, 120));
    QRadialGradient body(centre - QPointF(r * 0.35, r * 0.4), r * 1.35);
    body.setColorAt(0.0, fill.lighter(106));
    body.setColorAt(0.55, fill);
    body.setColorAt(1.0, fill.darker(110));
    painter.setPen(QPen(outline, 1.15 * scale_));
    painter.setBrush(body);
    painter.drawEllipse(centre, r, r);
}

void BoardPainter::paintTrack(QPainter& painter) const {
    for (int s = 1; s <= 56; ++s)
        paintRoundSquare(painter, centreOf(s), Palette::squareFill, Palette::squareOutline);
    for (int c = 1; c <= 4; ++c)
        paintStartArrow(painter, c);
}

void BoardPainter::paintStartArrow(QPainter& painter, int colour) const {
    const int start = ColourLayout::of(colour).startSquare;
    const QPointF p = centreOf(start);
    paintRoundSquare(painter, p, Palette::colour(colour), Palette::outline(colour));
    // The arrow points along the way the horses leave their start.
    QPointF dir = centreOf(start + 1) - p;
    dir /= std::max(1.0, std::hypot(dir.x(), dir.y()));
    const QPointF side(-dir.y(), dir.x());
    const double r = squareRadius();
    QPolygonF arrow;
    arrow << p + dir * (r * 0.72) << p + side * (r * 0.55) + dir * (r * 0.02)
          << p + side * (r * 0.22) + dir * (r * 0.02) << p + side * (r * 0.22) - dir * (r * 0.62)
          << p - side * (r * 0.22) - dir * (r * 0.62) << p - side * (r * 0.22) + dir * (r * 0.02)
          << p - side * (r * 0.55) + dir * (r * 0.02);
    painter.setPen(
        QPen(Palette::outline(colour), 0.8 * scale_, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(QColor(0xFF, 0xFB, 0xF0));
    painter.drawPolygon(arrow);
}

void BoardPainter::paintHomeColumn(QPainter& painter, int colour) const {
    const int home = ColourLayout::of(colour).homeSquare;
    const QColor fill = Palette::tint(Palette::colour(colour), 0.6);
    const QFont number = PaintKit::font(QStringLiteral("DejaVu Sans"), squareRadius() * 1.15, true);
    for (int step = 0; step < 6; ++step) {
        const QPointF p = centreOf(home + step);
        paintRoundSquare(painter, p, fill, Palette::outline(colour));
        painter.setFont(number);
        painter.setPen(Palette::outline(colour).darker(120));
        const double r = squareRadius();
        painter.drawText(QRectF(p.x() - r, p.y() - r, 2 * r, 2 * r), Qt::AlignCenter,
                         QString::number(step + 1));
    }
}
