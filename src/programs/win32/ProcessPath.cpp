#include "ProcessPath.h"

#include <psapi.h>

namespace zoram {

std::u16string ProcessPathOfWindow(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process) return {};
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameExW(process, nullptr, path, MAX_PATH);
    CloseHandle(process);
    return std::u16string(reinterpret_cast<const char16_t*>(path), n);
}

}  // namespace zoram
