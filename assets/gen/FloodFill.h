#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

#include <functional>
#include <vector>

// Which pixels of a picture connect to a start through pixels of one kind, used by the
// art itself (the key ground of the pieces) and by its tests (holes, die spots).
class FloodFill {
public:
    explicit FloodFill(const QImage& image);

    // Marks every pixel inside `area` that `belongs` accepts and that connects to one of
    // `seeds` through such pixels, four neighbours at a time. Pixels already marked stay
    // marked and are not entered again.
    void fill(const std::vector<QPoint>& seeds, const QRect& area,
              const std::function<bool(QRgb)>& belongs);
    bool reached(int x, int y) const { return reached_[index(x, y)] != 0; }

    // The pixels along the picture's four edges.
    static std::vector<QPoint> edges(const QSize& size);

private:
    size_t index(int x, int y) const { return size_t(y) * size_t(image_.width()) + size_t(x); }

    const QImage& image_;
    std::vector<char> reached_;
};
