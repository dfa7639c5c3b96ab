// The executor's reach into the system, one small interface per role.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace zoram {

class KeyEventSink;

// An opaque window handle (HWND at the Win32 boundary).
using WindowHandle = std::uintptr_t;

// Shell launches and the file-system look-ups around them.
class ShellSeam {
public:
    virtual ~ShellSeam() = default;
    virtual void SetCurrentFolder(const std::u16string& folder) = 0;
    // GetFullPathName against the current folder; empty on failure.
    virtual std::u16string FullPath(const std::u16string& path) = 0;
    virtual bool FileExists(const std::u16string& path) = 0;
    // ShellExecute with the default verb and SW_SHOW; the shell's result code.
    virtual intptr_t Open(const std::u16string& file, const std::u16string& arguments,
                          const std::u16string& folder) = 0;
};

// Commands to the target window.
class WindowSeam {
public:
    virtual ~WindowSeam() = default;
    virtual bool IsVisible(WindowHandle window) = 0;
    // The show state from GetWindowPlacement, or nothing with the error code.
    virtual std::optional<unsigned> ShowState(WindowHandle window, unsigned& error) = 0;
    virtual void PostSysCommand(WindowHandle window, unsigned command) = 0;
    // A message box without owner, caption "error", one OK button.
    virtual void ShowError(const std::u16string& text) = 0;
};

// The wave mapper's volume, both channels in one 32-bit value.
class VolumeSeam {
public:
    virtual ~VolumeSeam() = default;
    virtual bool DeviceAvailable() = 0;  // waveOutGetDevCaps succeeded
    virtual std::optional<uint32_t> GetVolume() = 0;
    virtual void SetVolume(uint32_t value) = 0;
};

// What belongs to the running program or the session, not to a window.
class ControllerSeam {
public:
    virtual ~ControllerSeam() = default;
    virtual void LockWorkStation() = 0;
    virtual void ShowSettings() = 0;   // as the tray menu's "Configure..."
    virtual void ToggleActive() = 0;   // as the "Active" button
};

struct ExecutorSeams {
    KeyEventSink& keys;
    ShellSeam& shell;
    WindowSeam& windows;
    VolumeSeam& volume;
    ControllerSeam& controller;
};

}  // namespace zoram
