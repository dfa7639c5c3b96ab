// One capture tick while gesturing, and the trail redraw of a long path,
// with the system side replaced by hosts that do nothing.
#include <benchmark/benchmark.h>

#include <memory>

#include "capture/CaptureLoop.h"
#include "feedback/Trail.h"
#include "gesture/EngineState.h"

using namespace zoram;

namespace {

struct NullLibrary : HookLibrary {
    void HookMouse() override {}
    void UnHookMouse() override {}
    void ShowMovement() override {}
    void HideMovement() override {}
    void TrapRight() override {}
    void TrapMiddle() override {}
};

// The right button held, the cursor walking a circle-ish path.
struct MovingHost : CaptureHost {
    TPoint cursor{500, 400};
    int step = 0;
    bool KeyHeld(int vk) override { return vk == kVkRButton; }
    TPoint CursorPos() override { return cursor; }
    void MouseEvent(uint32_t) override {}
    bool ButtonsSwapped() override { return false; }
    void SetTimerInterval(int) override {}
    std::vector<ScreenRect> Monitors() override { return {{0, 0, 1920, 1080}}; }
    void* ForegroundWindow() override { return nullptr; }
    void RefreshForeground() override {}
    bool ForegroundExcluded() override { return false; }
    void TrailStart(TPoint) override {}
    void TrailDraw() override {}
    void TrailEnd() override {}
    void RecogniseAndRun(void*) override {}
};

void BM_CaptureTickWhileGesturing(benchmark::State& state) {
    MovingHost host;
    NullLibrary lib;
    HookClient hook;
    auto motion = std::make_unique<TGesture>();
    int32_t recording = rsIdle;
    CaptureLoop loop(host, hook, lib, *motion, recording);
    CaptureSettings s;
    s.showTrails = false;
    loop.Tick(s);  // installs the hook
    for (auto _ : state) {
        // 12 pixels a tick: every tick stores a sample.
        host.cursor.x = 400 + (host.step % 2) * 12;
        host.cursor.y = 300 + (host.step / 2 % 2) * 12;
        ++host.step;
        loop.Tick(s);
        if (motion->Count >= kMaxPoints - 4) {  // start over before the slots run out
            state.PauseTiming();
            host.cursor = {500, 400};
            motion->Count = motion->RecordCursor = 2;
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_CaptureTickWhileGesturing);

struct CountingSurface : ScreenSurface {
    size_t ops = 0;
    void SetColor(uint32_t) override { ++ops; }
    void FillCircle(int32_t, int32_t, int32_t, int32_t) override { ++ops; }
    void MoveTo(TPoint) override { ++ops; }
    void LineTo(TPoint) override { ++ops; }
    void Snapshot(const std::vector<ScreenRect>&) override {}
    void RestoreSnapshots() override {}
};

void BM_TrailRedraw2000Points(benchmark::State& state) {
    auto motion = std::make_unique<TGesture>();
    for (int i = 0; i < 2000; ++i) motion->Points[i] = {100 + (i * 7) % 1700, 100 + (i * 13) % 900};
    motion->Count = 2000;
    CountingSurface surface;
    Trail trail(surface);
    TrailSettings s;
    const std::vector<ScreenRect> monitors{{0, 0, 1920, 1080}, {1920, 0, 3840, 1080}};
    for (auto _ : state) {
        trail.Draw(*motion, s, monitors);
        benchmark::DoNotOptimize(surface.ops);
    }
}
BENCHMARK(BM_TrailRedraw2000Points);

}  // namespace
