#include "PanelLayout.h"

#include <array>
#include <stdexcept>

namespace {

struct Row {
    const char* name;
    const char* label;
    PanelButton::Kind kind;
    int colour;
    std::array<int, 6> pos; // left, top at 640, 800, 1024
};

const Row rows[] = {
    {"Bminimize", "", PanelButton::Minimise, 0, {618, 12, 771, 15, 988, 19}},
    {"Bconfiguration", "Configuration", PanelButton::Text, 0, {506, 12, 633, 15, 809, 19}},
    {"Bapropos", "A propos de ...", PanelButton::Text, 0, {506, 38, 633, 48, 809, 61}},
    {"Bafas", "R.I.Z.I.", PanelButton::Text, 0, {506, 65, 633, 81, 809, 104}},
    {"Bcdaudio", "CD-Audio", PanelButton::Text, 0, {506, 91, 633, 114, 809, 146}},
    {"Bcharger", "Charger", PanelButton::Text, 0, {506, 118, 633, 147, 809, 188}},
    {"Bsauver", "Sauver", PanelButton::Text, 0, {506, 144, 633, 179, 809, 230}},
    {"Bnouveau", "Nouveau", PanelButton::Text, 0, {506, 171, 633, 213, 809, 272}},
    {"Bquitter", "Quitter", PanelButton::Text, 0, {506, 197, 633, 246, 809, 314}},
    {"BJaune", "Jaune", PanelButton::Colour, 1, {506, 310, 633, 388, 809, 496}},
    {"BVert", "Vert", PanelButton::Colour, 2, {506, 337, 633, 421, 809, 539}},
    {"BBleu", "Bleu", PanelButton::Colour, 3, {506, 363, 633, 454, 809, 581}},
    {"BRouge", "Rouge", PanelButton::Colour, 4, {506, 390, 633, 487, 809, 623}},
    {"Bhelp", "?", PanelButton::Help, 0, {506, 419, 633, 524, 809, 670}},
    {"Barret", "STOP", PanelButton::Stop, 0, {564, 419, 705, 524, 901, 670}},
};

int sizeIndex(int artworkSize) {
    return artworkSize == 640 ? 0 : artworkSize == 800 ? 1 : 2;
}

} // namespace

PanelLayout::PanelLayout(int artworkSize) {
    const int i = sizeIndex(artworkSize);
    const QSize text[] = {{108, 24}, {135, 30}, {174, 39}};
    const QSize round[] = {{50, 50}, {62, 62}, {80, 80}};
    const QSize minimise[] = {{13, 13}, {16, 16}, {20, 20}};
    const QRect die[] = {{520, 223, 86, 82}, {650, 279, 108, 103}, {831, 356, 139, 133}};
    const int piece[] = {28, 35, 45};
    for (const Row& r : rows) {
        QSize sz = text[i];
        if (r.kind == PanelButton::Help || r.kind == PanelButton::Stop)
            sz = round[i];
        else if (r.kind == PanelButton::Minimise)
            sz = minimise[i];
        buttons_.push_back({QString::fromLatin1(r.name), QString::fromLatin1(r.label), r.kind,
                            r.colour, QRect(QPoint(r.pos[i * 2], r.pos[i * 2 + 1]), sz)});
    }
    die_ = die[i];
    piece_ = piece[i];
}

const PanelButton& PanelLayout::button(const QString& name) const {
    for (const PanelButton& b : buttons_)
        if (b.name == name)
            return b;
    throw std::out_of_range("no panel button " + name.toStdString());
}
