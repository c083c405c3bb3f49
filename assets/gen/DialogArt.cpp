#include "ArtScale.h"
#include "ArtSink.h"
#include "DialogPaint.h"
#include "HorseShape.h"
#include "Palette.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

using namespace DialogPaint;

namespace {

const QColor kWhite(255, 255, 255);

// Skinned message box: the caption and text are labels drawn at run time, so the face
// only frames them; the three answer buttons share one row.
void renderMessageBox(ArtSink& sink) {
    const QImage plain = tealFace(440, 260);
    QImage face = plain;
    {
        QPainter p(&face);
        p.setRenderHint(QPainter::Antialiasing);
        // A darker caption band and a rule above the buttons.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 45));
        p.drawRoundedRect(QRectF(12, 8, 416, 27), 5, 5);
        p.setPen(QPen(QColor(0, 0, 0, 70), 1.0));
        p.drawLine(QPointF(20, 205.5), QPointF(420, 205.5));
        p.setPen(QPen(QColor(255, 255, 255, 40), 1.0));
        p.drawLine(QPointF(20, 206.5), QPointF(420, 206.5));
    }
    sink.image(QStringLiteral("art/msgbox/imgBackground.png"), face);

    struct Face {
        const char* name;
        const char* label;
    };
    const Face faces[] = {{"Ok", "Ok"}, {"Yes", "Oui"}, {"No", "Non"}};
    // The buttons show their pictures at (133..229, 212); the ground there is one colour
    // along the row, so one cut-out serves all three.
    const QPoint okAt(181, 212);
    for (const Face& f : faces) {
        const QString base = QStringLiteral("art/msgbox/btn") + QLatin1String(f.name);
        const QString label = QString::fromUtf8(f.label);
        sink.image(base + QStringLiteral("Unselected.png"),
                   buttonPicture(face, okAt, QSize(80, 36), 35, label, buttonTeal()));
        sink.image(base + QStringLiteral("Selected.png"),
                   buttonPicture(face, okAt, QSize(80, 36), 35, label, buttonGreen()));
    }
}

QImage checkBox(bool ticked) {
    QImage box = artCanvas(13, 13, QImage::Format_RGB32);
    box.fill(Palette::teal.darker(160));
    QPainter p(&box);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient paper(0, 0, 0, 13);
    paper.setColorAt(0.0, QColor(0xE6, 0xEA, 0xE6));
    paper.setColorAt(1.0, kWhite);
    p.setPen(Qt::NoPen);
    p.setBrush(paper);
    p.drawRect(QRectF(1, 1, 11, 11));
    p.setPen(QPen(QColor(0, 0, 0, 60), 1.0));
    p.drawLine(QPointF(1.5, 1.5), QPointF(11.5, 1.5));
    if (ticked) {
        QPainterPath tick;
        tick.moveTo(2.8, 6.6);
        tick.lineTo(5.3, 9.2);
        tick.lineTo(10.3, 3.3);
        p.setPen(QPen(Palette::outline(2), 2.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(tick);
    }
    return box;
}

void renderSettings(ArtSink& sink) {
    QImage plain = tealFace(320, 260);
    {
        QPainter p(&plain);
        p.setRenderHint(QPainter::Antialiasing);
        paintText(p, QRectF(0, 8, 320, 28), Qt::AlignCenter, QStringLiteral("Configuration"),
                  sans(18, true), kWhite);
        p.setPen(QPen(QColor(255, 255, 255, 70), 1.0));
        p.drawLine(QPointF(70, 37.5), QPointF(250, 37.5));

        const QFont body = sans(12);
        paintWell(p, QRectF(170, 48, 35, 22), Palette::teal);
        paintText(p, QRectF(10, 48, 154, 22), Qt::AlignRight | Qt::AlignVCenter,
                  QString::fromUtf8("Temporisation de jeu :"), body, kWhite);
        paintText(p, QRectF(211, 48, 100, 22), Qt::AlignLeft | Qt::AlignVCenter,
                  QStringLiteral("seconde(s)"), body, kWhite);

        paintWell(p, QRectF(230, 90, 13, 13), Palette::teal);
        paintText(p, QRectF(250, 86, 60, 21), Qt::AlignLeft | Qt::AlignVCenter,
                  QStringLiteral("Sons"), body, kWhite);

        // The strong computer's box, in the free space between the lists and the buttons.
        paintWell(p, QRectF(230, 134, 13, 13), Palette::teal);
        // Two lines of a size smaller, so the longer label keeps clear of the frame.
        paintText(p, QRectF(249, 124, 64, 33), Qt::AlignLeft | Qt::AlignVCenter,
                  QStringLiteral("Ordinateur\nfort"), sans(11), kWhite);

        const int listTops[] = {88, 130, 173, 216};
        for (int colour = 1; colour <= 4; ++colour) {
            const QRectF list(88, listTops[colour - 1], 117, 21);
            paintWell(p, list, Palette::teal);
            const double size = 34;
            const QRectF horse(list.left() - 14 - size * 0.8, list.center().y() - size / 2 - 1,
                               size * 0.8, size);
            // A small shadow on the face, then the piece itself.
            p.save();
            p.translate(1.5, 2);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0, 0, 0, 70));
            p.drawPath(horseHeadPath(horse));
            p.restore();
            paintHorse(p, horse, Palette::colour(colour), Palette::outline(colour));
        }
    }
    const QRect okRect(224, 168, 80, 35), cancelRect(224, 210, 80, 35);
    QImage face = plain;
    {
        QPainter p(&face);
        paintButton(p, okRect, QStringLiteral("Ok"), buttonTeal());
        paintButton(p, cancelRect, QStringLiteral("Annuler"), buttonTeal());
    }
    sink.image(QStringLiteral("art/config/imgConfiguration.png"), face);
    sink.image(QStringLiteral("art/config/OkSEL.png"),
               buttonPicture(plain, okRect.topLeft(), QSize(80, 36), 35, QStringLiteral("Ok"),
                             buttonBrightGreen()));
    sink.image(QStringLiteral("art/config/CancelSEL.png"),
               buttonPicture(plain, cancelRect.topLeft(), QSize(80, 36), 35,
                             QStringLiteral("Annuler"), buttonBrightGreen()));
    sink.image(QStringLiteral("art/config/imgCheckBoxChecked.png"), checkBox(true));
    sink.image(QStringLiteral("art/config/imgCheckBoxUnchecked.png"), checkBox(false));
}

enum class Symbol { Rewind, Play, FastForward, Previous, Stop, Next, Eject, Pause, Close };

QPainterPath triangle(double left, double top, double width, double height, bool pointsRight) {
    QPainterPath t;
    if (pointsRight) {
        t.moveTo(left, top);
        t.lineTo(left + width, top + height / 2);
        t.lineTo(left, top + height);
    } else {
        t.moveTo(left + width, top);
        t.lineTo(left, top + height / 2);
        t.lineTo(left + width, top + height);
    }
    t.closeSubpath();
    return t;
}

// The transport symbols, drawn on a 20 x 14 box centred in the button.
QPainterPath symbolPath(Symbol s, QPointF centre) {
    QPainterPath path;
    const double x = centre.x() - 10, y = centre.y() - 7;
    switch (s) {
    case Symbol::Rewind:
        path.addPath(triangle(x + 1, y, 9, 14, false));
        path.addPath(triangle(x + 10, y, 9, 14, false));
        break;
    case Symbol::Play:
        path.addPath(triangle(x + 5, y, 12, 14, true));
        break;
    case Symbol::FastForward:
        path.addPath(triangle(x + 1, y, 9, 14, true));
        path.addPath(triangle(x + 10, y, 9, 14, true));
        break;
    case Symbol::Previous:
        path.addRect(QRectF(x + 1, y, 2.5, 14));
        path.addPath(triangle(x + 3.5, y, 8, 14, false));
        path.addPath(triangle(x + 11.5, y, 8, 14, false));
        break;
    case Symbol::Stop:
        path.addRoundedRect(QRectF(x + 4, y, 12, 14).adjusted(0, 0.5, 0, -0.5), 1, 1);
        break;
    case Symbol::Next:
        path.addPath(triangle(x + 0.5, y, 8, 14, true));
        path.addPath(triangle(x + 8.5, y, 8, 14, true));
        path.addRect(QRectF(x + 16.5, y, 2.5, 14));
        break;
    case Symbol::Eject:
        path.moveTo(x + 10, y);
        path.lineTo(x + 17, y + 8);
        path.lineTo(x + 3, y + 8);
        path.closeSubpath();
        path.addRect(QRectF(x + 3, y + 10.5, 14, 3.5));
        break;
    case Symbol::Pause:
        path.addRect(QRectF(x + 5, y, 4, 14));
        path.addRect(QRectF(x + 11, y, 4, 14));
        break;
    case Symbol::Close: {
        QPainterPath bar;
        bar.addRoundedRect(QRectF(-8, -1.7, 16, 3.4), 1.5, 1.5);
        QTransform t;
        t.translate(centre.x(), centre.y());
        path.addPath(t.rotate(45).map(bar));
        path.addPath(t.rotate(90).map(bar));
        path.setFillRule(Qt::WindingFill);
        path = path.simplified();
        break;
    }
    }
    return path;
}

void renderCdPlayer(ArtSink& sink) {
    QImage face = artCanvas(150, 220, QImage::Format_RGB32);
    face.fill(Palette::teal.darker(230));
    QPainter p(&face);
    p.setRenderHint(QPainter::Antialiasing);
    // The window is cut to a round rectangle with 20-pixel corner ellipses.
    paintBevelFace(p, QRectF(0, 0, 150, 220), Palette::teal, 10, 4);

    // Display panel: a pale screen, light enough for the black labels drawn over it.
    const QRectF panel(7, 11, 136, 91);
    p.setPen(Qt::NoPen);
    QLinearGradient recess(panel.topLeft(), panel.bottomRight());
    recess.setColorAt(0.0, Palette::teal.darker(190));
    recess.setColorAt(1.0, Palette::teal.lighter(150));
    p.setBrush(recess);
    p.drawRoundedRect(panel, 5, 5);
    const QRectF screen = panel.adjusted(2, 2, -2, -2);
    QLinearGradient glass(screen.topLeft(), screen.bottomLeft());
    glass.setColorAt(0.0, QColor(0xE4, 0xEC, 0xD4));
    glass.setColorAt(1.0, QColor(0xD2, 0xDE, 0xC0));
    p.setBrush(glass);
    p.drawRoundedRect(screen, 4, 4);
    // Shade under the top edge of the screen, as if it sat behind the face.
    QLinearGradient shade(0, screen.top(), 0, screen.top() + 5);
    shade.setColorAt(0.0, QColor(0, 0, 0, 55));
    shade.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.setBrush(shade);
    p.drawRoundedRect(QRectF(screen.left(), screen.top(), screen.width(), 6), 4, 4);

    struct Key {
        int left, top;
        Symbol symbol;
    };
    const Key keys[] = {
        {6, 109, Symbol::Rewind},   {53, 109, Symbol::Play},  {98, 109, Symbol::FastForward},
        {6, 144, Symbol::Previous}, {53, 144, Symbol::Stop},  {98, 144, Symbol::Next},
        {6, 180, Symbol::Eject},    {53, 180, Symbol::Pause}, {98, 180, Symbol::Close}};
    for (const Key& k : keys) {
        const QRectF r(k.left, k.top, 45, 30);
        const bool close = k.symbol == Symbol::Close;
        const QColor base = close ? Palette::colour(4).darker(115) : buttonTeal();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 60));
        p.drawRoundedRect(r.adjusted(1.5, 2, 0, 0), 6, 6);
        paintBevelFace(p, r.adjusted(0.5, 0.5, -1, -1), base, 6, 2);
        const QPainterPath symbol = symbolPath(k.symbol, r.center() - QPointF(0.25, 0.25));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 90));
        p.drawPath(symbol.translated(1, 1));
        p.setBrush(Palette::labelCream);
        p.drawPath(symbol);
    }
    p.end();
    sink.image(QStringLiteral("art/cdplayer/imgBackground.png"), face);
}

