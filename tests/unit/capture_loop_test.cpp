#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "capture/CaptureLoop.h"
#include "gesture/EngineState.h"
#include "hook_fakes.h"

using namespace zoram;

namespace {


struct FakeHost : CaptureHost {
    std::map<int, bool> keys;
    TPoint cursor{500, 400};
    std::vector<uint32_t> events;
    std::vector<int> intervals;
    bool swapped = false;
    bool excluded = false;
    int trailStarts = 0, trailDraws = 0, trailEnds = 0, refreshes = 0;
    std::vector<int> recognisedCounts;  // normalised Count at each recognition
    const TGesture* motion = nullptr;

    bool KeyHeld(int vk) override { return keys[vk]; }
    TPoint CursorPos() override { return cursor; }
    void MouseEvent(uint32_t f) override { events.push_back(f); }
    bool ButtonsSwapped() override { return swapped; }
    void SetTimerInterval(int ms) override { intervals.push_back(ms); }
    std::vector<ScreenRect> Monitors() override { return {{0, 0, 1024, 768}}; }
    void* ForegroundWindow() override { return reinterpret_cast<void*>(0x1234); }
    void RefreshForeground() override { ++refreshes; }
    bool ForegroundExcluded() override { return excluded; }
    void TrailStart(TPoint) override { ++trailStarts; }
    void TrailDraw() override { ++trailDraws; }
    void TrailEnd() override { ++trailEnds; }
    void RecogniseAndRun(void* w) override {
        EXPECT_EQ(w, reinterpret_cast<void*>(0x1234));
        recognisedCounts.push_back(motion->Count);
    }
};

struct Rig {
    FakeHost host;
    FakeHookLibrary lib;
    HookClient hook;
    std::unique_ptr<TGesture> motion = std::make_unique<TGesture>();
    int32_t recordingState = rsArmed;
    CaptureLoop loop{host, hook, lib, *motion, recordingState};
    CaptureSettings s;

    Rig() { host.motion = motion.get(); }
    void Tick() { loop.Tick(s); }
    void MoveTo(int x, int y) { host.cursor = {x, y}; Tick(); }
    // The idle tick before a press installs the hook (and sees no button).
    void Press(int vk = kVkRButton) {
        if (!hook.HookInstalled) Tick();
        host.keys[vk] = true;
        Tick();
    }
    void Release(int vk = kVkRButton) { host.keys[vk] = false; Tick(); }
    std::vector<TPoint> Points() const { return {motion->Points, motion->Points + motion->Count}; }
    // Draws a right-button L shape of many points and releases.
    void DrawL(int x = 300, int y = 200) {
        host.cursor = {x, y};
        Press();
        for (int i = 1; i <= 10; ++i) MoveTo(x, y + i * 15);
        for (int i = 1; i <= 10; ++i) MoveTo(x + i * 15, y + 150);
    }
};

}  // namespace

namespace zoram {
static bool operator==(TPoint a, TPoint b) { return a.x == b.x && a.y == b.y; }
}  // namespace zoram

TEST(CaptureLoop, ClickWithoutMovementIsHandedBackAsOneClick) {
    for (bool swapped : {false, true}) {
        Rig r;
        r.host.swapped = swapped;
        r.Tick();  // idle: installs the hook, trapping the right button
        EXPECT_EQ(r.lib.calls, (std::vector<std::string>{"HookMouse", "TrapRight"}));
        r.Press();
        EXPECT_TRUE(r.loop.Gesturing());
        EXPECT_EQ(r.motion->Count, 2);
        r.Release();
        EXPECT_FALSE(r.loop.Gesturing());
        std::vector<uint32_t> click = swapped ? std::vector<uint32_t>{kInjectLeftDown, kInjectLeftUp}
                                              : std::vector<uint32_t>{kInjectRightDown, kInjectRightUp};
        EXPECT_EQ(r.host.events, click);
        EXPECT_EQ(r.lib.calls.back(), "UnHookMouse");  // so the injected click passes
        EXPECT_TRUE(r.host.recognisedCounts.empty());
        EXPECT_EQ(r.host.intervals, (std::vector<int>{1, 100}));
        EXPECT_EQ(r.recordingState, rsIdle);
    }
}

