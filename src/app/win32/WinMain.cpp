// Process start: register the hook message, put the hook library beside the
// program, create the forms hidden and run the message loop.
#include <windows.h>
#include <commctrl.h>

#include "HookDeploy.h"
#include "MainForm.h"
#include "WinText.h"

using namespace zoram;

namespace {

// The application's own hidden top-level window, owner of the forms.
HWND CreateApplicationWindow(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.lpszClassName = L"TApplication";
    RegisterClassExW(&wc);
    HWND app = CreateWindowExW(0, L"TApplication", L"Zoram", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               instance, nullptr);
    // No taskbar button of its own.
    SetWindowLongA(app, GWL_EXSTYLE, GetWindowLongA(app, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
    return app;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    const UINT hookMessage = RegisterWindowMessageA(kHookMessageName);

    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);

    wchar_t modulePath[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, modulePath, MAX_PATH);
    ExecutablePath exe = SplitExecutablePath(U(modulePath));

    if (!DeployHookLibrary(exe.directory, ReadSavedVersion(exe.directory))) return 1;

    HWND app = CreateApplicationWindow(instance);
    static MainForm mainForm(hookMessage, exe);  // lives until the process ends
    if (!mainForm.Create(instance, app)) return 0;

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
