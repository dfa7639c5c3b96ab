// The capture loop: one tick turns the trigger state into a started,
// extended, abandoned or finished gesture.
#pragma once
#include <cstdint>

#include "capture/CaptureHost.h"
#include "gesture/GestureModel.h"
#include "hook/HookCommon.h"

namespace zoram {

struct CaptureSettings {
    bool active = true;
    int invoke = 1;           // trigger mode 0..4
    bool mouseExMode = false;
    int idleTimeout = 0;      // ticks; 0 off
    bool showTrails = true;
    bool fastTrails = false;
};

inline constexpr int kTimerIdleMs = 100;
inline constexpr int kTimerGesturingMs = 1;

class CaptureLoop {
public:
    // `motion` is the engine's CurrentMotion; `recordingState` its RecordingState.
    CaptureLoop(CaptureHost& host, HookClient& hook, HookLibrary& library, TGesture& motion,
                int32_t& recordingState)
        : host_(host), hook_(hook), lib_(library), motion_(motion), recordingState_(recordingState) {}

    // Timer1Timer.
    void Tick(const CaptureSettings& s);
    // A report of the hook library: a trapped press or release runs a tick at
    // once. The release of a press handed back by the idle timeout goes to
    // the system too, so the program that got the press sees it end.
    void HookReport(unsigned wParam, const CaptureSettings& s);

    bool Gesturing() const { return gesturing_; }
    bool MultiStroke() const { return multiStroke_; }

private:
    void MaintainHook(const CaptureSettings& s, bool alt, bool ctrl, bool shift);
    bool TriggerHeld(const CaptureSettings& s, bool alt, bool ctrl, bool shift);
    // Returns false when the idle timeout handed the press back.
    bool TriggerTick(const CaptureSettings& s, TPoint p);
    void StartGesture(TPoint p);
    void Append(TPoint p);
    void EndGesture(const CaptureSettings& s);
    void HandBackPress(int invoke);
    void HandBackClick(int invoke);

    CaptureHost& host_;
    HookClient& hook_;
    HookLibrary& lib_;
    TGesture& motion_;
    int32_t& recordingState_;

    bool gesturing_ = false;
    bool multiStroke_ = false;
    TPoint lastSample_{0, 0};
    TPoint prevCursor_{0, 0};
    TPoint idleRef_{0, 0};
    int32_t idleTicks_ = 0;
};

}  // namespace zoram
