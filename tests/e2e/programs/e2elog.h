// Shared by the end-to-end helper programs: argument lookup and a log file
// written line by line, flushed at once so a scenario can read it live.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <cstdarg>

#include <cstdio>
#include <string>

inline std::wstring Arg(const wchar_t* name, const wchar_t* fallback = L"") {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::wstring value = fallback;
    for (int i = 1; i + 1 < argc; ++i)
        if (name == std::wstring(argv[i])) value = argv[i + 1];
    LocalFree(argv);
    return value;
}

inline bool HasFlag(const wchar_t* name) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    bool found = false;
    for (int i = 1; i < argc; ++i) found = found || name == std::wstring(argv[i]);
    LocalFree(argv);
    return found;
}

class LineLog {
public:
    void Open(const std::wstring& path) { file_ = _wfopen(path.c_str(), L"ab"); }
    void Line(const char* fmt, ...) {
        if (!file_) return;
        va_list args;
        va_start(args, fmt);
        vfprintf(file_, fmt, args);
        va_end(args);
        fputc('\n', file_);
        fflush(file_);
    }
    void Utf16(const char* prefix, const std::wstring& text) {
        int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), (int)text.size(), nullptr, 0, nullptr, nullptr);
        std::string utf8(n, '\0');
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), (int)text.size(), utf8.data(), n, nullptr, nullptr);
        Line("%s%s", prefix, utf8.c_str());
    }

private:
    FILE* file_ = nullptr;
};
