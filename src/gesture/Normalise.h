// Bringing a motion into the common 0..100 frame, and the point distance
// shared by the recogniser and the recorder.
#pragma once
#include "gesture/GestureModel.h"

namespace zoram {

// Resamples the source to about 30 points taken evenly along its point
// sequence and scales it so the longer side of its bounding box spans 100
// units centred near (50, 50). Writes only target.Count and the first
// target.Count points; every other field of the target is left as it was,
// so a gesture keeps its actions when it is normalised into itself.
// Source and target may be the same record.
void ResizeGesture(const TGesture& source, TGesture& target);

// Euclidean distance between two points.
double distancebetween(const TPoint& a, const TPoint& b);

// Number of points in g that can be read safely: Count clamped to the slots.
inline int UsablePoints(const TGesture& g) {
    return g.Count < 0 ? 0 : (g.Count > kMaxPoints ? kMaxPoints : g.Count);
}

}  // namespace zoram
