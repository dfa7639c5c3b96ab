// Gesture records as a loaded file may hold them (any counts, any points):
// normalisation and both recogniser forms must stay within the slots and
// agree bit for bit.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "gesture/Normalise.h"
#include "gesture/Recogniser.h"

using namespace zoram;

namespace {

struct Reader {
    const uint8_t* p;
    size_t n;
    int32_t Int() {
        int32_t v = 0;
        const size_t k = n < 4 ? n : 4;
        std::memcpy(&v, p, k);
        p += k;
        n -= k;
        return v;
    }
    uint8_t Byte() {
        if (n == 0) return 0;
        --n;
        return *p++;
    }
};

void Fill(Reader& in, TGesture& g) {
    g.Count = in.Int();
    // Points are usually small, sometimes anything.
    const int n = std::min(UsablePoints(g), 64);
    for (int i = 0; i < n; ++i) {
        const uint8_t mode = in.Byte();
        g.Points[i] = mode & 1 ? TPoint{in.Int(), in.Int()} : TPoint{in.Byte() % 101, in.Byte() % 101};
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto set = std::make_unique<TGestureSet>();
    static auto motion = std::make_unique<TGesture>();
    static Recogniser fast;
    Reader in{data, size};
    set->GestureCount = in.Int();
    const int gestures = std::min<int32_t>(std::max<int32_t>(set->GestureCount, 0), 8);
    for (int g = 0; g < gestures; ++g) Fill(in, set->Gestures[g]);
    Fill(in, *motion);
    if (in.Byte() & 1) ResizeGesture(*motion, *motion);

    RecogniserLog a, b;
    RecognitionTrace ta{}, tb{};
    const int ra = RecogniseReference(*set, *motion, &a, &ta);
    const int rb = fast.Recognise(*set, *motion, &b, &tb);
    if (ra != rb || a.lines() != b.lines()) std::abort();
    if (!a.empty() && (std::memcmp(&ta.best, &tb.best, sizeof(double)) != 0 ||
                       std::memcmp(&ta.conf, &tb.conf, sizeof(double)) != 0))
        std::abort();
    return 0;
}
