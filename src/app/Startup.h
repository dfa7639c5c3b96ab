// Start-up rules that need no Windows: where the program lives and whether
// the hook library beside it must be written again.
#pragma once
#include <string>
#include <string_view>

namespace zoram {

struct ExecutablePath {
    std::u16string directory;  // absolute, ends with a backslash
    std::u16string fileName;
};

// Splits a full module path at its last backslash (or slash).
ExecutablePath SplitExecutablePath(std::u16string_view modulePath);

// The library is rewritten unless the settings were saved by this very
// version and the file is there: an older copy from this version stays.
bool HookLibraryNeedsWriting(std::u16string_view savedVersion, bool libraryFileExists);

}  // namespace zoram
