// The drawing area's state machine: a stroke there is either a test of the
// set or the new motion of the selected gesture. The window does the
// drawing; this decides what a press, a move and a release mean.
#pragma once
#include <string>

#include "gesture/EngineState.h"

namespace zoram {

// Points are taken only farther than this from the last one taken.
inline constexpr double kDrawingPointSpacing = 5.0;

// Appends p at the record's cursor and counts it. Refused (false) once the
// record's slots are full, so a long stroke simply stops growing.
bool AppendPoint(TGesture& g, TPoint p);

// Left press at (x, y): starts a recording stroke in rsArmed (when a gesture
// is selected) or a test stroke in rsIdle. The window clears the area and
// draws the red start dot for any left press.
void DrawingPress(EngineState& state, int x, int y);

// Move to (x, y). True when a point was taken (the window draws a circle).
// The window does not call this while a screen-wide gesture is captured.
bool DrawingMove(EngineState& state, int x, int y);

struct DrawingOutcome {
    enum Kind {
        None,      // release outside a stroke: nothing happens
        Recorded,  // a recording ended; `gesture` is the similar gesture or -1
        Tested,    // a test ended; `gesture` is the match or -1
    } kind = None;
    int gesture = -1;
};

// Release of any button: ends the stroke in progress. A recording is
// normalised into the selected gesture (its actions kept) and compared with
// the other gestures; a test is normalised in CurrentMotion and recognised.
// Neither runs an action.
DrawingOutcome DrawingRelease(EngineState& state);

// The gesture area's text for an outcome in the interface language
// (0 English, 1 Chinese; empty otherwise). Empty for a recording without a
// similar gesture and for None.
std::u16string DrawingMessage(const DrawingOutcome& outcome, int language);

// The hint shown when recording is armed.
std::u16string DrawingHint(int language);

}  // namespace zoram
