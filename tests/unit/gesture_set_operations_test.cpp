#include <gtest/gtest.h>

#include "gesture/SetOperations.h"
#include "gesture_test_util.h"

using namespace zoram;
using namespace zoram::testutil;

namespace {

// Marks gesture i so that moves can be followed: point 0 = (i, i), default
// action "g<i>", one rule for program i.
void Mark(TGestureSet& set, int i) {
    TGesture& g = set.Gestures[i];
    g.Points[0] = TPoint{i, i};
    g.Count = 1;
    SetText(g.DefaultAction, u"g" + std::u16string(1, char16_t(u'0' + i)));
    g.RuleCount = 0;
    AddRule(g, static_cast<uint8_t>(i), u"rule");
    g.Rules[0].Reserved = static_cast<uint8_t>(100 + i);
}

}  // namespace

TEST(SetOperations, StartState) {
    EngineState state;
    EXPECT_EQ(state.Set->GestureCount, 0);
    EXPECT_EQ(state.Set->ProgramCount, 0);
    EXPECT_EQ(state.SelectedGesture, -1);
    EXPECT_EQ(state.RecordingState, rsIdle);
    EXPECT_EQ(state.BlankGesture->Count, 0);
    EXPECT_FALSE(state.SetModified);
}

TEST(SetOperations, CreateUpToOneHundredThenRefuse) {
    EngineState state;
    for (int i = 0; i < kMaxGestures; ++i) {
        state.SetModified = false;
        state.RecordingState = rsIdle;
        ASSERT_EQ(CreateGesture(state), CreateResult::Created);
        EXPECT_EQ(state.Set->GestureCount, i + 1);
        EXPECT_EQ(state.SelectedGesture, i);
        EXPECT_TRUE(state.SetModified);
        EXPECT_EQ(state.RecordingState, rsArmed);
        EXPECT_EQ(state.Set->Gestures[i].RecordCursor, 0);
    }
    state.SetModified = false;
    state.RecordingState = rsIdle;
    EXPECT_EQ(CreateGesture(state), CreateResult::SetFull);
    EXPECT_EQ(state.Set->GestureCount, 100);
    EXPECT_EQ(state.SelectedGesture, 99);
    EXPECT_FALSE(state.SetModified);
    EXPECT_EQ(state.RecordingState, rsIdle);
}

TEST(SetOperations, NewGestureInAFreedSlotStartsEmptyButKeepsOldPoints) {
    EngineState state;
    TGestureSet& set = *state.Set;
    set.GestureCount = 1;
    Mark(set, 0);
    set.Gestures[0].Points[1] = TPoint{7, 8};
    set.Gestures[0].Count = 2;
    AddKnownProgram(set, u"C:\\a.exe", u"A");
    state.CurrentSetPath = u"x.mtd";
    state.SetModified = true;
    state.SelectedGesture = 0;
    state.RecordingState = rsArmed;
    ClearSet(state);
    EXPECT_EQ(set.GestureCount, 0);
    EXPECT_EQ(set.ProgramCount, 0);
    EXPECT_EQ(GetText(set.Programs[0].Path), u"");
    EXPECT_EQ(GetText(set.Programs[0].Name), u"");
    EXPECT_EQ(state.SelectedGesture, -1);
    EXPECT_FALSE(state.SetModified);
    EXPECT_EQ(state.RecordingState, rsIdle);
    EXPECT_TRUE(state.CurrentSetPath.empty());
    // Actions are gone, points are not: they are still written by a save.
    const TGesture& g = set.Gestures[0];
    EXPECT_EQ(GetText(g.DefaultAction), u"");
    EXPECT_EQ(GetText(g.Rules[0].Action), u"");
    EXPECT_EQ(g.RuleCount, 0);
    EXPECT_EQ(g.Count, 2);
    ASSERT_EQ(CreateGesture(state), CreateResult::Created);
    EXPECT_EQ(g.Count, 0);
    EXPECT_EQ(g.Points[1].x, 7);
}

TEST(SetOperations, DeleteMovesWholeRecordsAndPicksTheSelection) {
    struct Case { int count; int remove; int selected; std::vector<int> left; } cases[] = {
        {1, 0, -1, {}},
        {3, 2, 1, {0, 1}},
        {3, 0, 0, {1, 2}},
        {4, 1, 1, {0, 2, 3}},
        {3, -1, 2, {0, 1, 2}},  // nothing selected: nothing removed
    };
    for (const auto& c : cases) {
        EngineState state;
        TGestureSet& set = *state.Set;
        set.GestureCount = c.count;
        for (int i = 0; i < c.count; ++i) Mark(set, i);
        state.SelectedGesture = 2;
        EXPECT_EQ(DeleteGesture(state, c.remove), c.selected);
        EXPECT_EQ(state.SelectedGesture, c.selected);
        EXPECT_EQ(state.SetModified, c.remove >= 0);
        ASSERT_EQ(set.GestureCount, static_cast<int>(c.left.size()));
        for (size_t i = 0; i < c.left.size(); ++i) {
            const TGesture& g = set.Gestures[i];
            EXPECT_EQ(g.Points[0].x, c.left[i]);
            EXPECT_EQ(g.Rules[0].ProgramIndex, c.left[i]);
            EXPECT_EQ(g.Rules[0].Reserved, 100 + c.left[i]);
        }
        // The freed slot keeps its old content.
        if (c.remove >= 0 && c.count > 1) EXPECT_EQ(set.Gestures[c.count - 1].Points[0].x, c.count - 1);
    }
}

TEST(SetOperations, RulesAndProgramsStopAtTheirSlots) {
    auto g = std::make_unique<TGesture>();
    for (int i = 0; i < kRuleSlots; ++i) ASSERT_TRUE(AddRule(*g, static_cast<uint8_t>(i), u"a"));
    EXPECT_FALSE(AddRule(*g, 0, u"extra"));
    EXPECT_EQ(g->RuleCount, kRuleSlots);

    auto set = std::make_unique<TGestureSet>();
    for (int i = 0; i < kProgramSlots; ++i) ASSERT_TRUE(AddKnownProgram(*set, u"p", u"n"));
    EXPECT_FALSE(AddKnownProgram(*set, u"q", u"m"));
    EXPECT_EQ(set->ProgramCount, kProgramSlots);
}

TEST(SetOperations, ArmingNeedsASelectedGesture) {
    EngineState state;
    EXPECT_FALSE(ArmRecording(state));
    EXPECT_EQ(state.RecordingState, rsIdle);
    state.Set->GestureCount = 2;
    state.SelectedGesture = 1;
    state.Set->Gestures[1].RecordCursor = 55;
    EXPECT_TRUE(ArmRecording(state));
    EXPECT_EQ(state.RecordingState, rsArmed);
    EXPECT_EQ(state.Set->Gestures[1].RecordCursor, 0);
}