TEST(CaptureLoop, QuickClickReportedBeforeItsTickIsStillAClick) {
    // Press and release both happened before the tick that the press report
    // runs: the button state already reads released.
    Rig r;
    r.Tick();
    r.loop.HookReport(zoram::kRightDown, r.s);
    EXPECT_TRUE(r.loop.Gesturing());
    r.loop.HookReport(zoram::kRightUp, r.s);
    EXPECT_EQ(r.host.events, (std::vector<uint32_t>{kInjectRightDown, kInjectRightUp}));
}

TEST(CaptureLoop, SamplingStoresBeyondNinePixelsAndInterpolatesLongJumps) {
    Rig r;
    r.host.cursor = {100, 100};
    r.Tick();
    r.host.cursor = {200, 200};
    r.Tick();  // idle tick: PrevCursor
    r.Press();
    r.MoveTo(209, 200);  // 9 pixels: nothing
    EXPECT_EQ(r.motion->Count, 2);
    r.MoveTo(210, 200);  // 10 from the last sample
    r.MoveTo(275, 200);  // 65: n = 2, midpoint (242.5, ties to even), P, P
    EXPECT_EQ(r.Points(), (std::vector<TPoint>{{200, 200}, {200, 200}, {210, 200}, {242, 200}, {275, 200}, {275, 200}}));
    // 9 pixels left of the last sample after slow movement accumulates.
    r.MoveTo(280, 200);
    r.MoveTo(284, 200);
    EXPECT_EQ(r.motion->Count, 6);
    r.MoveTo(285, 200);
    EXPECT_EQ(r.motion->Count, 7);
    r.Release();
    ASSERT_EQ(r.host.recognisedCounts.size(), 1u);
    EXPECT_TRUE(r.host.events.empty());
}

TEST(CaptureLoop, ShortDragIsAClickAndLongGestureIsRecognised) {
    Rig r;
    r.host.cursor = {300, 300};
    r.Press();
    r.MoveTo(306, 307);  // a 9-pixel drag
    r.Release();
    EXPECT_EQ(r.host.events, (std::vector<uint32_t>{kInjectRightDown, kInjectRightUp}));

    Rig g;
    g.DrawL();
    g.Release();
    ASSERT_EQ(g.host.recognisedCounts.size(), 1u);
    EXPECT_GT(g.host.recognisedCounts[0], 4);
    EXPECT_TRUE(g.host.events.empty());
    EXPECT_EQ(g.host.trailEnds, 1);
    // Moves are hidden while drawing and shown again at the end.
    EXPECT_EQ(std::count(g.lib.calls.begin(), g.lib.calls.end(), "HideMovement"), 1);
    EXPECT_EQ(g.lib.calls.back(), "ShowMovement");
}

TEST(CaptureLoop, GestureEndedNearAScreenEdgeIsCancelled) {
    Rig r;
    r.host.cursor = {900, 300};
    r.Press();
    for (int x = 920; x <= 1019; x += 11) r.MoveTo(x, 300);  // ends 5 pixels from the edge
    EXPECT_GT(r.motion->Count, 4);
    r.Release();
    EXPECT_TRUE(r.host.recognisedCounts.empty());
    EXPECT_TRUE(r.host.events.empty());
    EXPECT_EQ(r.host.trailEnds, 1);
}

TEST(CaptureLoop, PointOnAnyMonitorShrinksEveryMonitorByTenPixels) {
    std::vector<ScreenRect> two{{0, 0, 1024, 768}, {-1280, 0, 0, 1024}};
    struct Case { TPoint p; bool on; } cases[] = {
        {{10, 10}, true},     {{9, 10}, false},    {{1013, 757}, true}, {{1014, 300}, false},
        {{300, 758}, false},  {{-1270, 500}, true}, {{-11, 1013}, true}, {{-10, 500}, false},
        {{-500, 1014}, false}, {{5000, 5000}, false},
    };
    for (const auto& c : cases) EXPECT_EQ(PointOnAnyMonitor(two, c.p), c.on) << c.p.x << "," << c.p.y;
    EXPECT_FALSE(PointOnAnyMonitor({}, {100, 100}));
}

