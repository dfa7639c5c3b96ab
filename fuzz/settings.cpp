// zoram.ini from anywhere: reading must not crash, and whatever was read
// must be written and read back to the same settings.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "actions/ActionText.h"
#include "app/ProgramPath.h"
#include "app/Settings.h"

namespace {

using namespace zoram;

void Check(bool ok) {
    if (!ok) std::abort();
}

// A profile file held in memory: "[section]" lines and key=value lines, with
// blanks around names and values dropped as the system does.
class TextProfile : public ProfileFile {
public:
    struct Entry {
        std::u16string section, key, value;
    };
    std::vector<Entry> entries;
    bool failWrites = false;

    explicit TextProfile(std::u16string_view text = {}) {
        std::u16string section;
        size_t start = 0;
        while (start <= text.size()) {
            size_t end = text.find(u'\n', start);
            if (end == std::u16string_view::npos) end = text.size();
            std::u16string line = actiontext::Trimmed(text.substr(start, end - start));
            start = end + 1;
            if (line.size() >= 2 && line.front() == u'[' && line.back() == u']') {
                section = line.substr(1, line.size() - 2);
            } else if (size_t eq = line.find(u'='); eq != std::u16string::npos) {
                entries.push_back({section, actiontext::Trimmed(line.substr(0, eq)),
                                   actiontext::Trimmed(line.substr(eq + 1))});
            }
        }
    }
    std::u16string ReadString(std::u16string_view section, std::u16string_view key,
                              std::u16string_view fallback) override {
        for (const Entry& e : entries)
            if (e.section == section && e.key == key) return e.value;
        return std::u16string(fallback);
    }
    std::vector<std::u16string> ReadKeys(std::u16string_view section) override {
        std::vector<std::u16string> keys;
        for (const Entry& e : entries)
            if (e.section == section) keys.push_back(e.key);
        return keys;
    }
    bool WriteString(std::u16string_view section, std::u16string_view key,
                     std::u16string_view value) override {
        for (Entry& e : entries)
            if (e.section == section && e.key == key) return e.value = value, true;
        entries.push_back({std::u16string(section), std::u16string(key), std::u16string(value)});
        return true;
    }
    bool EraseSection(std::u16string_view section) override {
        std::erase_if(entries, [&](const Entry& e) { return e.section == section; });
        return true;
    }
    std::u16string FileName() const override { return u"zoram.ini"; }
};

bool Same(const Settings& a, const Settings& b) {
    return a.active == b.active && a.tutorialPrompt == b.tutorialPrompt && a.showInfo == b.showInfo &&
           a.showTrails == b.showTrails && a.autoCheck == b.autoCheck && a.mouseExMode == b.mouseExMode &&
           a.fastTrails == b.fastTrails && a.recentList == b.recentList && a.language == b.language &&
           a.idleTimeout == b.idleTimeout && a.invoke == b.invoke && a.tail == b.tail;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::u16string text = actiontext::FromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
    constexpr std::u16string_view exe = u"C:\\Program Files\\Zoram\\";

    TextProfile file(text);
    Settings first;
    if (auto error = LoadSettings(file, exe, first)) {
        Check(error->find(u"is not a valid integer value") != std::u16string::npos);
        return 0;
    }
    // Values that contain no line break or blanks at the ends come back whole.
    TextProfile saved;
    Check(!SaveSettings(saved, exe, first));
    Settings second;
    Check(!LoadSettings(saved, exe, second));
    Check(Same(first, second));
    Check(first.exclude == second.exclude);

    // The path rules on whatever the file held.
    const std::u16string relative = ProgramRelativePath(exe, first.motions);
    const std::u16string expanded = ExpandFullPath(exe, relative);
    Check(expanded.size() <= 259);
    Check(ParseColour(ColourToString(first.tail)) == first.tail);
    return 0;
}
