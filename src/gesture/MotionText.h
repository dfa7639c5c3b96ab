// Motions as text, one point "x y" per line, for the set tool and tests.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "gesture/GestureModel.h"

namespace zoram {

// Reads lines of two integers separated by blanks or tabs (a comma is taken
// as a blank). Blank lines are skipped; CR LF line ends are accepted. At most
// kMaxPoints points. On a bad line returns false with "line N: ..." in error.
bool ParseMotionText(std::string_view text, std::vector<TPoint>& points, std::string& error);

// One "x y" line per point.
std::string MotionToText(const TPoint* points, int count);

}  // namespace zoram
