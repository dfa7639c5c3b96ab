#include "storage/BPCompress.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

#include "storage/FileIO.h"

namespace zoram {

void MemoryStream::Write(const uint8_t* bytes, size_t n) {
    if (n == 0) return;
    if (data.size() < position + n) data.resize(position + n);
    std::memcpy(data.data() + position, bytes, n);
    position += n;
}

std::vector<uint8_t> CompressBytes(const uint8_t* data, size_t n) {
    z_stream z{};
    if (deflateInit(&z, 9) != Z_OK) throw CompressionError();
    // deflateBound is enough for one deflate run with Z_FINISH to complete.
    std::vector<uint8_t> out(deflateBound(&z, static_cast<uLong>(n)));
    z.next_in = const_cast<Bytef*>(data);
    z.avail_in = static_cast<uInt>(n);
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    int rc = deflate(&z, Z_FINISH);
    size_t produced = z.total_out;
    deflateEnd(&z);
    if (rc != Z_STREAM_END) throw CompressionError();
    out.resize(produced);
    return out;
}

std::vector<uint8_t> ExpandBytes(const uint8_t* data, size_t n, size_t maxOutput) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) throw CompressionError();
    std::vector<uint8_t> out(std::min(maxOutput, std::max<size_t>(n * 4, 1 << 16)));
    z.next_in = const_cast<Bytef*>(data);
    z.avail_in = static_cast<uInt>(n);
    int rc;
    for (;;) {
        z.next_out = out.data() + z.total_out;
        z.avail_out = static_cast<uInt>(out.size() - z.total_out);
        rc = inflate(&z, Z_FINISH);
        // Z_BUF_ERROR with a full output buffer only means "give me room".
        if (rc != Z_BUF_ERROR || z.avail_out != 0 || out.size() >= maxOutput) break;
        out.resize(std::min(maxOutput, out.size() * 2));
    }
    size_t produced = z.total_out;
    inflateEnd(&z);
    if (rc != Z_STREAM_END) throw CompressionError();
    out.resize(produced);
    return out;
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
