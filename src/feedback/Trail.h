// The gesture trail painted straight onto the screen, and the screen image
// put back when the gesture ends.
#pragma once
#include <cstdint>
#include <vector>

#include "capture/CaptureHost.h"
#include "gesture/GestureModel.h"

namespace zoram {

// Drawing on the whole screen.
class ScreenSurface {
public:
    virtual ~ScreenSurface() = default;
    virtual void SetColor(uint32_t bgr) = 0;              // pen and brush
    virtual void FillCircle(int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
    virtual void MoveTo(TPoint p) = 0;
    virtual void LineTo(TPoint p) = 0;
    // One snapshot per monitor, taken before anything is painted.
    virtual void Snapshot(const std::vector<ScreenRect>& monitors) = 0;
    virtual void RestoreSnapshots() = 0;  // and frees them
};

inline constexpr uint32_t kEdgeRed = 0x0000FF;  // 0x00BBGGRR

struct TrailSettings {
    bool showTrails = true;
    bool fastTrails = false;
    uint32_t colour = 0xFF0000;  // clBlue
};

class Trail {
public:
    explicit Trail(ScreenSurface& surface) : surface_(surface) {}

    // At a gesture start: the pen goes to the start point.
    void Start(TPoint p) { surface_.MoveTo(p); }
    // DrawOnScreen.
    void Draw(const TGesture& motion, const TrailSettings& s, const std::vector<ScreenRect>& monitors);
    // At a gesture end: the screen as it was before the trail.
    void End(const TrailSettings& s);
    bool HasSnapshots() const { return snapshots_; }

private:
    ScreenSurface& surface_;
    bool snapshots_ = false;
};

}  // namespace zoram
