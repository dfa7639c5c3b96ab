// Gesture set files (.mtd). Saving writes the set image as one zlib stream.
// Loading tells three forms apart by the file size: compressed (what saving
// writes, expanded in memory), the same image uncompressed (compressed in
// place as it loads), and the old layout without per-program actions
// (converted into a copy whose name has "2" appended).
#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "gesture/GestureModel.h"

namespace zoram {

struct EngineState;

constexpr uint64_t kSetImageSize = sizeof(TGestureSet);        // 23,581,327
constexpr uint64_t kOldSetImageSize = 1824670;                 // 101 old records and a count
constexpr uint64_t kMaxCompressedSetFile = 1800000;            // at or below: compressed form
constexpr uint64_t kMinUncompressedSetFile = 20000001;         // from here: uncompressed form

enum class SetFileForm { None, Compressed, Uncompressed, OldLayout };

enum class SetFileStatus {
    Ok,
    Missing,        // no file at the path
    InvalidFormat,  // not a set: bad zlib data, an image of the wrong length
    FileError,      // the file system refused a read or a write
    TooLarge,       // saving: the compressed set would pass 1,800,000 bytes
};

struct SetFileResult {
    SetFileStatus status = SetFileStatus::Ok;
    SetFileForm form = SetFileForm::None;
    // For failures: the error's own text ("Error" for zlib, the file system's
    // message otherwise), for the general error report. After a successful
    // load of an older form: why the file could not be brought up to date on
    // disk (empty when it was).
    std::string detail;
    explicit operator bool() const { return status == SetFileStatus::Ok; }
};

// What the main window shows while an older file is brought up to date.
inline constexpr std::u16string_view kFixingFileCaption = u"Fixing file...";
inline constexpr std::u16string_view kConvertingCaption = u"Converting to new format...";
// Called with one of the captions above before the slow part starts.
using SetFileProgress = std::function<void(std::u16string_view caption)>;

// The message box text after a failed load: the file name in double quotation
// marks followed by " could not be loaded. It may be in an invalid format".
std::u16string CouldNotLoadMessage(std::u16string_view fileName);

// Writes the whole set to the file, compressed, replacing it atomically: a
// failed save leaves the old file (or no file) behind, never a partial one.
SetFileResult SaveSet(const TGestureSet& set, const std::filesystem::path& path);

// Loads a set file of any of the three forms into `set`. On any failure the
// set is left exactly as it was. On success the counts hold the model's
// capacities (see ClampToCapacities). A compressed file is expanded in memory
// (no side file is written, so read-only folders work). An older form whose
// rewrite fails still loads; the result's detail says why.
SetFileResult LoadSet(TGestureSet& set, const std::filesystem::path& path,
                      const SetFileProgress& progress = {});

// Converts an old-layout file into the current layout in `set` and saves it to
// `target`. Gesture slots from the old count on, rule slots and program slots
// keep what `set` held. A source that cannot be read leaves `set` unchanged;
// a target that cannot be written does not stop the conversion (see detail).
SetFileResult ConvertToCompressedFormat(TGestureSet& set, const std::filesystem::path& source,
                                        const std::filesystem::path& target);

// Makes every count fit its capacity, so the rest of the program can index
// without checks: GestureCount 0..100, ProgramCount 0..201, each used
// gesture's Count 0..2001 and RuleCount 0..101, rules whose ProgramIndex is
// not below ProgramCount dropped (the others keep their order), and every used
// text field NUL-terminated. Returns true if anything was changed.
bool ClampToCapacities(TGestureSet& set);

// The engine-state forms: as above, and SetModified becomes false on success.
SetFileResult saveMotions(EngineState& state, const std::filesystem::path& path);
SetFileResult loadMotions(EngineState& state, const std::filesystem::path& path,
                          const SetFileProgress& progress = {});

}  // namespace zoram
