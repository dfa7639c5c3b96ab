// The settings kept in zoram.ini: value encodings, the colour-name table,
// and the reading and writing of sections `main` and `exclude`.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/SettingsProfile.h"

namespace zoram {

inline constexpr std::u16string_view kProgramVersion = u"1.41";
inline constexpr std::u16string_view kSettingsFileName = u"zoram.ini";

// Colours are 0x00BBGGRR.
inline constexpr uint32_t clBlue = 0xFF0000;
inline constexpr uint32_t clNone = 0x1FFFFFFF;
inline constexpr uint32_t clDefault = 0x20000000;

struct Settings {
    std::u16string version;       // read only at start-up (hook library)
    std::u16string motions;       // CurrentSetPath, full path; empty for no set
    bool active = true;
    bool tutorialPrompt = true;
    bool showInfo = true;
    bool showTrails = true;
    bool autoCheck = true;
    bool mouseExMode = false;
    bool fastTrails = false;
    bool recentList = true;
    int32_t language = 0;
    int32_t idleTimeout = 0;
    int32_t invoke = 1;
    uint32_t tail = clBlue;
    std::vector<std::u16string> exclude;  // lower-cased full program paths
};

// Integer rule: decimal, or hexadecimal when longer than two characters and
// starting "0x"/"0X"; anything else (or out of range) gives `fallback`.
int32_t ParseIntegerSetting(std::u16string_view text, int32_t fallback);
// Boolean: any non-zero integer is true; non-numeric gives `fallback`.
bool ParseBooleanSetting(std::u16string_view text, bool fallback);

// One entry of the colour-name table (52 names).
struct ColourName {
    std::u16string_view name;
    uint32_t value;
};
const std::vector<ColourName>& ColourNames();
// A colour name (any case), a decimal integer or "$" and hexadecimal digits.
std::optional<uint32_t> ParseColour(std::u16string_view text);
// The table's name for the value, else "$" and eight upper-case hex digits.
std::u16string ColourToString(uint32_t colour);

// "'%s' is not a valid integer value" with the text in place of %s.
std::u16string NotValidIntegerMessage(std::u16string_view text);
// "Unable to write to %s" with the file name in place of %s.
std::u16string UnableToWriteMessage(std::u16string_view fileName);

// Only the `version` key, read by start-up before anything else.
std::u16string ReadSettingsVersion(ProfileFile& file);

// Reads the keys in the start-up order (`tail`, `motions`, `tutorialPrompt`,
// `showInfo`, `autoCheck`, `recentList`, `showTrails`, `fastTrails`, `active`,
// `mouseExMode`, `invoke`, `language`, `idleTimeout`, then section `exclude`).
// Missing keys keep the defaults. `motions` is expanded to a full path
// against the executable directory. Returns the error text when `tail` is
// neither a colour name nor an integer (start-up stops); nothing after it is
// read then.
std::optional<std::u16string> LoadSettings(ProfileFile& file, std::u16string_view exeDirectory,
                                           Settings& settings);

// Writes every key of `main` in the fixed order (`version` as the program's
// version, `motions` relative to the executable directory), then rewrites
// section `exclude` as program0, program1, ... Stops at the first key that
// cannot be written and returns "Unable to write to <file>"; the settings in
// memory are not changed either way.
std::optional<std::u16string> SaveSettings(ProfileFile& file, std::u16string_view exeDirectory,
                                           const Settings& settings);

}  // namespace zoram
