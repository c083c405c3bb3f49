#include "PanelLayout.h"

#include "PanelPlacement.h"

#include <stdexcept>

namespace {

QRect toQRect(const PanelPlacement::Rect& r) {
    return QRect(r.left, r.top, r.width, r.height);
}

PanelButton::Kind kindOf(PanelPlacement::Kind kind) {
    switch (kind) {
    case PanelPlacement::Kind::Colour:
        return PanelButton::Colour;
    case PanelPlacement::Kind::Help:
        return PanelButton::Help;
    case PanelPlacement::Kind::Stop:
        return PanelButton::Stop;
    case PanelPlacement::Kind::Minimise:
        return PanelButton::Minimise;
    case PanelPlacement::Kind::Text:
        break;
    }
    return PanelButton::Text;
}

} // namespace

PanelLayout::PanelLayout(int artworkSize) {
    for (const PanelPlacement::Button& b : PanelPlacement::buttons()) {
        buttons_.push_back({QString::fromLatin1(b.name), QString::fromLatin1(b.label),
                            kindOf(b.kind), b.colour,
                            toQRect(PanelPlacement::buttonRect(b.name, artworkSize))});
    }
    die_ = toQRect(PanelPlacement::dieRect(artworkSize));
    piece_ = PanelPlacement::pieceSize(artworkSize);
}

const PanelButton& PanelLayout::button(const QString& name) const {
    for (const PanelButton& b : buttons_)
        if (b.name == name)
            return b;
    throw std::out_of_range("no panel button " + name.toStdString());
}
