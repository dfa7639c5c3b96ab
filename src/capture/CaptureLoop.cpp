#include "capture/CaptureLoop.h"

#include <cmath>

#include "gesture/EngineState.h"
#include "gesture/Normalise.h"

namespace zoram {

namespace {

constexpr int kSampleThreshold = 9;   // a sample is stored beyond 9 pixels
constexpr int kInterpolationStep = 30;
constexpr int kIdleThreshold = 3;
constexpr int kMinGesturePoints = 5;

// Euclidean distance rounded half to even.
int RoundedDistance(TPoint a, TPoint b) {
    return static_cast<int>(std::nearbyint(distancebetween(a, b)));
}

bool IsPenUp(TPoint p) { return p.x == PEN_UP.x; }

}  // namespace

bool PointOnAnyMonitor(const std::vector<ScreenRect>& monitors, TPoint p) {
    for (const ScreenRect& m : monitors)
        if (p.x >= m.left + 10 && p.x < m.right - 10 && p.y >= m.top + 10 && p.y < m.bottom - 10)
            return true;
    return false;
}

void CaptureLoop::Tick(const CaptureSettings& s) {
    if (!gesturing_) host_.RefreshForeground();
    if (host_.ForegroundExcluded()) {
        if (hook_.HookInstalled) hook_.EnableHook(lib_, false, s.invoke);
        return;
    }
    if (!s.active) return;

    const bool alt = host_.KeyHeld(kVkMenu);
    const bool ctrl = host_.KeyHeld(kVkControl);
    const bool shift = host_.KeyHeld(kVkShift);
    hook_.RightHeld = host_.KeyHeld(kVkRButton) || hook_.RightPressReported;
    hook_.MiddleHeld = host_.KeyHeld(kVkMButton) || hook_.MiddlePressReported;
    hook_.RightPressReported = hook_.MiddlePressReported = false;
    MaintainHook(s, alt, ctrl, shift);

    if (TriggerHeld(s, alt, ctrl, shift)) {
        if (!TriggerTick(s, host_.CursorPos())) return;
    } else if (gesturing_ && s.invoke == 2 && ctrl) {
        // Right button up while Ctrl stays down: a pen-up between strokes.
        if (!IsPenUp(motion_.Points[motion_.Count - 1])) Append(PEN_UP);
    } else if (gesturing_) {
        EndGesture(s);
    }

    if (!gesturing_) prevCursor_ = host_.CursorPos();
    else if (s.showTrails && !s.fastTrails) host_.TrailDraw();
}

void CaptureLoop::HookReport(unsigned wParam, const CaptureSettings& s) {
    if (hook_.HandleHookMessage(wParam, s.active)) {
        Tick(s);
    } else if (hook_.HandedOverRelease) {
        hook_.EnableHook(lib_, false, s.invoke);  // the injected release must pass
        if (wParam == kMiddleUp) host_.MouseEvent(kInjectMiddleUp);
        else host_.MouseEvent(host_.ButtonsSwapped() ? kInjectLeftUp : kInjectRightUp);
    }
}

void CaptureLoop::MaintainHook(const CaptureSettings& s, bool alt, bool ctrl, bool shift) {
    const bool anyModifier = alt || ctrl || shift;
    const bool plainMode = s.invoke == 1 || s.invoke == 3;
    const bool ctrlMode = s.invoke == 2 || s.invoke == 4;
    if (!hook_.HookInstalled) {
        if ((plainMode && !(s.mouseExMode && anyModifier)) || (ctrlMode && ctrl))
            hook_.EnableHook(lib_, true, s.invoke);
        return;
    }
    if ((s.invoke == 2 && !hook_.RightHeld && !ctrl) || (s.invoke == 4 && !hook_.MiddleHeld && !ctrl) ||
        (s.mouseExMode && plainMode && anyModifier))
        hook_.EnableHook(lib_, false, s.invoke);
}

bool CaptureLoop::TriggerHeld(const CaptureSettings& s, bool alt, bool ctrl, bool shift) {
    if (hook_.HandOver) return false;
    const bool blocked = s.mouseExMode && (alt || ctrl || shift);
    switch (s.invoke) {
    case 0: return host_.KeyHeld(kVkControl) && host_.KeyHeld(kVkShift);
    case 1: return hook_.RightHeld && !blocked;
    case 2: return hook_.RightHeld && ctrl;
    case 3: return hook_.MiddleHeld && !blocked;
    case 4: return hook_.MiddleHeld && ctrl;
    default: return false;
    }
}

bool CaptureLoop::TriggerTick(const CaptureSettings& s, TPoint p) {
    if (s.idleTimeout > 0 && gesturing_) {
        const int d = RoundedDistance(p, idleRef_);
        idleRef_ = p;
        if (d < kIdleThreshold) {
            if (++idleTicks_ > s.idleTimeout && motion_.Count <= 2) {
                HandBackPress(s.invoke);
                return false;
            }
        } else {
            idleTicks_ = 0;
        }
    }
    if (!gesturing_) {
        idleTicks_ = 0;
        idleRef_ = p;
        StartGesture(p);
        return true;
    }
    if (p.x == lastSample_.x && p.y == lastSample_.y) return true;
    const int d = RoundedDistance(p, lastSample_);
    if (d <= kSampleThreshold) return true;
    if (IsPenUp(motion_.Points[motion_.Count - 1])) {
        multiStroke_ = true;
    } else if (d > kInterpolationStep) {
        const int n = d / kInterpolationStep;
        const TPoint from = lastSample_;
        for (int k = 1; k <= n; ++k) {
            // Extended precision as the rest of the engine; ties to even.
            const long double x = from.x + static_cast<long double>(k) * (p.x - from.x) / n;
            const long double y = from.y + static_cast<long double>(k) * (p.y - from.y) / n;
            Append({static_cast<int32_t>(std::nearbyintl(x)), static_cast<int32_t>(std::nearbyintl(y))});
        }
    }
    Append(p);
    lastSample_ = p;
    if (s.showTrails && s.fastTrails) host_.TrailDraw();
    return true;
}

void CaptureLoop::StartGesture(TPoint p) {
    host_.SetTimerInterval(kTimerGesturingMs);
    host_.TrailStart(p);
    lib_.HideMovement();
    gesturing_ = true;
    multiStroke_ = false;
    lastSample_ = p;
    motion_.Points[0] = prevCursor_;
    motion_.Points[1] = p;
    motion_.Count = motion_.RecordCursor = 2;
}

// A full motion keeps its points and ignores further ones until release:
// nothing is ever written past the slots.
void CaptureLoop::Append(TPoint p) {
    if (motion_.Count >= kMaxPoints) return;
    motion_.Points[motion_.Count] = p;
    ++motion_.Count;
    ++motion_.RecordCursor;
}

void CaptureLoop::EndGesture(const CaptureSettings& s) {
    host_.SetTimerInterval(kTimerIdleMs);
    gesturing_ = false;
    recordingState_ = rsIdle;
    motion_.RecordCursor = motion_.Count - 1;
    if (motion_.Count > 1 && IsPenUp(motion_.Points[motion_.Count - 1])) {
        --motion_.Count;
        --motion_.RecordCursor;
    }
    host_.TrailEnd();
    lib_.ShowMovement();
    const bool cancelled = !PointOnAnyMonitor(host_.Monitors(), motion_.Points[motion_.RecordCursor]);

    if (!cancelled && !multiStroke_ && motion_.Count >= kMinGesturePoints) {
        void* window = host_.ForegroundWindow();
        ResizeGesture(motion_, motion_);
        host_.RecogniseAndRun(window);
    }
    if (motion_.Count < kMinGesturePoints) HandBackClick(s.invoke);
}

void CaptureLoop::HandBackPress(int invoke) {
    hook_.EnableHook(lib_, false, invoke);
    gesturing_ = false;
    if (invoke == 1 || invoke == 2) {
        hook_.HandOver = true;
        host_.MouseEvent(host_.ButtonsSwapped() ? kInjectLeftDown : kInjectRightDown);
    } else if (invoke == 3 || invoke == 4) {
        hook_.HandOver = true;
        host_.MouseEvent(kInjectMiddleDown);
    }
    // Mode 0 has no trapped release that would clear HandOver: it stays clear.
    host_.SetTimerInterval(kTimerIdleMs);
    recordingState_ = rsIdle;
}

void CaptureLoop::HandBackClick(int invoke) {
    if (invoke == 1 || invoke == 2) {
        hook_.EnableHook(lib_, false, invoke);
        const bool swapped = host_.ButtonsSwapped();
        host_.MouseEvent(swapped ? kInjectLeftDown : kInjectRightDown);
        host_.MouseEvent(swapped ? kInjectLeftUp : kInjectRightUp);
    } else if (invoke == 3 || invoke == 4) {
        hook_.EnableHook(lib_, false, invoke);
        host_.MouseEvent(kInjectMiddleDown);
        host_.MouseEvent(kInjectMiddleUp);
    }
}

}  // namespace zoram
