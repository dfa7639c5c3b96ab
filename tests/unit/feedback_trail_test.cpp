#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "feedback/Trail.h"

using namespace zoram;

namespace {

struct FakeSurface : ScreenSurface {
    std::vector<std::string> ops;
    void SetColor(uint32_t c) override { ops.push_back("color " + std::to_string(c)); }
    void FillCircle(int32_t l, int32_t t, int32_t r, int32_t b) override {
        ops.push_back("circle " + std::to_string(l) + "," + std::to_string(t) + "," + std::to_string(r) + "," +
                      std::to_string(b));
    }
    void MoveTo(TPoint p) override { ops.push_back("move " + std::to_string(p.x) + "," + std::to_string(p.y)); }
    void LineTo(TPoint p) override { ops.push_back("line " + std::to_string(p.x) + "," + std::to_string(p.y)); }
    void Snapshot(const std::vector<ScreenRect>& m) override { ops.push_back("snapshot " + std::to_string(m.size())); }
    void RestoreSnapshots() override { ops.push_back("restore"); }
};

const std::vector<ScreenRect> kTwoMonitors{{0, 0, 1024, 768}, {1024, 0, 2048, 768}};

std::unique_ptr<TGesture> Motion(std::vector<TPoint> pts) {
    auto g = std::make_unique<TGesture>();
    for (size_t i = 0; i < pts.size(); ++i) g->Points[i] = pts[i];
    g->Count = static_cast<int32_t>(pts.size());
    return g;
}

}  // namespace

TEST(Trail, ShortPathDrawsNothingAndTakesNoSnapshot) {
    FakeSurface s;
    Trail t(s);
    auto m = Motion({{10, 10}, {20, 20}, {30, 30}, {40, 40}});
    t.Draw(*m, {}, kTwoMonitors);
    t.End({});
    EXPECT_TRUE(s.ops.empty());
}

TEST(Trail, FullPathWithStartDotPenUpGapAndRedEdge) {
    FakeSurface s;
    Trail t(s);
    auto m = Motion({{100, 100}, {100, 100}, {200, 100}, PEN_UP, {300, 300}, {1015, 300}});
    TrailSettings ts;
    t.Draw(*m, ts, kTwoMonitors);
    EXPECT_EQ(s.ops, (std::vector<std::string>{
                         "color 16711680", "snapshot 2", "circle 98,98,102,102", "move 100,100",
                         "line 100,100", "line 200,100",
                         "color 255", "color 16711680", "move 300,300",  // the marker itself is off-screen
                         "color 255", "line 1015,300"}));
    s.ops.clear();
    t.Draw(*m, ts, kTwoMonitors);  // a second tick repaints, no second snapshot
    EXPECT_EQ(std::count(s.ops.begin(), s.ops.end(), "snapshot 2"), 0);
    t.End(ts);
    EXPECT_EQ(s.ops.back(), "restore");
    EXPECT_FALSE(t.HasSnapshots());
}

TEST(Trail, FastModeDrawsOnlyTheNewestSegment) {
    FakeSurface s;
    Trail t(s);
    TrailSettings ts;
    ts.fastTrails = true;
    auto m = Motion({{0, 0}, {100, 100}, {120, 100}, {140, 100}, {160, 100}});
    t.Start({100, 100});
    t.Draw(*m, ts, kTwoMonitors);
    EXPECT_EQ(s.ops, (std::vector<std::string>{"move 100,100", "color 16711680", "snapshot 2", "line 160,100"}));
}

TEST(Trail, WithTrailsOffNothingIsSavedOrRestored) {
    FakeSurface s;
    Trail t(s);
    TrailSettings off;
    off.showTrails = false;
    auto m = Motion({{0, 0}, {100, 100}, {120, 100}, {140, 100}, {160, 100}});
    t.Draw(*m, off, kTwoMonitors);
    t.End(off);
    EXPECT_EQ(std::count(s.ops.begin(), s.ops.end(), "snapshot 2"), 0);
    EXPECT_EQ(std::count(s.ops.begin(), s.ops.end(), "restore"), 0);
    EXPECT_FALSE(t.HasSnapshots());
}