QImage afasBadge() {
    QImage badge = artCanvas(123, 38, QImage::Format_RGB32);
    badge.fill(Palette::teal);
    QPainter p(&badge);
    p.setRenderHint(QPainter::Antialiasing);
    paintBevelFace(p, QRectF(0, 0, 123, 38), Palette::colour(3).darker(120), 6, 2);
    // A gold seal on the left, the association's initials beside it.
    const QPointF seal(19, 19);
    QRadialGradient gold(seal - QPointF(4, 4), 16);
    gold.setColorAt(0.0, Palette::labelGold);
    gold.setColorAt(1.0, Palette::colour(1).darker(115));
    p.setPen(QPen(Palette::outline(1), 1.0));
    p.setBrush(gold);
    p.drawEllipse(seal, 12.5, 12.5);
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const double angle = -M_PI / 2 + i * M_PI / 5;
        const double radius = i % 2 == 0 ? 8.5 : 3.6;
        const QPointF pt(seal.x() + radius * std::cos(angle), seal.y() + radius * std::sin(angle));
        if (i == 0)
            star.moveTo(pt);
        else
            star.lineTo(pt);
    }
    star.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Palette::outline(1));
    p.drawPath(star);
    paintText(p, QRectF(34, 0, 86, 38), Qt::AlignCenter, QStringLiteral("R.I.Z.I."),
              font(QStringLiteral("DejaVu Serif"), 17, true), kWhite);
    return badge;
}

