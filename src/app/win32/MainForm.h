// The main form: the configuration window and the controller that owns the
// program's state, timers and the hook binding.
#pragma once
#include <windows.h>

#include <functional>

#include "HookBinding.h"
#include "app/Startup.h"
#include "hook/HookCommon.h"

namespace zoram {

class MainForm {
public:
    MainForm(UINT hookMessage, ExecutablePath exe) : hookMessage_(hookMessage), exe_(std::move(exe)) {}
    MainForm(const MainForm&) = delete;
    MainForm& operator=(const MainForm&) = delete;

    // Creates the hidden window and runs the start-up steps. False when
    // another instance runs: it was woken and this one must end.
    bool Create(HINSTANCE instance, HWND owner);
    HWND Handle() const { return hwnd_; }

    // Shows the configuration window and brings it to the front.
    void Settings1Click();

    HookClient hook;
    HookBinding library;
    bool active = true;
    std::function<void()> captureTick;  // Timer1Timer

private:
    static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    bool WakeOtherInstance();
    void FormDestroy();

    UINT hookMessage_;
    ExecutablePath exe_;
    HWND hwnd_ = nullptr;
};

}  // namespace zoram
