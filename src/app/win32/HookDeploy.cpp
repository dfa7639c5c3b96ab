#include "HookDeploy.h"

#include <windows.h>

#include "WinText.h"
#include "ProfileFileWin32.h"
#include "app/Settings.h"
#include "app/Startup.h"

namespace zoram {

std::u16string ReadSavedVersion(const std::u16string& exeDir) {
    return ReadSettingsVersion(*OpenProfileFile(exeDir + std::u16string(kSettingsFileName)));
}

namespace {

std::wstring SystemReason(DWORD code) {
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring reason = text ? text : L"";
    if (text) LocalFree(text);
    while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r')) reason.pop_back();
    return reason;
}

bool WriteResource(const std::wstring& path, DWORD& error) {
    HRSRC res = FindResourceW(nullptr, L"MOUSECORE", MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    HGLOBAL data = res ? LoadResource(nullptr, res) : nullptr;
    const void* bytes = data ? LockResource(data) : nullptr;
    DWORD size = res ? SizeofResource(nullptr, res) : 0;
    if (!bytes) {
        error = GetLastError();
        return false;
    }
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = GetLastError();
        return false;
    }
    DWORD written = 0;
    bool ok = WriteFile(file, bytes, size, &written, nullptr) && written == size;
    error = ok ? 0 : GetLastError();
    CloseHandle(file);
    return ok;
}

}  // namespace

bool DeployHookLibrary(const std::u16string& exeDir, const std::u16string& savedVersion) {
    std::wstring path = Wide(exeDir) + L"MouseCore.dll";
    DWORD attrs = GetFileAttributesW(path.c_str());
    bool isFile = attrs != INVALID_FILE_ATTRIBUTES && !(attrs & FILE_ATTRIBUTE_DIRECTORY);
    if (!HookLibraryNeedsWriting(savedVersion, isFile)) return true;
    DWORD error = 0;
    if (WriteResource(path, error)) return true;
    std::wstring text = L"Cannot create file \"" + path + L"\". " + SystemReason(error);
    MessageBoxW(nullptr, text.c_str(), L"Zoram", MB_OK | MB_ICONERROR);
    return false;
}

}  // namespace zoram
