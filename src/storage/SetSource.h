// The readable text form of a gesture set, used for the starter set and by
// the set tool. UTF-8, one statement per line:
//
//   # comment (also blank lines)
//   program <name> = <path>          a known program (in table order)
//   gesture [label]                  starts the next gesture; the label is ignored
//   action <action string>           its default action (rest of the line; may be empty)
//   rule <program name> = <action>   its action in that program
//   stroke x,y x,y ...               a clean shape: the corners of one stroke in
//                                    any frame, filled in evenly along the lines and
//                                    normalised as a recorded gesture is
//   points x,y x,y ...               points stored exactly as written
//
// "stroke" and "points" lines of one gesture append to each other (one kind
// per gesture). Rules are stored in program-table order, as the program keeps
// them.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "gesture/GestureModel.h"

namespace zoram {

struct SourceError {
    int line;              // 1-based line number
    std::string message;   // English, UTF-8
};

// "<line>: <message>" for a tool to print.
std::string FormatSourceError(const SourceError& error);

// Parses the text into `set` (the whole block is cleared first). Returns
// false with at least one error when the text is not a valid set; `set` then
// holds no meaningful content.
bool ParseSetSource(std::string_view utf8, TGestureSet& set, std::vector<SourceError>& errors);

// Writes the used part of a set as text with exact "points" lines, so that
// ParseSetSource gives back the same gestures, actions, rules and programs.
std::string WriteSetSource(const TGestureSet& set);

// Fills in the straight lines between the corners evenly along their length and
// normalises the result into the gesture's Points and Count.
void StrokeToGesture(const std::vector<TPoint>& corners, TGesture& gesture);

}  // namespace zoram
