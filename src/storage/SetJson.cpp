#include "storage/SetJson.h"

#include <algorithm>
#include <cstdio>

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
        char32_t c = s[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (s[++i] - 0xDC00);
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            Hex4(out, c);
            continue;
        }
        switch (c) {
            case '"': out += "\\\""; continue;
            case '\\': out += "\\\\"; continue;
            case '\n': out += "\\n"; continue;
            case '\r': out += "\\r"; continue;
            case '\t': out += "\\t"; continue;
        }
        if (c < 0x20) {
            Hex4(out, c);
        } else if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
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
