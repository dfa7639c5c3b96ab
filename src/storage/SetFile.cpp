#include "storage/SetFile.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <fstream>
#include <memory>
#include <new>
#include <system_error>

#include "gesture/EngineState.h"
#include "storage/BPCompress.h"
#include "storage/FileIO.h"

namespace fs = std::filesystem;

namespace zoram {

// The file is the in-memory image of the packed records, so it is
// little-endian only where memory is.
static_assert(std::endian::native == std::endian::little);

namespace {

#pragma pack(push, 1)
struct TOldGesture {
    TPoint Points[kMaxPoints];
    int32_t Count;
    int32_t RecordCursor;
    char16_t DefaultAction[kTextUnits];
};
struct TOldGestureSet {
    TOldGesture Gestures[kGestureSlots];
    int32_t GestureCount;
};
#pragma pack(pop)
static_assert(sizeof(TOldGesture) == 18066);
static_assert(sizeof(TOldGestureSet) == kOldSetImageSize);

// Uninitialised on purpose: every byte is overwritten before use.
std::unique_ptr<TGestureSet> NewScratch() { return std::unique_ptr<TGestureSet>(new TGestureSet); }

SetFileResult Failure(SetFileStatus status, SetFileForm form, std::string detail) {
    return {status, form, std::move(detail)};
}

// Reads exactly `size` bytes of the file into `dst`; false if the file has
// another length.
bool ReadExactly(const fs::path& path, void* dst, uint64_t size) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) throw FileError("Cannot open file " + DescribePath(path));
    if (static_cast<uint64_t>(in.tellg()) != size) return false;
    in.seekg(0);
    if (!in.read(static_cast<char*>(dst), static_cast<std::streamsize>(size)))
        throw FileError("Cannot read file " + DescribePath(path));
    return true;
}

// Packed fields are read and written by value: a reference to one may be
// misaligned.
template <typename T>
T Clamped(T value, T low, T high) {
    return value < low ? low : (value > high ? high : value);
}

template <typename F>
SetFileResult Guarded(SetFileForm form, F&& body) {
    try {
        return body();
    } catch (const CompressionError& e) {
        return Failure(SetFileStatus::InvalidFormat, form, e.what());
    } catch (const FileError& e) {
        return Failure(SetFileStatus::FileError, form, e.what());
    } catch (const std::bad_alloc&) {
        return Failure(SetFileStatus::FileError, form, "Out of memory");
    }
}

}  // namespace

std::u16string CouldNotLoadMessage(std::u16string_view fileName) {
    std::u16string message = u"\"";
    message += fileName;
    return message += u"\" could not be loaded. It may be in an invalid format";
}

bool ClampToCapacities(TGestureSet& set) {
    const int32_t gestures = Clamped<int32_t>(set.GestureCount, 0, kMaxGestures);
    const int32_t programs = Clamped<int32_t>(set.ProgramCount, 0, kProgramSlots);
    bool changed = gestures != set.GestureCount || programs != set.ProgramCount;
    set.GestureCount = gestures;
    set.ProgramCount = programs;
    for (int p = 0; p < programs; ++p) {
        changed |= TerminateText(&set.Programs[p].Path);
        changed |= TerminateText(&set.Programs[p].Name);
    }
    for (int i = 0; i < gestures; ++i) {
        TGesture& g = set.Gestures[i];
        const int32_t count = Clamped<int32_t>(g.Count, 0, kMaxPoints);
        changed |= count != g.Count;
        g.Count = count;
        changed |= TerminateText(&g.DefaultAction);
        // Rules past the slots or naming no known program are dropped; the
        // rest keep their order.
        const int rules = std::min<int>(g.RuleCount, kRuleSlots);
        int kept = 0;
        for (int r = 0; r < rules; ++r) {
            if (g.Rules[r].ProgramIndex >= programs) continue;
            if (kept != r) std::memcpy(&g.Rules[kept], &g.Rules[r], sizeof(TProgramRule));
            changed |= TerminateText(&g.Rules[kept].Action);
            ++kept;
        }
        changed |= kept != g.RuleCount;
        g.RuleCount = static_cast<uint8_t>(kept);
    }
    return changed;
}

