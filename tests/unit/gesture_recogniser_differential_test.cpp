// The fast recogniser must give exactly what the reference loop gives: the
// same index, the same scores to the last bit and the same log.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "gesture/Normalise.h"
#include "gesture/Recogniser.h"

using namespace zoram;

namespace {

class Generator {
public:
    explicit Generator(uint32_t seed) : rng_(seed) {}

    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool Chance(int percent) { return Int(0, 99) < percent; }

    // A stroke with the awkward cases mixed in: repeated points, vertical
    // and horizontal runs, exact diagonals, sharp reversals.
    void Stroke(TGesture& g, int n, int range) {
        g.Count = n;
        TPoint p{Int(0, range), Int(0, range)};
        for (int i = 0; i < n; ++i) {
            switch (Int(0, 9)) {
                case 0: break;                                   // repeated point
                case 1: p.y += Int(-range / 4, range / 4); break;  // vertical
                case 2: p.x += Int(-range / 4, range / 4); break;  // horizontal
                case 3: { int d = Int(-9, 9); p.x += d; p.y += d; break; }
                default: p = TPoint{Int(0, range), Int(0, range)};
            }
            g.Points[i] = p;
        }
    }

    void Gesture(TGestureSet& set, int i) {
        TGesture& g = set.Gestures[i];
        const int kind = Int(0, 19);
        if (kind == 0) g.Count = Int(0, 2);                      // skipped
        else if (kind == 1) Stroke(g, Int(31, 300), 100);        // long, not normalised
        else if (kind == 2 && i > 0) {                           // copy of an earlier one
            const TGesture& o = set.Gestures[Int(0, i - 1)];
            g.Count = o.Count;
            std::memcpy(g.Points, o.Points, sizeof(TPoint) * static_cast<size_t>(UsablePoints(o)));
        } else if (kind == 3) g.Count = Chance(50) ? -5 : 5000;  // damaged count
        else {
            Stroke(g, Int(3, 60), Int(1, 3000));
            ResizeGesture(g, g);
        }
    }

    void Motion(const TGestureSet& set, TGesture& m) {
        const int kind = Int(0, 9);
        const int gestures = std::clamp<int32_t>(set.GestureCount, 0, kGestureSlots);
        if (kind == 0 && gestures > 0) {                          // a gesture, maybe nudged
            const TGesture& o = set.Gestures[Int(0, gestures - 1)];
            const int n = UsablePoints(o);
            m.Count = n;
            for (int i = 0; i < n; ++i)
                m.Points[i] = TPoint{o.Points[i].x + Int(-2, 2) * Chance(30), o.Points[i].y + Int(-2, 2) * Chance(30)};
        } else if (kind == 1) {
            Stroke(m, Int(0, 5), 100);                            // too short or barely long enough
        } else if (kind == 2) {
            Stroke(m, Int(3, 200), 100);                          // raw
        } else {
            Stroke(m, Int(5, 400), Int(1, 5000));
            ResizeGesture(m, m);
        }
    }

private:
    std::mt19937 rng_;
};

void ExpectSameTrace(const RecognitionTrace& a, const RecognitionTrace& b, int gestures) {
    for (int g = 0; g < gestures; ++g) {
        ASSERT_EQ(a.scored[g], b.scored[g]) << "gesture " << g;
        ASSERT_EQ(std::memcmp(&a.score[g], &b.score[g], sizeof(double)), 0) << "gesture " << g;
    }
    EXPECT_EQ(std::memcmp(&a.best, &b.best, sizeof(double)), 0);
    EXPECT_EQ(std::memcmp(&a.held, &b.held, sizeof(double)), 0);
    EXPECT_EQ(std::memcmp(&a.conf, &b.conf, sizeof(double)), 0);
    EXPECT_EQ(a.bestIndex, b.bestIndex);
}

}  // namespace

TEST(RecogniserDifferential, FastFormMatchesReferenceBitForBit) {
    Generator gen(20261211);
    auto set = std::make_unique<TGestureSet>();
    auto motion = std::make_unique<TGesture>();
    Recogniser fast;  // one instance throughout: its cache must follow the set
    RecogniserLog refLog, fastLog;
    int recognised = 0, runs = 0;
    for (int round = 0; round < 40; ++round) {
        // A fresh set now and then; otherwise a few gestures change in place.
        if (round % 10 == 0) {
            set->GestureCount = gen.Int(0, 4) == 0 ? gen.Int(0, 5) : gen.Int(90, 101);
            for (int i = 0; i < kGestureSlots; ++i) gen.Gesture(*set, i);
        } else {
            for (int c = gen.Int(1, 5); c > 0; --c) gen.Gesture(*set, gen.Int(0, kGestureSlots - 1));
        }
        for (int trial = 0; trial < 40; ++trial) {
            gen.Motion(*set, *motion);
            RecognitionTrace refTrace{}, fastTrace{};
            refLog.clear();
            fastLog.clear();
            const int a = RecogniseReference(*set, *motion, &refLog, &refTrace);
            const int b = fast.Recognise(*set, *motion, &fastLog, &fastTrace);
            ASSERT_EQ(a, b) << "round " << round << " trial " << trial;
            ASSERT_EQ(refLog.lines(), fastLog.lines()) << "round " << round << " trial " << trial;
            ExpectSameTrace(refTrace, fastTrace, std::clamp<int32_t>(set->GestureCount, 0, kGestureSlots));
            recognised += a >= 0;
            runs += !refLog.empty();
        }
    }
    // The generator must reach both outcomes for the comparison to mean much.
    EXPECT_GT(recognised, 100);
    EXPECT_GT(runs - recognised, 100);
}
