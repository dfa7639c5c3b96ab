// GetPrivateProfileStringW / WritePrivateProfileStringW keep a file in the
// system code page unless it starts with a UTF-16 byte-order mark; then they
// keep it in UTF-16. Non-ASCII values (a set path in Chinese) only survive in
// the UTF-16 form, so the file is created, or rewritten once, with a mark
// before the first write.
#include "app/win32/ProfileFileWin32.h"

#include <windows.h>

#include <vector>

#include "app/win32/WinText.h"

namespace zoram {

namespace {

class Win32ProfileFile final : public ProfileFile {
public:
    explicit Win32ProfileFile(std::u16string path) : path_(std::move(path)) {}

    std::u16string ReadString(std::u16string_view section, std::u16string_view key,
                              std::u16string_view fallback) override {
        const std::u16string s(section), k(key), f(fallback);
        std::vector<wchar_t> buf(2048);
        for (;;) {
            DWORD n = GetPrivateProfileStringW(W(s), W(k), W(f), buf.data(),
                                               static_cast<DWORD>(buf.size()), W(path_));
            if (n + 1 < buf.size()) return U(std::wstring_view(buf.data(), n));
            buf.resize(buf.size() * 2);
        }
    }

    std::vector<std::u16string> ReadKeys(std::u16string_view section) override {
        const std::u16string s(section);
        std::vector<wchar_t> buf(4096);
        DWORD n;
        for (;;) {
            n = GetPrivateProfileStringW(W(s), nullptr, L"", buf.data(),
                                         static_cast<DWORD>(buf.size()), W(path_));
            if (n + 2 < buf.size()) break;
            buf.resize(buf.size() * 2);
        }
        std::vector<std::u16string> keys;
        for (DWORD i = 0; i < n;) {
            std::wstring_view key(buf.data() + i);
            if (key.empty()) break;
            keys.push_back(U(key));
            i += static_cast<DWORD>(key.size()) + 1;
        }
        return keys;
    }

    bool WriteString(std::u16string_view section, std::u16string_view key,
                     std::u16string_view value) override {
        EnsureUnicodeFile();
        const std::u16string s(section), k(key), v(value);
        return WritePrivateProfileStringW(W(s), W(k), W(v), W(path_)) != 0;
    }

    bool EraseSection(std::u16string_view section) override {
        const std::u16string s(section);
        return WritePrivateProfileStringW(W(s), nullptr, nullptr, W(path_)) != 0;
    }

    std::u16string FileName() const override { return path_; }

private:
    void EnsureUnicodeFile() {
        if (checked_) return;
        checked_ = true;
        HANDLE h = CreateFileW(W(path_), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            if (GetLastError() == ERROR_FILE_NOT_FOUND) WriteUnicode(L"");
            return;
        }
        std::vector<char> bytes;
        LARGE_INTEGER size{};
        bool ok = GetFileSizeEx(h, &size) && size.QuadPart < (1 << 24);
        if (ok) {
            bytes.resize(static_cast<size_t>(size.QuadPart));
            DWORD read = 0;
            ok = bytes.empty() || (ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
                                   read == bytes.size());
        }
        CloseHandle(h);
        if (!ok) return;
        if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
            static_cast<unsigned char>(bytes[1]) == 0xFE)
            return;
        // An older file in the code page: carry its text over to UTF-16.
        std::wstring text;
        if (!bytes.empty()) {
            int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
            if (n <= 0) return;
            text.resize(static_cast<size_t>(n));
            MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
        }
        WriteUnicode(text);
    }

    // Writes the mark and the text beside the file, then moves it over the file.
    void WriteUnicode(const std::wstring& text) {
        const std::u16string temp = path_ + u".tmp";
        HANDLE h = CreateFileW(W(temp), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) return;
        const wchar_t bom = 0xFEFF;
        DWORD written = 0;
        bool ok = WriteFile(h, &bom, sizeof bom, &written, nullptr) && written == sizeof bom;
        const DWORD bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        if (ok && bytes) ok = WriteFile(h, text.data(), bytes, &written, nullptr) && written == bytes;
        CloseHandle(h);
        if (!ok || !MoveFileExW(W(temp), W(path_), MOVEFILE_REPLACE_EXISTING)) DeleteFileW(W(temp));
    }

    std::u16string path_;
    bool checked_ = false;
};

}  // namespace

std::unique_ptr<ProfileFile> OpenProfileFile(const std::u16string& path) {
    return std::make_unique<Win32ProfileFile>(path);
}

}  // namespace zoram
