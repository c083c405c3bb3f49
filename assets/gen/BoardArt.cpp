#include "ArtScale.h"
#include "ArtSink.h"
#include "BoardPainter.h"
#include "ColourLayout.h"
#include "PanelPainter.h"
#include "PieceArt.h"

#include <QPainter>

namespace {

QImage boardPicture(const BoardPainter& board, const PanelPainter& panel, PanelPainter::Look look) {
    QImage image = artCanvas(board.pictureSize(), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    board.paint(p);
    panel.paint(p, look);
    return image;
}

void renderSize(ArtSink& sink, int size) {
    const BoardPainter board(size);
    const PanelPainter panel(size);
    const QString s = QString::number(size);
    const QSize picture = board.pictureSize();

    const QImage normal = boardPicture(board, panel, PanelPainter::Look::Normal);
    sink.image(QStringLiteral("art/img%1x%2.png").arg(picture.width()).arg(picture.height()),
               normal);

    // Highlights and lit buttons are cut from whole boards painted in that look, so they sit
    // on their painted button to the pixel, shadows and all.
    const QImage highlighted = boardPicture(board, panel, PanelPainter::Look::Highlighted);
    const QImage lit = boardPicture(board, panel, PanelPainter::Look::Lit);
    for (const PanelButton& b : panel.layout().buttons()) {
        const QImage& source = b.kind == PanelButton::Colour ? lit : highlighted;
        sink.image(QStringLiteral("art/%1SEL%2.png").arg(b.name, s), cutOut(source, b.rect));
    }

    const QRect die = panel.layout().dieRect();
    const QImage felt = cutOut(normal, die);
    for (int face = 1; face <= 6; ++face)
        sink.image(QStringLiteral("art/Des%1_%2.png").arg(face).arg(s),
                   PieceArt::dieFace(felt, face));

    const int piece = panel.layout().pieceSize();
    for (int c = 1; c <= 4; ++c)
        sink.image(QStringLiteral("art/Pion%1%2.png").arg(QLatin1String(Colour::name(c)), s),
                   PieceArt::horse(c, piece));
    sink.image(QStringLiteral("art/Pion%1.png").arg(s), PieceArt::marker(piece));
    sink.image(QStringLiteral("art/Lueur%1.png").arg(s), PieceArt::glow(piece));
}

} // namespace

void renderBoardArt(ArtSink& sink) {
    for (int size : {640, 800, 1024})
        renderSize(sink, size);
}
