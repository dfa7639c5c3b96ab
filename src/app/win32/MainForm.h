// The main form: the configuration window and the controller that owns the
// program's state, its timers, the tray icon and the hook binding.
#pragma once
#include <windows.h>

#include <memory>

#include "CaptureHostWin32.h"
#include "HookBinding.h"
#include "RunKeyWin32.h"
#include "TrayIcon.h"
#include "actions/win32/Win32Actions.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "capture/CaptureLoop.h"
#include "gesture/EngineState.h"
#include "hook/HookCommon.h"
#include "programs/ProgramLists.h"

namespace zoram {

class MainForm {
public:
    MainForm(UINT hookMessage, ExecutablePath exe);
    MainForm(const MainForm&) = delete;
    MainForm& operator=(const MainForm&) = delete;

    // Creates the hidden window and runs the start-up steps. False when
    // another instance runs: it was woken and this one must end.
    bool Create(HINSTANCE instance, HWND owner);
    HWND Handle() const { return hwnd_; }

private:
    static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    bool WakeOtherInstance();
    bool LoadSettingsAndSet();
    bool SaveSettingsNow();
    bool SaveSet();

    void Timer1Timer();
    void RecogniseAt(HWND foreground);
    void Settings1Click();
    void mnActiveClick();
    void mnAutostartClick();
    void trayIconMessage(LPARAM lParam);
    void trayTimerTimer();
    void regCheckTimerTimer();
    bool FormCloseQuery();
    void FormDestroy();

    UINT hookMessage_;
    ExecutablePath exe_;
    std::u16string ownPath_;
    HWND hwnd_ = nullptr;

    EngineState engine_;
    ProgramLists programs_;
    HookClient hook_;
    HookBinding library_;
    Settings settings_;
    std::unique_ptr<ProfileFile> profile_;
    std::unique_ptr<CaptureHostWin32> host_;
    std::unique_ptr<CaptureLoop> loop_;
    std::unique_ptr<Win32ExecutorSeams> seams_;
    TrayIcon tray_;
    RunKeyWin32 runKey_;
};

}  // namespace zoram
