// One recognition against a full set of 100 normalised gestures: the
// reference loop against the fast form with its per-gesture values cached.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>

#include "gesture/Normalise.h"
#include "gesture/Recogniser.h"

using namespace zoram;

namespace {

// 100 gestures drawn as smooth random strokes, normalised as recording does,
// and a motion resembling one of them.
struct Workload {
    std::unique_ptr<TGestureSet> set = std::make_unique<TGestureSet>();
    std::unique_ptr<TGesture> motion = std::make_unique<TGesture>();

    Workload() {
        std::mt19937 rng(42);
        std::uniform_real_distribution<double> turn(-0.6, 0.6);
        auto stroke = [&](TGesture& g, int n) {
            double x = 500, y = 500, dir = turn(rng) * 5;
            for (int i = 0; i < n; ++i) {
                dir += turn(rng);
                x += 12 * std::cos(dir);
                y += 12 * std::sin(dir);
                g.Points[i] = TPoint{static_cast<int32_t>(x), static_cast<int32_t>(y)};
            }
            g.Count = n;
            ResizeGesture(g, g);
        };
        set->GestureCount = kMaxGestures;
        for (int i = 0; i < kMaxGestures; ++i) stroke(set->Gestures[i], 40 + i);
        *motion = set->Gestures[57];
        motion->Points[10].x += 3;
    }
};

Workload& Shared() {
    static Workload w;
    return w;
}

void BM_RecogniseReference(benchmark::State& state) {
    Workload& w = Shared();
    RecogniserLog log;
    for (auto _ : state) benchmark::DoNotOptimize(RecogniseReference(*w.set, *w.motion, &log));
}
BENCHMARK(BM_RecogniseReference);

void BM_RecogniseFast(benchmark::State& state) {
    Workload& w = Shared();
    Recogniser fast;
    RecogniserLog log;
    fast.Recognise(*w.set, *w.motion, &log);  // the cache is filled when the set changes
    for (auto _ : state) benchmark::DoNotOptimize(fast.Recognise(*w.set, *w.motion, &log));
}
BENCHMARK(BM_RecogniseFast);

// The fast form right after the whole set changed (e.g. a set was loaded).
void BM_RecogniseFastColdCache(benchmark::State& state) {
    Workload& w = Shared();
    RecogniserLog log;
    for (auto _ : state) {
        Recogniser fast;
        benchmark::DoNotOptimize(fast.Recognise(*w.set, *w.motion, &log));
    }
}
BENCHMARK(BM_RecogniseFastColdCache);

}  // namespace
