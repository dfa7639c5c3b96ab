// The zlib wrapper: whole-buffer compression and expansion of streams and
// files. Compressed data is exactly one zlib stream (level 9, window bits 15,
// memory level 8, default strategy) with nothing before or after it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace zoram {

// A zlib call failed. The text is always "Error", as the user sees it.
class CompressionError : public std::runtime_error {
public:
    CompressionError() : std::runtime_error("Error") {}
};

// A file could not be read or written; what() names the file and the cause.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A stream held whole in memory, with a read/write position.
struct MemoryStream {
    std::vector<uint8_t> data;
    size_t position = 0;

    // Writes at the position (growing the stream) and moves the position on.
    void Write(const uint8_t* bytes, size_t n);
};

// The level is accepted and ignored: compression always uses level 9.
// Compresses the whole source into the target at the target's position.
// Returns true when a compressed buffer was produced. Throws CompressionError;
// the target is then untouched.
bool CompressStream(int level, MemoryStream& source, MemoryStream& target);

// Expands the whole source (from position 0) into the target at its position.
// An empty source gives false and writes nothing. The target's position is 0
// afterwards in every case. Throws CompressionError for data that is not one
// complete zlib stream (target untouched). maxOutput bounds the expanded size:
// a stream that expands past it throws CompressionError too.
bool DecompressStream(int level, MemoryStream& source, MemoryStream& target,
                      size_t maxOutput = SIZE_MAX);

// File forms: the source is read whole before the target is written, so both
// may be the same path. The target is replaced atomically (written beside it,
// then renamed over it): it is never left half-written, and is not touched at
// all when compression fails. Throws CompressionError or FileError.
bool CompressFile(int level, const std::filesystem::path& source,
                  const std::filesystem::path& target);
bool DecompressFile(int level, const std::filesystem::path& source,
                    const std::filesystem::path& target, size_t maxOutput = SIZE_MAX);

// Buffer helpers under the stream operations.
std::vector<uint8_t> CompressBytes(const uint8_t* data, size_t n);  // throws CompressionError
// Expands one complete zlib stream; throws CompressionError (also past maxOutput).
std::vector<uint8_t> ExpandBytes(const uint8_t* data, size_t n, size_t maxOutput = SIZE_MAX);
// Expands one complete zlib stream into `out`; returns the expanded size.
// Throws CompressionError, also when the stream does not fit `capacity`.
size_t ExpandInto(const uint8_t* data, size_t n, uint8_t* out, size_t capacity);

}  // namespace zoram
