#include "hook/HookCommon.h"

namespace zoram {

bool HookClient::HandleHookMessage(unsigned wParam, bool active) {
    HandedOverRelease = false;
    switch (wParam) {
    case kRightDown:
        if (HandOver) return false;
        RightHeld = RightPressReported = true;
        break;
    case kRightUp:
        RightHeld = false;
        if (HandOver) { HandOver = false; HandedOverRelease = true; return false; }
        break;
    case kMiddleDown:
        if (HandOver) return false;
        MiddleHeld = MiddlePressReported = true;
        break;
    case kMiddleUp:
        MiddleHeld = false;
        if (HandOver) { HandOver = false; HandedOverRelease = true; return false; }
        break;
    default:
        return false;  // moves and anything else are only swallowed
    }
    return active;
}

void HookClient::EnableHook(HookLibrary& lib, bool enable, int invoke) {
    if (enable && !HookInstalled) {
        HookInstalled = true;
        lib.HookMouse();
        if (invoke == 1 || invoke == 2) lib.TrapRight();
        else lib.TrapMiddle();
    } else if (!enable && HookInstalled) {
        HookInstalled = false;
        lib.UnHookMouse();
    }
    RightHeld = MiddleHeld = false;
    RightPressReported = MiddlePressReported = false;
}

void HookClient::FormDestroy(HookLibrary& lib) const {
    if (HookInstalled) lib.UnHookMouse();
}

}  // namespace zoram
