#include <gtest/gtest.h>

#include "gesture/Normalise.h"
#include "gesture/Recording.h"
#include "gesture/SetOperations.h"
#include "gesture_test_util.h"

using namespace zoram;
using namespace zoram::testutil;

namespace {

// A stroke in drawing-area pixels: a zigzag without vertical segments.
std::vector<TPoint> Stroke(int phase = 0) {
    std::vector<TPoint> pts;
    for (int i = 0; i < 40; ++i) pts.push_back({20 + i * 10, 100 + ((i + phase) % 4) * 30});
    return pts;
}

DrawingOutcome Draw(EngineState& state, const std::vector<TPoint>& pts) {
    DrawingPress(state, pts[0].x, pts[0].y);
    for (size_t i = 1; i < pts.size(); ++i) DrawingMove(state, pts[i].x, pts[i].y);
    return DrawingRelease(state);
}

// Records a stroke as a new gesture.
int Record(EngineState& state, const std::vector<TPoint>& pts) {
    EXPECT_EQ(CreateGesture(state), CreateResult::Created);
    Draw(state, pts);
    return state.SelectedGesture;
}

}  // namespace

TEST(Recording, StateTransitions) {
    struct Case { int32_t from; bool selected; int32_t afterPress; DrawingOutcome::Kind release; } cases[] = {
        {rsIdle, false, rsTesting, DrawingOutcome::Tested},
        {rsArmed, true, rsRecording, DrawingOutcome::Recorded},
        {rsArmed, false, rsArmed, DrawingOutcome::None},  // armed, but its gesture was deleted
        {rsTesting, false, rsTesting, DrawingOutcome::Tested},
        {rsRecording, true, rsRecording, DrawingOutcome::Recorded},
    };
    for (const auto& c : cases) {
        EngineState state;
        state.Set->GestureCount = 1;
        state.SelectedGesture = c.selected ? 0 : -1;
        state.RecordingState = c.from;
        DrawingPress(state, 10, 10);
        EXPECT_EQ(state.RecordingState, c.afterPress) << c.from;
        EXPECT_EQ(DrawingRelease(state).kind, c.release) << c.from;
        if (c.release != DrawingOutcome::None) EXPECT_EQ(state.RecordingState, rsIdle);
    }
    // A release outside a stroke changes nothing.
    EngineState idle;
    EXPECT_EQ(DrawingRelease(idle).kind, DrawingOutcome::None);
    EXPECT_EQ(idle.RecordingState, rsIdle);
    EXPECT_FALSE(idle.SetModified);
}

TEST(Recording, PointsMoreThanFivePixelsApartAreTaken) {
    EngineState state;
    DrawingPress(state, 100, 100);
    struct Case { int x, y; bool taken; } moves[] = {
        {103, 104, false},  // exactly 5 away
        {104, 104, true},
        {106, 106, false},
        {110, 104, true},   // measured from the last point taken
        {110, 104, false},
    };
    for (const auto& m : moves) EXPECT_EQ(DrawingMove(state, m.x, m.y), m.taken) << m.x << "," << m.y;
    EXPECT_EQ(state.CurrentMotion->Count, 3);
    EXPECT_EQ(state.CurrentMotion->RecordCursor, 3);
    EXPECT_EQ(PointsOf(*state.CurrentMotion), (std::vector<XY>{{100, 100}, {104, 104}, {110, 104}}));
}

TEST(Recording, LongStrokeStopsAtTheLastSlot) {
    EngineState state;
    DrawingPress(state, 0, 0);
    int taken = 0;
    for (int i = 1; i < 3000; ++i) taken += DrawingMove(state, i * 6, 0);
    EXPECT_EQ(taken, kMaxPoints - 1);
    EXPECT_EQ(state.CurrentMotion->Count, kMaxPoints);
    EXPECT_EQ(state.CurrentMotion->Points[kMaxPoints - 1].x, (kMaxPoints - 1) * 6);
    // Nothing past the slots: the field after Points is Count itself.
    auto g = std::make_unique<TGesture>();
    g->Count = g->RecordCursor = kMaxPoints;
    EXPECT_FALSE(AppendPoint(*g, TPoint{1, 1}));
    EXPECT_EQ(g->Count, kMaxPoints);
}

