#include "app/Startup.h"

#include <algorithm>

#include "hook/HookCommon.h"

namespace zoram {

ExecutablePath SplitExecutablePath(std::u16string_view modulePath) {
    size_t cut = modulePath.find_last_of(u"\\/");
    if (cut == std::u16string_view::npos) return {u".\\", std::u16string(modulePath)};
    return {std::u16string(modulePath.substr(0, cut)) + u"\\",
            std::u16string(modulePath.substr(cut + 1))};
}

bool HookLibraryNeedsWriting(std::u16string_view savedVersion, bool libraryFileExists) {
    const std::string_view v = kVersion;
    bool sameVersion = savedVersion.size() == v.size() &&
                       std::equal(v.begin(), v.end(), savedVersion.begin());
    return !(sameVersion && libraryFileExists);
}

}  // namespace zoram
