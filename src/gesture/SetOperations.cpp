#include "gesture/SetOperations.h"

#include <algorithm>
#include <cstring>

namespace zoram {

CreateResult CreateGesture(EngineState& state) {
    TGestureSet& set = *state.Set;
    if (set.GestureCount >= kMaxGestures) return CreateResult::SetFull;
    if (set.GestureCount < 0) set.GestureCount = 0;
    TGesture& g = set.Gestures[set.GestureCount];
    // Points and RecordCursor keep whatever the slot held.
    SetText(g.DefaultAction, u"");
    g.Count = 0;
    g.RuleCount = 0;
    state.SelectedGesture = set.GestureCount;
    ++set.GestureCount;
    state.SetModified = true;
    ArmRecording(state);
    return CreateResult::Created;
}

bool ArmRecording(EngineState& state) {
    TGesture* g = state.Selected();
    if (!g) return false;
    state.RecordingState = rsArmed;
    g->RecordCursor = 0;
    return true;
}

int DeleteGesture(EngineState& state, int index) {
    TGestureSet& set = *state.Set;
    if (index < 0 || index >= set.GestureCount || index >= kGestureSlots) return state.SelectedGesture;
    // Whole records move down; the freed last slot keeps its old content.
    // The set lives on the heap, so memmove of up to 22 MB is fine here.
    const int after = std::min(set.GestureCount, kGestureSlots) - index - 1;
    std::memmove(&set.Gestures[index], &set.Gestures[index + 1], sizeof(TGesture) * static_cast<size_t>(after));
    --set.GestureCount;
    state.SelectedGesture = set.GestureCount == 0 ? -1 : std::min(index, set.GestureCount - 1);
    state.SetModified = true;
    return state.SelectedGesture;
}

void ClearSet(EngineState& state) {
    TGestureSet& set = *state.Set;
    const int gestures = std::clamp<int32_t>(set.GestureCount, 0, kGestureSlots);
    for (int i = 0; i < gestures; ++i) {
        TGesture& g = set.Gestures[i];
        SetText(g.DefaultAction, u"");
        for (int r = 0; r < std::min<int>(g.RuleCount, kRuleSlots); ++r) SetText(g.Rules[r].Action, u"");
        g.RuleCount = 0;
    }
    state.SelectedGesture = -1;
    set.GestureCount = 0;
    const int programs = std::clamp<int32_t>(set.ProgramCount, 0, kProgramSlots);
    for (int i = 0; i < programs; ++i) {
        SetText(set.Programs[i].Path, u"");
        SetText(set.Programs[i].Name, u"");
    }
    set.ProgramCount = 0;
    state.CurrentSetPath.clear();
    state.SetModified = false;
    state.RecordingState = rsIdle;
}

bool AddRule(TGesture& gesture, uint8_t programIndex, std::u16string_view action) {
    if (gesture.RuleCount >= kRuleSlots) return false;
    TProgramRule& rule = gesture.Rules[gesture.RuleCount];
    rule.ProgramIndex = programIndex;
    SetText(rule.Action, action);
    ++gesture.RuleCount;
    return true;
}

bool AddKnownProgram(TGestureSet& set, std::u16string_view path, std::u16string_view name) {
    if (set.ProgramCount < 0 || set.ProgramCount >= kProgramSlots) return false;
    TKnownProgram& p = set.Programs[set.ProgramCount];
    SetText(p.Path, path);
    SetText(p.Name, name);
    ++set.ProgramCount;
    return true;
}

}  // namespace zoram
