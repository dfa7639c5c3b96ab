#pragma once
#include <windows.h>

#include "hook/HookCommon.h"

namespace zoram {

// The six exports of MouseCore.dll, bound by name.
class HookBinding final : public HookLibrary {
public:
    // Loads "MouseCore.dll" by its bare name: the search finds the copy
    // beside the program.
    void Load();
    void HookMouse() override { Call(hookMouse_); }
    void UnHookMouse() override { Call(unHookMouse_); }
    void ShowMovement() override { Call(showMovement_); }
    void HideMovement() override { Call(hideMovement_); }
    void TrapRight() override { Call(trapRight_); }
    void TrapMiddle() override { Call(trapMiddle_); }

private:
    using Export = void(WINAPI*)();
    // A library that failed to load or lacks an export does nothing rather
    // than crash: gestures are then simply off.
    static void Call(Export f) { if (f) f(); }
    HMODULE module_ = nullptr;
    Export hookMouse_ = nullptr, unHookMouse_ = nullptr, showMovement_ = nullptr,
           hideMovement_ = nullptr, trapRight_ = nullptr, trapMiddle_ = nullptr;
};

}  // namespace zoram
