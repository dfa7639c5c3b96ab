// Drives MouseCore.dll through its exports and logs the reports it posts.
// Its window has the main form's class, so the library finds it.
// --log FILE  --trap right|middle  --hide

#include "e2elog.h"

namespace {
LineLog g_log;
UINT g_report = 0;

LRESULT CALLBACK WndProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == g_report && g_report) {
        g_log.Line("REPORT %04X %lld", (unsigned)w, (long long)l);
        return 0;
    }
    if (m == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(h, m, w, l);
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    g_log.Open(Arg(L"--log", L"hookhost.log"));
    g_report = RegisterWindowMessageA("ZoramMessage");
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"TgestureConfigForm";
    RegisterClassExW(&wc);
    CreateWindowExW(0, wc.lpszClassName, L"hookhost", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, instance,
                    nullptr);

    HMODULE lib = LoadLibraryA("MouseCore.dll");
    auto call = [&](const char* name) {
        auto f = reinterpret_cast<void(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(lib, name)));
        if (f) f();
        g_log.Line("CALL %s %s", name, f ? "ok" : "missing");
    };
    call("HookMouse");
    call(Arg(L"--trap", L"right") == L"middle" ? "TrapMiddle" : "TrapRight");
    if (HasFlag(L"--hide")) call("HideMovement");
    g_log.Line("READY");
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    call("UnHookMouse");
    return 0;
}
