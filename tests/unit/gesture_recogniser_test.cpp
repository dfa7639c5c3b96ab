#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "gesture/EngineState.h"
#include "gesture/Recogniser.h"
#include "gesture_test_util.h"

using namespace zoram;
using namespace zoram::testutil;

namespace {

struct Fixture {
    std::unique_ptr<TGestureSet> set = std::make_unique<TGestureSet>();
    void Add(const std::vector<TPoint>& pts) {
        TGesture& g = set->Gestures[set->GestureCount++];
        for (size_t i = 0; i < pts.size(); ++i) g.Points[i] = pts[i];
        g.Count = static_cast<int32_t>(pts.size());
    }
};

// A zigzag without vertical segments, in the 0..100 frame.
std::vector<TPoint> Zigzag(int n, int phase = 0) {
    std::vector<TPoint> pts;
    for (int i = 0; i < n; ++i) pts.push_back({i * 100 / (n - 1), ((i + phase) % 3) * 40 + 10});
    return pts;
}

// Far from Zigzag: every compared point more than 90 away.
std::vector<TPoint> FarCorner(int n) {
    std::vector<TPoint> pts;
    for (int i = 0; i < n; ++i) pts.push_back({200 + (i % 2) * 3, 200 + i});
    return pts;
}

std::u16string U(const std::string& s) { return std::u16string(s.begin(), s.end()); }

// Runs both forms and checks they agree before returning the reference.
int RecogniseBoth(const TGestureSet& set, const TGesture& motion, RecogniserLog* log, RecognitionTrace* trace) {
    RecogniserLog fastLog;
    RecognitionTrace fastTrace{};
    Recogniser fast;
    const int a = RecogniseReference(set, motion, log, trace);
    const int b = fast.Recognise(set, motion, &fastLog, &fastTrace);
    EXPECT_EQ(a, b);
    EXPECT_EQ(log->lines(), fastLog.lines());
    return a;
}

}  // namespace

TEST(Recogniser, LogAndScoreOfAHandComputedMatch) {
    // Three identical points: per k the slope, the slope change and the
    // distance each reward 1.1; no turn is compared. L = 1.1^6.
    Fixture f;
    f.Add({{0, 0}, {10, 10}, {20, 40}});
    auto motion = MakeGesture({{0, 0}, {10, 10}, {20, 40}});
    RecogniserLog log;
    RecognitionTrace trace{};
    EXPECT_EQ(RecogniseBoth(*f.set, *motion, &log, &trace), 0);
    EXPECT_NEAR(trace.score[0], std::pow(1.1, 6), 1e-12);
    const std::vector<std::u16string> expected = {
        u"Comparitive liklihood of match;",
        u" Motion 1 : 1.77156",
        u"Most likely : 1 ~99.94%",
    };
    EXPECT_EQ(log.lines(), expected);
}

TEST(Recogniser, IdenticalMotionWinsAndEarliestTakesATie) {
    Fixture f;
    f.Add(FarCorner(30));
    f.Add(Zigzag(30));
    f.Add(Zigzag(30));      // same as gesture 2: does not take the lead
    f.Add(Zigzag(30, 1));
    auto motion = MakeGesture(Zigzag(30));
    RecogniserLog log;
    RecognitionTrace trace{};
    EXPECT_EQ(RecogniseBoth(*f.set, *motion, &log, &trace), 1);
    EXPECT_GE(trace.score[1], std::pow(1.1, 2 * 29));
    EXPECT_EQ(trace.score[1], trace.score[2]);
    // held is what best was before the winner took the lead: gesture 1's
    // score (far below 0.001 here) does not count, so held stays 0.001.
    EXPECT_EQ(trace.held, 0.001);
    EXPECT_EQ(log.size(), 1u + 4u + 1u);
    EXPECT_EQ(log.line(5).substr(0, 16), u"Most likely : 2 ");
}

TEST(Recogniser, HeldIsTheLeadBeforeTheWinnerNotTheRunnerUp) {
    // Scores rise in index order, then a close one follows the winner.
    Fixture f;
    f.Add(Zigzag(30, 1));
    f.Add(Zigzag(30));
    f.Add(Zigzag(30, 2));
    auto motion = MakeGesture(Zigzag(30));
    RecogniserLog log;
    RecognitionTrace trace{};
    RecogniseBoth(*f.set, *motion, &log, &trace);
    ASSERT_EQ(trace.bestIndex, 1);
    const double held = std::max(0.001, trace.score[0]);
    EXPECT_EQ(trace.held, held);
    EXPECT_EQ(trace.conf, static_cast<double>((static_cast<long double>(trace.best) - held) / trace.best * 100));
}

