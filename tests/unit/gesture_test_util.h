// Helpers shared by the gesture engine tests.
#pragma once
#include <memory>
#include <utility>
#include <vector>

#include "gesture/GestureModel.h"

namespace zoram::testutil {

inline std::unique_ptr<TGesture> MakeGesture(const std::vector<TPoint>& pts) {
    auto g = std::make_unique<TGesture>();
    for (size_t i = 0; i < pts.size(); ++i) g->Points[i] = pts[i];
    g->Count = static_cast<int32_t>(pts.size());
    return g;
}

// Points as pairs, so that gtest compares and prints them.
using XY = std::pair<int, int>;
inline std::vector<XY> PointsOf(const TGesture& g) {
    std::vector<XY> out;
    for (int i = 0; i < g.Count; ++i) out.emplace_back(g.Points[i].x, g.Points[i].y);
    return out;
}

}  // namespace zoram::testutil

