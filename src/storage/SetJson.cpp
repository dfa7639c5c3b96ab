#include "storage/SetJson.h"

#include <algorithm>
#include <cstdio>

#include "actions/ActionText.h"
#include "gesture/Normalise.h"

namespace zoram {

namespace {

void Hex4(std::string& out, unsigned v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "\\u%04X", v & 0xFFFF);
    out += buf;
}

// UTF-16 to a JSON string literal in UTF-8; unpaired surrogates are escaped
// so that nothing is lost.
void Str(std::string& out, std::u16string_view s) {
    out += '"';
    for (size_t i = 0; i < s.size(); ++i) {
        const char16_t c = s[i];
        const bool lead = c >= 0xD800 && c <= 0xDBFF;
        if (lead && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            out += actiontext::ToUtf8(s.substr(i++, 2));
            continue;
        }
        switch (c) {
            case '"': out += "\\\""; continue;
            case '\\': out += "\\\\"; continue;
            case '\n': out += "\\n"; continue;
            case '\r': out += "\\r"; continue;
            case '\t': out += "\\t"; continue;
        }
        if (c < 0x20 || (c >= 0xD800 && c <= 0xDFFF)) Hex4(out, c);
        else out += actiontext::ToUtf8(s.substr(i, 1));
    }
    out += '"';
}

void Text(std::string& out, const void* field) { Str(out, GetText(field)); }

}  // namespace

std::string SetToJson(const TGestureSet& set) {
    const int programs = std::clamp<int32_t>(int32_t{set.ProgramCount}, 0, kProgramSlots);
    const int gestures = std::clamp<int32_t>(int32_t{set.GestureCount}, 0, kGestureSlots);
    std::string out = "{\"gestureCount\":" + std::to_string(set.GestureCount) +
                      ",\"programCount\":" + std::to_string(set.ProgramCount) + ",\"programs\":[";
    for (int p = 0; p < programs; ++p) {
        out += p ? ",{\"name\":" : "{\"name\":";
        Text(out, &set.Programs[p].Name);
        out += ",\"path\":";
        Text(out, &set.Programs[p].Path);
        out += "}";
    }
    out += "],\"gestures\":[";
    for (int i = 0; i < gestures; ++i) {
        const TGesture& g = set.Gestures[i];
        out += i ? ",\n" : "\n";
        out += "{\"number\":" + std::to_string(i + 1) + ",\"defaultAction\":";
        Text(out, &g.DefaultAction);
        out += ",\"count\":" + std::to_string(g.Count) +
               ",\"recordCursor\":" + std::to_string(g.RecordCursor) + ",\"points\":[";
        for (int k = 0; k < UsablePoints(g); ++k)
            out += (k ? ",[" : "[") + std::to_string(g.Points[k].x) + "," +
                   std::to_string(g.Points[k].y) + "]";
        out += "],\"rules\":[";
        for (int r = 0; r < std::min<int>(g.RuleCount, kRuleSlots); ++r) {
            out += (r ? ",{\"programIndex\":" : "{\"programIndex\":") +
                   std::to_string(g.Rules[r].ProgramIndex) +
                   ",\"reserved\":" + std::to_string(g.Rules[r].Reserved) + ",\"action\":";
            Text(out, &g.Rules[r].Action);
            out += "}";
        }
        out += "]}";
    }
    out += "\n]}\n";
    return out;
}

}  // namespace zoram
