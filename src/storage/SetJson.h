// A JSON dump of the used part of a gesture set, for inspection.
#pragma once
#include <string>

#include "gesture/GestureModel.h"

namespace zoram {

// {"gestureCount":n,"programCount":m,
//  "programs":[{"name":...,"path":...}],
//  "gestures":[{"number":1,"defaultAction":...,"count":k,"recordCursor":c,
//               "points":[[x,y],...],
//               "rules":[{"programIndex":i,"reserved":r,"action":...}]}]}
// Counts are clamped to the slots; texts are UTF-8 with JSON escapes (an
// unpaired surrogate as \uXXXX).
std::string SetToJson(const TGestureSet& set);

}  // namespace zoram