SetFileResult SaveSet(const TGestureSet& set, const fs::path& path) {
    return Guarded(SetFileForm::Compressed, [&] {
        std::vector<uint8_t> packed =
            CompressBytes(reinterpret_cast<const uint8_t*>(&set), sizeof(TGestureSet));
        // A bigger file would be taken for another form when loaded back.
        if (packed.size() > kMaxCompressedSetFile)
            return Failure(SetFileStatus::TooLarge, SetFileForm::Compressed,
                           "The set is too large to be saved: its compressed form exceeds "
                           "1,800,000 bytes");
        ReplaceFileAtomically(path, packed.data(), packed.size());
        return SetFileResult{SetFileStatus::Ok, SetFileForm::Compressed, {}};
    });
}

SetFileResult ConvertToCompressedFormat(TGestureSet& set, const fs::path& source,
                                        const fs::path& target) {
    return Guarded(SetFileForm::OldLayout, [&] {
        auto old = std::make_unique<TOldGestureSet>();
        if (!ReadExactly(source, old.get(), sizeof(TOldGestureSet)))
            return Failure(SetFileStatus::InvalidFormat, SetFileForm::OldLayout,
                           "The file has the wrong length for an old-layout set");
        auto scratch = NewScratch();
        std::memcpy(scratch.get(), &set, sizeof(TGestureSet));
        scratch->ProgramCount = 0;
        const int32_t count = Clamped<int32_t>(old->GestureCount, 0, kMaxGestures);
        scratch->GestureCount = count;
        for (int i = 0; i < count; ++i) {
            const TOldGesture& from = old->Gestures[i];
            TGesture& to = scratch->Gestures[i];
            to.Count = from.Count;
            std::memcpy(to.Points, from.Points, sizeof(to.Points));
            to.RecordCursor = from.RecordCursor;
            // At most 1024 characters and the NUL: the field has no room for more.
            SetText(&to.DefaultAction, GetText(&from.DefaultAction));
            to.RuleCount = 0;
        }
        ClampToCapacities(*scratch);
        // The set is taken even when the converted copy cannot be written
        // (a read-only folder): nothing is lost, the user can save it elsewhere.
        SetFileResult saved = SaveSet(*scratch, target);
        std::memcpy(&set, scratch.get(), sizeof(TGestureSet));
        return SetFileResult{SetFileStatus::Ok, SetFileForm::OldLayout, saved.detail};
    });
}

SetFileResult LoadSet(TGestureSet& set, const fs::path& path, const SetFileProgress& progress) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return Failure(SetFileStatus::Missing, SetFileForm::None, "The file does not exist");
    const uint64_t size = FileSizeOrZero(path);

    if (size > kMaxCompressedSetFile && size < kMinUncompressedSetFile) {
        if (progress) progress(kConvertingCaption);
        return ConvertToCompressedFormat(set, path, WithSuffix(path, "2"));
    }

    const SetFileForm form =
        size <= kMaxCompressedSetFile ? SetFileForm::Compressed : SetFileForm::Uncompressed;
    return Guarded(form, [&] {
        auto scratch = NewScratch();
        std::string detail;
        if (form == SetFileForm::Compressed) {
            // Expanded in memory, with no side file: a set in a folder the user
            // cannot write to (beside the program) loads all the same.
            const std::vector<uint8_t> packed = ReadWholeFile(path);
            if (packed.empty()) return Failure(SetFileStatus::InvalidFormat, form, "The file is empty");
            // A stream longer than the image does not fit and fails here too.
            if (ExpandInto(packed.data(), packed.size(), reinterpret_cast<uint8_t*>(scratch.get()),
                           kSetImageSize) != kSetImageSize)
                return Failure(SetFileStatus::InvalidFormat, form, "The expanded set has the wrong length");
        } else {
            if (progress) progress(kFixingFileCaption);
            if (!ReadExactly(path, scratch.get(), kSetImageSize))
                return Failure(SetFileStatus::InvalidFormat, form,
                               "The file has the wrong length for a set");
            // Compressed in place as it stood; if that cannot be done the set
            // is still loaded and the file stays as it was.
            detail = SaveSet(*scratch, path).detail;
        }
        ClampToCapacities(*scratch);
        std::memcpy(&set, scratch.get(), sizeof(TGestureSet));
        return SetFileResult{SetFileStatus::Ok, form, detail};
    });
}

SetFileResult saveMotions(EngineState& state, const fs::path& path) {
    SetFileResult result = SaveSet(*state.Set, path);
    if (result) state.SetModified = false;
    return result;
}

SetFileResult loadMotions(EngineState& state, const fs::path& path, const SetFileProgress& progress) {
    SetFileResult result = LoadSet(*state.Set, path, progress);
    if (result) state.SetModified = false;
    return result;
}

}  // namespace zoram
