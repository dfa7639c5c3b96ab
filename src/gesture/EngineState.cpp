#include "gesture/EngineState.h"

namespace zoram {

// make_unique value-initialises: the set starts all zero.
EngineState::EngineState()
    : Set(std::make_unique<TGestureSet>()),
      CurrentMotion(std::make_unique<TGesture>()),
      BlankGesture(std::make_unique<TGesture>()) {}

TGesture* EngineState::Selected() {
    if (SelectedGesture < 0 || SelectedGesture >= Set->GestureCount || SelectedGesture >= kMaxGestures)
        return nullptr;
    return &Set->Gestures[SelectedGesture];
}

}  // namespace zoram