void renderAbout(ArtSink& sink) {
    QImage plain = tealFace(440, 260);
    {
        QPainter p(&plain);
        p.setRenderHint(QPainter::Antialiasing);
        paintText(p, QRectF(0, 10, 440, 40), Qt::AlignCenter, QStringLiteral("Les Bramidou"),
                  font(QStringLiteral("DejaVu Serif"), 32, true), Palette::labelGold);
        paintText(p, QRectF(0, 50, 440, 18), Qt::AlignCenter, QStringLiteral("Version 1.0"),
                  sans(12), Palette::labelCream);
        // The four colours of the game in a row under the title.
        for (int colour = 1; colour <= 4; ++colour) {
            const QRectF horse(172 + (colour - 1) * 26, 72, 20, 24);
            paintHorse(p, horse, Palette::colour(colour), Palette::outline(colour));
        }
        p.setPen(QPen(QColor(255, 255, 255, 60), 1.0));
        p.drawLine(QPointF(40, 84.5), QPointF(160, 84.5));
        p.drawLine(QPointF(280, 84.5), QPointF(400, 84.5));

        // Recessed panels behind the contact labels.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 40));
        p.drawRoundedRect(QRectF(10, 104, 178, 110), 6, 6);
        p.drawRoundedRect(QRectF(240, 94, 192, 116), 6, 6);

        const QFont caption = sans(12, true);
        paintText(p, QRectF(16, 108, 165, 18), Qt::AlignLeft | Qt::AlignVCenter,
                  QStringLiteral("Par courrier :"), caption, Palette::labelGold);
        paintText(p, QRectF(248, 97, 180, 18), Qt::AlignLeft | Qt::AlignVCenter,
                  QStringLiteral("Par e-mail :"), caption, Palette::labelGold);
        paintText(p, QRectF(248, 168, 180, 18), Qt::AlignLeft | Qt::AlignVCenter,
                  QStringLiteral("Sur Internet :"), caption, Palette::labelGold);
        paintText(p, QRectF(208, 220, 137, 26), Qt::AlignCenter,
                  QString::fromUtf8("\u00A9 Vurmont Soft"), sans(12), Palette::labelCream);
    }
    const QRect okRect(352, 216, 80, 36);
    QImage face = plain;
    {
        QPainter p(&face);
        paintButton(p, okRect, QStringLiteral("Ok"), buttonTeal());
    }
    sink.image(QStringLiteral("art/about/imgBackground.png"), face);
    sink.image(QStringLiteral("art/about/OkSEL.png"),
               buttonPicture(plain, okRect.topLeft(), okRect.size(), 36, QStringLiteral("Ok"),
                             buttonBrightGreen()));
    sink.image(QStringLiteral("art/about/imgAfas.png"), afasBadge());
}

} // namespace

void renderDialogArt(ArtSink& sink) {
    renderMessageBox(sink);
    renderSettings(sink);
    renderCdPlayer(sink);
    renderAbout(sink);
}
