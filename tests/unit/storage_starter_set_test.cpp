// The starter set: every gesture, drawn by a slightly unsteady hand at
// another size and place, is recognised as itself, and none of them would
// raise the similarity warning when recorded next to the others.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

#include "actions/ActionStrings.h"
#include "gesture/Normalise.h"
#include "gesture/Recogniser.h"
#include "storage/SetSource.h"

namespace zoram {
namespace {

std::unique_ptr<TGestureSet> LoadStarterSet() {
    std::ifstream in(std::string(ZORAM_SOURCE_DIR) + "/data/GettingStarted.txt", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    auto set = std::make_unique<TGestureSet>();
    std::vector<SourceError> errors;
    bool ok = ParseSetSource(text.str(), *set, errors);
    for (const SourceError& e : errors) ADD_FAILURE() << FormatSourceError(e);
    EXPECT_TRUE(ok);
    return set;
}

// A small deterministic generator, the same on every platform.
struct Lcg {
    uint32_t state;
    double Next() {  // in [-1, 1)
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / double(1 << 23) - 1.0;
    }
};

struct Hand {
    double scale;    // size on screen relative to the 0..100 frame
    double aspect;   // vertical stretch
    double jitter;   // pixels of random error per sample
    double wobble;   // pixels of slow sideways drift
    int x0, y0;      // where on the screen it is drawn
};

// Draws the gesture's normalised shape as the capture loop would sample it:
// points about 10 pixels apart along the path, each a little off.
void Draw(const TGesture& shape, const Hand& hand, uint32_t seed, TGesture& motion) {
    Lcg rng{seed};
    const double phase = rng.Next() * 3.1416;
    std::vector<std::pair<double, double>> path;
    for (int i = 0; i < shape.Count; ++i)
        path.emplace_back(shape.Points[i].x * hand.scale, shape.Points[i].y * hand.scale * hand.aspect);
    auto raw = std::make_unique<TGesture>();
    raw->Count = 0;
    double travelled = 0;
    for (size_t i = 1; i < path.size(); ++i) {
        double dx = path[i].first - path[i - 1].first, dy = path[i].second - path[i - 1].second;
        double len = std::hypot(dx, dy);
        for (double t = 0; t < len; t += 10) {
            double x = path[i - 1].first + dx * t / len, y = path[i - 1].second + dy * t / len;
            double drift = hand.wobble * std::sin((travelled + t) / 60.0 + phase);
            x += hand.jitter * rng.Next() + drift;
            y += hand.jitter * rng.Next() - drift;
            raw->Points[raw->Count++] = {hand.x0 + static_cast<int>(std::lround(x)),
                                         hand.y0 + static_cast<int>(std::lround(y))};
        }
        travelled += len;
    }
    raw->Points[raw->Count++] = {hand.x0 + static_cast<int>(std::lround(path.back().first)),
                                 hand.y0 + static_cast<int>(std::lround(path.back().second))};
    ResizeGesture(*raw, motion);
}

TEST(StarterSet, HasUsefulGesturesWithBuiltInActions) {
    auto set = LoadStarterSet();
    EXPECT_GE(set->GestureCount, 8);
    EXPECT_LE(set->GestureCount, 12);
    std::vector<std::u16string> seen;
    for (int i = 0; i < set->GestureCount; ++i) {
        EXPECT_GE(set->Gestures[i].Count, 25) << "gesture " << i + 1;
        // Each action is one of the built-in commands, exactly as the
        // assignment dialog writes it, and no two gestures do the same.
        const std::u16string action = GetText(set->Gestures[i].DefaultAction);
        bool builtIn = false;
        for (int row = kFirstBuiltInRow; row < kActionRows; ++row)
            builtIn |= action == ActionForPlainRow(row, u"");
        EXPECT_TRUE(builtIn) << "gesture " << i + 1;
        EXPECT_EQ(std::count(seen.begin(), seen.end(), action), 0) << "gesture " << i + 1;
        seen.push_back(action);
    }
}

TEST(StarterSet, EachGestureDrawnByHandIsRecognisedAsItself) {
    auto set = LoadStarterSet();
    const Hand hands[] = {
        {3.0, 1.0, 2.0, 0.0, 400, 300},     // steady, mid-sized
        {1.5, 1.0, 3.0, 3.0, -900, 50},     // small, on a monitor left of the main one
        {5.0, 0.85, 4.0, 5.0, 2500, 900},   // large, a bit squashed
        {2.5, 1.15, 3.0, 4.0, 100, 100},    // a bit stretched
        {2.0, 1.0, 6.0, 6.0, 700, 700},     // shaky
    };
    auto motion = std::make_unique<TGesture>();
    for (int g = 0; g < set->GestureCount; ++g) {
        for (const Hand& hand : hands) {
            for (uint32_t seed = 1; seed <= 5; ++seed) {
                Draw(set->Gestures[g], hand, seed * 7919 + g, *motion);
                EXPECT_EQ(RecogniseReference(*set, *motion), g)
                    << "gesture " << g + 1 << " (" << GetText(set->Gestures[g].DefaultAction).size()
                    << ") scale " << hand.scale << " seed " << seed;
            }
        }
    }
}

TEST(StarterSet, NoGestureResemblesAnother) {
    // What recording each gesture anew would do: compare it with all the
    // others while its own slot is out of the running.
    auto set = LoadStarterSet();
    auto motion = std::make_unique<TGesture>();
    for (int g = 0; g < set->GestureCount; ++g) {
        std::memcpy(motion.get(), &set->Gestures[g], sizeof(TGesture));
        const int32_t count = set->Gestures[g].Count;
        set->Gestures[g].Count = 0;
        EXPECT_EQ(RecogniseReference(*set, *motion), -1) << "gesture " << g + 1;
        set->Gestures[g].Count = count;
    }
}

}  // namespace
}  // namespace zoram
