#include "storage/SetSource.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "actions/ActionText.h"
#include "gesture/Normalise.h"

namespace zoram {

namespace {

using actiontext::FromUtf8;
using actiontext::ToUtf8;

constexpr std::string_view kBlanks = " \t";

std::string Quote(std::string_view text) {
    std::string quoted = "\"";
    quoted += text;
    return quoted += '"';
}

std::string_view Trim(std::string_view s) {
    size_t b = s.find_first_not_of(kBlanks);
    if (b == std::string_view::npos) return {};
    return s.substr(b, s.find_last_not_of(kBlanks) - b + 1);
}

// UTF-8 that decodes and encodes back unchanged is valid.
bool ToText(std::string_view utf8, std::u16string& out) {
    out = FromUtf8(utf8);
    return ToUtf8(out) == utf8;
}

bool ParseInt(std::string_view s, int32_t& value) {
    if (s.empty()) return false;
    size_t i = s[0] == '-' || s[0] == '+' ? 1 : 0;
    if (i == s.size()) return false;
    int64_t v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
        v = v * 10 + (s[i] - '0');
        if (v > INT32_MAX + int64_t{1}) return false;
    }
    if (s[0] == '-') v = -v;
    if (v > INT32_MAX || v < INT32_MIN) return false;
    value = static_cast<int32_t>(v);
    return true;
}

class Parser {
public:
    Parser(TGestureSet& set, std::vector<SourceError>& errors) : set_(set), errors_(errors) {}

    void Line(int number, std::string_view line) {
        line_ = number;
        std::string_view body = Trim(line);
        if (body.empty() || body[0] == '#') return;
        size_t cut = body.find_first_of(kBlanks);
        std::string_view keyword = body.substr(0, cut);
        // The value is the rest after one blank, kept as written (an action
        // may end in blanks that matter).
        std::string_view value;
        if (cut != std::string_view::npos) {
            value = line.substr(line.find(keyword) + keyword.size() + 1);
        }
        if (keyword == "program") Program(value);
        else if (keyword == "gesture") Gesture();
        else if (keyword == "action") Action(value);
        else if (keyword == "rule") Rule(value);
        else if (keyword == "stroke") Points(value, Kind::Stroke);
        else if (keyword == "points") Points(value, Kind::Points);
        else Error("unknown statement \"" + std::string(keyword) + "\"");
    }

    void Finish() { EndGesture(); }

private:
    enum class Kind { None, Stroke, Points };

    void Error(std::string message) { errors_.push_back({line_, std::move(message)}); }

    bool Text(std::string_view utf8, std::u16string& out, const char* what) {
        if (!ToText(utf8, out)) {
            Error(std::string(what) + " is not valid UTF-8");
            return false;
        }
        if (out.size() > static_cast<size_t>(kMaxTextLength)) {
            Error(std::string(what) + " is longer than 1024 characters");
            return false;
        }
        if (out.find(u'\0') != std::u16string::npos) {
            Error(std::string(what) + " contains a NUL character");
            return false;
        }
        return true;
    }

    // Splits "left = right" at the first " = ".
    bool Assignment(std::string_view value, std::string_view& left, std::string_view& right,
                    const char* form) {
        size_t eq = value.find(" = ");
        if (eq == std::string_view::npos) {
            Error(std::string("expected ") + form);
            return false;
        }
        left = Trim(value.substr(0, eq));
        right = value.substr(eq + 3);
        return true;
    }

    void Program(std::string_view value) {
        std::string_view name, path;
        if (!Assignment(value, name, path, "program <name> = <path>")) return;
        std::u16string name16, path16;
        if (!Text(name, name16, "the program name") || !Text(path, path16, "the program path")) return;
        if (name16.empty()) return Error("the program name is empty");
        if (set_.ProgramCount >= kProgramSlots) return Error("more than 201 programs");
        TKnownProgram& p = set_.Programs[set_.ProgramCount++];
        SetText(&p.Name, name16);
        SetText(&p.Path, path16);
    }

    void Gesture() {
        const int here = line_;
        EndGesture();
        line_ = lastGestureLine_ = here;
        if (set_.GestureCount >= kMaxGestures) {
            Error("more than 100 gestures");
            current_ = nullptr;
            overflow_ = true;
            return;
        }
        current_ = &set_.Gestures[set_.GestureCount++];
        kind_ = Kind::None;
        hasAction_ = false;
        corners_.clear();
    }

    bool InGesture() {
        if (current_) return true;
        if (!overflow_) Error("statement before the first \"gesture\"");
        return false;
    }

    void Action(std::string_view value) {
        if (!InGesture()) return;
        if (hasAction_) return Error("the gesture already has an action");
        hasAction_ = true;
        std::u16string text;
        if (Text(value, text, "the action")) SetText(&current_->DefaultAction, text);
    }

