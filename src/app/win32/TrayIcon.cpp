#include "TrayIcon.h"


namespace zoram {

void TrayIcon::Init(HWND owner, HICON icon, const std::wstring& tip) {
    data_.cbSize = sizeof(data_);
    data_.hWnd = owner;
    data_.uID = 1;
    data_.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    data_.uCallbackMessage = kTrayMessage;
    data_.hIcon = icon;
    lstrcpynW(data_.szTip, tip.c_str(), ARRAYSIZE(data_.szTip));
}

bool TrayIcon::Show() {
    if (visible_) return true;
    visible_ = Shell_NotifyIconW(NIM_ADD, &data_) != FALSE;
    return visible_;
}

void TrayIcon::Hide() {
    if (visible_) Shell_NotifyIconW(NIM_DELETE, &data_);
    visible_ = false;
}

void TrayIcon::Balloon(const std::wstring& title, const std::wstring& text) {
    NOTIFYICONDATAW d = data_;
    d.uFlags = NIF_INFO;
    d.dwInfoFlags = NIIF_INFO;
    d.uTimeout = 15000;
    lstrcpynW(d.szInfoTitle, title.c_str(), ARRAYSIZE(d.szInfoTitle));
    lstrcpynW(d.szInfo, text.c_str(), ARRAYSIZE(d.szInfo));
    Shell_NotifyIconW(NIM_MODIFY, &d);
}

UINT TrayIcon::PopupMenu(bool active, bool autostart) {
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING | (active ? MF_CHECKED : 0), kCmdActive, L"&Active");
    AppendMenuW(menu, MF_STRING, kCmdConfigure, L"&Configure");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING | (autostart ? MF_CHECKED : 0), kCmdAutostart, L"Always run at &startup");
    AppendMenuW(menu, MF_STRING, kCmdExit, L"E&xit");
    SetMenuDefaultItem(menu, kCmdConfigure, FALSE);
    POINT p;
    GetCursorPos(&p);
    SetForegroundWindow(data_.hWnd);  // so the menu closes when clicking elsewhere
    UINT cmd = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, p.x, p.y, 0, data_.hWnd, nullptr);
    PostMessageW(data_.hWnd, WM_NULL, 0, 0);
    DestroyMenu(menu);
    return cmd;
}

}  // namespace zoram
