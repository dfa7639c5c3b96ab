// Gesture set files from anywhere: loading any of the three forms must not
// crash or read past a buffer, must leave the set untouched when it fails,
// and must leave counts the rest of the program can index with.
//
// The first byte picks what the rest is: below 0x80 the file itself (the
// compressed form, mostly broken zlib data); up to 0xFD patches to a set image
// whose counts go through the checks a load applies (in memory, to stay
// quick); 0xFE and 0xFF patches to an image written uncompressed or in the old
// layout and loaded from the file (slow: each rewrites 23 MB).
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

#include "storage/SetFile.h"
#include "storage/SetJson.h"

namespace {

using namespace zoram;
namespace fs = std::filesystem;

void Check(bool ok) {
    if (!ok) std::abort();
}

// Applies (offset: 4 bytes, length: 1 byte, bytes) patches to an image.
void Patch(uint8_t* image, size_t size, const uint8_t* data, size_t n) {
    while (n >= 5) {
        uint32_t offset;
        std::memcpy(&offset, data, 4);
        size_t len = std::min<size_t>(data[4], n - 5);
        offset %= size;
        len = std::min<size_t>(len, size - offset);
        std::memcpy(image + offset, data + 5, len);
        data += 5 + len;
        n -= 5 + len;
    }
}

void WriteFile(const fs::path& p, const uint8_t* data, size_t n) {
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(n));
}

// Reads everything the rest of the program reads of a loaded set.
void Walk(const TGestureSet& set) {
    Check(set.GestureCount >= 0 && set.GestureCount <= kMaxGestures);
    Check(set.ProgramCount >= 0 && set.ProgramCount <= kProgramSlots);
    size_t total = 0;
    for (int p = 0; p < set.ProgramCount; ++p)
        total += GetText(&set.Programs[p].Path).size() + GetText(&set.Programs[p].Name).size();
    for (int i = 0; i < set.GestureCount; ++i) {
        const TGesture& g = set.Gestures[i];
        Check(g.Count >= 0 && g.Count <= kMaxPoints);
        Check(g.RuleCount <= kRuleSlots);
        for (int k = 0; k < g.Count; ++k) total += static_cast<uint32_t>(g.Points[k].x);
        total += GetText(&g.DefaultAction).size();
        for (int r = 0; r < g.RuleCount; ++r) {
            Check(g.Rules[r].ProgramIndex < set.ProgramCount);
            const std::u16string action = GetText(&g.Rules[r].Action);
            Check(action.size() <= kMaxTextLength);
            total += action.size() + set.Programs[g.Rules[r].ProgramIndex].Path[0];
        }
    }
    total += SetToJson(set).size();  // the tool's dump of a loaded set
    volatile size_t sink = total;
    (void)sink;
}

struct Files {
    fs::path dir;
    Files() {
        dir = fs::temp_directory_path() / ("zoram-fuzz-set-" + std::to_string(getpid()));
        fs::create_directories(dir);
    }
    ~Files() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Files files;
    static auto set = std::make_unique<TGestureSet>();
    static auto before = std::make_unique<TGestureSet>();
    static auto image = std::make_unique<TGestureSet>();
    if (size == 0) return 0;
    const fs::path path = files.dir / "f.mtd";
    const uint8_t form = data[0];
    ++data, --size;

    auto* bytes = reinterpret_cast<uint8_t*>(image.get());
    if (form < 0x80) {
        WriteFile(path, data, size);
    } else {
        const size_t imageSize = form == 0xFF ? kOldSetImageSize : sizeof(TGestureSet);
        std::memset(bytes, 0, imageSize);
        Patch(bytes, imageSize, data, size);
        if (form < 0xFE) {
            ClampToCapacities(*image);
            Walk(*image);
            Check(!ClampToCapacities(*image));  // a clamped set stays as it is
            return 0;
        }
        WriteFile(path, bytes, imageSize);
    }

    std::memcpy(before.get(), set.get(), sizeof(TGestureSet));
    SetFileResult r = LoadSet(*set, path);
    if (r) {
        Walk(*set);
    } else {
        Check(std::memcmp(before.get(), set.get(), sizeof(TGestureSet)) == 0);
    }
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(files.dir)) fs::remove(entry.path(), ec);
    return 0;
}
