// The settings file through the Windows profile functions.
#pragma once
#include <memory>
#include <string>

#include "app/SettingsProfile.h"

namespace zoram {

// `path` is the full path of zoram.ini.
std::unique_ptr<ProfileFile> OpenProfileFile(const std::u16string& path);

}  // namespace zoram
