#include "PanelPlacement.h"

#include <cstring>

namespace {

struct Row {
    PanelPlacement::Button button;
    int at[3][2]; // left, top at 640, 800, 1024
};

using PanelPlacement::Kind;

const Row rows[] = {
    {{"Bminimize", "", Kind::Minimise, 0}, {{618, 12}, {771, 15}, {988, 19}}},
    {{"Bconfiguration", "Configuration", Kind::Text, 0}, {{506, 12}, {633, 15}, {809, 19}}},
    {{"Bapropos", "A propos de ...", Kind::Text, 0}, {{506, 38}, {633, 48}, {809, 61}}},
    {{"Bafas", "R.I.Z.I.", Kind::Text, 0}, {{506, 65}, {633, 81}, {809, 104}}},
    {{"Bcdaudio", "CD-Audio", Kind::Text, 0}, {{506, 91}, {633, 114}, {809, 146}}},
    {{"Bcharger", "Charger", Kind::Text, 0}, {{506, 118}, {633, 147}, {809, 188}}},
    {{"Bsauver", "Sauver", Kind::Text, 0}, {{506, 144}, {633, 179}, {809, 230}}},
    {{"Bnouveau", "Nouveau", Kind::Text, 0}, {{506, 171}, {633, 213}, {809, 272}}},
    {{"Bquitter", "Quitter", Kind::Text, 0}, {{506, 197}, {633, 246}, {809, 314}}},
    {{"BJaune", "Jaune", Kind::Colour, 1}, {{506, 310}, {633, 388}, {809, 496}}},
    {{"BVert", "Vert", Kind::Colour, 2}, {{506, 337}, {633, 421}, {809, 539}}},
    {{"BBleu", "Bleu", Kind::Colour, 3}, {{506, 363}, {633, 454}, {809, 581}}},
    {{"BRouge", "Rouge", Kind::Colour, 4}, {{506, 390}, {633, 487}, {809, 623}}},
    {{"Bhelp", "?", Kind::Help, 0}, {{506, 419}, {633, 524}, {809, 670}}},
    {{"Barret", "STOP", Kind::Stop, 0}, {{564, 419}, {705, 524}, {901, 670}}},
};

// Button sizes per kind, and the die, at 640, 800 and 1024.
const int textSize[3][2] = {{108, 24}, {135, 30}, {174, 39}};
const int roundSide[3] = {50, 62, 80};
const int minimiseSide[3] = {13, 16, 20};
const PanelPlacement::Rect die[3] = {
    {520, 223, 86, 82}, {650, 279, 108, 103}, {831, 356, 139, 133}};
const int piece[3] = {28, 35, 45};

int sizeIndex(int artworkSize) {
    return artworkSize == 640 ? 0 : artworkSize == 800 ? 1 : 2;
}

} // namespace

const std::vector<PanelPlacement::Button>& PanelPlacement::buttons() {
    static const std::vector<Button> all = [] {
        std::vector<Button> list;
        for (const Row& r : rows) {
            list.push_back(r.button);
        }
        return list;
    }();
    return all;
}

PanelPlacement::Rect PanelPlacement::buttonRect(const char* name, int artworkSize) {
    const int i = sizeIndex(artworkSize);
    for (const Row& r : rows) {
        if (std::strcmp(r.button.name, name) != 0) {
            continue;
        }
        Rect rect{r.at[i][0], r.at[i][1], textSize[i][0], textSize[i][1]};
        if (r.button.kind == Kind::Help || r.button.kind == Kind::Stop) {
            rect.width = rect.height = roundSide[i];
        } else if (r.button.kind == Kind::Minimise) {
            rect.width = rect.height = minimiseSide[i];
        }
        return rect;
    }
    return {};
}

PanelPlacement::Rect PanelPlacement::dieRect(int artworkSize) {
    return die[sizeIndex(artworkSize)];
}

int PanelPlacement::pieceSize(int artworkSize) {
    return piece[sizeIndex(artworkSize)];
}