    void Rule(std::string_view value) {
        if (!InGesture()) return;
        std::string_view name, action;
        if (!Assignment(value, name, action, "rule <program name> = <action>")) return;
        std::u16string name16, action16;
        if (!Text(name, name16, "the program name") || !Text(action, action16, "the action")) return;
        int index = FindProgram(name16);
        if (index == kAmbiguous)
            return Error("more than one program is named \"" + std::string(name) + "\"; use #<number>");
        if (index < 0) return Error("no program \"" + std::string(name) + "\" is defined before this rule");
        TGesture& g = *current_;
        for (int r = 0; r < g.RuleCount; ++r)
            if (g.Rules[r].ProgramIndex == index)
                return Error("the gesture already has a rule for \"" + std::string(name) + "\"");
        if (g.RuleCount >= kRuleSlots) return Error("more than 101 rules in one gesture");
        // Rules stand in program-table order.
        int at = g.RuleCount;
        while (at > 0 && g.Rules[at - 1].ProgramIndex > index) {
            std::memcpy(&g.Rules[at], &g.Rules[at - 1], sizeof(TProgramRule));
            --at;
        }
        g.Rules[at].ProgramIndex = static_cast<uint8_t>(index);
        g.Rules[at].Reserved = 0;
        SetText(&g.Rules[at].Action, action16);
        ++g.RuleCount;
    }

    void Points(std::string_view value, Kind kind) {
        if (!InGesture()) return;
        if (kind_ != Kind::None && kind_ != kind)
            return Error("a gesture takes either \"stroke\" or \"points\", not both");
        kind_ = kind;
        std::string_view rest = value;
        for (;;) {
            rest = Trim(rest);
            if (rest.empty()) break;
            size_t end = rest.find_first_of(kBlanks);
            std::string_view pair = rest.substr(0, end);
            rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end);
            size_t comma = pair.find(',');
            TPoint p{};
            if (comma == std::string_view::npos || !ParseInt(pair.substr(0, comma), p.x) ||
                !ParseInt(pair.substr(comma + 1), p.y))
                return Error(Quote(pair) + " is not a point x,y of integers");
            if (kind == Kind::Stroke) {
                corners_.push_back(p);
            } else {
                if (current_->Count >= kMaxPoints) return Error("more than 2001 points");
                current_->Points[current_->Count++] = p;
            }
        }
    }

    void EndGesture() {
        if (!current_) return;
        line_ = lastGestureLine_;  // what is missing is reported at the gesture
        if (kind_ == Kind::None) {
            Error("the gesture has no \"stroke\" or \"points\"");
        } else if (kind_ == Kind::Stroke) {
            if (corners_.size() < 2) Error("a stroke needs at least two corners");
            else StrokeToGesture(corners_, *current_);
            if (corners_.size() >= 2 && current_->Count < 3)
                Error("the stroke has no length to normalise");
        }
        current_ = nullptr;
    }

    static constexpr int kAmbiguous = -2;

    // "#n" is the n-th program; any other text is a program name.
    int FindProgram(const std::u16string& name) const {
        if (name.size() > 1 && name[0] == u'#' && name[1] >= u'0' && name[1] <= u'9') {
            int32_t n = 0;
            if (ParseInt(ToUtf8(name.substr(1)), n) && n >= 1 && n <= set_.ProgramCount) return n - 1;
            return -1;
        }
        int found = -1;
        for (int p = 0; p < set_.ProgramCount; ++p)
            if (GetText(&set_.Programs[p].Name) == name) found = found < 0 ? p : kAmbiguous;
        return found;
    }

    TGestureSet& set_;
    std::vector<SourceError>& errors_;
    int line_ = 0;
    int lastGestureLine_ = 0;
    TGesture* current_ = nullptr;
    bool overflow_ = false;
    bool hasAction_ = false;
    Kind kind_ = Kind::None;
    std::vector<TPoint> corners_;
};

}  // namespace

std::string FormatSourceError(const SourceError& error) {
    return std::to_string(error.line) + ": " + error.message;
}

