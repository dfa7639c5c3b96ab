#include "MainForm.h"

#include "WinText.h"

namespace zoram {

namespace {
constexpr UINT_PTR kTimer1 = 1;
constexpr UINT kTimer1Idle = 100;
constexpr wchar_t kClassW[] = L"TgestureConfigForm";
}  // namespace

bool MainForm::Create(HINSTANCE instance, HWND owner) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassW;
    RegisterClassExW(&wc);
    // The form draws its own caption bar: a bordered window without WS_CAPTION.
    hwnd_ = CreateWindowExW(0, kClassW, L"Zoram*", WS_POPUP | WS_BORDER | WS_SYSMENU | WS_MINIMIZEBOX,
                            CW_USEDEFAULT, CW_USEDEFAULT, 800, 560, owner, nullptr, instance, this);
    if (!hwnd_) return false;
    if (WakeOtherInstance()) return false;

    library.Load();
    hook = HookClient{};
    SetTimer(hwnd_, kTimer1, kTimer1Idle, nullptr);
    return true;
}

// Looks for a running instance by class and caption while this window's
// caption differs; wakes it with one show request.
bool MainForm::WakeOtherInstance() {
    HWND other = FindWindowA(kMainWindowClass, kMainWindowCaption);
    if (other && other != hwnd_) SendMessageA(other, kShowWindowMessage, 0, 0);
    SetWindowTextW(hwnd_, L"Zoram");
    return other && other != hwnd_;
}

void MainForm::Settings1Click() {
    if (!IsWindowVisible(hwnd_)) ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
}

void MainForm::FormDestroy() {
    KillTimer(hwnd_, kTimer1);
    hook.FormDestroy(library);
}

LRESULT CALLBACK MainForm::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<MainForm*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self || !self->hwnd_) return DefWindowProcW(hwnd, msg, wParam, lParam);
    return self->Handle(msg, wParam, lParam);
}

LRESULT MainForm::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == hookMessage_ && hookMessage_ != 0) {
        if (hook.HandleHookMessage(static_cast<unsigned>(wParam), active) && captureTick) captureTick();
        return 0;
    }
    switch (msg) {
    case kShowWindowMessage:
        Settings1Click();
        return 0;
    case WM_TIMER:
        if (wParam == kTimer1 && captureTick) captureTick();
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        SetBkMode(dc, TRANSPARENT);
        TextOutW(dc, 16, 12, L"Zoram 1.41", 10);
        EndPaint(hwnd_, &ps);
        return 0;
    }
    case WM_DESTROY:
        FormDestroy();
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

}  // namespace zoram
