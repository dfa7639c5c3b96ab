#pragma once
#include <string>

namespace zoram {

// Reads `version` of section main from the settings beside the program.
std::u16string ReadSavedVersion(const std::u16string& exeDir);

// Writes MouseCore.dll beside the program from the embedded resource when
// needed. On failure shows the error box and returns false.
bool DeployHookLibrary(const std::u16string& exeDir, const std::u16string& savedVersion);

}  // namespace zoram
