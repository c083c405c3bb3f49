#pragma once

#include <vector>

// Where the side panel's buttons and the die lie on the board picture of each artwork
// size: the art generator paints them there, the main window lays its image controls over
// them there, and the tests check both against this one table. No widgets: the generator
// and the tests link it without the windows.
namespace PanelPlacement {

enum class Kind { Text, Colour, Help, Stop, Minimise };

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct Button {
    const char* name;  // the control's name, which also names its highlight picture
    const char* label; // the text printed on it
    Kind kind;
    int colour; // 1..4 for the colour buttons, 0 otherwise
};

// The fifteen buttons, top to bottom.
const std::vector<Button>& buttons();
// artworkSize is 640, 800 or 1024; any other value is taken as 1024. An unknown name
// gives an empty rectangle.
Rect buttonRect(const char* name, int artworkSize);
Rect dieRect(int artworkSize);
// The side of a horse or marker picture.
int pieceSize(int artworkSize);

} // namespace PanelPlacement
