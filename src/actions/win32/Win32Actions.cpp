#include "actions/win32/Win32Actions.h"

#include <mmsystem.h>
#include <shellapi.h>

#include <string>

namespace zoram {

void Win32KeyEventSink::KeyEvent(uint8_t vk, uint8_t scan, uint32_t flags) { keybd_event(vk, scan, flags, 0); }

uint32_t Win32KeyEventSink::MapVirtualKeyCode(uint32_t vk) { return ::MapVirtualKeyA(vk, 0); }

uint16_t Win32KeyEventSink::VkKeyScanW(char16_t c) { return static_cast<uint16_t>(::VkKeyScanW(static_cast<wchar_t>(c))); }

uint16_t Win32KeyEventSink::VkKeyScanA(char c) { return static_cast<uint16_t>(::VkKeyScanA(c)); }

int16_t Win32KeyEventSink::KeyState(int vk) { return GetKeyState(vk); }

std::array<uint8_t, 256> Win32KeyEventSink::GetKeyboardState() {
    std::array<uint8_t, 256> state{};
    ::GetKeyboardState(state.data());
    return state;
}

void Win32KeyEventSink::SetKeyboardState(const std::array<uint8_t, 256>& state) {
    std::array<uint8_t, 256> copy = state;
    ::SetKeyboardState(copy.data());
}

void Win32KeyEventSink::PumpKeyMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_KEYFIRST, WM_UNICHAR, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

std::u16string Win32KeyEventSink::KeyName(uint8_t vk) {
    LONG scan = static_cast<LONG>(::MapVirtualKeyW(vk, 0));
    // The extended keys' names come from the extended scan codes.
    if ((vk >= VK_PRIOR && vk <= VK_HELP) || vk == VK_DIVIDE || vk == VK_NUMLOCK) scan |= 0x100;
    wchar_t name[64];
    int n = GetKeyNameTextW(scan << 16, name, 64);
    return n > 0 ? std::u16string(reinterpret_cast<const char16_t*>(name), n) : u"";
}

void Win32Shell::SetCurrentFolder(const std::u16string& folder) { SetCurrentDirectoryW(W(folder)); }

std::u16string Win32Shell::FullPath(const std::u16string& path) {
    if (path.empty()) return u"";
    DWORD n = GetFullPathNameW(W(path), 0, nullptr, nullptr);
    if (n == 0) return u"";
    std::u16string full(n, u'\0');
    n = GetFullPathNameW(W(path), n, reinterpret_cast<wchar_t*>(full.data()), nullptr);
    full.resize(n < full.size() ? n : 0);
    return full;
}

bool Win32Shell::FileExists(const std::u16string& path) {
    DWORD a = GetFileAttributesW(W(path));
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

intptr_t Win32Shell::Open(const std::u16string& file, const std::u16string& arguments, const std::u16string& folder) {
    HINSTANCE r = ShellExecuteW(owner_, nullptr, W(file), arguments.empty() ? nullptr : W(arguments),
                                folder.empty() ? nullptr : W(folder), SW_SHOW);
    return reinterpret_cast<intptr_t>(r);
}

bool Win32Windows::IsVisible(WindowHandle window) { return IsWindowVisible(ToHwnd(window)); }

std::optional<unsigned> Win32Windows::ShowState(WindowHandle window, unsigned& error) {
    WINDOWPLACEMENT p{};
    p.length = sizeof(p);
    if (!GetWindowPlacement(ToHwnd(window), &p)) {
        error = GetLastError();
        return std::nullopt;
    }
    return p.showCmd;
}

void Win32Windows::PostSysCommand(WindowHandle window, unsigned command) {
    PostMessageA(ToHwnd(window), WM_SYSCOMMAND, command, 0);
}

void Win32Windows::ShowError(const std::u16string& text) { MessageBoxW(nullptr, W(text), L"error", MB_OK); }

bool Win32Volume::DeviceAvailable() {
    WAVEOUTCAPSW caps;
    return waveOutGetDevCapsW(WAVE_MAPPER, &caps, sizeof(caps)) == MMSYSERR_NOERROR;
}

std::optional<uint32_t> Win32Volume::GetVolume() {
    DWORD value = 0;
    if (waveOutGetVolume(reinterpret_cast<HWAVEOUT>(static_cast<UINT_PTR>(WAVE_MAPPER)), &value) != MMSYSERR_NOERROR)
        return std::nullopt;
    return value;
}

void Win32Volume::SetVolume(uint32_t value) {
    waveOutSetVolume(reinterpret_cast<HWAVEOUT>(static_cast<UINT_PTR>(WAVE_MAPPER)), value);
}

void Win32Controller::LockWorkStation() { ::LockWorkStation(); }

DroppedFiles ReadDroppedFiles(HDROP drop) {
    DroppedFiles files;
    files.count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    wchar_t path[MAX_PATH + 1] = {};
    if (files.count > 0) {
        UINT n = DragQueryFileW(drop, 0, path, MAX_PATH + 1);
        files.first.assign(reinterpret_cast<const char16_t*>(path), n);
    }
    return files;
}

bool BringToForeground(HWND window) {
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    if (GetForegroundWindow() == window) return true;
    OSVERSIONINFOW v{};
    v.dwOSVersionInfoSize = sizeof(v);
    GetVersionExW(&v);
    bool modern = (v.dwPlatformId == VER_PLATFORM_WIN32_NT && v.dwMajorVersion > 4) ||
                  (v.dwPlatformId != VER_PLATFORM_WIN32_NT &&
                   (v.dwMajorVersion > 4 || (v.dwMajorVersion == 4 && v.dwMinorVersion > 0)));
    if (modern) {
        DWORD foregroundThread = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
        DWORD windowThread = GetWindowThreadProcessId(window, nullptr);
        if (AttachThreadInput(windowThread, foregroundThread, TRUE)) {
            BringWindowToTop(window);
            SetForegroundWindow(window);
            AttachThreadInput(windowThread, foregroundThread, FALSE);
            if (GetForegroundWindow() == window) return true;
        }
        DWORD timeout = 0;
        SystemParametersInfoA(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &timeout, 0);
        SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, SPIF_SENDCHANGE);
        BringWindowToTop(window);
        SetForegroundWindow(window);
        SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, reinterpret_cast<void*>(static_cast<UINT_PTR>(timeout)),
                              SPIF_SENDCHANGE);
    } else {
        BringWindowToTop(window);
        SetForegroundWindow(window);
    }
    return GetForegroundWindow() == window;
}

}  // namespace zoram
