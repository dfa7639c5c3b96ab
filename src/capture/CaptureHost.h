// What the capture loop needs from the system and from the rest of the
// program, as one seam: key and cursor state, injected mouse events, the
// timer, the monitors, the trail and what follows a finished gesture.
#pragma once
#include <cstdint>
#include <vector>

#include "gesture/GestureModel.h"

namespace zoram {

struct ScreenRect {
    int32_t left, top, right, bottom;
};

// Virtual keys the loop reads.
enum CaptureKey : int { kVkRButton = 0x02, kVkMButton = 0x04, kVkShift = 0x10, kVkControl = 0x11, kVkMenu = 0x12 };

// mouse_event flags.
enum MouseEventFlag : uint32_t {
    kInjectLeftDown = 0x0002, kInjectLeftUp = 0x0004, kInjectRightDown = 0x0008, kInjectRightUp = 0x0010,
    kInjectMiddleDown = 0x0020, kInjectMiddleUp = 0x0040,
};

class CaptureHost {
public:
    virtual ~CaptureHost() = default;
    virtual bool KeyHeld(int vk) = 0;                 // high bit of GetKeyState
    virtual TPoint CursorPos() = 0;
    virtual void MouseEvent(uint32_t flags) = 0;      // no movement, no data
    virtual bool ButtonsSwapped() = 0;
    virtual void SetTimerInterval(int ms) = 0;
    virtual std::vector<ScreenRect> Monitors() = 0;
    virtual void* ForegroundWindow() = 0;

    // Program awareness: refresh the foreground program; is it excluded?
    virtual void RefreshForeground() = 0;
    virtual bool ForegroundExcluded() = 0;

    // The trail on the screen.
    virtual void TrailStart(TPoint start) = 0;
    virtual void TrailDraw() = 0;                     // DrawOnScreen
    virtual void TrailEnd() = 0;                      // restore the screen

    // A finished, normalised motion (now in the engine's CurrentMotion):
    // recognise and run its action for the window in front at release.
    virtual void RecogniseAndRun(void* foregroundAtRelease) = 0;
};

// True when the point lies inside some monitor shrunk by 10 pixels on every
// side (left and top inclusive, right and bottom exclusive).
bool PointOnAnyMonitor(const std::vector<ScreenRect>& monitors, TPoint p);

}  // namespace zoram