TEST(CaptureLoop, CtrlRightModeMakesPenUpStrokesThatRunNothing) {
    Rig r;
    r.s.invoke = 2;
    r.Tick();
    EXPECT_TRUE(r.lib.calls.empty());  // no hook without Ctrl
    r.host.keys[kVkControl] = true;
    r.Tick();
    EXPECT_EQ(r.lib.calls, (std::vector<std::string>{"HookMouse", "TrapRight"}));
    r.host.cursor = {300, 300};
    r.Press();
    for (int i = 1; i <= 5; ++i) r.MoveTo(300 + 20 * i, 300);
    r.Release();  // Ctrl still down: pen up, gesture goes on
    EXPECT_TRUE(r.loop.Gesturing());
    EXPECT_EQ(r.motion->Points[r.motion->Count - 1].x, PEN_UP.x);
    r.Tick();  // no second marker
    EXPECT_EQ(r.motion->Points[r.motion->Count - 2].x, 400);
    r.Press();
    for (int i = 1; i <= 5; ++i) r.MoveTo(400, 300 + 20 * i);
    EXPECT_TRUE(r.loop.MultiStroke());
    r.Release();
    r.host.keys[kVkControl] = false;
    r.Tick();
    EXPECT_FALSE(r.loop.Gesturing());
    EXPECT_TRUE(r.host.recognisedCounts.empty());
    EXPECT_TRUE(r.host.events.empty());
}

TEST(CaptureLoop, CtrlRightClickIsHandedBackOnlyWhenCtrlIsReleased) {
    Rig r;
    r.s.invoke = 2;
    r.host.keys[kVkControl] = true;
    r.Tick();
    r.Press();
    r.Release();
    EXPECT_TRUE(r.host.events.empty());
    EXPECT_TRUE(r.loop.Gesturing());
    r.host.keys[kVkControl] = false;
    r.Tick();
    EXPECT_EQ(r.host.events, (std::vector<uint32_t>{kInjectRightDown, kInjectRightUp}));
    // The trailing pen-up marker was dropped: two points remain.
    EXPECT_EQ(r.motion->Count, 2);
}

TEST(CaptureLoop, ModifierModeKeepsTheHookOffAndCtrlEndsAGesture) {
    Rig r;
    r.s.mouseExMode = true;
    r.host.keys[kVkShift] = true;
    r.Tick();
    EXPECT_TRUE(r.lib.calls.empty());
    r.host.keys[kVkShift] = false;
    r.Tick();
    EXPECT_TRUE(r.hook.HookInstalled);
    r.host.keys[kVkShift] = true;
    r.Tick();
    EXPECT_FALSE(r.hook.HookInstalled);  // removed while a modifier is held
    r.host.keys[kVkShift] = false;
    r.Tick();
    r.DrawL();
    r.host.keys[kVkControl] = true;  // Ctrl mid-gesture ends it at this tick
    r.Tick();
    EXPECT_FALSE(r.loop.Gesturing());
    EXPECT_EQ(r.host.recognisedCounts.size(), 1u);
}

TEST(CaptureLoop, IdleTimeoutHandsThePressBack) {
    Rig r;
    r.s.idleTimeout = 50;
    r.host.cursor = {300, 300};
    r.Press();
    for (int i = 0; i < 50; ++i) r.Tick();
    EXPECT_TRUE(r.loop.Gesturing());
    r.Tick();  // the 51st still tick
    EXPECT_FALSE(r.loop.Gesturing());
    EXPECT_TRUE(r.hook.HandOver);
    EXPECT_EQ(r.host.events, (std::vector<uint32_t>{kInjectRightDown}));
    EXPECT_EQ(r.lib.calls.back(), "UnHookMouse");
    // Further ticks with the button still down start nothing.
    r.MoveTo(400, 400);
    EXPECT_FALSE(r.loop.Gesturing());
    // The trapped release clears HandOver and is given to the system as well,
    // with the hook out of the way; then gestures work again.
    r.host.keys[kVkRButton] = false;
    r.loop.HookReport(zoram::kRightUp, r.s);
    EXPECT_FALSE(r.hook.HandOver);
    EXPECT_EQ(r.host.events, (std::vector<uint32_t>{kInjectRightDown, kInjectRightUp}));
    EXPECT_FALSE(r.hook.HookInstalled);
    r.Tick();
    r.DrawL();
    r.Release();
    EXPECT_EQ(r.host.recognisedCounts.size(), 1u);
}