TEST(Recogniser, DecisionThresholds) {
    // With one gesture conf = (best - 0.001) / best * 100, so the decision
    // turns on best alone; with a rival just before the winner conf is low.
    struct Case { std::vector<std::vector<TPoint>> gestures; std::vector<TPoint> motion; int expected; } cases[] = {
        {{Zigzag(30)}, Zigzag(30), 0},
        {{FarCorner(30)}, Zigzag(30), -1},            // best far below 0.1
        {{FarCorner(30), Zigzag(30)}, Zigzag(30), 1},
    };
    for (const auto& c : cases) {
        Fixture f;
        for (const auto& g : c.gestures) f.Add(g);
        auto motion = MakeGesture(c.motion);
        RecogniserLog log;
        RecognitionTrace trace{};
        const int r = RecogniseBoth(*f.set, *motion, &log, &trace);
        EXPECT_EQ(r, c.expected);
        const bool accept = trace.best > 1.0 || (trace.best > 0.4 && trace.conf > 60) ||
                            (trace.best > 0.1 && trace.conf > 98);
        EXPECT_EQ(r >= 0, accept);
        EXPECT_EQ(log.line(log.size() - 1) == u"Unable to distinguish motion", r < 0);
    }
}

TEST(Recogniser, NothingBeatsTheStartScore) {
    Fixture f;
    f.Add(FarCorner(30));
    f.Add({{1, 1}, {2, 2}});  // too short: no log line
    auto motion = MakeGesture(Zigzag(30));
    RecogniserLog log;
    RecognitionTrace trace{};
    EXPECT_EQ(RecogniseBoth(*f.set, *motion, &log, &trace), -1);
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log.line(1), u" Motion 1 : 0");
    EXPECT_EQ(log.line(2), u"Most likely : 0 ~0%");
    EXPECT_EQ(log.line(3), u"Unable to distinguish motion");
}

TEST(Recogniser, UnusableInputReturnsWithoutTouchingTheLog) {
    Fixture f;
    f.Add(Zigzag(30));
    Fixture empty;
    struct Case { const TGestureSet* set; std::vector<TPoint> motion; } cases[] = {
        {f.set.get(), {{0, 0}, {50, 50}}},
        {f.set.get(), {}},
        {empty.set.get(), Zigzag(30)},
    };
    for (const auto& c : cases) {
        auto motion = MakeGesture(c.motion);
        RecogniserLog log;
        log.add(u"earlier");
        Recogniser fast;
        EXPECT_EQ(RecogniseReference(*c.set, *motion, &log), -1);
        EXPECT_EQ(fast.Recognise(*c.set, *motion, &log), -1);
        EXPECT_EQ(log.lines(), std::vector<std::u16string>{u"earlier"});
    }
}

TEST(Recogniser, VerticalAndRepeatedMotionSegments) {
    // A repeated motion point has slope 0 and matches a flat gesture
    // segment; a vertical motion segment gets a huge slope of its own sign,
    // far from the gesture's fixed 10000 when it goes up.
    Fixture f;
    f.Add({{0, 50}, {10, 50}, {20, 50}, {30, 50}});
    f.Add({{0, 50}, {0, 60}, {0, 70}, {0, 80}});
    auto flat = MakeGesture({{0, 50}, {0, 50}, {20, 50}, {30, 50}});
    auto down = MakeGesture({{0, 50}, {0, 40}, {0, 30}, {0, 20}});
    RecogniserLog log;
    RecognitionTrace a{}, b{};
    RecogniseBoth(*f.set, *flat, &log, &a);
    RecogniseBoth(*f.set, *down, &log, &b);
    EXPECT_GT(a.score[0], a.score[1]);
    EXPECT_LT(b.score[1], 1.0);
}