void StrokeToGesture(const std::vector<TPoint>& corners, TGesture& gesture) {
    gesture.Count = 0;
    if (corners.empty()) return;
    // Work in a frame where the longer side spans 1000 units, so the filled-in
    // points are distinct integers whatever frame the corners were given in.
    long double minX = corners[0].x, maxX = minX, minY = corners[0].y, maxY = minY;
    for (const TPoint& c : corners) {
        minX = std::min<long double>(minX, c.x), maxX = std::max<long double>(maxX, c.x);
        minY = std::min<long double>(minY, c.y), maxY = std::max<long double>(maxY, c.y);
    }
    const long double side = std::max(maxX - minX, maxY - minY);
    const long double scale = side > 0 ? 1000.0L / side : 1.0L;
    long double length = 0;
    for (size_t i = 1; i < corners.size(); ++i)
        length += std::hypot(static_cast<long double>(corners[i].x - corners[i - 1].x) * scale,
                             static_cast<long double>(corners[i].y - corners[i - 1].y) * scale);
    // Points spaced evenly along the whole stroke, as a steady hand draws them.
    constexpr int kSteps = 600;
    auto raw = std::make_unique<TGesture>();
    auto at = [&](long double distance) {
        for (size_t i = 1; i < corners.size(); ++i) {
            long double dx = (corners[i].x - corners[i - 1].x) * scale;
            long double dy = (corners[i].y - corners[i - 1].y) * scale;
            long double seg = std::hypot(dx, dy);
            if (distance <= seg || i + 1 == corners.size()) {
                long double t = seg > 0 ? std::min<long double>(distance / seg, 1) : 1;
                return TPoint{static_cast<int32_t>(std::lround((corners[i - 1].x - minX) * scale + t * dx)),
                              static_cast<int32_t>(std::lround((corners[i - 1].y - minY) * scale + t * dy))};
            }
            distance -= seg;
        }
        return TPoint{0, 0};
    };
    if (length <= 0) {
        raw->Points[0] = TPoint{0, 0};
        raw->Count = 1;
    } else {
        for (int k = 0; k <= kSteps; ++k) raw->Points[k] = at(length * k / kSteps);
        raw->Count = kSteps + 1;
    }
    ResizeGesture(*raw, gesture);
}

bool ParseSetSource(std::string_view utf8, TGestureSet& set, std::vector<SourceError>& errors) {
    std::memset(static_cast<void*>(&set), 0, sizeof(TGestureSet));
    const size_t before = errors.size();
    if (utf8.substr(0, 3) == "\xEF\xBB\xBF") utf8.remove_prefix(3);
    Parser parser(set, errors);
    int number = 0;
    while (!utf8.empty() || number == 0) {
        size_t end = utf8.find('\n');
        std::string_view line = utf8.substr(0, end);
        utf8 = end == std::string_view::npos ? std::string_view{} : utf8.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        parser.Line(++number, line);
        if (utf8.empty()) break;
    }
    parser.Finish();
    if (set.GestureCount == 0 && errors.size() == before) errors.push_back({number, "the set has no gestures"});
    return errors.size() == before;
}

namespace {

// A name the parser reads back as written.
bool WritableName(const std::u16string& name) {
    if (name.empty() || name.find(u" = ") != std::u16string::npos) return false;
    if (name.find_first_of(u"\r\n") != std::u16string::npos) return false;
    return name.front() != u' ' && name.back() != u' ' && name.front() != u'\t' && name.back() != u'\t';
}

// Whether a rule can name the program by its name rather than its number.
bool UniqueName(const std::u16string& name, const TGestureSet& set, int programs) {
    if (!WritableName(name) || name[0] == u'#') return false;
    int same = 0;
    for (int p = 0; p < programs; ++p) same += GetText(&set.Programs[p].Name) == name;
    return same == 1;
}

}  // namespace

std::string WriteSetSource(const TGestureSet& set) {
    const int programs = std::clamp<int32_t>(int32_t{set.ProgramCount}, 0, kProgramSlots);
    const int gestures = std::clamp<int32_t>(int32_t{set.GestureCount}, 0, kGestureSlots);
    std::string out = "# Zoram gesture set\n";
    std::vector<std::string> names;
    for (int p = 0; p < programs; ++p) {
        std::u16string name = GetText(&set.Programs[p].Name);
        const std::string number = std::to_string(p + 1);
        names.push_back(UniqueName(name, set, programs) ? ToUtf8(name) : std::string("#") += number);
        out += "program ";
        out += WritableName(name) ? ToUtf8(name) : std::string("Program ") += number;
        out += " = " + ToUtf8(GetText(&set.Programs[p].Path)) + "\n";
    }
    for (int i = 0; i < gestures; ++i) {
        const TGesture& g = set.Gestures[i];
        out += "\ngesture " + std::to_string(i + 1) + "\naction " + ToUtf8(GetText(&g.DefaultAction)) + "\n";
        for (int r = 0; r < std::min<int>(g.RuleCount, kRuleSlots); ++r)
            if (g.Rules[r].ProgramIndex < programs)
                out += "rule " + names[g.Rules[r].ProgramIndex] + " = " + ToUtf8(GetText(&g.Rules[r].Action)) + "\n";
        const int count = UsablePoints(g);
        for (int k = 0; k < count || k == 0; k += 10) {
            out += "points";
            for (int j = k; j < std::min(count, k + 10); ++j)
                ((out += ' ') += std::to_string(g.Points[j].x) += ',') += std::to_string(g.Points[j].y);
            out += "\n";
        }
    }
    return out;
}

}  // namespace zoram
