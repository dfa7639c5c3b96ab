#include "RunKeyWin32.h"

#include <windows.h>

namespace zoram {

namespace {
constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kValue[] = L"zoram";

// Opens the Run key, creating it when missing; null on failure.
HKEY OpenRunKey() {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return nullptr;
    return key;
}
}  // namespace

std::u16string RunKeyWin32::Read() {
    HKEY key = OpenRunKey();
    if (!key) return {};
    DWORD type = 0, size = 0;
    std::u16string value;
    if (RegQueryValueExW(key, kValue, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ) && size > 0) {
        std::wstring buf(size / sizeof(wchar_t) + 1, L'\0');
        if (RegQueryValueExW(key, kValue, nullptr, nullptr, reinterpret_cast<BYTE*>(buf.data()), &size) ==
            ERROR_SUCCESS)
            value.assign(reinterpret_cast<const char16_t*>(buf.c_str()));
    }
    RegCloseKey(key);
    return value;
}

void RunKeyWin32::Write(const std::u16string& value) {
    if (HKEY key = OpenRunKey()) {
        RegSetValueExW(key, kValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(char16_t)));
        RegCloseKey(key);
    }
}

void RunKeyWin32::Delete() {
    if (HKEY key = OpenRunKey()) {
        RegDeleteValueW(key, kValue);
        RegCloseKey(key);
    }
}

}  // namespace zoram
