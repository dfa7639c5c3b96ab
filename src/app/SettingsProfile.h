// Access to the settings file (Windows profile format), as a seam: the Win32
// build uses GetPrivateProfileStringW / WritePrivateProfileStringW, tests use
// an in-memory fake.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace zoram {

class ProfileFile {
public:
    virtual ~ProfileFile() = default;
    // The value of key in section, or `fallback` when the key is missing.
    virtual std::u16string ReadString(std::u16string_view section, std::u16string_view key,
                                      std::u16string_view fallback) = 0;
    // The key names of a section in file order (empty when there is none).
    virtual std::vector<std::u16string> ReadKeys(std::u16string_view section) = 0;
    // Writes one key at once; false when the file cannot be written.
    virtual bool WriteString(std::u16string_view section, std::u16string_view key,
                             std::u16string_view value) = 0;
    // Removes a whole section; false when the file cannot be written.
    virtual bool EraseSection(std::u16string_view section) = 0;
    // The file's path, for error messages.
    virtual std::u16string FileName() const = 0;
};

}  // namespace zoram
