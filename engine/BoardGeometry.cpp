#include "BoardGeometry.h"

namespace {
struct SizeTable {
    int size;
    int c;                // track step
    int b;                // cross step, between the arms
    BoardPoint anchor[4]; // squares 1, 15, 29, 43
};

const SizeTable tables[3] = {
    {640, 29, 39, {{280, 26}, {453, 279}, {202, 452}, {28, 200}}},
    {800, 36, 49, {{350, 34}, {566, 348}, {251, 564}, {36, 250}}},
    {1024, 46, 62, {{448, 42}, {724, 446}, {321, 724}, {44, 320}}},
};

BoardPoint offset(BoardPoint p, int dx, int dy) {
    return {p.x + dx, p.y + dy};
}
} // namespace

BoardGeometry::BoardGeometry(int artworkSize) {
    const SizeTable* t = &tables[2];
    for (const SizeTable& candidate : tables) {
        if (candidate.size == artworkSize) {
            t = &candidate;
        }
    }
    size_ = t->size;
    const int c = t->c;
    const int b = t->b;
    const int d = static_cast<int>(c * 17 / 10); // c x 1.7, truncated
    BoardPoint* P = points_;

    // The anchors are taken as drawn, even where they sit off their neighbours' lattice.
    P[1] = t->anchor[0];
    for (int s = 2; s <= 7; ++s)
        P[s] = offset(P[s - 1], 0, c);
    for (int s = 8; s <= 13; ++s)
        P[s] = offset(P[s - 1], c, 0);
    P[14] = offset(P[13], 0, b);
    P[15] = t->anchor[1];
    for (int s = 16; s <= 21; ++s)
        P[s] = offset(P[s - 1], -c, 0);
    for (int s = 22; s <= 27; ++s)
        P[s] = offset(P[s - 1], 0, c);
    P[28] = offset(P[27], -b, 0);
    P[29] = t->anchor[2];
    for (int s = 30; s <= 35; ++s)
        P[s] = offset(P[s - 1], 0, -c);
    for (int s = 36; s <= 41; ++s)
        P[s] = offset(P[s - 1], -c, 0);
    P[42] = offset(P[41], 0, -b);
    P[43] = t->anchor[3];
    for (int s = 44; s <= 49; ++s)
        P[s] = offset(P[s - 1], c, 0);
    for (int s = 50; s <= 55; ++s)
        P[s] = offset(P[s - 1], 0, -c);
    P[56] = offset(P[55], b, 0);

    for (int i = 0; i <= 5; ++i) {
        P[100 + i] = {P[56].x, P[2 + i].y};
        P[200 + i] = {P[16 + i].x, P[14].y};
        P[300 + i] = {P[28].x, P[30 + i].y};
        P[400 + i] = {P[44 + i].x, P[42].y};
    }

    P[106] = offset(P[105], 0, c);
    P[206] = offset(P[205], -c, 0);
    P[306] = offset(P[305], 0, -c);
    P[406] = offset(P[405], c, 0);
    for (int colour = 1; colour <= 4; ++colour) {
        for (int k = 7; k <= 10; ++k) {
            P[100 * colour + k] = P[100 * colour + 6];
        }
    }

    P[121] = offset(P[1], d, b);
    P[122] = offset(P[121], b, b);
    P[123] = offset(P[121], 2 * b, 0);
    P[124] = offset(P[121], 3 * b, b);
    P[221] = offset(P[15], -b, d);
    P[222] = offset(P[221], -b, b);
    P[223] = offset(P[221], 0, 2 * b);
    P[224] = offset(P[221], -b, 3 * b);
    P[321] = offset(P[29], -d, -b);
    P[322] = offset(P[321], -b, -b);
    P[323] = offset(P[321], -2 * b, 0);
    P[324] = offset(P[321], -3 * b, -b);
    P[421] = offset(P[43], b, -d);
    P[422] = offset(P[421], b, -b);
    P[423] = offset(P[421], 0, -2 * b);
    P[424] = offset(P[421], b, -3 * b);
}

BoardPoint BoardGeometry::at(int square) const {
    if (square < 1 || square > 512) {
        return BoardPoint{};
    }
    return points_[square];
}