TEST(CaptureLoop, IdleTimeoutIgnoresSmallJitterResetByMovement) {
    Rig r;
    r.s.idleTimeout = 10;
    r.host.cursor = {300, 300};
    r.Press();
    for (int i = 0; i < 30; ++i) r.MoveTo(300 + (i % 2) * 2, 300);  // 2-pixel jitter counts as still
    EXPECT_FALSE(r.loop.Gesturing());
    Rig m;
    m.s.idleTimeout = 10;
    m.Press();
    for (int i = 0; i < 8; ++i) m.Tick();
    m.MoveTo(520, 400);  // a real move before the timeout resets the count
    for (int i = 0; i < 8; ++i) m.Tick();
    EXPECT_TRUE(m.loop.Gesturing());
}

TEST(CaptureLoop, CtrlShiftModeNeverHooksNorHandsBack) {
    Rig r;
    r.s.invoke = 0;
    r.s.idleTimeout = 5;  // only from an edited settings file
    r.host.keys[kVkControl] = r.host.keys[kVkShift] = true;
    r.Tick();
    EXPECT_TRUE(r.loop.Gesturing());
    for (int i = 0; i < 5; ++i) r.Tick();
    EXPECT_TRUE(r.loop.Gesturing());
    r.Tick();  // the 6th still tick abandons the gesture
    EXPECT_FALSE(r.loop.Gesturing());
    EXPECT_FALSE(r.hook.HandOver);  // nothing would ever clear it in this mode
    r.Tick();
    EXPECT_TRUE(r.loop.Gesturing());  // keys still held: a new gesture starts
    r.host.keys[kVkControl] = false;
    r.Tick();
    EXPECT_FALSE(r.loop.Gesturing());
    EXPECT_EQ(std::count(r.lib.calls.begin(), r.lib.calls.end(), "HookMouse"), 0);
    EXPECT_TRUE(r.host.events.empty());
}

TEST(CaptureLoop, ExcludedProgramKeepsTheHookOff) {
    Rig r;
    r.Tick();
    EXPECT_TRUE(r.hook.HookInstalled);
    r.host.excluded = true;
    r.Press();
    EXPECT_FALSE(r.hook.HookInstalled);
    EXPECT_FALSE(r.loop.Gesturing());
    r.Release();
    r.host.excluded = false;
    r.Tick();
    EXPECT_TRUE(r.hook.HookInstalled);
    r.Press();
    EXPECT_TRUE(r.loop.Gesturing());
}

TEST(CaptureLoop, InactiveDoesNothingAndRefreshWaitsForTheGesture) {
    Rig r;
    r.s.active = false;
    r.Press();
    EXPECT_FALSE(r.loop.Gesturing());
    EXPECT_TRUE(r.lib.calls.empty());
    r.s.active = true;
    r.Tick();
    const int before = r.host.refreshes;
    r.DrawL();
    EXPECT_EQ(r.host.refreshes, before + 1);  // only the tick that started it
}

TEST(CaptureLoop, MotionStopsAtTheLastSlotAndStillFinishes) {
    Rig r;
    r.host.cursor = {20, 20};
    r.Press();
    for (int i = 0; i < 3000; ++i) r.MoveTo(20 + (i % 2) * 700, 20 + (i % 3) * 200);
    EXPECT_EQ(r.motion->Count, kMaxPoints);
    r.MoveTo(500, 500);
    r.Release();
    EXPECT_EQ(r.host.recognisedCounts.size(), 1u);
}

TEST(CaptureLoop, TrailDrawsEveryTickOrPerSample) {
    Rig normal;
    normal.DrawL();
    EXPECT_EQ(normal.host.trailDraws, 21);  // press tick and 20 move ticks
    Rig fast;
    fast.s.fastTrails = true;
    fast.DrawL();
    EXPECT_EQ(fast.host.trailDraws, 20);    // one per stored sample
    Rig off;
    off.s.showTrails = false;
    off.DrawL();
    EXPECT_EQ(off.host.trailDraws, 0);
}
