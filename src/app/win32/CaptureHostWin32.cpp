#include "CaptureHostWin32.h"

#include "programs/win32/ProcessPath.h"

namespace zoram {

TPoint CaptureHostWin32::CursorPos() {
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

void CaptureHostWin32::RefreshForeground() {
    if (c_.settings.recentList) c_.programs.Refresh(ProcessPathOfWindow(GetForegroundWindow()), c_.ownPath);
}

void CaptureHostWin32::TrailStart(TPoint start) {
    monitors_ = EnumerateMonitors();
    surface_.Attach();
    trail_.Start(start);
}

void CaptureHostWin32::TrailEnd() {
    trail_.End(TrailSettingsOf(c_.settings));
    surface_.Release();  // the screen DC is held for one gesture only
}

}  // namespace zoram
