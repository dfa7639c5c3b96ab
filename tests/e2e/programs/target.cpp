// The scenarios' target program: a window whose upper part and edit box log
// every mouse and keyboard message, every character and the edit's text.
// --log FILE  --class NAME  --title TEXT  --x --y --w --h  --dblclks
#include <windowsx.h>

#include "e2elog.h"

namespace {

LineLog g_log;
HWND g_edit = nullptr;
WNDPROC g_editProc = nullptr;

const char* MouseName(UINT m) {
    switch (m) {
    case WM_MOUSEMOVE: return "WM_MOUSEMOVE";
    case WM_LBUTTONDOWN: return "WM_LBUTTONDOWN";
    case WM_LBUTTONUP: return "WM_LBUTTONUP";
    case WM_LBUTTONDBLCLK: return "WM_LBUTTONDBLCLK";
    case WM_RBUTTONDOWN: return "WM_RBUTTONDOWN";
    case WM_RBUTTONUP: return "WM_RBUTTONUP";
    case WM_RBUTTONDBLCLK: return "WM_RBUTTONDBLCLK";
    case WM_MBUTTONDOWN: return "WM_MBUTTONDOWN";
    case WM_MBUTTONUP: return "WM_MBUTTONUP";
    case WM_MBUTTONDBLCLK: return "WM_MBUTTONDBLCLK";
    case WM_MOUSEWHEEL: return "WM_MOUSEWHEEL";
    }
    return nullptr;
}

// Logs input messages; `who` tells the window part that got them.
void LogInput(const char* who, UINT m, WPARAM w, LPARAM l) {
    if (const char* name = MouseName(m)) {
        g_log.Line("%s %s %d %d", who, name, GET_X_LPARAM(l), GET_Y_LPARAM(l));
    } else if (m == WM_KEYDOWN || m == WM_KEYUP || m == WM_SYSKEYDOWN || m == WM_SYSKEYUP) {
        const char* name = m == WM_KEYDOWN ? "WM_KEYDOWN" : m == WM_KEYUP ? "WM_KEYUP"
                         : m == WM_SYSKEYDOWN ? "WM_SYSKEYDOWN" : "WM_SYSKEYUP";
        g_log.Line("%s %s %02X ext=%d", who, name, (unsigned)w, (int)((l >> 24) & 1));
    } else if (m == WM_CHAR || m == WM_SYSCHAR) {
        g_log.Line("%s %s %04X", who, m == WM_CHAR ? "WM_CHAR" : "WM_SYSCHAR", (unsigned)w);
    } else if (m == WM_CONTEXTMENU) {
        g_log.Line("%s WM_CONTEXTMENU", who);
    }
}

LRESULT CALLBACK EditProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    LogInput("edit", m, w, l);
    return CallWindowProcW(g_editProc, h, m, w, l);
}

void LogEditText() {
    int n = GetWindowTextLengthW(g_edit);
    std::wstring text(n + 1, L'\0');
    GetWindowTextW(g_edit, text.data(), n + 1);
    text.resize(n);
    g_log.Utf16("TEXT ", text);
}

LRESULT CALLBACK WndProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    LogInput("main", m, w, l);
    switch (m) {
    case WM_CREATE: {
        RECT r;
        GetClientRect(h, &r);
        g_edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                 WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                                 0, r.bottom / 2, r.right, r.bottom - r.bottom / 2, h, (HMENU)1,
                                 nullptr, nullptr);
        g_editProc = (WNDPROC)SetWindowLongPtrW(g_edit, GWLP_WNDPROC, (LONG_PTR)EditProc);
        return 0;
    }
    case WM_SIZE: {
        const char* kind = w == SIZE_MAXIMIZED ? "maximized" : w == SIZE_MINIMIZED ? "minimized" : "restored";
        g_log.Line("SIZE %s %d %d", kind, LOWORD(l), HIWORD(l));
        if (g_edit) MoveWindow(g_edit, 0, HIWORD(l) / 2, LOWORD(l), HIWORD(l) - HIWORD(l) / 2, TRUE);
        return 0;
    }
    case WM_SETFOCUS:
        SetFocus(g_edit);
        return 0;
    case WM_COMMAND:
        if (LOWORD(w) == 1 && HIWORD(w) == EN_CHANGE) LogEditText();
        return 0;
    case WM_DESTROY:
        g_log.Line("DESTROY");
        PostQuitMessage(0);
        return 0;
    }
    if (m >= WM_USER) g_log.Line("MSG %04X %llu %lld", m, (unsigned long long)w, (long long)l);
    return DefWindowProcW(h, m, w, l);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    g_log.Open(Arg(L"--log", L"target.log"));
    std::wstring cls = Arg(L"--class", L"ZoramTestTarget");
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    // Like most top-level windows, no double clicks unless asked for.
    wc.style = HasFlag(L"--dblclks") ? CS_DBLCLKS : 0;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = CreateSolidBrush(RGB(255, 255, 224));
    wc.lpszClassName = cls.c_str();
    RegisterClassExW(&wc);
    int x = _wtoi(Arg(L"--x", L"100").c_str()), y = _wtoi(Arg(L"--y", L"100").c_str());
    int width = _wtoi(Arg(L"--w", L"600").c_str()), height = _wtoi(Arg(L"--h", L"400").c_str());
    HWND h = CreateWindowExW(0, cls.c_str(), Arg(L"--title", L"Zoram test target").c_str(),
                             WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, width, height, nullptr, nullptr,
                             instance, nullptr);
    SetForegroundWindow(h);
    g_log.Line("READY");
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
