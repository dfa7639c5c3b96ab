// The engine state shared by the capture loop, the recogniser, the recorder
// and the main window. One instance, owned by the main form.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "gesture/GestureModel.h"
#include "gesture/Recogniser.h"

namespace zoram {

enum RecordingStateValue : int32_t {
    rsTesting = 1,
    rsRecording = 2,
    rsArmed = 3,
    rsIdle = 4,
};

// Text LastAction holds when the chosen action was empty.
inline constexpr std::u16string_view kDoNothing = u"[ Do nothing ]";

struct EngineState {
    EngineState();
    EngineState(const EngineState&) = delete;
    EngineState& operator=(const EngineState&) = delete;

    // The set block is 23.5 MB: allocated once, zero at start, never copied.
    const std::unique_ptr<TGestureSet> Set;
    const std::unique_ptr<TGesture> CurrentMotion;
    const std::unique_ptr<TGesture> BlankGesture;  // Count 0
    int32_t SelectedGesture = -1;
    bool SetModified = false;
    int32_t RecordingState = rsIdle;
    std::u16string LastAction;
    std::u16string CurrentSetPath;

    RecogniserLog Log;         // the recogniser's diagnostic log
    Recogniser Matcher;        // fast recogniser with its per-gesture cache

    // The selected gesture, or null when the selection is not a gesture.
    TGesture* Selected();
};

}  // namespace zoram
