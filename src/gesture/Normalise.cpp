#include "gesture/Normalise.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace zoram {

namespace {

// Round to nearest, ties to even (the default rounding mode).
inline int64_t RoundEven(long double v) { return static_cast<int64_t>(std::nearbyintl(v)); }

constexpr int kResampled = 30;

}  // namespace

void ResizeGesture(const TGesture& source, TGesture& target) {
    const int n = UsablePoints(source);

    // 1. Resample. pos grows by repeated addition: the number of points
    // taken depends on the accumulated rounding, so k * step would differ.
    TPoint pts[kResampled + 2];
    int count = 0;
    const double step = static_cast<double>(static_cast<long double>(n) / kResampled);
    double pos = 0.0;
    while (n - 1 > pos && count < kResampled + 2) {
        pts[count++] = source.Points[RoundEven(pos)];
        pos = static_cast<double>(static_cast<long double>(pos) + step);
    }

    // 2. Nothing to scale.
    if (count == 0) {
        target.Count = 0;
        return;
    }

    // 3-4. Bounding box; a flat side counts as one unit. Sums and spans are
    // taken in 64 bits so that coordinates anywhere in 32 bits are safe.
    int64_t minX = pts[0].x, maxX = pts[0].x, minY = pts[0].y, maxY = pts[0].y;
    for (int i = 1; i < count; ++i) {
        minX = std::min<int64_t>(minX, pts[i].x);
        maxX = std::max<int64_t>(maxX, pts[i].x);
        minY = std::min<int64_t>(minY, pts[i].y);
        maxY = std::max<int64_t>(maxY, pts[i].y);
    }
    if (maxX == minX) maxX = minX + 1;
    if (maxY == minY) maxY = minY + 1;
    const int64_t w = maxX - minX;
    const int64_t h = maxY - minY;

    // 5. Centre, in extended precision.
    const int64_t cx = RoundEven(static_cast<long double>(maxX + minX) / 2);
    const int64_t cy = RoundEven(static_cast<long double>(maxY + minY) / 2);

    // 6-7. Aspect ratio and the factors, each held as a double.
    double ratio = static_cast<double>(static_cast<long double>(w) / h);
    if (ratio < 1e-7L) ratio = static_cast<double>(1e-7L);
    double fx = 1.0, fy = 1.0;
    if (ratio > 1) {
        fy = static_cast<double>(static_cast<long double>(ratio) * ratio);
    } else if (ratio < 1) {
        const long double inv = 1.0L / ratio;
        fx = static_cast<double>(inv * inv);
    }

    // 8. Scale into the 0..100 frame, in extended precision: on the shorter
    // side the value often lands exactly on .5, where precision decides.
    const long double sx = 100.0L / std::sqrt(static_cast<long double>(fx));
    const long double sy = 100.0L / std::sqrt(static_cast<long double>(fy));
    for (int i = 0; i < count; ++i) {
        const long double x = sx * static_cast<long double>(pts[i].x - cx) / w + 50;
        const long double y = sy * static_cast<long double>(pts[i].y - cy) / h + 50;
        target.Points[i] = TPoint{static_cast<int32_t>(RoundEven(x)), static_cast<int32_t>(RoundEven(y))};
    }
    target.Count = count;
}

double distancebetween(const TPoint& a, const TPoint& b) {
    const long double dx = static_cast<long double>(a.x) - b.x;
    const long double dy = static_cast<long double>(a.y) - b.y;
    return static_cast<double>(std::sqrt(dx * dx + dy * dy));
}

}  // namespace zoram
