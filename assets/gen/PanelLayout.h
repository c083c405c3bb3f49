#pragma once

#include <QRect>
#include <QString>
#include <vector>

// Where the painted buttons of the side panel lie on each board picture: exactly where the
// main window lays out the image controls over them, at the size of their highlights.
struct PanelButton {
    enum Kind { Text, Colour, Help, Stop, Minimise };
    QString name;  // the control's name, which names its highlight picture
    QString label; // the text printed on it
    Kind kind;
    int colour; // 1..4 for the colour buttons, 0 otherwise
    QRect rect;
};

class PanelLayout {
public:
    // artworkSize is 640, 800 or 1024.
    explicit PanelLayout(int artworkSize);

    const std::vector<PanelButton>& buttons() const { return buttons_; }
    const PanelButton& button(const QString& name) const;
    QRect dieRect() const { return die_; }
    QSize dieSize() const { return die_.size(); }
    int pieceSize() const { return piece_; }

private:
    std::vector<PanelButton> buttons_;
    QRect die_;
    int piece_ = 0;
};
