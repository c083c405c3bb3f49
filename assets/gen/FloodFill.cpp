#include "FloodFill.h"

FloodFill::FloodFill(const QImage& image)
    : image_(image), reached_(size_t(image.width()) * size_t(image.height()), 0) {}

void FloodFill::fill(const std::vector<QPoint>& seeds, const QRect& area,
                     const std::function<bool(QRgb)>& belongs) {
    const QRect inside = area & image_.rect();
    std::vector<QPoint> todo = seeds;
    while (!todo.empty()) {
        const QPoint p = todo.back();
        todo.pop_back();
        if (!inside.contains(p))
            continue;
        char& seen = reached_[index(p.x(), p.y())];
        if (seen || !belongs(image_.pixel(p)))
            continue;
        seen = 1;
        todo.insert(todo.end(),
                    {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)});
    }
}

std::vector<QPoint> FloodFill::edges(const QSize& size) {
    std::vector<QPoint> points;
    for (int x = 0; x < size.width(); ++x)
        points.insert(points.end(), {QPoint(x, 0), QPoint(x, size.height() - 1)});
    for (int y = 0; y < size.height(); ++y)
        points.insert(points.end(), {QPoint(0, y), QPoint(size.width() - 1, y)});
    return points;
}
