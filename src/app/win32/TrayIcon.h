// The notification-area icon with its menu.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace zoram {

inline constexpr UINT kTrayMessage = WM_APP + 1;

enum TrayCommand : UINT { kCmdActive = 101, kCmdConfigure, kCmdAutostart, kCmdExit };

class TrayIcon {
public:
    void Init(HWND owner, HICON icon, const std::wstring& tip);
    bool Show();   // false when the shell refused the icon
    void Hide();
    bool Visible() const { return visible_; }
    void Balloon(const std::wstring& title, const std::wstring& text);
    // Pops the menu up at the cursor; returns the chosen command or 0.
    UINT PopupMenu(bool active, bool autostart);

private:
    NOTIFYICONDATAW data_{};
    bool visible_ = false;
};

}  // namespace zoram
