#include "feedback/Trail.h"

namespace zoram {

void Trail::Draw(const TGesture& motion, const TrailSettings& s, const std::vector<ScreenRect>& monitors) {
    const int count = motion.Count > kMaxPoints ? kMaxPoints : motion.Count;
    const int start = (s.fastTrails && count != 4) ? count - 2 : 0;
    if (count <= 4) return;
    surface_.SetColor(s.colour);
    if (s.showTrails && !snapshots_) {
        surface_.Snapshot(monitors);
        snapshots_ = true;
    }
    const TPoint* pts = motion.Points;
    if (start == 0) {
        surface_.FillCircle(pts[0].x - 2, pts[0].y - 2, pts[0].x + 2, pts[0].y + 2);
        surface_.MoveTo(pts[0]);
    }
    uint32_t current = s.colour;
    for (int i = start + 1; i < count; ++i) {
        const uint32_t colour = PointOnAnyMonitor(monitors, pts[i]) ? s.colour : kEdgeRed;
        if (colour != current) {
            surface_.SetColor(colour);
            current = colour;
        }
        if (pts[i - 1].x == PEN_UP.x) surface_.MoveTo(pts[i]);
        else if (pts[i].x != PEN_UP.x) surface_.LineTo(pts[i]);
    }
}

void Trail::End(const TrailSettings& s) {
    if (snapshots_ && s.showTrails) surface_.RestoreSnapshots();
    snapshots_ = false;
}

}  // namespace zoram
