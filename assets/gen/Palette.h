#pragma once

#include <QColor>

// One palette for every picture of the game, so the board, the dialogs and the pieces
// look as if they came out of the same box.
namespace Palette {

// Colours in the order of play (index 1..4, 0 unused), each with its dark outline.
inline QColor colour(int c) {
    static const QColor fills[5] = {QColor(0, 0, 0), QColor(0xF2, 0xBE, 0x0F),
                                    QColor(0x2E, 0x9A, 0x45), QColor(0x2F, 0x6B, 0xD0),
                                    QColor(0xD0, 0x38, 0x2C)};
    return fills[(c >= 1 && c <= 4) ? c : 0];
}
inline QColor outline(int c) {
    static const QColor lines[5] = {QColor(0, 0, 0), QColor(0x7A, 0x56, 0x00),
                                    QColor(0x14, 0x50, 0x2A), QColor(0x14, 0x3A, 0x78),
                                    QColor(0x6E, 0x17, 0x10)};
    return lines[(c >= 1 && c <= 4) ? c : 0];
}

inline const QColor boardCream(0xF4, 0xE8, 0xCC);
inline const QColor squareFill(0xFF, 0xF8, 0xE6);
inline const QColor squareOutline(0x5A, 0x46, 0x30);
inline const QColor ink(0x2B, 0x20, 0x16); // printed text and pips

// The window shows (189, 125, 96) where no picture covers it; the table is darker.
inline const QColor windowColour(189, 125, 96);
inline const QColor tableWood(0x8A, 0x55, 0x33);
inline const QColor tableWoodDark(0x6B, 0x3F, 0x24);

inline const QColor walnut(0x4A, 0x2E, 0x1C);
inline const QColor walnutDark(0x2E, 0x1B, 0x10);
inline const QColor walnutLight(0x6E, 0x48, 0x2E);
inline const QColor labelCream(0xF6, 0xEB, 0xD2);
inline const QColor labelGold(0xFF, 0xE2, 0x8A);

inline const QColor felt(0x1F, 0x4D, 0x2E);
inline const QColor teal(0x1F, 0x4F, 0x57);
inline const QColor ivory(0xFB, 0xF6, 0xE8);
inline const QColor markerRed(0x8E, 0x1B, 0x1B);
inline const QColor stopRed(0xC6, 0x22, 0x1C);

// Horses and markers are see-through where they show this exact grey.
inline const QColor keyGrey(192, 192, 192);

// A colour mixed with the board cream; amount is the share of the colour (0..1).
inline QColor tint(const QColor& c, double amount, const QColor& with = boardCream) {
    const auto mix = [amount](int a, int b) { return int(a * amount + b * (1.0 - amount) + 0.5); };
    return QColor(mix(c.red(), with.red()), mix(c.green(), with.green()),
                  mix(c.blue(), with.blue()));
}

} // namespace Palette
