#pragma once

struct BoardPoint {
    int x = 30000;
    int y = 30000;
    bool operator==(const BoardPoint& o) const { return x == o.x && y == o.y; }
};

// Square number to centre pixel, in the main window's client coordinates, for one artwork
// size. Squares that do not exist keep (30000, 30000), which is out of sight.
class BoardGeometry {
public:
    BoardGeometry() = default;
    // artworkSize is 640, 800 or 1024; any other value is treated as 1024.
    explicit BoardGeometry(int artworkSize);

    int artworkSize() const { return size_; }
    // square 1..512; anything else answers (30000, 30000).
    BoardPoint at(int square) const;

private:
    int size_ = 0;
    BoardPoint points_[513];
};
