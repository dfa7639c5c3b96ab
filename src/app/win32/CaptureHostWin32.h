// The capture loop's view of Windows and of the rest of the program.
#pragma once
#include <windows.h>

#include <functional>
#include <vector>

#include "capture/CaptureHost.h"
#include "feedback/Trail.h"
#include "feedback/win32/ScreenSurfaceWin32.h"
#include "app/Settings.h"
#include "programs/ProgramLists.h"

namespace zoram {

inline TrailSettings TrailSettingsOf(const Settings& s) { return {s.showTrails, s.fastTrails, s.tail}; }

class CaptureHostWin32 final : public CaptureHost {
public:
    struct Context {
        HWND window;                       // owner of Timer1
        UINT_PTR timerId;
        const TGesture& motion;            // CurrentMotion
        ProgramLists& programs;
        const std::u16string& ownPath;     // Zoram's own executable
        const Settings& settings;
        std::function<void(HWND)> recognise;
    };
    explicit CaptureHostWin32(Context c) : c_(std::move(c)), trail_(surface_) {}

    bool KeyHeld(int vk) override { return (GetKeyState(vk) & 0x8000) != 0; }
    TPoint CursorPos() override;
    void MouseEvent(uint32_t flags) override { mouse_event(flags, 0, 0, 0, 0); }
    bool ButtonsSwapped() override { return GetSystemMetrics(SM_SWAPBUTTON) != 0; }
    void SetTimerInterval(int ms) override { SetTimer(c_.window, c_.timerId, ms, nullptr); }
    std::vector<ScreenRect> Monitors() override { return EnumerateMonitors(); }
    void* ForegroundWindow() override { return GetForegroundWindow(); }
    void RefreshForeground() override;
    bool ForegroundExcluded() override { return c_.programs.IsExcluded(c_.settings.exclude); }
    void TrailStart(TPoint start) override;
    void TrailDraw() override { trail_.Draw(c_.motion, TrailSettingsOf(c_.settings), monitors_); }
    void TrailEnd() override;
    void RecogniseAndRun(void* window) override { c_.recognise(static_cast<HWND>(window)); }

private:
    Context c_;
    ScreenSurfaceWin32 surface_;
    Trail trail_;
    std::vector<ScreenRect> monitors_;  // taken once per gesture
};

}  // namespace zoram