TEST(Recording, TestStrokeIsNormalisedAndRecognised) {
    EngineState state;
    Record(state, Stroke(1));
    Record(state, Stroke(2));
    Record(state, Stroke(0));
    const DrawingOutcome out = Draw(state, Stroke(0));
    EXPECT_EQ(out.kind, DrawingOutcome::Tested);
    EXPECT_EQ(out.gesture, 2);
    EXPECT_EQ(DrawingMessage(out, 0), u"Matches #3");
    EXPECT_EQ(DrawingMessage(out, 1), u"符合手勢#3");
    // The motion left in CurrentMotion is the normalised stroke.
    auto raw = MakeGesture(Stroke(0));
    auto expected = std::make_unique<TGesture>();
    ResizeGesture(*raw, *expected);
    EXPECT_EQ(PointsOf(*state.CurrentMotion), PointsOf(*expected));
    // A click without movement is too short to recognise.
    const DrawingOutcome click = Draw(state, {{5, 5}});
    EXPECT_EQ(click.gesture, -1);
    EXPECT_EQ(DrawingMessage(click, 0), u"Unrecognised");
    EXPECT_EQ(DrawingMessage(click, 1), u"無法識別");
    EXPECT_EQ(DrawingMessage(click, 2), u"");
}

TEST(Recording, RecordingKeepsActionsAndWarnsAboutOthersNotItself) {
    EngineState state;
    const int first = Record(state, Stroke(0));
    ASSERT_EQ(first, 0);
    SetText(state.Set->Gestures[0].DefaultAction, u"@Keys: Ctrl+Z");
    AddRule(state.Set->Gestures[0], 0, u"@Keys: Ctrl+Y");

    // Recording gesture 1 again over itself compares with the others only.
    state.SelectedGesture = 0;
    ArmRecording(state);
    state.SetModified = false;
    DrawingOutcome out = Draw(state, Stroke(0));
    EXPECT_EQ(out.kind, DrawingOutcome::Recorded);
    EXPECT_EQ(out.gesture, -1);
    EXPECT_EQ(DrawingMessage(out, 0), u"");
    EXPECT_TRUE(state.SetModified);
    const TGesture& g = state.Set->Gestures[0];
    EXPECT_EQ(g.Count, 30);
    EXPECT_EQ(GetText(g.DefaultAction), u"@Keys: Ctrl+Z");
    EXPECT_EQ(g.RuleCount, 1);
    EXPECT_EQ(GetText(g.Rules[0].Action), u"@Keys: Ctrl+Y");

    // A second gesture drawn the same way is similar to the first.
    ASSERT_EQ(CreateGesture(state), CreateResult::Created);
    out = Draw(state, Stroke(0));
    EXPECT_EQ(out.gesture, 0);
    EXPECT_EQ(state.Set->Gestures[1].Count, 30);  // restored after the comparison
    EXPECT_EQ(DrawingMessage(out, 0), u"Warning: this is similar to gesture #1");
    EXPECT_EQ(DrawingMessage(out, 1), u"警示：這個與手勢#1相似");
}

TEST(Recording, ClickWhileArmedStoresAMotionThatNeverMatches) {
    EngineState state;
    Record(state, {{40, 40}});
    const TGesture& g = state.Set->Gestures[0];
    EXPECT_EQ(g.Count, 0);
    const DrawingOutcome out = Draw(state, {{40, 40}, {50, 60}, {70, 40}, {90, 60}});
    EXPECT_EQ(out.gesture, -1);
}

TEST(Recording, Hint) {
    EXPECT_EQ(DrawingHint(0), u"Left-click and drag here to draw.");
    EXPECT_EQ(DrawingHint(1), u"點擊並拖曳滑鼠，錄制手勢");
    EXPECT_EQ(DrawingHint(5), u"");
}
