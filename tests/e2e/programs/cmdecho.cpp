// Started by the scenarios through the shell: appends its command line and
// current folder to cmdecho.txt beside itself (UTF-8), then ends.
// --out FILE writes there instead.
#include "e2elog.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    std::wstring out = Arg(L"--out");
    if (out.empty()) {
        wchar_t exe[MAX_PATH];
        DWORD n = GetModuleFileNameW(nullptr, exe, MAX_PATH);
        out.assign(exe, n);
        out = out.substr(0, out.find_last_of(L'\\') + 1) + L"cmdecho.txt";
    }
    wchar_t cwd[MAX_PATH];
    DWORD n = GetCurrentDirectoryW(MAX_PATH, cwd);
    LineLog log;
    log.Open(out);
    log.Utf16("CMDLINE ", GetCommandLineW());
    log.Utf16("CWD ", std::wstring(cwd, n));
    return 0;
}
