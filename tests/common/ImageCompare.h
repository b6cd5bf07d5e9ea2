#pragma once
// Counting how many pixels two pictures of the same size differ in: screen pictures are compared
// with a margin, never exactly, since antialiasing rounds differently from one CPU to another.

#include <QImage>

namespace tarvex::testutil {

inline int DifferingPixels(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

}  // namespace tarvex::testutil
