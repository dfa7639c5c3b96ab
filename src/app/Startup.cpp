#include "app/Startup.h"

#include "app/Settings.h"

namespace zoram {

ExecutablePath SplitExecutablePath(std::u16string_view modulePath) {
    size_t cut = modulePath.find_last_of(u"\\/");
    if (cut == std::u16string_view::npos) return {u".\\", std::u16string(modulePath)};
    return {std::u16string(modulePath.substr(0, cut)) + u"\\",
            std::u16string(modulePath.substr(cut + 1))};
}

bool HookLibraryNeedsWriting(std::u16string_view savedVersion, bool libraryFileExists) {
    return !(savedVersion == kProgramVersion && libraryFileExists);
}

}  // namespace zoram
