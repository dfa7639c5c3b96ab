// Operations that change the set as a whole: create, delete and clear
// gestures, and adding rules and known programs within their slots.
#pragma once
#include <string_view>

#include "gesture/EngineState.h"

namespace zoram {

inline constexpr std::u16string_view kSetFullMessage = u"You can have a maximum of 100 gestures in a set";

enum class CreateResult { Created, SetFull };

// Adds an empty gesture in the next slot, selects it and arms recording.
// A full set is refused unchanged; the caller shows kSetFullMessage.
CreateResult CreateGesture(EngineState& state);

// Arms recording of the selected gesture ("Record again"). False when no
// gesture is selected.
bool ArmRecording(EngineState& state);

// Removes gesture `index` (the list's selection; -1 removes nothing), moves
// the later ones down and selects the one now at that index, the new last
// one, or none. Returns the new SelectedGesture.
int DeleteGesture(EngineState& state, int index);

// Empties the set ("New set"): actions and programs are cleared, points stay
// in their slots; selection none, state idle, not modified, no file.
void ClearSet(EngineState& state);

// A rule or program beyond its slots is refused: false, nothing written.
bool AddRule(TGesture& gesture, uint8_t programIndex, std::u16string_view action);
bool AddKnownProgram(TGestureSet& set, std::u16string_view path, std::u16string_view name);

}  // namespace zoram
