#include "gesture/MotionText.h"

#include <charconv>

namespace zoram {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == ','; }

// Reads one integer at `pos`, skipping blanks before it.
bool ReadInt(std::string_view line, size_t& pos, int32_t& value) {
    while (pos < line.size() && IsBlank(line[pos])) ++pos;
    const char* first = line.data() + pos;
    const char* last = line.data() + line.size();
    if (first < last && *first == '+') ++first;
    auto r = std::from_chars(first, last, value);
    if (r.ec != std::errc{}) return false;
    pos = static_cast<size_t>(r.ptr - line.data());
    return pos == line.size() || IsBlank(line[pos]);
}

}  // namespace

bool ParseMotionText(std::string_view text, std::vector<TPoint>& points, std::string& error) {
    points.clear();
    int lineNo = 0;
    while (!text.empty()) {
        const size_t nl = text.find('\n');
        const std::string_view line = text.substr(0, nl);
        text = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);
        ++lineNo;
        size_t pos = 0;
        while (pos < line.size() && IsBlank(line[pos])) ++pos;
        if (pos == line.size()) continue;
        TPoint p{};
        if (!ReadInt(line, pos, p.x) || !ReadInt(line, pos, p.y)) {
            error = "line " + std::to_string(lineNo) + ": expected two integers \"x y\"";
            return false;
        }
        while (pos < line.size() && IsBlank(line[pos])) ++pos;
        if (pos != line.size()) {
            error = "line " + std::to_string(lineNo) + ": unexpected text after \"x y\"";
            return false;
        }
        if (points.size() == static_cast<size_t>(kMaxPoints)) {
            error = "line " + std::to_string(lineNo) + ": more than " + std::to_string(kMaxPoints) + " points";
            return false;
        }
        points.push_back(p);
    }
    return true;
}

std::string MotionToText(const TPoint* points, int count) {
    std::string out;
    for (int i = 0; i < count; ++i)
        out += std::to_string(points[i].x) + " " + std::to_string(points[i].y) + "\n";
    return out;
}

}  // namespace zoram