TEST(RecogniserFormat, OptionalDecimals) {
    struct Case { double v; int decimals; const char* out; } cases[] = {
        {1.771561, 5, "1.77156"},
        {0.5, 5, "0.5"},
        {2.0, 5, "2"},
        {0.0, 2, "0"},
        {0.000004, 5, "0"},
        {0.000006, 5, "0.00001"},
        {0.125, 2, "0.13"},              // a true half rounds away from zero
        {2.5, 0, "3"},
        {1.005, 2, "1"},                 // the double lies below the half
        {99.995, 2, "100"},              // and this one above it
        {9.999996, 5, "10"},
        {123456.123456, 5, "123456.12346"},
        {12345678901.123456, 5, "12345678901.1235"},  // 15 significant digits
        {-0.25, 1, "-0.3"},
        {1e20, 5, "1E20"},
        {NAN, 5, "NAN"},
        {INFINITY, 5, "INF"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatOptionalDecimals(c.v, c.decimals), c.out) << c.v;
}

// Rounds the 18-digit form of v half away from zero by hand, as an oracle
// for values below 1e9 (where the 15-digit limit does not bite).
static std::string OracleFormat(double v, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17e", v);
    std::string digits = std::string(1, buf[0]) + std::string(buf + 2, 17);
    const int exp = std::atoi(std::strchr(buf, 'e') + 1);
    // Place the digits on a fixed grid: 20 integer places and the decimals.
    std::string grid(20 + 18 + 20, '0');
    for (int i = 0; i < 18; ++i) grid[static_cast<size_t>(19 - exp + i)] = digits[static_cast<size_t>(i)];
    std::string kept = grid.substr(0, static_cast<size_t>(20 + decimals));
    if (grid[static_cast<size_t>(20 + decimals)] >= '5') {
        int i = static_cast<int>(kept.size()) - 1;
        while (kept[static_cast<size_t>(i)] == '9') kept[static_cast<size_t>(i--)] = '0';
        ++kept[static_cast<size_t>(i)];
    }
    std::string whole = kept.substr(0, 20), frac = kept.substr(20);
    whole.erase(0, std::min(whole.find_first_not_of('0'), size_t{19}));
    while (!frac.empty() && frac.back() == '0') frac.pop_back();
    return frac.empty() ? whole : whole + "." + frac;
}

TEST(RecogniserFormat, AgreesWithDigitByDigitRounding) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> exponent(-8, 8.9);
    for (int i = 0; i < 20000; ++i) {
        const int decimals = i % 2 ? 5 : 2;
        double v = std::pow(10.0, exponent(rng));
        if (i % 4 < 2) {
            // Right at a half of the last decimal, and one step to either side.
            const double unit = std::pow(10.0, -decimals);
            v = (std::floor(v / unit) + 0.5) * unit;
            v = i % 3 == 0 ? v : std::nextafter(v, i % 3 == 1 ? 0.0 : 1e300);
        }
        ASSERT_EQ(FormatOptionalDecimals(v, decimals), OracleFormat(v, decimals)) << v << " " << decimals;
    }
}

TEST(RecogniserEngine, ExecutesOnlyWhenAskedActiveAndRecognised) {
    EngineState state;
    TGesture& g = state.Set->Gestures[0];
    const auto zig = Zigzag(30);
    for (size_t i = 0; i < zig.size(); ++i) g.Points[i] = zig[i];
    g.Count = 30;
    state.Set->GestureCount = 1;
    struct Case { std::vector<TPoint> motion; bool execute, active; bool runs; } cases[] = {
        {Zigzag(30), true, true, true},
        {Zigzag(30), false, true, false},
        {Zigzag(30), true, false, false},
        {FarCorner(30), true, true, false},
    };
    for (const auto& c : cases) {
        for (size_t i = 0; i < c.motion.size(); ++i) state.CurrentMotion->Points[i] = c.motion[i];
        state.CurrentMotion->Count = static_cast<int32_t>(c.motion.size());
        state.LastAction = u"old";
        int calls = 0;
        Execution exec;
        exec.execute = c.execute;
        exec.active = c.active;
        exec.window = &calls;
        exec.perform = [&](int index, TargetWindow w) {
            ++calls;
            EXPECT_EQ(index, 0);
            EXPECT_EQ(w, &calls);
        };
        Recognise(state, exec);
        EXPECT_EQ(calls, c.runs ? 1 : 0);
        EXPECT_TRUE(state.LastAction.empty());
        EXPECT_EQ(state.Log.line(0), u"Comparitive liklihood of match;");
    }
}
