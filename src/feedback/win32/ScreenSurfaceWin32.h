#pragma once
#include <windows.h>

#include <vector>

#include "feedback/Trail.h"

namespace zoram {

// Draws on the device context of the whole screen, attached for one gesture.
class ScreenSurfaceWin32 final : public ScreenSurface {
public:
    ~ScreenSurfaceWin32() override;
    void Attach();   // GetDC of the screen, pen width 3
    void Release();  // frees the snapshots, the pen and the screen DC

    void SetColor(uint32_t bgr) override;
    void FillCircle(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    void MoveTo(TPoint p) override;
    void LineTo(TPoint p) override;
    void Snapshot(const std::vector<ScreenRect>& monitors) override;
    void RestoreSnapshots() override;

private:
    struct Saved {
        ScreenRect bounds;
        HBITMAP bitmap;
    };
    void FreeSnapshots();
    HDC dc_ = nullptr;
    HPEN pen_ = nullptr;
    HBRUSH brush_ = nullptr;
    std::vector<Saved> snapshots_;  // one per monitor, any number of monitors
};

// Monitor bounds in virtual-screen coordinates, in enumeration order.
std::vector<ScreenRect> EnumerateMonitors();

}  // namespace zoram
