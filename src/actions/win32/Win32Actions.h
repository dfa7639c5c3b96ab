// The Win32 side of the action seams, and BringToForeground.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <functional>

#include "actions/ExecutorSeams.h"
#include "actions/KeyEventSink.h"
#include "app/win32/WinText.h"

namespace zoram {

class Win32KeyEventSink : public KeyEventSink {
public:
    void KeyEvent(uint8_t vk, uint8_t scan, uint32_t flags) override;
    uint32_t MapVirtualKeyCode(uint32_t vk) override;
    uint16_t VkKeyScanW(char16_t c) override;
    uint16_t VkKeyScanA(char c) override;
    int16_t KeyState(int vk) override;
    std::array<uint8_t, 256> GetKeyboardState() override;
    void SetKeyboardState(const std::array<uint8_t, 256>& state) override;
    void PumpKeyMessages() override;
    std::u16string KeyName(uint8_t vk) override;
};

class Win32Shell : public ShellSeam {
public:
    explicit Win32Shell(HWND owner = nullptr) : owner_(owner) {}
    void SetCurrentFolder(const std::u16string& folder) override;
    std::u16string FullPath(const std::u16string& path) override;
    bool FileExists(const std::u16string& path) override;
    intptr_t Open(const std::u16string& file, const std::u16string& arguments,
                  const std::u16string& folder) override;

private:
    HWND owner_;
};

class Win32Windows : public WindowSeam {
public:
    bool IsVisible(WindowHandle window) override;
    std::optional<unsigned> ShowState(WindowHandle window, unsigned& error) override;
    void PostSysCommand(WindowHandle window, unsigned command) override;
    void ShowError(const std::u16string& text) override;
};

class Win32Volume : public VolumeSeam {
public:
    bool DeviceAvailable() override;
    std::optional<uint32_t> GetVolume() override;
    void SetVolume(uint32_t value) override;
};

// Locks the workstation itself; the two program commands go to the controller.
class Win32Controller : public ControllerSeam {
public:
    Win32Controller(std::function<void()> showSettings, std::function<void()> toggleActive)
        : showSettings_(std::move(showSettings)), toggleActive_(std::move(toggleActive)) {}
    void LockWorkStation() override;
    void ShowSettings() override { if (showSettings_) showSettings_(); }
    void ToggleActive() override { if (toggleActive_) toggleActive_(); }

private:
    std::function<void()> showSettings_, toggleActive_;
};

// All seams of the executor in one object, for the controller to own.
struct Win32ExecutorSeams {
    Win32ExecutorSeams(HWND owner, std::function<void()> showSettings, std::function<void()> toggleActive)
        : shell(owner), controller(std::move(showSettings), std::move(toggleActive)) {}
    Win32KeyEventSink keys;
    Win32Shell shell;
    Win32Windows windows;
    Win32Volume volume;
    Win32Controller controller;
    ExecutorSeams Seams() { return {keys, shell, windows, volume, controller}; }
};

inline HWND ToHwnd(WindowHandle h) { return reinterpret_cast<HWND>(h); }
inline WindowHandle FromHwnd(HWND h) { return reinterpret_cast<WindowHandle>(h); }


// What a WM_DROPFILES brings: the number of files and the first one's path
// (at most 260 characters), for DropFileOnAction.
struct DroppedFiles {
    unsigned count = 0;
    std::u16string first;
};
DroppedFiles ReadDroppedFiles(HDROP drop);

// Restores a minimised window and makes it the foreground window.
bool BringToForeground(HWND window);

}  // namespace zoram
