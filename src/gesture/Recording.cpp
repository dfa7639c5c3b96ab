#include "gesture/Recording.h"

#include "gesture/Normalise.h"
#include "gesture/Recogniser.h"

namespace zoram {

namespace {

void StartStroke(TGesture& g, int x, int y) {
    g.Count = 1;
    g.Points[0] = TPoint{x, y};
    g.RecordCursor = 1;
}

// Takes (x, y) when it lies more than the spacing from the last point.
bool TakePoint(TGesture& g, int x, int y) {
    const int last = g.RecordCursor - 1;
    if (last < 0 || last >= kMaxPoints) return false;
    const TPoint p{x, y};
    if (!(distancebetween(p, g.Points[last]) > kDrawingPointSpacing)) return false;
    return AppendPoint(g, p);
}

std::u16string Number(int n) {
    std::u16string out;
    for (char c : std::to_string(n)) out.push_back(static_cast<char16_t>(c));
    return out;
}

}  // namespace

bool AppendPoint(TGesture& g, TPoint p) {
    if (g.RecordCursor < 0 || g.RecordCursor >= kMaxPoints || g.Count >= kMaxPoints) return false;
    g.Points[g.RecordCursor] = p;
    ++g.RecordCursor;
    ++g.Count;
    return true;
}

void DrawingPress(EngineState& state, int x, int y) {
    if (state.RecordingState == rsArmed) {
        // Armed without a selected gesture (it was deleted): nothing to record into.
        if (TGesture* g = state.Selected()) {
            StartStroke(*g, x, y);
            state.RecordingState = rsRecording;
        }
    } else if (state.RecordingState == rsIdle) {
        StartStroke(*state.CurrentMotion, x, y);
        state.RecordingState = rsTesting;
    }
}

bool DrawingMove(EngineState& state, int x, int y) {
    if (state.RecordingState == rsRecording) {
        TGesture* g = state.Selected();
        return g && TakePoint(*g, x, y);
    }
    if (state.RecordingState == rsTesting) return TakePoint(*state.CurrentMotion, x, y);
    return false;
}

DrawingOutcome DrawingRelease(EngineState& state) {
    DrawingOutcome out;
    if (state.RecordingState == rsRecording) {
        state.SetModified = true;
        state.RecordingState = rsIdle;
        out.kind = DrawingOutcome::Recorded;
        TGesture* g = state.Selected();
        if (!g) return out;
        // Normalising into the record itself writes only Count and Points,
        // so the default action and the rules stay.
        ResizeGesture(*g, *g);
        TGesture& motion = *state.CurrentMotion;
        motion.Count = g->Count;
        std::copy(g->Points, g->Points + UsablePoints(*g), motion.Points);
        // Hide the gesture from the comparison so it cannot match itself.
        const int32_t count = g->Count;
        g->Count = 0;
        out.gesture = Recognise(state);
        g->Count = count;
        return out;
    }
    if (state.RecordingState == rsTesting) {
        ResizeGesture(*state.CurrentMotion, *state.CurrentMotion);
        out.kind = DrawingOutcome::Tested;
        out.gesture = Recognise(state);
        state.RecordingState = rsIdle;
    }
    return out;
}

std::u16string DrawingMessage(const DrawingOutcome& outcome, int language) {
    if (language != 0 && language != 1) return {};
    const bool en = language == 0;
    switch (outcome.kind) {
        case DrawingOutcome::Tested:
            if (outcome.gesture < 0) return en ? u"Unrecognised" : u"無法識別";
            return (en ? u"Matches #" : u"符合手勢#") + Number(outcome.gesture + 1);
        case DrawingOutcome::Recorded: {
            if (outcome.gesture < 0) return {};
            std::u16string text = en ? u"Warning: this is similar to gesture #X" : u"警示：這個與手勢#X相似";
            text.replace(text.find(u'X'), 1, Number(outcome.gesture + 1));
            return text;
        }
        case DrawingOutcome::None:
            break;
    }
    return {};
}

std::u16string DrawingHint(int language) {
    if (language == 0) return u"Left-click and drag here to draw.";
    if (language == 1) return u"點擊並拖曳滑鼠，錄制手勢";
    return {};
}

}  // namespace zoram
