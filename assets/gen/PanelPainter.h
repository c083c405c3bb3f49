#pragma once

#include "PanelLayout.h"

#include <QImage>

class QPainter;

// The side panel: a walnut frame with the command plaques, the felt for the die, the four
// colour buttons, the help button and the STOP sign.
class PanelPainter {
public:
    enum class Look { Normal, Highlighted, Lit };

    explicit PanelPainter(int artworkSize);

    const PanelLayout& layout() const { return layout_; }
    QRectF feltRect() const;

    // Highlighted gives every command its gold label; Lit lights every colour button.
    void paint(QPainter& painter, Look look) const;

private:
    void paintFrame(QPainter& painter) const;
    void paintFelt(QPainter& painter) const;
    void paintButton(QPainter& painter, const PanelButton& button, Look look) const;
    void paintColourButton(QPainter& painter, const PanelButton& button, bool lit) const;
    void paintHelp(QPainter& painter, const QRectF& box, bool highlighted) const;
    void paintStop(QPainter& painter, const QRectF& box, bool highlighted) const;
    void paintMinimise(QPainter& painter, const QRectF& box, bool highlighted) const;

    PanelLayout layout_;
    int size_;
    double scale_;
    QImage walnut_;
};
