#include "storage/FileIO.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

#include "storage/BPCompress.h"

namespace fs = std::filesystem;

namespace zoram {

fs::path PathFromText(std::u16string_view text) {
#ifdef _WIN32
    static_assert(sizeof(wchar_t) == sizeof(char16_t));
    return fs::path(std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size()));
#else
    return fs::path(std::u16string(text));
#endif
}

std::u16string PathToText(const fs::path& path) {
#ifdef _WIN32
    const std::wstring& w = path.native();
    return std::u16string(reinterpret_cast<const char16_t*>(w.data()), w.size());
#else
    return path.u16string();
#endif
}

std::string DescribePath(const fs::path& path) {
    auto u8 = path.u8string();
    std::string quoted = "\"";
    quoted.append(u8.begin(), u8.end());
    return quoted += "\"";
}

namespace {

[[noreturn]] void Fail(const char* what, const fs::path& path, int err) {
    std::string text = std::string(what) + " " + DescribePath(path);
    if (err != 0) text += ": " + std::generic_category().message(err);
    throw FileError(text);
}

}  // namespace

std::vector<uint8_t> ReadWholeFile(const fs::path& path) {
    errno = 0;
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) Fail("Cannot open file", path, errno);
    std::streamoff size = in.tellg();
    if (size < 0) Fail("Cannot read file", path, errno);
    std::vector<uint8_t> data(static_cast<size_t>(size));
    in.seekg(0);
    if (size > 0 && !in.read(reinterpret_cast<char*>(data.data()), size))
        Fail("Cannot read file", path, errno);
    return data;
}

void ReplaceFileAtomically(const fs::path& target, const uint8_t* data, size_t n) {
    const fs::path temp = WithSuffix(target, ".tmp");
    std::error_code ec;
    {
        errno = 0;
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) Fail("Cannot create file", temp, errno);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(n));
        out.close();
        if (!out) {
            int err = errno;
            fs::remove(temp, ec);
            Fail("Cannot write file", temp, err);
        }
    }
    fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        Fail("Cannot replace file", target, ec.value());
    }
}

uint64_t FileSizeOrZero(const fs::path& path) {
    std::error_code ec;
    uintmax_t size = fs::file_size(path, ec);
    return ec ? 0 : static_cast<uint64_t>(size);
}

fs::path WithSuffix(const fs::path& path, std::string_view suffix) {
    fs::path result = path;
    result += fs::path(std::string(suffix));
    return result;
}

}  // namespace zoram
