// Whole-file reads and atomic whole-file writes over std::filesystem, which
// takes UTF-16 paths on Windows (so non-ASCII names work in the MinGW build).
#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zoram {

// A path from UTF-16 text (wchar_t on Windows, converted to UTF-8 elsewhere).
std::filesystem::path PathFromText(std::u16string_view text);
// The path as UTF-16 text.
std::u16string PathToText(const std::filesystem::path& path);

// The path in double quotation marks, UTF-8, for error texts.
std::string DescribePath(const std::filesystem::path& path);

// Reads the whole file. Throws FileError (see BPCompress.h) when it cannot.
std::vector<uint8_t> ReadWholeFile(const std::filesystem::path& path);

// Writes the bytes to a temporary file beside the target, then renames it over
// the target. On failure the temporary is removed and the target is as it was.
// Throws FileError.
void ReplaceFileAtomically(const std::filesystem::path& target, const uint8_t* data, size_t n);

// The file's size from its directory entry; 0 when it cannot be found.
uint64_t FileSizeOrZero(const std::filesystem::path& path);

// The path with text appended to its last component ("a.mtd" + "z" -> "a.mtdz").
std::filesystem::path WithSuffix(const std::filesystem::path& path, std::string_view suffix);

}  // namespace zoram
