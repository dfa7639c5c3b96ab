#include "storage/BPCompress.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "storage/FileIO.h"

namespace zoram {

void MemoryStream::Write(const uint8_t* bytes, size_t n) {
    if (n == 0) return;
    if (data.size() < position + n) data.resize(position + n);
    std::memcpy(data.data() + position, bytes, n);
    position += n;
}

namespace {

// Working buffers are left uninitialised: zlib writes every byte that is used,
// and a 23 MB buffer is not worth clearing first.
using Buffer = std::unique_ptr<uint8_t[]>;
Buffer NewBuffer(size_t n) { return Buffer(new uint8_t[n ? n : 1]); }

}  // namespace

std::vector<uint8_t> CompressBytes(const uint8_t* data, size_t n) {
    z_stream z{};
    if (deflateInit(&z, 9) != Z_OK) throw CompressionError();
    // deflateBound is enough for one deflate run with Z_FINISH to complete.
    const size_t bound = deflateBound(&z, static_cast<uLong>(n));
    Buffer out;
    try {
        out = NewBuffer(bound);
    } catch (...) {
        deflateEnd(&z);
        throw;
    }
    z.next_in = const_cast<Bytef*>(data);
    z.avail_in = static_cast<uInt>(n);
    z.next_out = out.get();
    z.avail_out = static_cast<uInt>(bound);
    int rc = deflate(&z, Z_FINISH);
    size_t produced = z.total_out;
    deflateEnd(&z);
    if (rc != Z_STREAM_END) throw CompressionError();
    return std::vector<uint8_t>(out.get(), out.get() + produced);
}

size_t ExpandInto(const uint8_t* data, size_t n, uint8_t* out, size_t capacity) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) throw CompressionError();
    z.next_in = const_cast<Bytef*>(data);
    z.avail_in = static_cast<uInt>(n);
    z.next_out = out;
    z.avail_out = static_cast<uInt>(capacity);
    int rc = inflate(&z, Z_FINISH);
    size_t produced = z.total_out;
    inflateEnd(&z);
    if (rc != Z_STREAM_END) throw CompressionError();
    return produced;
}

std::vector<uint8_t> ExpandBytes(const uint8_t* data, size_t n, size_t maxOutput) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) throw CompressionError();
    size_t capacity = std::min(maxOutput, std::max<size_t>(n * 4, 1 << 16));
    Buffer out;
    int rc = Z_MEM_ERROR;
    try {
        out = NewBuffer(capacity);
        z.next_in = const_cast<Bytef*>(data);
        z.avail_in = static_cast<uInt>(n);
        for (;;) {
            z.next_out = out.get() + z.total_out;
            z.avail_out = static_cast<uInt>(capacity - z.total_out);
            rc = inflate(&z, Z_FINISH);
            // Z_BUF_ERROR with a full output buffer only means "give me room".
            if (rc != Z_BUF_ERROR || z.avail_out != 0 || capacity >= maxOutput) break;
            const size_t grown = std::min(maxOutput, capacity * 4);
            Buffer bigger = NewBuffer(grown);
            std::memcpy(bigger.get(), out.get(), z.total_out);
            out = std::move(bigger);
            capacity = grown;
        }
    } catch (...) {
        inflateEnd(&z);
        throw;
    }
    size_t produced = z.total_out;
    inflateEnd(&z);
    if (rc != Z_STREAM_END) throw CompressionError();
    return std::vector<uint8_t>(out.get(), out.get() + produced);
}

bool CompressStream(int, MemoryStream& source, MemoryStream& target) {
    source.position = source.data.size();
    std::vector<uint8_t> packed = CompressBytes(source.data.data(), source.data.size());
    target.Write(packed.data(), packed.size());
    return true;
}

bool DecompressStream(int, MemoryStream& source, MemoryStream& target, size_t maxOutput) {
    source.position = 0;
    const size_t n = source.data.size();
    bool produced = false;
    if (n > 0) {
        std::vector<uint8_t> plain;
        try {
            plain = ExpandBytes(source.data.data(), n, maxOutput);
        } catch (...) {
            target.position = 0;
            throw;
        }
        source.position = n;
        target.Write(plain.data(), plain.size());
        produced = true;
    }
    target.position = 0;
    return produced;
}

bool CompressFile(int level, const std::filesystem::path& source,
                  const std::filesystem::path& target) {
    MemoryStream in{ReadWholeFile(source)}, out;
    bool ok = CompressStream(level, in, out);
    ReplaceFileAtomically(target, out.data.data(), out.data.size());
    return ok;
}

bool DecompressFile(int level, const std::filesystem::path& source,
                    const std::filesystem::path& target, size_t maxOutput) {
    MemoryStream in{ReadWholeFile(source)}, out;
    // An empty source expands to nothing; the target is then left alone.
    if (!DecompressStream(level, in, out, maxOutput)) return false;
    ReplaceFileAtomically(target, out.data.data(), out.data.size());
    return true;
}

}  // namespace zoram
