#include <gtest/gtest.h>

#include <cmath>

#include "gesture/Normalise.h"
#include "gesture_test_util.h"

using namespace zoram;
using namespace zoram::testutil;

namespace {

std::vector<XY> Normalised(const std::vector<TPoint>& pts) {
    auto src = MakeGesture(pts);
    auto out = std::make_unique<TGesture>();
    ResizeGesture(*src, *out);
    return PointsOf(*out);
}

// Outline of a side x side square, one unit per point, from a corner.
std::vector<TPoint> SquareOutline(int side, int scale, int ox = 0, int oy = 0) {
    std::vector<TPoint> pts;
    auto add = [&](int x, int y) { pts.push_back({ox + x * scale, oy + y * scale}); };
    for (int i = 0; i < side; ++i) add(i, 0);
    for (int i = 0; i < side; ++i) add(side, i);
    for (int i = side; i > 0; --i) add(i, side);
    for (int i = side; i >= 0; --i) add(0, i);
    return pts;
}

}  // namespace

TEST(Normalise, PointCountFollowsAccumulatedPosition) {
    // pos grows by repeated addition of n / 30; the counts depend on it.
    struct Case { int n; int expected; } cases[] = {
        {0, 0}, {1, 0}, {2, 16}, {5, 25}, {29, 29}, {30, 29}, {31, 30}, {60, 30}, {2001, 30},
    };
    for (const auto& c : cases) {
        std::vector<TPoint> pts;
        for (int i = 0; i < c.n; ++i) pts.push_back({i * 7, (i * i) % 13});
        EXPECT_EQ(Normalised(pts).size(), static_cast<size_t>(c.expected)) << "n=" << c.n;
    }
}

TEST(Normalise, HorizontalStrokeSpansFrameOnCentreLine) {
    std::vector<TPoint> pts;
    for (int i = 0; i <= 50; ++i) pts.push_back({i * 6, 0});
    const auto out = Normalised(pts);
    ASSERT_EQ(out.size(), 30u);
    EXPECT_EQ(out.front().first, 0);
    EXPECT_EQ(out.back().first, 100);
    for (size_t i = 0; i < out.size(); ++i) {
        EXPECT_EQ(out[i].second, 50);
        if (i) EXPECT_GT(out[i].first, out[i - 1].first);
    }
}

TEST(Normalise, ShapeIsIndependentOfScaleAndPosition) {
    const auto base = Normalised(SquareOutline(10, 1));
    ASSERT_EQ(base.size(), 30u);
    EXPECT_EQ(base.front(), XY(0, 0));
    const std::vector<TPoint> variants[] = {
        SquareOutline(10, 10),
        SquareOutline(10, 1, 2500, 3100),
        SquareOutline(10, 1, -3000, -1500),
        SquareOutline(10, 10, -2000000, 2000000),
    };
    for (const auto& v : variants) EXPECT_EQ(Normalised(v), base);
}

TEST(Normalise, TiesRoundToEvenInExtendedPrecision) {
    // 60 points: step 2, so every second point is taken exactly. The taken
    // points span 8 by 3, centre (4, 2).
    std::vector<TPoint> taken = {{0, 0}, {1, 3}, {8, 1}};
    while (taken.size() < 30) taken.push_back({8, 3});
    std::vector<TPoint> pts;
    for (const auto& p : taken) { pts.push_back(p); pts.push_back(p); }
    const auto out = Normalised(pts);
    ASSERT_EQ(out.size(), 30u);
    EXPECT_EQ(out[0].first, 0);
    // x = 100 * (1 - 4) / 8 + 50 = 12.5 exactly: ties go to even.
    EXPECT_EQ(out[1].first, 12);
    EXPECT_EQ(out[2].first, 100);
    // y = 100 / sqrt(fy) * (1 - 2) / 3 + 50 is 37.5 on paper; in extended
    // precision it falls just below (37), in double just above (38).
    EXPECT_EQ(out[2].second, 37);
}

TEST(Normalise, SameRecordAsSourceAndTargetKeepsOtherFields) {
    std::vector<TPoint> pts;
    for (int i = 0; i < 7; ++i) pts.push_back({i * 10, i % 2 ? 40 : 0});
    const auto expected = Normalised(pts);
    auto g = MakeGesture(pts);
    SetText(g->DefaultAction, u"@Keys: Ctrl+C");
    g->RuleCount = 2;
    g->Rules[1].ProgramIndex = 9;
    g->RecordCursor = 7;
    ResizeGesture(*g, *g);
    EXPECT_EQ(PointsOf(*g), expected);
    EXPECT_EQ(GetText(g->DefaultAction), u"@Keys: Ctrl+C");
    EXPECT_EQ(g->RuleCount, 2);
    EXPECT_EQ(g->Rules[1].ProgramIndex, 9);
}

TEST(Normalise, OutOfRangeCountIsReadWithinSlots) {
    auto g = MakeGesture({{0, 0}, {5, 5}});
    g->Count = 5000;
    auto out = std::make_unique<TGesture>();
    ResizeGesture(*g, *out);
    EXPECT_EQ(out->Count, 30);
    g->Count = -4;
    ResizeGesture(*g, *out);
    EXPECT_EQ(out->Count, 0);
}

TEST(Normalise, Distance) {
    struct Case { TPoint a, b; double d; } cases[] = {
        {{0, 0}, {3, 4}, 5.0},
        {{-3, -4}, {0, 0}, 5.0},
        {{7, 7}, {7, 7}, 0.0},
        {{0, 0}, {1, 1}, std::sqrt(2.0)},
        {{-2000000000, 0}, {2000000000, 0}, 4e9},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(distancebetween(c.a, c.b), c.d);
}
