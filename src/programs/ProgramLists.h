// The program in front and the programs recently seen in front; whether the
// program in front is one where gestures are off.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace zoram {

inline constexpr size_t kMaxRecentPrograms = 9;

struct ProgramLists {
    std::u16string CurrentProgram;                 // lower-cased full path; empty if unknown
    std::vector<std::u16string> RecentPrograms;    // newest first, at most nine

    // The foreground window's program path (as read) and Zoram's own path.
    // Returns true when the recent list changed.
    bool Refresh(std::u16string_view foregroundPath, std::u16string_view ownPath);
    // `excluded`: lower-cased full paths (the settings' section exclude).
    bool IsExcluded(const std::vector<std::u16string>& excluded) const;
};

// The comparison key of a program path: trimmed and lower-cased.
std::u16string ProgramKey(std::u16string_view path);

}  // namespace zoram
