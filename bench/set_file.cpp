// Loading and saving a full set file against bare zlib on the same image:
// the difference is what the file handling (side file, atomic replace,
// scratch block, capacity checks) costs on top of the compression.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <random>

#include "storage/SetFile.h"

namespace {

using namespace zoram;
namespace fs = std::filesystem;

// 100 gestures of 30 points, each with a default action and five rules, and
// 50 known programs: a large but realistic set.
std::unique_ptr<TGestureSet> FullSet() {
    auto set = std::make_unique<TGestureSet>();
    std::mt19937 rng(7);
    set->GestureCount = 100;
    set->ProgramCount = 50;
    for (int p = 0; p < 50; ++p) {
        SetText(set->Programs[p].Name, u"Program " + std::u16string(1, char16_t(u'A' + p % 26)));
        SetText(set->Programs[p].Path, u"C:\\Program Files\\Vendor\\app" + std::u16string(1, char16_t(u'a' + p % 26)) + u".exe");
    }
    for (int i = 0; i < 100; ++i) {
        TGesture& g = set->Gestures[i];
        g.Count = 30;
        for (int k = 0; k < 30; ++k) g.Points[k] = {int32_t(rng() % 101), int32_t(rng() % 101)};
        SetText(g.DefaultAction, u"@Keystrokes: {ctrl}c{wait 100}{ctrl}v");
        g.RuleCount = 5;
        for (int r = 0; r < 5; ++r) {
            g.Rules[r].ProgramIndex = uint8_t(r * 10 + i % 10);
            SetText(g.Rules[r].Action, u"@Browser: back");
        }
    }
    return set;
}

struct Fixture {
    std::unique_ptr<TGestureSet> set = FullSet();
    fs::path dir = fs::temp_directory_path() / "zoram-bench-set";
    fs::path path = dir / "full.mtd";
    Fixture() {
        fs::create_directories(dir);
        SaveSet(*set, path);
    }
    ~Fixture() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
};

void BM_SaveSet(benchmark::State& state) {
    Fixture f;
    for (auto _ : state) {
        if (!SaveSet(*f.set, f.path)) state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(state.iterations() * sizeof(TGestureSet));
}
BENCHMARK(BM_SaveSet)->Unit(benchmark::kMillisecond);

void BM_Compress2Level9(benchmark::State& state) {
    Fixture f;
    std::vector<Bytef> out(compressBound(sizeof(TGestureSet)));
    for (auto _ : state) {
        uLongf n = out.size();
        compress2(out.data(), &n, reinterpret_cast<const Bytef*>(f.set.get()), sizeof(TGestureSet), 9);
        benchmark::DoNotOptimize(n);
    }
    state.SetBytesProcessed(state.iterations() * sizeof(TGestureSet));
}
BENCHMARK(BM_Compress2Level9)->Unit(benchmark::kMillisecond);

void BM_LoadSet(benchmark::State& state) {
    Fixture f;
    auto into = std::make_unique<TGestureSet>();
    for (auto _ : state) {
        if (!LoadSet(*into, f.path)) state.SkipWithError("load failed");
    }
    state.SetBytesProcessed(state.iterations() * sizeof(TGestureSet));
}
BENCHMARK(BM_LoadSet)->Unit(benchmark::kMillisecond);

void BM_Uncompress(benchmark::State& state) {
    Fixture f;
    std::vector<Bytef> packed(compressBound(sizeof(TGestureSet)));
    uLongf packedSize = packed.size();
    compress2(packed.data(), &packedSize, reinterpret_cast<const Bytef*>(f.set.get()), sizeof(TGestureSet), 9);
    auto into = std::make_unique<TGestureSet>();
    for (auto _ : state) {
        uLongf n = sizeof(TGestureSet);
        uncompress(reinterpret_cast<Bytef*>(into.get()), &n, packed.data(), packedSize);
        benchmark::DoNotOptimize(n);
    }
    state.SetBytesProcessed(state.iterations() * sizeof(TGestureSet));
    state.counters["compressed_bytes"] = double(packedSize);
}
BENCHMARK(BM_Uncompress)->Unit(benchmark::kMillisecond);

}  // namespace
