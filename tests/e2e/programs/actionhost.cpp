// Runs one action string through the executor against a target window.
// --action TEXT | --action-file FILE (UTF-8)  --class CLASS (the target's
// window class)  --log FILE  [--no-foreground]  [--hold VK]
// Logs FOREGROUND 0|1, RAN, then KEYSDOWN with the keys GetAsyncKeyState
// reports down afterwards, and DONE. --hold presses a key before that look
// and lets it go after, to show that the look sees a key left down.
#include <string>

#include "actions/Executor.h"
#include "actions/win32/Win32Actions.h"
#include "e2elog.h"

using namespace zoram;

namespace {

std::wstring ReadUtf8File(const std::wstring& path) {
    FILE* f = _wfopen(path.c_str(), L"rb");
    if (!f) return L"";
    std::string bytes;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), f)) > 0) bytes.append(buffer, n);
    fclose(f);
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
    while (!bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r')) bytes.pop_back();
    int len = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), (int)bytes.size(), nullptr, 0);
    std::wstring text(len, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), (int)bytes.size(), text.data(), len);
    return text;
}

std::u16string U16(const std::wstring& s) { return std::u16string(s.begin(), s.end()); }

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    LineLog log;
    log.Open(Arg(L"--log", L"actionhost.log"));
    std::wstring action = Arg(L"--action");
    if (std::wstring file = Arg(L"--action-file"); !file.empty()) action = ReadUtf8File(file);

    HWND target = FindWindowW(Arg(L"--class", L"ZoramTestTarget").c_str(), nullptr);
    if (!target) {
        log.Line("NOTARGET");
        return 1;
    }
    if (!HasFlag(L"--no-foreground")) log.Line("FOREGROUND %d", BringToForeground(target) ? 1 : 0);

    wchar_t exe[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring folder(exe, n);
    folder = folder.substr(0, folder.find_last_of(L'\\') + 1);

    Win32ExecutorSeams seams(nullptr, [&] { log.Line("SETTINGS"); }, [&] { log.Line("TOGGLE"); });
    log.Utf16("ACTION ", action);
    PerformAction(U16(action), FromHwnd(target), U16(folder), seams.Seams());
    log.Line("RAN");

    int hold = _wtoi(Arg(L"--hold", L"0").c_str());
    if (hold) keybd_event(hold, 0, 0, 0);
    std::string down;
    for (int vk = 1; vk < 256; ++vk)
        if (GetAsyncKeyState(vk) & 0x8000) down += " " + std::to_string(vk);
    log.Line("KEYSDOWN%s", down.c_str());
    if (hold) keybd_event(hold, 0, KEYEVENTF_KEYUP, 0);
    log.Line("DONE");
    return 0;
}
