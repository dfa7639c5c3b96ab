#include "programs/ProgramLists.h"

#include <algorithm>

#include "actions/ActionText.h"

namespace zoram {

using actiontext::PathLowered;
using actiontext::Trimmed;

std::u16string ProgramKey(std::u16string_view path) { return PathLowered(Trimmed(path)); }

namespace {
bool Contains(const std::vector<std::u16string>& list, const std::u16string& key) {
    return std::any_of(list.begin(), list.end(), [&](const std::u16string& e) { return PathLowered(e) == key; });
}
}  // namespace

bool ProgramLists::Refresh(std::u16string_view foregroundPath, std::u16string_view ownPath) {
    std::u16string key = ProgramKey(foregroundPath);
    if (key == PathLowered(CurrentProgram)) return false;
    bool changed = false;
    if (!key.empty() && key != PathLowered(ownPath) && !Contains(RecentPrograms, key)) {
        RecentPrograms.insert(RecentPrograms.begin(), key);
        if (RecentPrograms.size() > kMaxRecentPrograms) RecentPrograms.resize(kMaxRecentPrograms);
        changed = true;
    }
    CurrentProgram = std::move(key);
    return changed;
}

bool ProgramLists::IsExcluded(const std::vector<std::u16string>& excluded) const {
    return Contains(excluded, PathLowered(CurrentProgram));
}

}  // namespace zoram
