#include "ProcessPath.h"

#include <psapi.h>

namespace zoram {

std::u16string ProcessPathOfWindow(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    // Asked every idle tick: the same window of the same process keeps its
    // path, so the process is opened only when the foreground changes.
    static HWND lastWindow = nullptr;
    static DWORD lastPid = 0;
    static std::u16string lastPath;
    if (window == lastWindow && pid == lastPid) return lastPath;
    std::u16string path;
    if (HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid)) {
        wchar_t buf[MAX_PATH];
        DWORD n = GetModuleFileNameExW(process, nullptr, buf, MAX_PATH);
        CloseHandle(process);
        path.assign(reinterpret_cast<const char16_t*>(buf), n);
    }
    lastWindow = window;
    lastPid = pid;
    lastPath = path;
    return path;
}

}  // namespace zoram
