// Paths kept relative to the program's folder (Windows path rules over plain
// UTF-16 strings, so they are testable anywhere).
#pragma once
#include <string>
#include <string_view>

namespace zoram {

// The drive part: "C:" or the "\\server\share" prefix of a network path;
// empty when the path has neither.
std::u16string_view PathDrive(std::u16string_view path);

// `path` relative to `base` (the executable directory, ending in "\") when
// both lie on the same drive (compared without regard to letter case);
// otherwise `path` unchanged. Folder names are compared without regard to
// case; "..\" is written once for every folder of `base` left over.
std::u16string ProgramRelativePath(std::u16string_view base, std::u16string_view path);

// Expands `path` to a full path as the system does with the current directory
// set to `base` (a full directory path ending in "\"): relative paths are
// taken from `base`, "\x" from the root of base's drive, "." and ".." are
// resolved, "/" counts as "\". An empty path stays empty. Paths longer than
// `maxLength` characters give an empty result, as a 260-character buffer
// would refuse them.
std::u16string ExpandFullPath(std::u16string_view base, std::u16string_view path,
                              size_t maxLength = 259);

}  // namespace zoram
