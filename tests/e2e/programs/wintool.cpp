// Looks at and pokes Windows windows for the scenarios; prints to stdout.
//   wintool find CLASS [TITLE]     "found VISIBLE LEFT TOP RIGHT BOTTOM" or "none"
//   wintool texts CLASS [TITLE]    the window's text and its children's texts
//   wintool close CLASS [TITLE]    posts WM_CLOSE
//   wintool keys                   virtual keys that GetAsyncKeyState reports down
// An empty CLASS or TITLE ("-") matches any.
#include <cstdio>
#include <string>

#include "e2elog.h"

namespace {

int g_argc = 0;
wchar_t** g_argv = nullptr;

std::wstring Get(int i) { return i < g_argc && std::wstring(g_argv[i]) != L"-" ? g_argv[i] : L""; }

HWND FindTarget() {
    std::wstring cls = Get(2), title = Get(3);
    return FindWindowW(cls.empty() ? nullptr : cls.c_str(), title.empty() ? nullptr : title.c_str());
}

void PrintUtf8(const std::wstring& text) {
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), (int)text.size(), nullptr, 0, nullptr, nullptr);
    std::string utf8(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), (int)text.size(), utf8.data(), n, nullptr, nullptr);
    printf("%s\n", utf8.c_str());
}

std::wstring TextOf(HWND h) {
    wchar_t buf[4096] = L"";
    GetWindowTextW(h, buf, 4096);
    return buf;
}

BOOL CALLBACK PrintChild(HWND h, LPARAM) {
    PrintUtf8(TextOf(h));
    return TRUE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    g_argv = CommandLineToArgvW(GetCommandLineW(), &g_argc);
    std::wstring cmd = Get(1);
    if (cmd == L"keys") {
        for (int vk = 1; vk < 256; ++vk)
            if (GetAsyncKeyState(vk) & 0x8000) printf("%02X\n", vk);
        return 0;
    }
    HWND h = FindTarget();
    if (!h) {
        printf("none\n");
        return 1;
    }
    if (cmd == L"find") {
        RECT r;
        GetWindowRect(h, &r);
        printf("found %d %ld %ld %ld %ld\n", IsWindowVisible(h) ? 1 : 0, r.left, r.top, r.right, r.bottom);
    } else if (cmd == L"texts") {
        PrintUtf8(TextOf(h));
        EnumChildWindows(h, PrintChild, 0);
    } else if (cmd == L"close") {
        PostMessageW(h, WM_CLOSE, 0, 0);
    }
    fflush(stdout);
    return 0;
}
